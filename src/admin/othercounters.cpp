#include "admin/othercounters.h"

#include "core/connection.h"
#include "core/query.h"
#include "core/serverbook.h"

int otherCounters(TQuery& q) {
    if (!q.connection().isServer())
        return 0;
    q.load(QStringLiteral("SELECT count(*) AS n FROM pg_stat_activity WHERE datname = "
                          "current_database() AND pid <> pg_backend_pid() AND "
                          "application_name = :name"));
    q.bind(u"name", QString::fromLatin1(serverbook::kSessionName));
    q.open();
    const int others = int(q.field(u"n").asText().toInt());
    q.close();
    return others;
}

QString otherCountersWarning(TQuery& q) {
    const int others = otherCounters(q);
    return others == 0 ? QString()
                       : QStringLiteral("\n另有%1个本程序的连接正在使用此账簿（其他电脑），"
                                        "它们录入的数据也将一并丢失，请先让它们退出。")
                             .arg(others);
}
