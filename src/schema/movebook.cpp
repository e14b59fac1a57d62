#include "schema/movebook.h"

#include "core/bookcopy.h"
#include "core/dberror.h"
#include "core/schema.h"
#include "schema/serverschema.h"
#include "schema/totals.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <libpq-fe.h>
#include <memory>
#include <sqlite3.h>
#include <vector>

namespace bookmove {

namespace {

// Ends the move with the reason; everything written so far is rolled back.
struct Refusal {
    QString text;
};

struct Handle {
    sqlite3* db = nullptr;
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { sqlite3_close_v2(db); }
};

struct Finish {
    void operator()(PGconn* c) const { PQfinish(c); }
};
struct Clear {
    void operator()(PGresult* r) const { PQclear(r); }
};
using Server = std::unique_ptr<PGconn, Finish>;
using Result = std::unique_ptr<PGresult, Clear>;

QString serverError(PGconn* c) {
    return QString::fromUtf8(PQerrorMessage(c)).trimmed();
}

// Runs statements on the server; refuses with what is given and the server's reason.
Result run(PGconn* c, const std::string& sql, const QString& what) {
    Result r(PQexec(c, sql.c_str()));
    const ExecStatusType status = PQresultStatus(r.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw Refusal{what + serverError(c)};
    return r;
}

// A prepared statement of the book file, finalised when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &s_, nullptr) != SQLITE_OK)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(db)));
    }
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool step() {
        const int rc = sqlite3_step(s_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(db_)));
        return rc == SQLITE_ROW;
    }
    sqlite3_stmt* get() const { return s_; }
    std::string text(int column) const {
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s_, column));
        return t ? std::string(t, sqlite3_column_bytes(s_, column)) : std::string();
    }

private:
    sqlite3* db_;
    sqlite3_stmt* s_ = nullptr;
};

std::string firstText(sqlite3* db, const std::string& sql) {
    Statement s(db, sql);
    return s.step() ? s.text(0) : std::string();
}

struct Table {
    std::string name;
    bool withoutRowid = false;
    std::vector<std::string> columns;
    long long rows = 0;
    long long lastKey = 0; // the largest key the book ever gave, also of rows deleted since
};

std::vector<Table> tablesOf(sqlite3* db) {
    std::vector<Table> tables;
    Statement list(db, "SELECT name, wr FROM pragma_table_list WHERE schema = 'main' AND type = "
                       "'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name");
    while (list.step())
        tables.push_back({list.text(0), sqlite3_column_int(list.get(), 1) != 0, {}, 0});
    for (Table& t : tables) {
        Statement columns(db, "SELECT name FROM pragma_table_info('" + t.name + "') ORDER BY cid");
        while (columns.step())
            t.columns.push_back(columns.text(0));
        Statement count(db, "SELECT count(*) FROM \"" + t.name + "\"");
        count.step();
        t.rows = sqlite3_column_int64(count.get(), 0);
        Statement given(db, "SELECT seq FROM sqlite_sequence WHERE name = '" + t.name + "'");
        if (given.step())
            t.lastKey = sqlite3_column_int64(given.get(), 0);
    }
    return tables;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& n : names)
        text += (text.empty() ? "" : ", ") + n;
    return text;
}

// One field in COPY's text format: \N for NULL, the engine's own text for a number (which
// numeric holds exactly), text with its backslashes and line breaks escaped.
void appendField(std::string& out, sqlite3_stmt* row, int column) {
    const int type = sqlite3_column_type(row, column);
    if (type == SQLITE_NULL) {
        out += "\\N";
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
    const int length = sqlite3_column_bytes(row, column);
    if (type != SQLITE_TEXT) {
        out.append(text, length);
        return;
    }
    for (int i = 0; i < length; ++i) {
        switch (const char c = text[i]) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            out += c;
        }
    }
}

class Copier {
public:
    Copier(sqlite3* from, PGconn* to, long long total, const Progress& progress)
        : from_(from), to_(to), total_(total), progress_(progress) {}

