#include "core/pgengine.h"

#include "core/dberror.h"
#include "core/pgdialect.h"
#include "core/schema.h"
#include "core/serverbook.h"
#include "core/serversetting.h"
#include "late/library.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <libpq-fe.h>
#include <utility>

namespace {

// Type OIDs of the server's built-in types (pg_type.dat).
constexpr Oid kUnknown = 0, kInt8 = 20, kNumeric = 1700;

// Serialization failure and deadlock: the server undid the transaction because of another one.
// Faults of the server rather than of a statement, in the person's words; the server's own
// words (in its language, mostly English) follow for whoever looks into it.
const char* faultInWords(const char* sqlstate) {
    static const std::pair<const char*, const char*> words[] = {
        {"53100", "服务器磁盘空间已满，未能写入"},
        {"53200", "服务器内存不足"},
        {"53300", "服务器的连接数已满，请稍后重试"},
        {"25006", "服务器上的账簿是只读的，不能写入"},
        {"42501", "没有在服务器上读写账簿的权限"},
        {"58030", "服务器读写文件出错，磁盘可能有故障"},
        {"XX001", "服务器上的账簿数据已损坏"},
        {"XX002", "服务器上的账簿索引已损坏"},
        {"40001", "与另一台电脑同时修改了同一数据，请重试"},
        {"40P01", "与另一台电脑同时修改了同一数据，请重试"},
        {"55P03", "账簿正被另一台电脑使用，请稍后重试"},
    };
    for (const auto& [state, said] : words)
        if (sqlstate && qstrcmp(sqlstate, state) == 0)
            return said;
    return nullptr;
}

bool isConflict(const char* sqlstate) {
    return sqlstate && (qstrcmp(sqlstate, "40001") == 0 || qstrcmp(sqlstate, "40P01") == 0);
}

// What a statement kept from before its tables, functions or types were dropped and made anew
// (a restore, by any counter) fails with: the server's internal "cache lookup failed" for an
// object that is gone, or a plan that would now return other columns.
bool failsAKeptPlan(const char* sqlstate) {
    return sqlstate && (qstrcmp(sqlstate, "XX000") == 0 || qstrcmp(sqlstate, "0A000") == 0);
}

QString trimmed(const char* text) {
    return QString::fromUtf8(text ? text : "").trimmed();
}

// Why a connection failed, in one paragraph (libpq breaks its reason into lines indented by
// tabs, which a message box shows ragged). libpq gives the reason only in words, the server's
// part in the server's own language, so whether the server asked for a password is told in the
// program's words before it: that is what reads the same from every server.
QString connectionRefusal(PGconn* conn) {
    if (!conn)
        return QStringLiteral("内存不足");
    const QString reason = trimmed(PQerrorMessage(conn)).simplified();
    if (PQconnectionNeedsPassword(conn))
        return serversetting::kPasswordWanted + reason;
    if (PQconnectionUsedPassword(conn))
        return serversetting::kPasswordNotTaken + reason;
    return reason;
}

void ignoreNotice(void*, const char*) {}

// The text of a number the server reads back as exactly the same double.
QByteArray numericText(double value) {
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value > 0 ? "Infinity" : "-Infinity";
    std::array<char, 32> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
    return QByteArray(buffer.data(), int(end - buffer.data()));
}

// Whether the server reads the text as a number ("12", " -3.5 ", "1e3"); "", "abc" and "1,5"
// it does not.
bool readsAsNumber(const QByteArray& text) {
    const QByteArray t = text.trimmed();
    bool ok = false;
    t.toDouble(&ok);
    return ok && !t.isEmpty() && !t.contains("nan") && !t.contains("NaN") && !t.contains("inf") &&
           !t.contains("Inf");
}

bool isNumberType(Oid type) {
    constexpr Oid kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701;
    return type == kInt2 || type == kInt4 || type == kInt8 || type == kNumeric || type == kFloat4 ||
           type == kFloat8;
}

// Where the statement's first WHERE is (its length when it has none), so that a parameter can
// be told to stand in a condition. A SELECT compares everywhere.
qsizetype conditionsStart(const QByteArray& sql) {
    const QByteArray words = sql.toUpper();
    if (words.trimmed().startsWith("SELECT") || words.trimmed().startsWith("WITH"))
        return 0;
    const qsizetype where = words.indexOf("WHERE");
    return where < 0 ? sql.size() : where;
}

// Where the marker $n first stands ($1 is not the start of $10).
qsizetype firstUse(const QByteArray& sql, int n) {
    const QByteArray marker = "$" + QByteArray::number(n);
    for (qsizetype at = sql.indexOf(marker); at >= 0; at = sql.indexOf(marker, at + 1)) {
        const qsizetype after = at + marker.size();
        if (after >= sql.size() || !std::isdigit(static_cast<unsigned char>(sql[after])))
            return at;
    }
    return sql.size();
}

// Whether a statement only reads, so that running it again changes nothing.
bool onlyReads(const QByteArray& sql) {
    return sql.trimmed().left(6).toUpper() == "SELECT";
}

// The leading words of a statement, upper-cased and single-spaced.
QByteArray command(const char* sql) {
    return QByteArray(sql).simplified().toUpper();
}

// Whether one of the statements of the text (run() takes several at once) creates, changes or
// drops something. A ';' inside a literal only costs making statements ready anew.
bool changesSchema(const QByteArray& sql) {
    for (const QByteArray& statement : sql.split(';')) {
        const QByteArray words = statement.trimmed().left(6).toUpper();
        if (words.startsWith("CREATE") || words.startsWith("ALTER") || words.startsWith("DROP"))
            return true;
    }
    return false;
}

int rowsOf(pg_result* result) {
    const char* rows = PQcmdTuples(result);
    return rows && *rows ? QByteArray(rows).toInt() : 0;
}

// Runs sent before their answers are read: few enough that the answers never fill the
// socket's buffers while the program is still sending (a blocking connection would wait for
// the server, and the server for it).
constexpr std::size_t kMostPipelined = 200;

// Kept statements per session: enough for every statement the program words.
constexpr std::size_t kMostPrepared = 500;

class PgStatement : public Statement {
public:
    PgStatement(PgEngine& engine, pgdialect::Translated text)
        : engine_(engine), text_(std::move(text)) {}

