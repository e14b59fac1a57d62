#pragma once

#include "core/engine.h"

#include <QByteArray>
#include <map>
#include <memory>
#include <vector>

class DbError;
struct pg_conn;
struct pg_result;

// A book on a PostgreSQL server, reached through libpq. A lost connection fails the statement
// that found it lost and closes; the next statement connects again.
class PgEngine : public Engine {
public:
    explicit PgEngine(QString conninfo);
    ~PgEngine() override;

    bool open() override;
    void close() override;
    bool isOpen() const override { return conn_ != nullptr; }
    bool inTransaction() const override;
    // Absorbs the embedded engine's own statements: PRAGMA is ignored, BEGIN IMMEDIATE is
    // BEGIN (a BEGIN of the server's own form goes as it is), and a SAVEPOINT outside a transaction
    // begins one that its RELEASE commits, as the embedded engine does.
    void run(const char* sql) override;
    std::unique_ptr<Statement> prepare(const QString& sql) override;

    struct ResultDeleter {
        void operator()(pg_result* result) const;
    };
    using Result = std::unique_ptr<pg_result, ResultDeleter>;
    // Runs a translated statement with its values as parameters; throws DbError. A read
    // outside a transaction that finds the session gone is made again on a new session.
    Result exec(const QByteArray& sql, const std::vector<SqlValue>& values);
    // Runs it once for each set of values, all sent before any answer is read (libpq's
    // pipeline mode); returns the rows affected in all. Throws DbError for the first failure,
    // after which the server skipped the rest.
    int execEach(const QByteArray& sql, const std::vector<std::vector<SqlValue>>& runs);

private:
    // The book's version on the open session; 0 when the database holds no book.
    int bookVersion();
    // A statement the server keeps for this session under a name, made ready the first time
    // its text runs with values of these types, so that later runs are only bound and run; and
    // the types the server gave its parameters, asked only when a value needs them.
    struct Prepared {
        QByteArray name;
        bool described = false;
        std::vector<unsigned> types;
    };

    // A statement's values as the server takes them, and its statement made ready for them.
    struct Bound {
        std::vector<QByteArray> texts;
        std::vector<const char*> pointers;
        std::vector<unsigned> types;
        QByteArray key; // the text and the types: what it is kept under
    };
    static Bound bound(const QByteArray& sql, const std::vector<SqlValue>& values);
    // kept: whether the statement was made ready earlier in the session.
    Prepared& readied(const QByteArray& sql, const std::vector<SqlValue>& values, Bound& b,
                      bool kept);
    // The failure of a statement; one that a kept statement meets once what it was made ready
    // for was dropped and made anew is a conflict, after which every statement is made anew.
    DbError asKeptPlanFailure(const DbError& e, bool kept);
    // Reads the answers of a pipeline of `runs` statements and its sync, leaves pipeline mode
    // and returns the rows affected, or throws what the first failure was.
    int pipelineAnswers(std::size_t runs);

    Result execOnce(const QByteArray& sql, const std::vector<SqlValue>& values);
    // Begins a transaction, on a new session when the session is found gone.
    void begin(const QByteArray& sql);
    Result simple(const QByteArray& sql);
    Result checked(pg_result* result);
    Prepared& prepared(const QByteArray& key, const QByteArray& sql,
                       const std::vector<unsigned>& sent);
    void forgetPrepared();
    void nullForNonNumbers(const QByteArray& sql, const std::vector<SqlValue>& values,
                           Prepared& statement, std::vector<const char*>& pointers);
    const std::vector<unsigned>& parameterTypes(Prepared& statement);

    QString conninfo_;
    pg_conn* conn_ = nullptr;
    // One entry per open savepoint: whether it began the transaction.
    std::vector<bool> savepoints_;
    // By text and types of the values sent (libpq's Oid is an unsigned int).
    std::map<QByteArray, Prepared> prepared_;
    unsigned preparedNames_ = 0;    // never reused in a session: a forgotten name may still be kept
    bool lastFailureStale_ = false; // the last failure is one a kept plan meets (failsAKeptPlan)
};
