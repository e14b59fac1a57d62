#include "core/sqliteengine.h"

#include "core/bookcopy.h"
#include "core/clock.h"
#include "core/dberror.h"
#include "core/schema.h"
#include "core/sqlitewords.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

#include <sqlite3.h>

namespace {

DbError::Kind kindOf(sqlite3* db) {
    const int code = sqlite3_extended_errcode(db) & 0xff;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED ? DbError::Kind::Conflict
                                                        : DbError::Kind::Failure;
}

[[noreturn]] void engineError(sqlite3* db) {
    throw DbError(failureText(db), kindOf(db));
}

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

// A prepared statement of the file; handed back to the engine for reuse when the slot lets
// go of it, unless the file was closed since (which finalized it).
class SqliteStatement : public Statement {
public:
    SqliteStatement(SqliteEngine& engine, QByteArray sql, sqlite3_stmt* statement)
        : engine_(engine), generation_(engine.generation()), sql_(std::move(sql)),
          statement_(statement) {
        const int count = sqlite3_bind_parameter_count(statement_);
        for (int i = 1; i <= count; ++i) {
            const char* name = sqlite3_bind_parameter_name(statement_, i);
            parameters_ << QString::fromUtf8(name ? name + 1 : "");
        }
    }
    ~SqliteStatement() override {
        if (engine_.isOpen() && engine_.generation() == generation_)
            engine_.putBack(sql_, statement_);
    }
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    const QStringList& parameters() const override { return parameters_; }

    int execute(const std::vector<SqlValue>& values) override {
        bindAll(values);
        sqlite3* db = sqlite3_db_handle(statement_);
        int rc;
        while ((rc = sqlite3_step(statement_)) == SQLITE_ROW) {
        }
        sqlite3_reset(statement_);
        if (rc != SQLITE_DONE)
            engineError(db);
        return sqlite3_changes(db);
    }

    ResultSet query(const std::vector<SqlValue>& values) override {
        bindAll(values);
        try {
            ResultSet result = ResultSet::read(statement_);
            sqlite3_reset(statement_);
            return result;
        } catch (...) {
            sqlite3_reset(statement_);
            throw;
        }
    }

private:
    void bindAll(const std::vector<SqlValue>& values) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const int index = int(i) + 1;
            const SqlValue& v = values[i];
            if (const auto* text = std::get_if<QString>(&v)) {
                const QByteArray utf8 = text->toUtf8();
                sqlite3_bind_text(statement_, index, utf8.constData(), int(utf8.size()),
                                  SQLITE_TRANSIENT);
            } else if (const auto* real = std::get_if<double>(&v)) {
                sqlite3_bind_double(statement_, index, *real);
            } else if (const auto* whole = std::get_if<long long>(&v)) {
                sqlite3_bind_int64(statement_, index, *whole);
            }
        }
    }

    SqliteEngine& engine_;
    unsigned generation_;
    QByteArray sql_;
    sqlite3_stmt* statement_;
    QStringList parameters_;
};

constexpr std::size_t kKeptStatements = 64;

} // namespace

SqliteEngine::~SqliteEngine() {
    close();
}

bool SqliteEngine::open() {
    if (db_)
        return true;
    lastError_ = reasonAgainst(path_);
    if (!lastError_.isEmpty())
        return false;
    sqlite3* db = nullptr;
    const QByteArray file = path_.toUtf8();
    int rc = sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        lastError_ = db ? failureText(db) : QString::fromUtf8(sqlite3_errstr(rc));
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
            lastError_ = schema::newerVersionRefusal(version);
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
            lastError_ = e.text();
        close();
        return false;
    }
    ++generation_;
    return true;
}

void SqliteEngine::upgrade(int version) {
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

void SqliteEngine::close() {
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

bool SqliteEngine::inTransaction() const {
    return db_ && !sqlite3_get_autocommit(db_);
}

void SqliteEngine::run(const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const QString text = failureText(db_, error);
        sqlite3_free(error);
        throw DbError(text, kindOf(db_));
    }
    if (std::strncmp(sql, "BEGIN IMMEDIATE", 15) == 0)
        refuseANewerBook();
}

void SqliteEngine::refuseANewerBook() {
    const int version = schema::versionOf(db_);
    if (version <= schema::kUserVersion)
        return;
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    close();
    lastError_ = schema::newerVersionRefusal(version);
    throw DbError(lastError_);
}

std::unique_ptr<Statement> SqliteEngine::prepare(const QString& sql) {
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* statement = take(text);
    if (!statement) {
        const char* tail = nullptr;
        if (sqlite3_prepare_v3(db_, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                               &statement, &tail) != SQLITE_OK)
            engineError(db_);
        if (!statement)
            throw DbError(QStringLiteral("语句为空"));
        if (tail && QByteArray(tail).trimmed().size() > 0) {
            sqlite3_finalize(statement); // never kept: a second statement would go unnoticed
            throw DbError(QStringLiteral("一次只能执行一条语句"));
        }
    }
    return std::make_unique<SqliteStatement>(*this, text, statement);
}

sqlite3_stmt* SqliteEngine::take(const QByteArray& sql) {
    for (auto it = kept_.rbegin(); it != kept_.rend(); ++it)
        if (it->first == sql) {
            sqlite3_stmt* statement = it->second;
            kept_.erase(std::next(it).base());
            return statement;
        }
    return nullptr;
}

void SqliteEngine::putBack(const QByteArray& sql, sqlite3_stmt* statement) {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    kept_.emplace_back(sql, statement);
    if (kept_.size() > kKeptStatements) {
        sqlite3_finalize(kept_.front().second);
        kept_.erase(kept_.begin());
    }
}
