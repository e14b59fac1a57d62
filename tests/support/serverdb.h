#pragma once

#include "support/serverbook.h"

#include <QString>
#include <QStringList>
#include <string>

typedef struct pg_conn PGconn;

// A database of its own (a ServerBook) with a plain libpq connection to it, for tests that
// talk to the server without the data module.
class ServerDb {
public:
    ServerDb() : ServerDb(QStringLiteral("C")) {}
    // Of the text rules of the locale.
    explicit ServerDb(const QString& locale);
    ~ServerDb();
    ServerDb(const ServerDb&) = delete;
    ServerDb& operator=(const ServerDb&) = delete;

    // The connection string of this database, for a program that connects itself.
    const std::string& conninfo() const { return conninfo_; }

    // Runs one or more statements; the server's error text, or "" when they all ran.
    QString exec(const QString& sql);
    // The rows of a query, each as its fields joined by '|' (NULL as "NULL"); throws on error.
    QStringList rows(const QString& sql);
    // The query's column names in order.
    QStringList columns(const QString& sql);
    QString scalar(const QString& sql);

private:
    ServerBook book_;
    std::string conninfo_;
    PGconn* connection_ = nullptr;
};
