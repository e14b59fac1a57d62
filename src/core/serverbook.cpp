#include "core/serverbook.h"

#include "core/dberror.h"
#include "core/query.h"
#include "core/schema.h"
#include "core/sysdata.h"

namespace serverbook {

QString refusal(Connection& connection) {
    const QString notOurs =
        QStringLiteral("数据库中不是本程序的账簿（可用 vesk-makedb --server 建立）");
    TQuery q(connection, QStringLiteral("ServerBook"));
    int applicationId = 0;
    int version = 0;
    try {
        q.load(QStringLiteral("SELECT applicationId, version FROM VeskBook"));
        q.open();
        if (q.eof())
            return notOurs;
        applicationId = int(q.field(u"applicationId").asInteger());
        version = int(q.field(u"version").asInteger());
        q.close();
    } catch (const DbError&) {
        return notOurs;
    }
    if (applicationId != schema::kApplicationId)
        return notOurs;
    if (version > schema::kUserVersion)
        return schema::newerVersionRefusal(version);
    if (version < schema::kUserVersion)
        return QStringLiteral("服务器上的账簿版本较旧（账簿版本 %1，本程序为 %2），"
                              "请用建立它的程序版本备份后再移到新版本")
            .arg(version)
            .arg(schema::kUserVersion);
    return QString();
}

QString tryOpen(const QString& conninfo) {
    TsysData probe(TsysData::Server{conninfo});
    return probe.connect() ? QString() : probe.lastError();
}

} // namespace serverbook