    const QStringList& parameters() const override { return text_.parameters; }

    int execute(const std::vector<SqlValue>& values) override {
        return rowsOf(engine_.exec(text_.sql, values).get());
    }
    int executeEach(const std::vector<std::vector<SqlValue>>& runs) override {
        return engine_.execEach(text_.sql, runs);
    }

    ResultSet query(const std::vector<SqlValue>& values) override {
        return ResultSet::read(engine_.exec(text_.sql, values).get());
    }

private:
    PgEngine& engine_;
    pgdialect::Translated text_;
};

} // namespace

void PgEngine::ResultDeleter::operator()(pg_result* result) const {
    PQclear(result);
}

PgEngine::PgEngine(QString conninfo) : conninfo_(std::move(conninfo)) {}

PgEngine::~PgEngine() {
    close();
}

bool PgEngine::open() {
    if (conn_)
        return true;
    if (const std::string& missing = late::libpq().loadError(); !missing.empty()) {
        lastError_ =
            QStringLiteral("无法载入 PostgreSQL 客户端库：") + QString::fromStdString(missing);
        return false;
    }
    // A server that does not answer gives up after a while instead of hanging the program;
    // the connection string may say otherwise. Texts travel as UTF-8 whatever it says.
    const QByteArray given = serversetting::keyed(conninfo_).toUtf8();
    const std::array<const char*, 5> keys{"connect_timeout", "fallback_application_name", "dbname",
                                          "client_encoding", nullptr};
    const std::array<const char*, 5> values{"10", serverbook::kSessionName, given.constData(),
                                            "UTF8", nullptr};
    PGconn* conn = PQconnectdbParams(keys.data(), values.data(), 1);
    if (!conn || PQstatus(conn) != CONNECTION_OK) {
        lastError_ = QStringLiteral("无法连接到服务器：") + connectionRefusal(conn);
        PQfinish(conn);
        return false;
    }
    PQsetNoticeProcessor(conn, ignoreNotice, nullptr);
    conn_ = conn;
    try {
        // Dates come back as the embedded book writes them: yyyy-MM-dd.
        simple("SET datestyle TO ISO, YMD");
    } catch (const DbError& e) {
        lastError_ = QStringLiteral("无法连接到服务器：") + e.text();
        close();
        return false;
    }
    // Connecting again (after the server restarted), a counter may find the book upgraded
    // meanwhile by a newer program, whose tables its statements may no longer fit.
    if (generation_ > 0) {
        const int version = bookVersion();
        if (version > schema::kUserVersion) {
            lastError_ = schema::newerVersionRefusal(version);
            close();
            return false;
        }
    }
    lastError_.clear();
    ++generation_;
    return true;
}

