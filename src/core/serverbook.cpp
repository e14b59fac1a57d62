#include "core/serverbook.h"

#include "core/connection.h"
#include "core/dberror.h"
#include "core/query.h"
#include "core/schema.h"
#include "schema/upgradesteps.h"

namespace serverbook {

namespace {

struct Header {
    int applicationId = 0;
    int version = 0;
};

Header headerOf(TQuery& q) {
    q.load(QStringLiteral("SELECT applicationId, version FROM VeskBook"));
    q.open();
    Header header;
    if (!q.eof())
        header = {int(q.field(u"applicationId").asInteger()), int(q.field(u"version").asInteger())};
    q.close();
    return header;
}

// The program's other sessions on the book, of the roles this one may end, save those waiting
// for its header: those are newer programs opening it, which find it upgraded once it is
// released. Sessions of other programs (an administrator's, a dump) are left alone.
void cutOffOlderCounters(Connection& connection) {
    const QByteArray sql =
        QByteArray("SELECT count(pg_terminate_backend(a.pid)) FROM pg_stat_activity a WHERE "
                   "a.datname = current_database() AND a.pid <> pg_backend_pid() AND "
                   "a.application_name = '") +
        kSessionName +
        "' AND pg_has_role(a.usesysid, 'MEMBER') AND NOT EXISTS (SELECT 1 FROM pg_locks l "
        "WHERE l.pid = a.pid AND NOT l.granted AND l.relation = 'veskbook'::regclass)";
    connection.run(sql.constData());
}

// Every step from the book's version to this one, and the new version, in one transaction:
// the server takes the tables' new definitions whole or not at all. The book's header is held
// first, so that two counters opening an older book at once upgrade it once: the second waits,
// then finds it done. Returns the version the book had, or throws DbError.
int upgrade(Connection& connection, TQuery& q) {
    connection.run("BEGIN");
    try {
        connection.run("LOCK TABLE VeskBook IN ACCESS EXCLUSIVE MODE");
        const int from = headerOf(q).version;
        if (from < schema::kUserVersion)
            cutOffOlderCounters(connection);
        for (int version = from + 1; version <= schema::kUserVersion; ++version) {
            const std::string step = schema::upgradeStep(schema::Engine::Server, version);
            if (step.empty())
                throw DbError(QStringLiteral("缺少升级到版本 %1 的步骤").arg(version));
            connection.run(step.c_str());
        }
        connection.run(
            QByteArray("UPDATE VeskBook SET version = " + QByteArray::number(schema::kUserVersion))
                .constData());
        connection.run("COMMIT");
        return from;
    } catch (const DbError&) {
        if (connection.inTransaction())
            connection.run("ROLLBACK");
        throw;
    }
}

// Why the database cannot be the book, as it is found or once upgraded; empty when it can.
QString refusalOf(TQuery& q, Header& header) {
    const QString notOurs =
        QStringLiteral("数据库中不是本程序的账簿（可用 vesk-makedb --server 建立）");
    try {
        header = headerOf(q);
    } catch (const DbError&) {
        return notOurs;
    }
    if (header.applicationId != schema::kApplicationId)
        return notOurs;
    if (header.version > schema::kUserVersion)
        return schema::newerVersionRefusal(header.version);
    if (header.version < schema::kOldestServerVersion)
        return QStringLiteral("服务器上的账簿版本 %1 无法升级").arg(header.version);
    return QString();
}

} // namespace

Opening open(Connection& connection) {
    TQuery q(connection, QStringLiteral("ServerBook"));
    Header header;
    if (QString refusal = refusalOf(q, header); !refusal.isEmpty())
        return {refusal};
    if (header.version == schema::kUserVersion)
        return {};
    try {
        const int from = upgrade(connection, q);
        return {QString(), from == schema::kUserVersion ? 0 : from};
    } catch (const DbError& e) {
        return {QStringLiteral("服务器上的账簿无法升级到本程序的版本（账簿版本 %1，本程序为 %2）："
                               "%3（升级未作任何改动）")
                    .arg(header.version)
                    .arg(schema::kUserVersion)
                    .arg(e.text())};
    }
}

// Only looks: a book that the program would upgrade is upgraded when the program starts on it.
QString tryOpen(const QString& conninfo) {
    Connection connection = Connection::server(conninfo);
    if (!connection.open())
        return connection.lastError();
    TQuery q(connection, QStringLiteral("ServerBook"));
    Header header;
    return refusalOf(q, header);
}

} // namespace serverbook
