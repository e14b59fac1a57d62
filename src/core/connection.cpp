#include "core/connection.h"

#include "core/dberror.h"
#include "core/schema.h"

#include <sqlite3.h>

Connection::~Connection() {
    close();
}

bool Connection::open() {
    if (db_)
        return true;
    sqlite3* db = nullptr;
    const QByteArray file = path_.toUtf8();
    int rc = sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(db, 2000);
        db_ = db;
        try {
            if (!schema::isOurs(*this)) {
                lastError_ = QStringLiteral("不是本程序的数据库文件");
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
        } catch (const DbError& e) {
            lastError_ = e.text();
            close();
            return false;
        }
        ++generation_;
        return true;
    }
    lastError_ = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_close_v2(db);
    return false;
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
