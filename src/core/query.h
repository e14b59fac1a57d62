#pragma once

#include "core/engine.h"
#include "core/resultset.h"

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class Connection;
class TQuery;

// One field of a slot's current row, read as text, number or whole number (NULL as "" or 0).
class Field {
public:
    Field(const TQuery& query, int column) : query_(query), column_(column) {}
    QString asText() const;
    double asFloat() const;
    long long asInteger() const;
    bool isNull() const;

private:
    const TQuery& query_;
    int column_;
};

// A named, reusable statement: load → bind… → execute() or open() → read → close().
// Parameter and field names match without regard to case; every parameter must be bound
// before a run; engine errors throw DbError with the engine's text.
class TQuery : public QObject {
    Q_OBJECT
public:
    TQuery(Connection& connection, const QString& name);
    ~TQuery() override;

    // Replaces the statement (and discards the result); its :name markers become the parameters.
    void load(const QString& sql);
    void bind(QStringView name, const QString& text);
    void bind(QStringView name, const char* text) { bind(name, QString::fromUtf8(text)); }
    void bind(QStringView name, double value);
    void bind(QStringView name, long long value);
    void bind(QStringView name, int value) { bind(name, static_cast<long long>(value)); }
    bool hasParameter(QStringView name) const { return parameterIndex(name) >= 0; }

    // Runs an insert, update or delete; returns the rows affected.
    int execute();
    // Keeps the values bound now as one run of the statement, for executeQueued: the rows of a
    // document go to a server together instead of one round trip each.
    void queue();
    // Runs the statement for every run queued since it was loaded or last executed, in order;
    // returns the rows affected in all. A failing run throws, and none after it is made.
    int executeQueued();
    // Runs a select and keeps its rows, the first one current.
    void open();
    void close();

    bool isOpen() const { return open_; }
    // How many results the slot has opened: a window sharing the slot tells by it whether
    // the open result is still the one it opened, with its own bound values.
    unsigned long long openings() const { return openings_; }
    bool eof() const { return !open_ || current_ >= result_.rowCount(); }
    void next();
    void first();
    int recordCount() const { return open_ ? result_.rowCount() : 0; }
    int currentRow() const { return current_; }
    void setCurrentRow(int row);
    // Throws DbError when the open result has no such column.
    Field field(QStringView name) const;
    // The row of the open result, in its order, whose field holds the key; -1 when none does,
    // the result has no such column or the key is empty (no row's key).
    int rowOf(QStringView name, const QString& key) const;
    // Makes that row current; false, the current row left as it was, when there is none.
    bool locate(QStringView name, const QString& key);
    // Orders the open result by "field ASC|DESC" without running the statement again.
    void sort(const QString& ordering);
    // The ordering of the last sort of this result; empty while it is in the statement's order.
    const QString& ordering() const { return ordering_; }

    const QString& sql() const { return sql_; }
    Connection& connection() const { return connection_; }
    const ResultSet& result() const { return result_; }

signals:
    // The rows were replaced, reordered or discarded.
    void resultReset();
    void currentRowChanged(int row);

private:
    int parameterIndex(QStringView name) const;
    SqlValue& parameter(QStringView name);
    Statement& prepared();
    // Every value, once each is bound; throws DbError naming the first unbound parameter.
    const std::vector<SqlValue>& boundValues() const;

    Connection& connection_;
    QString sql_;
    QStringList names_; // of the parameters, without the colon
    std::vector<SqlValue> values_;
    std::vector<std::vector<SqlValue>> queued_;
    std::unique_ptr<Statement> statement_;
    unsigned generation_ = 0;
    ResultSet result_;
    bool open_ = false;
    int current_ = 0;
    unsigned long long openings_ = 0;
    QString ordering_;

    friend class Field;
};
