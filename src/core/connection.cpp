#include "core/connection.h"

#include "core/bookcopy.h"
#include "core/clock.h"
#include "core/dberror.h"
#include "core/schema.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

Connection::~Connection() {
    close();
}

namespace {

// Why a file cannot be opened as the book, before the engine is asked; empty when it can.
QString reasonAgainst(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists())
        return QStringLiteral("找不到账簿文件");
    if (!file.isFile() || !file.isReadable())
        return QStringLiteral("账簿文件无法读取");
    if (!file.isWritable())
        return QStringLiteral("账簿文件是只读的，不能记账");
    // The engine keeps its log and its shared memory beside the book.
    if (!QFileInfo(file.absolutePath()).isWritable())
        return QStringLiteral("账簿所在的文件夹不可写");
    return QString();
}

// A copy of the book as it was before an upgrade, beside it, under a name no other file has.
QString upgradeBackupPath(const QString& path, int version) {
    const QString stem = path + QStringLiteral(".v%1-%2").arg(version).arg(
                                    environment::now().toString(u"yyyyMMddHHmmss"));
    QString candidate = stem + QStringLiteral(".bak");
    for (int n = 2; QFile::exists(candidate); ++n)
        candidate = stem + QStringLiteral("-%1.bak").arg(n);
    return candidate;
}

} // namespace

bool Connection::open() {
    if (db_)
        return true;
    lastError_ = reasonAgainst(path_);
    if (!lastError_.isEmpty())
        return false;
    sqlite3* db = nullptr;
    const QByteArray file = path_.toUtf8();
    int rc = sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        lastError_ = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        return false;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 2000);
    db_ = db;
    try {
        if (schema::applicationIdOf(db_) != schema::kApplicationId) {
            lastError_ = QStringLiteral("不是本程序的账簿文件");
            close();
            return false;
        }
        const int version = schema::versionOf(db_);
        if (version > schema::kUserVersion) {
            lastError_ = QStringLiteral("账簿由较新版本的程序建立（账簿版本 %1，本程序为 %2），"
                                        "请更新程序")
                             .arg(version)
                             .arg(schema::kUserVersion);
            close();
            return false;
        }
        if (version < schema::kOldestVersion) {
            lastError_ = QStringLiteral("账簿版本 %1 无法升级").arg(version);
            close();
            return false;
        }
        // WAL with full sync: a commit survives a crash or a power cut, and closing
        // folds the log back so that the file alone is a complete copy of the book.
        // Waiting for the disk costs a posting about 3 ms (NORMAL: under 1 ms, but the
        // last commits may vanish in a power cut; a rollback journal: about 8 ms).
        run("PRAGMA journal_mode=WAL");
        run("PRAGMA synchronous=FULL");
        // Reading the file through a memory map spares a copy and a system call for every
        // page: lists of a hundred thousand rows come back sooner.
        run("PRAGMA mmap_size=1073741824");
        // Grouping and sorting a month of lines stays in memory instead of a temporary file.
        run("PRAGMA temp_store=MEMORY");
        if (version < schema::kUserVersion)
            upgrade(version);
    } catch (const DbError& e) {
        if (lastError_.isEmpty())
            lastError_ = damaged(e.text());
        close();
        return false;
    }
    ++generation_;
    return true;
}

void Connection::upgrade(int version) {
    const QString backup = upgradeBackupPath(path_, version);
    try {
        bookcopy::writeFile(db_, backup);
    } catch (const DbError& e) {
        lastError_ = QStringLiteral("升级前无法备份账簿（%1）：%2").arg(backup, e.text());
        throw;
    }
    try {
        schema::upgrade(db_);
    } catch (const DbError& e) {
        lastError_ = QStringLiteral("账簿升级失败，账簿未作改动（升级前的备份：%1）：%2")
                         .arg(backup, e.text());
        throw;
    }
    upgradedFrom_ = version;
    upgradeBackup_ = backup;
}

QString Connection::damaged(const QString& engineText) const {
    const int code = db_ ? sqlite3_extended_errcode(db_) & 0xff : SQLITE_OK;
    if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
        return QStringLiteral("账簿文件已损坏或不是数据库文件（%1）").arg(engineText);
    return engineText;
}

void Connection::close() {
    if (!db_)
        return;
    // Finalize every statement so that the file is really closed (and its log folded back);
    // the slots notice the new generation and drop their handles.
    kept_.clear();
    while (sqlite3_stmt* statement = sqlite3_next_stmt(db_, nullptr))
        sqlite3_finalize(statement);
    sqlite3_close_v2(db_);
    db_ = nullptr;
    ++generation_;
}

sqlite3* Connection::handle() {
    if (!db_ && !open())
        throw DbError(QStringLiteral("无法链接到数据库：") + lastError_);
    return db_;
}

void Connection::run(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(handle(), sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = QString::fromUtf8(error ? error : sqlite3_errmsg(db_));
        sqlite3_free(error);
        throw DbError(text);
    }
}

namespace {
constexpr std::size_t kKeptStatements = 64;
}

sqlite3_stmt* Connection::take(const QByteArray& sql) {
    for (auto it = kept_.rbegin(); it != kept_.rend(); ++it)
        if (it->first == sql) {
            sqlite3_stmt* statement = it->second;
            kept_.erase(std::next(it).base());
            return statement;
        }
    return nullptr;
}

void Connection::putBack(const QByteArray& sql, sqlite3_stmt* statement) {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    kept_.emplace_back(sql, statement);
    if (kept_.size() > kKeptStatements) {
        sqlite3_finalize(kept_.front().second);
        kept_.erase(kept_.begin());
    }
}
