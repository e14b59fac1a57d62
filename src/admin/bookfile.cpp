#include "admin/bookfile.h"

#include "core/connection.h"
#include "core/schema.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <algorithm>
#include <sqlite3.h>

namespace bookfile {

namespace {

constexpr qint64 kMaxChunk = 4 * 1024 * 1024; // read and written at a time within a piece

// A log with pages in it means the file alone is not the whole book: another program has it
// open, or closing could not fold the log back.
bool logIsFolded(const QString& bookPath) {
    const QFileInfo log(bookPath + QStringLiteral("-wal"));
    return !log.exists() || log.size() == 0;
}

// Copies in a hundred pieces, telling the progress before each; the target is written under
// a temporary name and renamed when complete.
bool copyFile(const QString& source, const QString& target, const Progress& progress) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const qint64 length = in.size();
    const qint64 step = std::max<qint64>(1, length / 100);
    progress(0);
    bool ok = true;
    for (qint64 remaining = length; ok && remaining > 0;) {
        progress(static_cast<int>((length - remaining) * 100 / length));
        for (qint64 piece = std::min(step, remaining); ok && piece > 0;) {
            const QByteArray chunk = in.read(std::min(piece, kMaxChunk));
            ok = !chunk.isEmpty() && out.write(chunk) == chunk.size();
            piece -= chunk.size();
            remaining -= chunk.size();
        }
    }
    if (ok)
        ok = out.commit();
    else
        out.cancelWriting();
    progress(0);
    return ok;
}

QString firstText(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    QString text;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW)
        text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return text;
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

bool backUp(Connection& book, const QString& target, const Progress& progress) {
    book.close();
    if (!logIsFolded(book.path()))
        return false;
    return copyFile(book.path(), target, progress);
}

bool restore(Connection& book, const QString& source, const Progress& progress) {
    book.close();
    if (!isIntactBook(source) || !logIsFolded(book.path()))
        return false;
    return copyFile(source, book.path(), progress);
}

bool isIntactBook(const QString& file) {
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable())
        return false;
    // Immutable: read the file as it lies, without locks and without a log beside it.
    const QByteArray uri =
        QUrl::fromLocalFile(info.absoluteFilePath()).toEncoded() + "?immutable=1";
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    bool intact = false;
    if (rc == SQLITE_OK) {
        intact =
            firstText(db, "PRAGMA application_id") == QString::number(schema::kApplicationId) &&
            firstText(db, "PRAGMA integrity_check") == QStringLiteral("ok");
    }
    sqlite3_close_v2(db);
    return intact;
}

} // namespace bookfile
