#include "core/bookcopy.h"

#include "core/dberror.h"
#include "core/sqlitewords.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QThread>
#include <algorithm>
#include <sqlite3.h>

namespace bookcopy {

namespace {

constexpr int kPagesPerStep = 256;
// A posting of another copy of the program holds its lock for milliseconds; a target kept
// busy for this long is in the hands of something else.
constexpr int kBusyMilliseconds = 15000;

} // namespace

void copy(sqlite3* source, sqlite3* target, const Progress& progress) {
    sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
    if (!backup)
        throw DbError(failureText(target));
    QDeadlineTimer patience(kBusyMilliseconds);
    // A hundredth of the book at a time, so that the progress moves by the percent; the size
    // of the book is known once the first page is copied.
    int piece = 1;
    int rc = SQLITE_OK;
    for (;;) {
        rc = sqlite3_backup_step(backup, piece);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            if (patience.hasExpired())
                break;
            QThread::msleep(20);
            continue;
        }
        if (rc != SQLITE_OK)
            break;
        const int total = sqlite3_backup_pagecount(backup);
        piece = std::max(1, total / 100);
        if (progress)
            progress((total - sqlite3_backup_remaining(backup)) * 100 / std::max(1, total));
    }
    // Finishing commits the target's transaction when the copy is complete and rolls it
    // back otherwise.
    const int finished = sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE || finished != SQLITE_OK)
        throw DbError(rc == SQLITE_BUSY || rc == SQLITE_LOCKED
                          ? QStringLiteral("账簿正被其他程序占用")
                          : failureText(target));
}

namespace {

QString partOf(const QString& path) {
    return path + QStringLiteral(".part");
}

} // namespace

QString freshNameBeside(const QString& target) {
    return QStringLiteral("%1.%2.new")
        .arg(target)
        .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0'));
}

bool canMakeFile(const QString& path) {
    QFile part(partOf(path));
    part.remove();
    const bool made = part.open(QIODevice::WriteOnly);
    part.remove();
    return made;
}

void writeFile(sqlite3* source, const QString& path, const Progress& progress) {
    if (QFile::exists(path))
        throw DbError(QStringLiteral("文件已存在：") + path);
    const QString part = partOf(path);
    QFile::remove(part);
    sqlite3* target = nullptr;
    const QByteArray file = part.toUtf8();
    try {
        if (sqlite3_open_v2(file.constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK)
            throw DbError(failureText(target));
        // A copy holds the shop's accounts and its users' password hashes, as the book does:
        // the owner's alone before anything is in it, however the folder lets others read.
        QFile::setPermissions(part, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        copy(source, target, progress);
        // The source's header came along, with the mark of a book kept with a log. Through
        // WAL and back, the copy is marked as one file, read anywhere without a log beside it.
        char* error = nullptr;
        if (sqlite3_exec(target, "PRAGMA journal_mode=WAL; PRAGMA journal_mode=DELETE", nullptr,
                         nullptr, &error) != SQLITE_OK) {
            const QString text = failureText(target, error ? error : "");
            sqlite3_free(error);
            throw DbError(text);
        }
        if (sqlite3_close(target) != SQLITE_OK)
            throw DbError(failureText(target));
        target = nullptr;
        if (!QFile::rename(part, path))
            throw DbError(QStringLiteral("无法写入文件：") + path);
    } catch (const DbError&) {
        sqlite3_close_v2(target);
        QFile::remove(part);
        QFile::remove(part + QStringLiteral("-journal"));
        throw;
    }
}

} // namespace bookcopy
