#include "support/serverdb.h"

#include <QFile>
#include <QUuid>
#include <libpq-fe.h>
#include <stdexcept>

namespace {

std::string clusterConninfo() {
    QFile file(QStringLiteral(VESK_PG_CLUSTER "/conninfo"));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("no PostgreSQL cluster for the tests: start it with "
                                 "scripts/pgcluster.sh start " VESK_PG_CLUSTER);
    return file.readAll().trimmed().toStdString();
}

// Runs a statement on a connection of its own (CREATE and DROP DATABASE cannot run inside
// another's transaction).
void administer(const std::string& conninfo, const std::string& sql) {
    PGconn* c = PQconnectdb(conninfo.c_str());
    std::string error;
    if (PQstatus(c) != CONNECTION_OK) {
        error = PQerrorMessage(c);
    } else {
        PGresult* r = PQexec(c, sql.c_str());
        if (PQresultStatus(r) != PGRES_COMMAND_OK)
            error = PQerrorMessage(c);
        PQclear(r);
    }
    PQfinish(c);
    if (!error.empty())
        throw std::runtime_error(sql + ": " + error);
}

PGresult* query(PGconn* c, const QString& sql) {
    PGresult* r = PQexec(c, sql.toUtf8().constData());
    if (PQresultStatus(r) != PGRES_TUPLES_OK) {
        const std::string error = PQerrorMessage(c);
        PQclear(r);
        throw std::runtime_error(sql.toStdString() + ": " + error);
    }
    return r;
}

} // namespace

ServerDb::ServerDb() : admin_(clusterConninfo()) {
    name_ = "vt_" + QUuid::createUuid().toString(QUuid::Id128).toStdString();
    administer(admin_, "CREATE DATABASE " + name_);
    // The later dbname wins in a libpq connection string.
    conninfo_ = admin_ + " dbname=" + name_;
    connection_ = PQconnectdb(conninfo_.c_str());
    PQsetNoticeProcessor(
        connection_, [](void*, const char*) {}, nullptr);
    if (PQstatus(connection_) != CONNECTION_OK)
        throw std::runtime_error(PQerrorMessage(connection_));
}

ServerDb::~ServerDb() {
    PQfinish(connection_);
    try {
        administer(admin_, "DROP DATABASE IF EXISTS " + name_ + " WITH (FORCE)");
    } catch (const std::exception&) {
        // The cluster goes at the end of the run, and this database with it.
    }
}

QString ServerDb::exec(const QString& sql) {
    PGresult* r = PQexec(connection_, sql.toUtf8().constData());
    const ExecStatusType status = PQresultStatus(r);
    PQclear(r);
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return {};
    return QString::fromUtf8(PQerrorMessage(connection_)).trimmed();
}

QStringList ServerDb::rows(const QString& sql) {
    PGresult* r = query(connection_, sql);
    QStringList rows;
    for (int row = 0; row < PQntuples(r); ++row) {
        QStringList fields;
        for (int field = 0; field < PQnfields(r); ++field)
            fields << (PQgetisnull(r, row, field) ? QStringLiteral("NULL")
                                                  : QString::fromUtf8(PQgetvalue(r, row, field)));
        rows << fields.join(u'|');
    }
    PQclear(r);
    return rows;
}

QStringList ServerDb::columns(const QString& sql) {
    PGresult* r = query(connection_, sql);
    QStringList names;
    for (int field = 0; field < PQnfields(r); ++field)
        names << QString::fromUtf8(PQfname(r, field));
    PQclear(r);
    return names;
}

QString ServerDb::scalar(const QString& sql) {
    const QStringList found = rows(sql);
    return found.isEmpty() ? QString() : found.first().section(u'|', 0, 0);
}
