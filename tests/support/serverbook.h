#pragma once

#include <QString>

// A database of its own on the tests' private PostgreSQL cluster, created empty and dropped
// when this goes, so that no two tests share a book. CTest starts the cluster (fixture
// pgcluster); by hand: scripts/pgcluster.sh start <VESK_PG_CLUSTER>.
class ServerBook {
public:
    ServerBook();
    // A database on another cluster, by the connection string of its own database, of the
    // text rules of the locale.
    explicit ServerBook(const QString& cluster, const QString& locale = QStringLiteral("C"));
    ~ServerBook();
    ServerBook(const ServerBook&) = delete;
    ServerBook& operator=(const ServerBook&) = delete;

    // The connection string of this database.
    const QString& conninfo() const { return conninfo_; }
    const QString& name() const { return name_; }

    // The connection string of the cluster's own database, for its administrator.
    static QString clusterConninfo();
    // Runs a statement as the administrator, outside any test's book; throws DbError.
    static void admin(const QString& sql, const QString& cluster = clusterConninfo());

private:
    QString cluster_;
    QString name_;
    QString conninfo_;
};
