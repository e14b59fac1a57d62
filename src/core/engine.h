#pragma once

#include "core/resultset.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <variant>
#include <vector>

// A value bound to a statement's parameter; monostate while it is unbound.
using SqlValue = std::variant<std::monostate, QString, double, long long>;

// One statement made ready by an engine for a slot, run any number of times.
class Statement {
public:
    virtual ~Statement() = default;
    // The names of its parameters without the colon, each once, in the order the values come.
    virtual const QStringList& parameters() const = 0;
    // Runs an insert, update or delete with every value bound; returns the rows affected.
    virtual int execute(const std::vector<SqlValue>& values) = 0;
    // Runs it once for each set of values, in order, as execute would; returns the rows
    // affected in all. The first failure throws, and the runs after it are not made.
    virtual int executeEach(const std::vector<std::vector<SqlValue>>& runs) {
        int rows = 0;
        for (const std::vector<SqlValue>& values : runs)
            rows += execute(values);
        return rows;
    }
    // Runs a select with every value bound and keeps all its rows.
    virtual ResultSet query(const std::vector<SqlValue>& values) = 0;
};

// The database behind a connection: the embedded file or a server. Every failure of a
// statement throws DbError with the engine's text.
class Engine {
public:
    virtual ~Engine() = default;
    // False, with the reason in lastError(), when the book cannot be opened; never throws.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Whether a transaction is open on this connection (false when closed).
    virtual bool inTransaction() const = 0;
    // Runs a statement that takes no parameters and returns nothing (transaction control,
    // settings); only valid while open.
    virtual void run(const char* sql) = 0;
    // Makes a statement ready; only valid while open.
    virtual std::unique_ptr<Statement> prepare(const QString& sql) = 0;

    // Counts openings and closings, so that nothing prepared under an earlier one is reused.
    unsigned generation() const { return generation_; }
    const QString& lastError() const { return lastError_; }

protected:
    unsigned generation_ = 0;
    QString lastError_;
};