    // Every row of the table in the order the book keeps them, so that a document's lines
    // stay in the order they were entered.
    void copy(const Table& t) {
        const std::string columns = joined(t.columns);
        std::string select = "SELECT " + columns + " FROM \"" + t.name + "\"";
        if (!t.withoutRowid)
            select += " ORDER BY rowid";
        Statement rows(from_, select);
        // FREEZE: the table was emptied in this transaction, so no one else can see its rows
        // before the commit, and the server need not visit them again afterwards.
        const std::string sql = "COPY " + t.name + " (" + columns + ") FROM STDIN WITH (FREEZE)";
        if (Result r(PQexec(to_, sql.c_str())); PQresultStatus(r.get()) != PGRES_COPY_IN)
            throw Refusal{QStringLiteral("无法写入表 %1：").arg(QString::fromStdString(t.name)) +
                          serverError(to_)};
        std::string buffer;
        const int width = static_cast<int>(t.columns.size());
        try {
            while (rows.step()) {
                for (int i = 0; i < width; ++i) {
                    if (i > 0)
                        buffer += '\t';
                    appendField(buffer, rows.get(), i);
                }
                buffer += '\n';
                if (buffer.size() >= kChunk)
                    send(buffer);
                advance();
            }
        } catch (const DbError& e) {
            PQputCopyEnd(to_, "the book file could not be read");
            Result(PQgetResult(to_));
            throw;
        }
        send(buffer);
        if (PQputCopyEnd(to_, nullptr) != 1)
            throw Refusal{QStringLiteral("写入服务器失败：") + serverError(to_)};
        bool failed = false;
        while (Result r{PQgetResult(to_)})
            failed = failed || PQresultStatus(r.get()) != PGRES_COMMAND_OK;
        if (failed)
            throw Refusal{
                QStringLiteral("表 %1 的数据未能写入：").arg(QString::fromStdString(t.name)) +
                serverError(to_)};
    }

private:
    static constexpr std::size_t kChunk = 1 << 20;

    void send(std::string& buffer) {
        if (!buffer.empty() &&
            PQputCopyData(to_, buffer.data(), static_cast<int>(buffer.size())) != 1)
            throw Refusal{QStringLiteral("写入服务器失败：") + serverError(to_)};
        buffer.clear();
    }

    void advance() {
        ++copied_;
        if (!progress_ || total_ == 0)
            return;
        const int percent = static_cast<int>(copied_ * 100 / total_);
        if (percent != shown_)
            progress_(shown_ = percent);
    }

    sqlite3* from_;
    PGconn* to_;
    long long total_;
    long long copied_ = 0;
    int shown_ = -1;
    const Progress& progress_;
};

// The indexes and the keys' and unique constraints' indexes of the new book, as statements
// that make them again: built once over all rows they cost a fraction of what each row's
// insertion costs, above all for text that ignores case.
std::vector<std::string> dropIndexes(PGconn* c) {
    const Result found = run(
        c,
        "SELECT 'ALTER TABLE ' || r.relname || ' DROP CONSTRAINT ' || k.conname, 'ALTER TABLE ' "
        "|| r.relname || ' ADD CONSTRAINT ' || k.conname || ' ' || pg_get_constraintdef(k.oid) "
        "FROM pg_constraint k JOIN pg_class r ON r.oid = k.conrelid "
        "JOIN pg_namespace n ON n.oid = r.relnamespace "
        "WHERE n.nspname = current_schema() AND k.contype IN ('p', 'u') "
        "UNION ALL "
        "SELECT 'DROP INDEX ' || i.relname, pg_get_indexdef(i.oid) FROM pg_index x "
        "JOIN pg_class i ON i.oid = x.indexrelid JOIN pg_namespace n ON n.oid = i.relnamespace "
        "WHERE n.nspname = current_schema() "
        "AND NOT EXISTS (SELECT 1 FROM pg_constraint k WHERE k.conindid = x.indexrelid)",
        QStringLiteral("无法读取索引："));
    std::vector<std::string> again;
    for (int i = 0; i < PQntuples(found.get()); ++i) {
        run(c, PQgetvalue(found.get(), i, 0), QStringLiteral("无法暂停索引："));
        again.emplace_back(PQgetvalue(found.get(), i, 1));
    }
    return again;
}