int PgEngine::bookVersion() {
    const Result answer(PQexec(conn_, "SELECT version FROM VeskBook"));
    return PQresultStatus(answer.get()) == PGRES_TUPLES_OK && PQntuples(answer.get()) == 1
               ? std::atoi(PQgetvalue(answer.get(), 0, 0))
               : 0;
}

void PgEngine::close() {
    if (!conn_)
        return;
    PQfinish(conn_);
    conn_ = nullptr;
    savepoints_.clear();
    prepared_.clear();
    ++generation_;
}

PgEngine::Result PgEngine::checked(pg_result* raw) {
    Result result(raw);
    const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return result;
    QString text;
    DbError::Kind kind = DbError::Kind::Failure;
    lastFailureStale_ = false;
    if (status == PGRES_EMPTY_QUERY) {
        text = QStringLiteral("语句为空");
    } else if (result && PQresultErrorField(result.get(), PG_DIAG_MESSAGE_PRIMARY)) {
        text = trimmed(PQresultErrorField(result.get(), PG_DIAG_MESSAGE_PRIMARY));
        if (const char* detail = PQresultErrorField(result.get(), PG_DIAG_MESSAGE_DETAIL))
            text += u'\n' + trimmed(detail);
        const char* sqlstate = PQresultErrorField(result.get(), PG_DIAG_SQLSTATE);
        if (const char* said = faultInWords(sqlstate))
            text = QStringLiteral("%1（%2）").arg(QString::fromUtf8(said), text);
        if (isConflict(sqlstate))
            kind = DbError::Kind::Conflict;
        lastFailureStale_ = failsAKeptPlan(sqlstate);
    } else {
        text = trimmed(PQerrorMessage(conn_));
    }
    if (PQstatus(conn_) != CONNECTION_OK) {
        // The server is gone (restarted, or this session ended): whatever the transaction
        // held is rolled back there, and the next statement connects again. What libpq says
        // of it (in English) tells the person nothing more.
        text = QStringLiteral("与服务器的连接已中断，请检查服务器和网络后重试");
        close();
        kind = DbError::Kind::ConnectionLost; // whether a commit got through is not known
    }
    throw DbError(text, kind);
}

PgEngine::Result PgEngine::simple(const QByteArray& sql) {
    return checked(PQexec(conn_, sql.constData()));
}

PgEngine::Bound PgEngine::bound(const QByteArray& sql, const std::vector<SqlValue>& values) {
    const std::size_t n = values.size();
    Bound b{std::vector<QByteArray>(n), std::vector<const char*>(n), std::vector<Oid>(n, kUnknown),
            sql};
    for (std::size_t i = 0; i < n; ++i) {
        // Texts go untyped, so that the server reads them as the column's type (citext,
        // date, numeric, integer) as the embedded engine converts them.
        if (const auto* text = std::get_if<QString>(&values[i])) {
            b.texts[i] = text->toUtf8();
        } else if (const auto* real = std::get_if<double>(&values[i])) {
            b.texts[i] = numericText(*real);
            b.types[i] = kNumeric;
        } else if (const auto* whole = std::get_if<long long>(&values[i])) {
            b.texts[i] = QByteArray::number(*whole);
            b.types[i] = kInt8;
        }
        b.pointers[i] = b.texts[i].constData();
    }
    b.key.append('\0').append(reinterpret_cast<const char*>(b.types.data()),
                              qsizetype(b.types.size() * sizeof(Oid)));
    return b;
}

PgEngine::Prepared& PgEngine::readied(const QByteArray& sql, const std::vector<SqlValue>& values,
                                      Bound& b, bool kept) {
    try {
        Prepared& statement = prepared(b.key, sql, b.types);
        nullForNonNumbers(sql, values, statement, b.pointers);
        return statement;
    } catch (const DbError& e) {
        prepared_.erase(b.key);
        throw asKeptPlanFailure(e, kept);
    }
}

DbError PgEngine::asKeptPlanFailure(const DbError& e, bool kept) {
    if (!kept || !lastFailureStale_)
        return e;
    // Every statement kept is as old as this one: all are made ready anew, and the work runs
    // again as after another counter's conflict, unseen by the person.
    forgetPrepared();
    return DbError(e.text(), DbError::Kind::Conflict);
}

