#include "admin/serverbookfile.h"

#include "core/bookcopy.h"
#include "core/serversetting.h"

#include "core/schema.h"
#include "schema/serverschema.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>

namespace serverbookfile {

namespace {

// Debian keeps each version's tools apart; the newest reads and writes for every older
// server, so it goes before whatever PATH offers.
QString tool(const QString& name) {
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(found.begin(), found.end(),
              [&](const QString& a, const QString& b) { return numeric.compare(a, b) > 0; });
    for (const QString& version : found) {
        const QFileInfo program(versions.filePath(version + QStringLiteral("/bin/") + name));
        if (program.isExecutable())
            return program.filePath();
    }
    return QStandardPaths::findExecutable(name);
}

struct Run {
    bool ok = false;
    QByteArray out;
    QString error;
};

// Runs one of the tools to its end, letting the window's events run meanwhile. A restore
// waits for another counter's open transaction at most half a minute rather than for ever.
Run run(const QString& name, const QStringList& arguments, const Progress& progress,
        const QString& password = QString()) {
    Run result;
    const QString program = tool(name);
    if (program.isEmpty()) {
        result.error = QStringLiteral("找不到 %1，请安装 PostgreSQL 客户端程序。").arg(name);
        return result;
    }
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PGOPTIONS"), environment.value(QStringLiteral("PGOPTIONS")) +
                                                        QStringLiteral(" -c lock_timeout=30000"));
    // A password typed at start goes by the environment, never on the command line.
    if (!password.isEmpty())
        environment.insert(QStringLiteral("PGPASSWORD"), password);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        result.error = QStringLiteral("无法运行 %1：%2").arg(name, process.errorString());
        return result;
    }
    process.closeWriteChannel();
    while (!process.waitForFinished(100))
        if (progress && process.state() == QProcess::Running)
            progress(0);
    result.out = process.readAllStandardOutput();
    result.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!result.ok) {
        // The tool's first complaint names the cause; the rest repeats it.
        const QString said = QString::fromUtf8(process.readAllStandardError()).trimmed();
        result.error = said.section(u'\n', 0, 0);
        if (result.error.isEmpty())
            result.error = QStringLiteral("%1 异常结束").arg(name);
    }
    return result;
}

// The tools' --dbname argument, and the password it must not hold.
struct ToolTarget {
    QString argument;
    QString password;
};
ToolTarget connection(const std::string& conninfo) {
    ToolTarget c;
    c.argument = QStringLiteral("--dbname=") +
                 serversetting::withoutPassword(QString::fromStdString(conninfo), &c.password);
    return c;
}

// The book's tables as the server names them.
QSet<QString> bookTables() {
    static const QRegularExpression created(QStringLiteral("CREATE TABLE (\\w+)"));
    QSet<QString> names;
    const QString sql = QString::fromStdString(schema::serverSql());
    for (auto it = created.globalMatch(sql); it.hasNext();)
        names.insert(it.next().captured(1).toLower());
    return names;
}

// The tables of the dump's list of contents that come with their rows.
QSet<QString> tablesWithRows(const QByteArray& list) {
    static const QRegularExpression entry(
        QStringLiteral("^\\d+; \\d+ \\d+ TABLE DATA \\S+ (\\S+) "),
        QRegularExpression::MultilineOption);
    QSet<QString> names;
    for (auto it = entry.globalMatch(QString::fromUtf8(list)); it.hasNext();)
        names.insert(it.next().captured(1));
    return names;
}

// The application id and version in the dump's VeskBook row; empty when there is none.
QStringList bookHeader(const QByteArray& rows) {
    const QStringList lines = QString::fromUtf8(rows).split(u'\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i)
        if (lines[i].startsWith(QStringLiteral("COPY ")) && lines[i].contains("veskbook"))
            return lines[i + 1].split(u'\t');
    return {};
}

} // namespace

bookfile::Outcome backUp(const std::string& conninfo, const QString& target,
                         const Progress& progress) {
    bookfile::Outcome outcome;
    if (progress)
        progress(0);
    // Written beside the target under a name of its own, then put in the target's place.
    const QString fresh = bookcopy::freshNameBeside(target);
    const ToolTarget book = connection(conninfo);
    const Run dumped = run(QStringLiteral("pg_dump"),
                           {QStringLiteral("--format=custom"), QStringLiteral("--no-password"),
                            QStringLiteral("--file=") + fresh, book.argument},
                           progress, book.password);
    if (!dumped.ok) {
        QFile::remove(fresh);
        outcome.refusal = QStringLiteral("备份失败：") + dumped.error;
    } else if (std::rename(QFile::encodeName(fresh).constData(),
                           QFile::encodeName(target).constData()) != 0) {
        QFile::remove(fresh);
        outcome.refusal = QStringLiteral("备份失败：无法写入 %1").arg(target);
    } else {
        outcome.done = true;
    }
    if (progress)
        progress(outcome.done ? 100 : 0);
    return outcome;
}

bookfile::Outcome restore(const std::string& conninfo, const QString& source,
                          const Progress& progress) {
    bookfile::Outcome outcome;
    if (!QFileInfo(source).isFile() || !QFileInfo(source).isReadable())
        return outcome;
    if (progress)
        progress(0);
    const QString notOurs = QStringLiteral("所选文件不是本程序完好的账簿备份。");
    const Run list =
        run(QStringLiteral("pg_restore"), {QStringLiteral("--list"), source}, progress);
    if (!list.ok || !tablesWithRows(list.out).contains(bookTables())) {
        outcome.refusal =
            list.ok || !list.error.startsWith(QStringLiteral("找不到")) ? notOurs : list.error;
        return outcome;
    }
    // Every block read once before the book is touched: a file cut short or damaged is
    // refused here rather than halfway through the restore.
    if (!run(QStringLiteral("pg_restore"), {QStringLiteral("--file=/dev/null"), source}, progress)
             .ok) {
        outcome.refusal = notOurs;
        return outcome;
    }
    const Run header = run(QStringLiteral("pg_restore"),
                           {QStringLiteral("--data-only"), QStringLiteral("--table=veskbook"),
                            QStringLiteral("--file=-"), source},
                           progress);
    const QStringList fields = bookHeader(header.out);
    if (!header.ok || fields.size() != 3 || fields[1] != QString::number(schema::kApplicationId)) {
        outcome.refusal = notOurs;
        return outcome;
    }
    // A backup of an older book is restored as it is and upgraded after (bookfile::restore).
    outcome.refusal = bookfile::versionRefusal(fields[2].toInt(), schema::kOldestServerVersion);
    if (!outcome.refusal.isEmpty())
        return outcome;
    // One transaction on the book itself: every other counter sees the book whole before or
    // whole after, and a restore that fails anywhere (an object of the database that depends on
    // the book's tables, a counter holding a table too long) leaves it as it was.
    // Restoring into a new database and renaming it instead would need every counter gone.
    const ToolTarget book = connection(conninfo);
    const Run restored =
        run(QStringLiteral("pg_restore"),
            {QStringLiteral("--single-transaction"), QStringLiteral("--exit-on-error"),
             QStringLiteral("--clean"), QStringLiteral("--if-exists"), QStringLiteral("--no-owner"),
             QStringLiteral("--no-password"), book.argument, source},
            progress, book.password);
    if (restored.ok)
        outcome.done = true;
    else
        outcome.refusal = QStringLiteral("所选备份未能完整还原（%1）。").arg(restored.error);
    if (progress)
        progress(outcome.done ? 100 : 0);
    return outcome;
}

} // namespace serverbookfile
