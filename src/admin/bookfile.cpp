#include "admin/bookfile.h"

#include "admin/serverbookfile.h"
#include "core/bookcopy.h"
#include "core/connection.h"
#include "core/dberror.h"
#include "core/schema.h"
#include "core/serverbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryFile>
#include <QUrl>
#include <cstdio>
#include <sqlite3.h>
#include <sys/stat.h>

namespace bookfile {

namespace {

QString firstText(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    QString text;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return text;
}

// An engine handle closed when it goes out of scope.
struct Handle {
    sqlite3* db = nullptr;
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { sqlite3_close_v2(db); }
};

// Opens the file as it lies, read only, without locks and without a log beside it: a backup
// file is never written.
bool openUntouched(const QString& file, Handle& handle) {
    const QByteArray uri =
        QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toEncoded() + "?immutable=1";
    return sqlite3_open_v2(uri.constData(), &handle.db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                           nullptr) == SQLITE_OK;
}

// Whether two paths name one file, whatever the names: a link, or the book's name in other
// letters on a stick or a share that does not tell case ("KESTDATA.DB").
bool sameFile(const QString& a, const QString& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Whether the path names the book's own file or one the engine keeps beside it: a copy
// written there would replace the book under every connection that has it open. Names are
// compared without regard to case, as some of the places a book is kept compare them.
bool isPartOfTheBook(const QString& path, const QString& bookPath) {
    const QFileInfo book(bookPath);
    const QFileInfo file(path);
    if (file.exists() && sameFile(path, bookPath))
        return true;
    const QString own = QDir::cleanPath(book.absoluteFilePath());
    const QString named = QDir::cleanPath(file.absoluteFilePath());
    for (const char* side : {"", "-wal", "-shm", "-journal"})
        if (named.compare(own + QLatin1String(side), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

const QString& theBookItself() {
    static const QString text = QStringLiteral("所选文件就是当前账簿，请另选备份文件。");
    return text;
}

// Half of the progress bar for each of the two copies of a restore.
Progress half(const Progress& progress, int from) {
    return [progress, from](int percent) { progress(from + percent / 2); };
}

} // namespace

QString timeStamp(const QDateTime& moment) {
    const QDate d = moment.date();
    const QTime t = moment.time();
    return QString::number(d.year()) + QString::number(d.month()) + QString::number(d.day()) +
           QString::number(t.hour()) + QString::number(t.minute());
}

QString backupName(const QString& directory, const QDateTime& moment) {
    return directory + timeStamp(moment) + QStringLiteral(".bak");
}

bool isAnotherFile(Connection& book, const QString& path) {
    const QFileInfo file(path);
    return file.exists() && !file.isDir() &&
           (book.isServer() || !isPartOfTheBook(path, book.path()));
}

Outcome backUp(Connection& book, const QString& target, const Progress& progress) {
    if (book.isServer())
        return serverbookfile::backUp(book.path().toStdString(), target, progress);
    if (isPartOfTheBook(target, book.path()))
        return {false, theBookItself()};
    progress(0);
    // Written beside the target under a name of its own, then put in the target's place.
    const QString fresh = bookcopy::freshNameBeside(target);
    Outcome outcome;
    bool madeFile = false;
    try {
        madeFile = bookcopy::canMakeFile(fresh);
        bookcopy::writeFile(book.handle(), fresh, progress);
        // A rename over the old file, so that a backup of that name is never half there.
        outcome.done = std::rename(QFile::encodeName(fresh).constData(),
                                   QFile::encodeName(target).constData()) == 0;
        if (!outcome.done)
            QFile::remove(fresh);
    } catch (const DbError& e) {
        outcome.done = false;
        // The file was made and the copy broke off (a full disk, a stick pulled out): that is
        // said, not a question whether the path exists.
        if (madeFile)
            outcome.refusal = QStringLiteral("备份失败：") + e.text();
    }
    progress(0);
    return outcome;
}

QString versionRefusal(int version, int oldest) {
    if (version > schema::kUserVersion)
        return QStringLiteral(
                   "所选备份由较新版本的程序建立（账簿版本 %1，本程序为 %2），请先更新程序。")
            .arg(version)
            .arg(schema::kUserVersion);
    if (version < oldest)
        return QStringLiteral("所选备份的账簿版本 %1 无法升级。").arg(version);
    return QString();
}

namespace {

// A dump of an earlier version is upgraded at once, as at start, on the connection the windows
// go on with.
Outcome restoreOnServer(Connection& book, const QString& source, const Progress& progress) {
    Outcome outcome = serverbookfile::restore(book.path().toStdString(), source, progress);
    if (!outcome.done)
        return outcome;
    const QString refusal = serverbook::open(book).refusal;
    if (!refusal.isEmpty()) {
        outcome.done = false;
        outcome.bookReplaced = true;
        outcome.refusal = QStringLiteral("备份已还原，但%1。").arg(refusal);
    }
    return outcome;
}

} // namespace

Outcome restore(Connection& book, const QString& source, const Progress& progress) {
    if (book.isServer())
        return restoreOnServer(book, source, progress);
    Outcome outcome;
    if (isPartOfTheBook(source, book.path())) {
        outcome.refusal = theBookItself();
        return outcome;
    }
    Handle from;
    if (!QFileInfo(source).isFile() || !openUntouched(source, from))
        return outcome;
    if (!isIntactBook(source)) {
        outcome.refusal = QStringLiteral("所选文件不是本程序完好的账簿备份。");
        return outcome;
    }
    const int version = schema::versionOf(from.db);
    outcome.refusal = versionRefusal(version, schema::kOldestVersion);
    if (!outcome.refusal.isEmpty())
        return outcome;
    progress(0);
    try {
        // The backup is copied, upgraded and examined apart from the book, in a file beside
        // it: the book is touched only by the last, complete copy.
        QTemporaryFile staging(QFileInfo(book.path()).absolutePath() +
                               QStringLiteral("/restore-XXXXXX.db"));
        if (!staging.open())
            return outcome;
        Handle staged;
        const auto cleanUp = qScopeGuard([&] {
            sqlite3_close_v2(staged.db);
            staged.db = nullptr;
            for (const char* side : {"-journal", "-wal", "-shm"})
                QFile::remove(staging.fileName() + QLatin1String(side));
        });
        if (sqlite3_open_v2(QFile::encodeName(staging.fileName()).constData(), &staged.db,
                            SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
            return outcome;
        bookcopy::copy(from.db, staged.db, half(progress, 0));
        try {
            if (version < schema::kUserVersion)
                schema::upgrade(staged.db);
            const QStringList differences = schema::structureDifferences(staged.db);
            if (!differences.isEmpty())
                throw DbError(differences.join(QStringLiteral("；")));
        } catch (const DbError& e) {
            outcome.refusal =
                QStringLiteral("所选备份的账簿结构与其版本不符（%1）。").arg(e.text());
            progress(0);
            return outcome;
        }
        bookcopy::copy(staged.db, book.handle(), half(progress, 50));
        outcome.done = true;
    } catch (const DbError& e) {
        // The chosen file was read whole by now: the path is not what failed. A copy broken
        // off is rolled back by the engine, so the book is as it was.
        outcome.done = false;
        outcome.refusal = QStringLiteral("数据还原失败：") + e.text();
    }
    progress(0);
    return outcome;
}

bool isIntactBook(const QString& file) {
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        return false;
    Handle db;
    return openUntouched(file, db) &&
           firstText(db.db, "PRAGMA application_id") == QString::number(schema::kApplicationId) &&
           firstText(db.db, "PRAGMA integrity_check") == QStringLiteral("ok");
}

} // namespace bookfile