PgEngine::Result PgEngine::exec(const QByteArray& sql, const std::vector<SqlValue>& values) {
    // A session found gone (the server restarted, or ended it while the program stood idle) is
    // no news for a read outside a transaction: it lost nothing, and is made again once on a
    // new session instead of troubling the person.
    const bool outside = !inTransaction();
    const bool again = outside && onlyReads(sql);
    try {
        return execOnce(sql, values);
    } catch (const DbError& e) {
        // A statement of its own kept from before a restore did nothing when it failed: it is
        // run once more, made anew like every other.
        const bool keptPlan = outside && e.conflict() && lastFailureStale_;
        if (!keptPlan && (!again || !e.connectionLost() || !open()))
            throw;
    }
    return execOnce(sql, values);
}

PgEngine::Result PgEngine::execOnce(const QByteArray& sql, const std::vector<SqlValue>& values) {
    if (!conn_)
        throw DbError(QStringLiteral("与服务器的连接已中断"), DbError::Kind::ConnectionLost);
    Bound b = bound(sql, values);
    const bool kept = prepared_.count(b.key) > 0;
    const Prepared& statement = readied(sql, values, b, kept);
    try {
        Result result =
            checked(PQexecPrepared(conn_, statement.name.constData(), int(values.size()),
                                   b.pointers.data(), nullptr, nullptr, 0));
        if (changesSchema(sql))
            forgetPrepared();
        return result;
    } catch (const DbError& e) {
        // Made ready again next time: the failure may be a plan that no longer fits its tables.
        prepared_.erase(b.key);
        throw asKeptPlanFailure(e, kept);
    }
}

int PgEngine::execEach(const QByteArray& sql, const std::vector<std::vector<SqlValue>>& runs) {
    if (runs.size() < 2 || changesSchema(sql)) {
        int rows = 0;
        for (const std::vector<SqlValue>& values : runs)
            rows += rowsOf(exec(sql, values).get());
        return rows;
    }
    if (!conn_)
        throw DbError(QStringLiteral("与服务器的连接已中断"), DbError::Kind::ConnectionLost);
    // Made ready (and described) one at a time first: a pipeline carries only the runs.
    std::vector<Bound> bounds;
    std::vector<QByteArray> names;
    for (const std::vector<SqlValue>& values : runs)
        bounds.push_back(bound(sql, values));
    const bool kept = std::any_of(bounds.begin(), bounds.end(),
                                  [this](const Bound& b) { return prepared_.count(b.key) > 0; });
    for (std::size_t i = 0; i < runs.size(); ++i)
        names.push_back(readied(sql, runs[i], bounds[i], kept).name);
    try {
        int rows = 0;
        for (std::size_t first = 0; first < runs.size(); first += kMostPipelined) {
            const std::size_t end = std::min(runs.size(), first + kMostPipelined);
            if (!PQenterPipelineMode(conn_))
                checked(nullptr);
            std::size_t sent = first;
            while (sent < end &&
                   PQsendQueryPrepared(conn_, names[sent].constData(), int(runs[sent].size()),
                                       bounds[sent].pointers.data(), nullptr, nullptr, 0))
                ++sent;
            PQpipelineSync(conn_);
            rows += pipelineAnswers(sent - first);
            if (sent < end)
                checked(nullptr); // a run could not be sent: the connection broke
        }
        return rows;
    } catch (const DbError& e) {
        // Made ready again next time, as after a single run's failure.
        for (const Bound& b : bounds)
            prepared_.erase(b.key);
        throw asKeptPlanFailure(e, kept);
    }
}

int PgEngine::pipelineAnswers(std::size_t runs) {
    int rows = 0;
    Result failure;
    std::size_t answered = 0;
    for (; answered < runs; ++answered) {
        Result answer(PQgetResult(conn_));
        if (!answer)
            break; // the connection broke
        const ExecStatusType status = PQresultStatus(answer.get());
        if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
            rows += rowsOf(answer.get());
        else if (!failure && status != PGRES_PIPELINE_ABORTED)
            failure = std::move(answer);
        PQclear(PQgetResult(conn_)); // the null that ends each statement's answers
    }
    // The sync's own answer; out of pipeline mode only once everything was read.
    while (PQstatus(conn_) == CONNECTION_OK) {
        Result answer(PQgetResult(conn_));
        if (!answer || PQresultStatus(answer.get()) == PGRES_PIPELINE_SYNC)
            break;
    }
    const bool left = PQexitPipelineMode(conn_);
    if (failure)
        checked(failure.release());
    if (answered < runs || !left)
        checked(nullptr);
    return rows;
}

