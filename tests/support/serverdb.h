#pragma once

#include <QString>
#include <QStringList>
#include <string>

typedef struct pg_conn PGconn;

// A database of its own on the tests' private PostgreSQL cluster (started by CTest, or by hand
// with scripts/pgcluster.sh start VESK_PG_CLUSTER), created empty and dropped at the end.
class ServerDb {
public:
    ServerDb();
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
    std::string admin_; // the cluster's own database, for creating and dropping this one
    std::string name_;
    std::string conninfo_;
    PGconn* connection_ = nullptr;
};
