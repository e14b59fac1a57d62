#include "core/query.h"
#include "core/schema.h"
#include "core/serverbook.h"
#include "core/sysdata.h"
#include "schema/serverschema.h"
#include "support/serverbook.h"

#include <gtest/gtest.h>

// A server's database is the book only when it holds a book of this program of a version it
// opens.
TEST(ServerBookOpen, AcceptsABookOfThisVersionAndRefusesAnythingElseWithItsReason) {
    ServerBook empty;
    EXPECT_TRUE(serverbook::tryOpen(empty.conninfo()).contains(QStringLiteral("不是本程序的账簿")));

    ServerBook book;
    ASSERT_EQ(schema::createOnServer(book.conninfo().toStdString()), "");
    EXPECT_EQ(serverbook::tryOpen(book.conninfo()), QString());

    TsysData data(TsysData::Server{book.conninfo()});
    ASSERT_TRUE(data.connect()) << data.lastError().toStdString();
    TQuery& q = data.QueryCommon;
    q.load(QStringLiteral("SELECT UserName FROM Users WHERE UserName = :name"));
    q.bind(u"name", QStringLiteral("管理员"));
    q.open();
    EXPECT_FALSE(q.eof());
    q.close();

    for (const auto& [version, reason] :
         {std::pair{schema::kUserVersion + 1, QStringLiteral("较新版本")},
          std::pair{schema::kOldestServerVersion - 1, QStringLiteral("无法升级")}}) {
        Connection admin = Connection::server(book.conninfo());
        admin.run(
            QStringLiteral("UPDATE VeskBook SET version = %1").arg(version).toUtf8().constData());
        TsysData refused(TsysData::Server{book.conninfo()});
        EXPECT_FALSE(refused.connect());
        EXPECT_TRUE(refused.lastError().contains(reason)) << refused.lastError().toStdString();
        EXPECT_FALSE(refused.myCon.isOpen());
    }

    EXPECT_TRUE(serverbook::tryOpen(QStringLiteral("host=/nonexistent-folder dbname=x"))
                    .contains(QStringLiteral("无法连接到服务器")));
}
