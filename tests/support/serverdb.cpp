#include "support/serverdb.h"

#include <libpq-fe.h>
#include <stdexcept>

namespace {

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

ServerDb::ServerDb(const QString& locale)
    : book_(ServerBook::clusterConninfo(), locale), conninfo_(book_.conninfo().toStdString()) {
    connection_ = PQconnectdb(conninfo_.c_str());
    PQsetNoticeProcessor(
        connection_, [](void*, const char*) {}, nullptr);
    if (PQstatus(connection_) != CONNECTION_OK)
        throw std::runtime_error(PQerrorMessage(connection_));
}

ServerDb::~ServerDb() {
    PQfinish(connection_);
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