// Rows in which a kept total and the same total computed from scratch differ, counted both
// ways; the totals from scratch are computed once.
std::string totalsDisagreement(const std::string& kept, const std::string& fromScratch) {
    return "WITH kept AS MATERIALIZED (" + kept + "), scratch AS MATERIALIZED (" + fromScratch +
           ") SELECT count(*) FROM ((TABLE kept EXCEPT ALL TABLE scratch) UNION ALL "
           "(TABLE scratch EXCEPT ALL TABLE kept)) d";
}

// Checks the file and opens it for reading, or a staging copy of it upgraded to this version.
// The book file holds a read transaction until it is read, so that it is read as one moment
// even while the program works on it (whose writes wait meanwhile).
void openBook(const QString& path, Handle& book, Handle& staged, const QTemporaryDir& staging) {
    const QString notOurs = QStringLiteral("所选文件不是本程序完好的账簿。");
    if (!QFileInfo(path).isFile())
        throw Refusal{QStringLiteral("找不到账簿文件 %1。").arg(path)};
    // A book in use has its log beside it, which holds its latest commits. Without one the
    // file is the whole book, and it is read as it lies: a reader would otherwise leave a new
    // log beside it that only a writer may remove.
    const bool inUse = QFile::exists(path + QStringLiteral("-wal")) ||
                       QFile::exists(path + QStringLiteral("-shm"));
    const QByteArray name =
        inUse
            ? QFile::encodeName(path)
            : QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toEncoded() + "?immutable=1";
    if (sqlite3_open_v2(name.constData(), &book.db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                        nullptr) != SQLITE_OK)
        throw Refusal{notOurs};
    int version = 0;
    try {
        Statement(book.db, "BEGIN").step();
        firstText(book.db, "SELECT count(*) FROM sqlite_schema");
        // The pages and tables whole; the move reads no index of the file (the server builds
        // its own), so the longer look at every index that integrity_check takes is spared.
        if (schema::applicationIdOf(book.db) != schema::kApplicationId ||
            firstText(book.db, "PRAGMA quick_check") != "ok")
            throw Refusal{notOurs};
        version = schema::versionOf(book.db);
    } catch (const DbError&) {
        throw Refusal{notOurs};
    }
    if (version > schema::kUserVersion)
        throw Refusal{QStringLiteral("该账簿由较新版本的程序建立（账簿版本 %1，本程序为 %2），"
                                     "请先更新程序。")
                          .arg(version)
                          .arg(schema::kUserVersion)};
    if (version < schema::kOldestVersion)
        throw Refusal{QStringLiteral("该账簿的版本 %1 无法升级。").arg(version)};
    sqlite3* read = book.db;
    try {
        if (version < schema::kUserVersion) {
            if (!staging.isValid() ||
                sqlite3_open_v2(QFile::encodeName(staging.filePath("staged.db")).constData(),
                                &staged.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                nullptr) != SQLITE_OK)
                throw Refusal{QStringLiteral("无法建立账簿的临时副本。")};
            bookcopy::copy(book.db, staged.db);
            // The copy is the moment read: the program may write to its book again.
            Statement(book.db, "COMMIT").step();
            schema::upgrade(staged.db);
            read = staged.db;
        }
        const QStringList differences = schema::structureDifferences(read);
        if (!differences.isEmpty())
            throw DbError(differences.join(QStringLiteral("；")));
    } catch (const DbError& e) {
        throw Refusal{QStringLiteral("该账簿的结构与其版本不符（%1）。").arg(e.text())};
    }
}