PgEngine::Prepared& PgEngine::prepared(const QByteArray& key, const QByteArray& sql,
                                       const std::vector<Oid>& sent) {
    if (const auto found = prepared_.find(key); found != prepared_.end())
        return found->second;
    // Statements whose text carries its values would be kept without end.
    if (prepared_.size() >= kMostPrepared)
        forgetPrepared();
    const QByteArray name = "vesk" + QByteArray::number(++preparedNames_);
    checked(PQprepare(conn_, name.constData(), sql.constData(), int(sent.size()), sent.data()));
    return prepared_.emplace(key, Prepared{name, false, {}}).first->second;
}

// Kept plans of tables that were changed or dropped could return other columns than their
// statements were made ready for: after a change of the schema all are made ready anew.
void PgEngine::forgetPrepared() {
    if (conn_ && PQtransactionStatus(conn_) != PQTRANS_INERROR)
        PQclear(PQexec(conn_, "DEALLOCATE ALL"));
    prepared_.clear();
}

// The embedded engine compares a number column with a text that is no number ("" or "abc", a
// key the person never chose) as unequal and finds nothing; the server refuses to read such a
// text as a number at all. In a condition it becomes NULL, which finds nothing too; where it
// would be stored it goes as it is, and the server refuses it as the embedded book does.
void PgEngine::nullForNonNumbers(const QByteArray& sql, const std::vector<SqlValue>& values,
                                 Prepared& statement, std::vector<const char*>& pointers) {
    std::vector<std::size_t> suspects;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (std::holds_alternative<QString>(values[i]) && !readsAsNumber(pointers[i]))
            suspects.push_back(i);
    if (suspects.empty())
        return;
    const std::vector<Oid>& inferred = parameterTypes(statement);
    const qsizetype conditions = conditionsStart(sql);
    for (const std::size_t i : suspects)
        if (i < inferred.size() && isNumberType(inferred[i]) &&
            firstUse(sql, int(i) + 1) >= conditions)
            pointers[i] = nullptr;
}

// The types the server gave the statement's parameters, asked once.
const std::vector<Oid>& PgEngine::parameterTypes(Prepared& statement) {
    if (!statement.described) {
        const Result description = checked(PQdescribePrepared(conn_, statement.name.constData()));
        for (int i = 0; i < PQnparams(description.get()); ++i)
            statement.types.push_back(PQparamtype(description.get(), i));
        statement.described = true;
    }
    return statement.types;
}

bool PgEngine::inTransaction() const {
    return conn_ && PQtransactionStatus(conn_) != PQTRANS_IDLE;
}

void PgEngine::run(const char* sql) {
    const QByteArray words = command(sql);
    if (words.startsWith("PRAGMA"))
        return;
    if (words.startsWith("BEGIN IMMEDIATE") || words.startsWith("BEGIN DEFERRED") ||
        words.startsWith("BEGIN EXCLUSIVE")) {
        begin("BEGIN");
        return;
    }
    if (words.startsWith("BEGIN")) {
        begin(sql);
        return;
    }
    if (words.startsWith("SAVEPOINT")) {
        const bool begins = PQtransactionStatus(conn_) == PQTRANS_IDLE;
        if (begins)
            begin("BEGIN");
        try {
            simple(sql);
        } catch (const DbError&) {
            if (begins && conn_)
                PQclear(PQexec(conn_, "ROLLBACK"));
            throw;
        }
        savepoints_.push_back(begins);
        return;
    }
    if (words.startsWith("RELEASE")) {
        simple(sql);
        const bool began = !savepoints_.empty() && savepoints_.back();
        if (!savepoints_.empty())
            savepoints_.pop_back();
        if (began)
            simple("COMMIT");
        return;
    }
    if (words.startsWith("COMMIT") || words.startsWith("END") ||
        (words.startsWith("ROLLBACK") && !words.startsWith("ROLLBACK TO")))
        savepoints_.clear();
    simple(sql);
    if (changesSchema(sql))
        forgetPrepared();
}

void PgEngine::begin(const QByteArray& sql) {
    // Nothing of the transaction has run yet: on a session found gone it begins on a new one.
    try {
        simple(sql);
        return;
    } catch (const DbError& e) {
        if (!e.connectionLost() || !open())
            throw;
    }
    simple(sql);
}

std::unique_ptr<Statement> PgEngine::prepare(const QString& sql) {
    return std::make_unique<PgStatement>(*this, pgdialect::translate(sql));
}
