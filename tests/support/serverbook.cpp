#include "support/serverbook.h"

#include "core/connection.h"
#include "core/dberror.h"

#include <QFile>
#include <QUuid>

QString ServerBook::clusterConninfo() {
    QFile file(QStringLiteral(VESK_PG_CLUSTER "/conninfo"));
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral(
            "测试用的数据库服务器没有启动（scripts/pgcluster.sh start " VESK_PG_CLUSTER "）"));
    return QString::fromUtf8(file.readAll()).trimmed();
}

void ServerBook::admin(const QString& sql, const QString& cluster) {
    Connection connection = Connection::server(cluster);
    connection.run(sql.toUtf8().constData());
}

ServerBook::ServerBook() : ServerBook(clusterConninfo()) {}

ServerBook::ServerBook(const QString& cluster, const QString& locale)
    : cluster_(cluster), name_(QStringLiteral("vt_") + QUuid::createUuid().toString(QUuid::Id128)) {
    admin(QStringLiteral("CREATE DATABASE %1 LOCALE '%2' ENCODING 'UTF8' TEMPLATE template0")
              .arg(name_, locale),
          cluster_);
    conninfo_ = cluster_ + QStringLiteral(" dbname=") + name_;
}

ServerBook::~ServerBook() {
    try {
        admin(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name_), cluster_);
    } catch (const DbError&) {
        // The cluster stopped first; it goes with its folder.
    }
}