void move(sqlite3* book, PGconn* server, const Progress& progress) {
    const std::vector<Table> tables = tablesOf(book);
    long long total = 0;
    std::vector<std::string> names;
    for (const Table& t : tables) {
        total += t.rows;
        names.push_back(t.name);
    }
    run(server, "SET client_encoding = 'UTF8'", QStringLiteral("无法设置字符集："));
    run(server, "BEGIN", QStringLiteral("无法开始事务："));
    if (const std::string refused = schema::writeServerBook(server); !refused.empty())
        throw Refusal{QString::fromStdString(refused)};
    // The new book's seed rows give way to the book's own; the kept totals are copied as the
    // book holds them rather than rebuilt row by row, and checked against the documents below.
    run(server, "TRUNCATE " + joined(names), QStringLiteral("无法清空新账簿："));
    for (const std::string& name : names)
        run(server, "ALTER TABLE " + name + " DISABLE TRIGGER USER",
            QStringLiteral("无法暂停触发器："));
    run(server, "SET LOCAL maintenance_work_mem = '256MB'", QStringLiteral("无法设置内存："));
    const std::vector<std::string> indexes = dropIndexes(server);
    Copier copier(book, server, total, progress);
    for (const Table& t : tables)
        copier.copy(t);
    for (const std::string& index : indexes)
        run(server, index, QStringLiteral("无法建立索引："));
    for (const std::string& name : names)
        run(server, "ALTER TABLE " + name + " ENABLE TRIGGER USER",
            QStringLiteral("无法恢复触发器："));
    // A key once given is never given again, also when its row is gone: old documents may still
    // name a deleted product or counterpart.
    const Result keys = run(server,
                            "SELECT table_name, column_name FROM information_schema.columns "
                            "WHERE table_schema = current_schema() AND is_identity = 'YES'",
                            QStringLiteral("无法读取编号列："));
    for (int i = 0; i < PQntuples(keys.get()); ++i) {
        const std::string table = PQgetvalue(keys.get(), i, 0), key = PQgetvalue(keys.get(), i, 1);
        long long lastKey = 0;
        for (const Table& t : tables)
            if (QString::fromStdString(t.name).compare(QString::fromStdString(table),
                                                       Qt::CaseInsensitive) == 0)
                lastKey = t.lastKey;
        run(server,
            "SELECT setval(pg_get_serial_sequence('" + table + "', '" + key + "'), greatest(max(" +
                key + "), " + std::to_string(lastKey) + ", 0) + 1, false) FROM " + table,
            QStringLiteral("无法设置编号："));
    }
    // The totals must be what the server's own triggers would have made of these rows, or
    // voiding a moved document later would leave a remainder behind.
    const std::string stock =
        totalsDisagreement("SELECT houseID, prodID, qty, lines, counted FROM FInveHouse",
                           schema::stockFromDocuments(schema::Engine::Server));
    const std::string balances = totalsDisagreement(
        "SELECT * FROM (" + schema::keptBalances() + ") k WHERE counted > 0 OR amount <> 0",
        "SELECT * FROM (" + schema::balancesFromJournal(schema::Engine::Server) +
            ") b WHERE counted > 0 OR amount <> 0");
    const Result s = run(server, stock, QStringLiteral("无法核对库存合计："));
    const Result b = run(server, balances, QStringLiteral("无法核对账户余额："));
    const QString stockOff = QString::fromUtf8(PQgetvalue(s.get(), 0, 0));
    const QString balanceOff = QString::fromUtf8(PQgetvalue(b.get(), 0, 0));
    if (stockOff != QStringLiteral("0") || balanceOff != QStringLiteral("0"))
        throw Refusal{QStringLiteral("该账簿的分仓库存合计（%1 处）或账户余额（%2 处）与单据不符，"
                                     "请先在本机作“账簿检查”查明原因。")
                          .arg(stockOff, balanceOff)};
    run(server, "ANALYZE", QStringLiteral("无法统计新账簿："));
    run(server, "COMMIT", QStringLiteral("提交失败："));
}

} // namespace

Outcome moveToServer(const QString& bookPath, const std::string& conninfo,
                     const Progress& progress) {
    Outcome outcome;
    try {
        Handle book, staged;
        const QTemporaryDir staging;
        openBook(bookPath, book, staged, staging);
        const Server server(PQconnectdb(conninfo.c_str()));
        if (PQstatus(server.get()) != CONNECTION_OK)
            throw Refusal{QStringLiteral("无法连接到服务器：") + serverError(server.get())};
        PQsetNoticeProcessor(
            server.get(), [](void*, const char*) {}, nullptr);
        move(staged.db ? staged.db : book.db, server.get(), progress);
        outcome.done = true;
    } catch (const Refusal& r) {
        outcome.refusal = r.text;
    } catch (const DbError& e) {
        outcome.refusal = QStringLiteral("读取账簿失败：") + e.text();
    }
    return outcome;
}

} // namespace bookmove
