// A server book of an earlier version, as a shop kept it, opened by this program: upgraded in
// one transaction, once however many counters open it at once, or left as it was.
#include "admin/bookfile.h"
#include "admin/serverbookfile.h"
#include "core/connection.h"
#include "core/dberror.h"
#include "core/schema.h"
#include "core/serverbook.h"
#include "core/sysdata.h"
#include "schema/serverschema.h"
#include "support/booksagree.h"
#include "support/serverdb.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <chrono>
#include <future>
#include <gtest/gtest.h>

namespace {

QString keptDump(int version) {
    return QStringLiteral(VESK_FIXTURES "/kestdata-v%1.server.bak").arg(version);
}

// Everything the server knows of a book's definition, one line per column, constraint, index,
// view, trigger and function: two books of one version list the same.
QStringList structureOf(ServerDb& db) {
    QStringList all;
    for (const char* sql : {
             "SELECT 'column ' || table_name || '.' || column_name || ' ' || data_type || ' ' || "
             "is_nullable || ' ' || coalesce(column_default, '') || ' ' || is_identity FROM "
             "information_schema.columns WHERE table_schema = 'public'",
             "SELECT 'constraint ' || conrelid::regclass || ' ' || conname || ' ' || "
             "pg_get_constraintdef(oid) FROM pg_constraint WHERE connamespace = "
             "'public'::regnamespace",
             "SELECT 'index ' || indexname || ' ' || indexdef FROM pg_indexes WHERE schemaname = "
             "'public'",
             "SELECT 'view ' || viewname || ' ' || definition FROM pg_views WHERE schemaname = "
             "'public'",
             "SELECT 'trigger ' || tgname || ' ' || pg_get_triggerdef(oid) FROM pg_trigger WHERE "
             "NOT tgisinternal",
             "SELECT 'function ' || proname || ' ' || md5(prosrc) FROM pg_proc WHERE "
             "pronamespace = 'public'::regnamespace",
         })
        all << db.rows(QString::fromLatin1(sql));
    all.sort();
    return all;
}

// What the book holds of a shop's business, table by table, and every account's balance.
QStringList businessOf(ServerDb& db) {
    QStringList all;
    for (const char* table :
         {"OrderPur", "OrderPurD", "OrderSale", "OrderSaleD", "OrderDB", "OrderBsBy", "FitemBank",
          "Fproduct", "FInveHouse", "Fsupplier", "Fcustomer", "FSettle", "VitemBank"}) {
        QStringList rows = db.rows(QStringLiteral("SELECT * FROM %1").arg(table));
        rows.sort();
        all << QString::fromLatin1(table) + QStringLiteral(": ") + rows.join(QStringLiteral(" / "));
    }
    return all;
}

class ServerUpgrade : public ::testing::Test {
protected:
    void SetUp() override { restoreKept(3); }

    QString conninfo() const { return QString::fromStdString(book_.conninfo()); }
    // The kept book of the version as the book, in place of what it held.
    void restoreKept(int version) {
        const bookfile::Outcome restored =
            serverbookfile::restore(book_.conninfo(), keptDump(version), [](int) {});
        ASSERT_TRUE(restored.done) << restored.refusal.toStdString();
        ASSERT_EQ(book_.scalar("SELECT version FROM VeskBook"), QString::number(version));
    }
    void expectUpgradedKeepingEverything(int version);

    // Sessions of the book waiting for a lock, until there are this many.
    void awaitWaiting(int sessions) {
        const QDeadlineTimer failsafe(30000);
        while (book_
                   .scalar("SELECT count(*) FROM pg_stat_activity WHERE datname = "
                           "current_database() AND wait_event_type = 'Lock'")
                   .toInt() < sessions) {
            ASSERT_FALSE(failsafe.hasExpired()) << "no " << sessions << " sessions ever waited";
            QThread::msleep(20);
        }
    }

    ServerDb book_;
};

// Opening the kept book upgrades it to a book of this version, structure and all, keeping
// every document and balance; opened again, nothing more is done.
void ServerUpgrade::expectUpgradedKeepingEverything(int version) {
    const QStringList before = businessOf(book_);
    TsysData data(TsysData::Server{conninfo()});
    ASSERT_TRUE(data.connect()) << data.lastError().toStdString();
    EXPECT_EQ(data.upgradedFrom(), version);
    EXPECT_EQ(book_.scalar("SELECT version FROM VeskBook"), QString::number(schema::kUserVersion));
    EXPECT_EQ(businessOf(book_), before);
    expectBooksAgree(data.myCon);

    ServerDb fresh;
    ASSERT_EQ(schema::createOnServer(fresh.conninfo()), "");
    EXPECT_EQ(structureOf(book_), structureOf(fresh));

    TsysData again(TsysData::Server{conninfo()});
    ASSERT_TRUE(again.connect());
    EXPECT_EQ(again.upgradedFrom(), 0);
}

TEST_F(ServerUpgrade, TheKeptBookOfVersionThreeBecomesABookOfThisVersionKeepingEveryDocument) {
    expectUpgradedKeepingEverything(3);
}

TEST_F(ServerUpgrade, TheKeptBookOfVersionFourBecomesABookOfThisVersionKeepingEveryBalance) {
    restoreKept(4);
    expectUpgradedKeepingEverything(4);
}

TEST_F(ServerUpgrade, TheKeptBookOfVersionFiveBecomesABookOfThisVersion) {
    restoreKept(5);
    expectUpgradedKeepingEverything(5);
}

// Two counters start at once while an administrator's session holds a product: the first
// upgrades once it is let go, the second waits for the first and then finds the book upgraded.
TEST_F(ServerUpgrade, CountersOpeningTheOlderBookAtOnceUpgradeItOnce) {
    Connection administrator = Connection::server(conninfo() + " application_name=psql");
    ASSERT_TRUE(administrator.open());
    administrator.run("BEGIN");
    administrator.run("UPDATE Fproduct SET sumCount = sumCount WHERE prodID = 1");

    auto opening = [this] {
        TsysData data(TsysData::Server{conninfo()});
        const bool opened = data.connect();
        return std::pair{opened ? data.upgradedFrom() : -1, data.lastError()};
    };
    auto first = std::async(std::launch::async, opening);
    awaitWaiting(1);
    auto second = std::async(std::launch::async, opening);
    awaitWaiting(2);
    administrator.run("COMMIT");

    const auto [firstFrom, firstError] = first.get();
    const auto [secondFrom, secondError] = second.get();
    EXPECT_EQ(firstFrom, 3) << firstError.toStdString();
    EXPECT_EQ(secondFrom, 0) << secondError.toStdString();
    EXPECT_EQ(book_.scalar("SELECT count(*) FROM pg_indexes WHERE indexname = 'ixproductcode'"),
              "1");
}

// A counter of the older program still at work on the book is cut off by the upgrade, what it
// was writing rolled back: its statements may no longer fit the tables (connecting again it is
// refused the newer book). Sessions of other programs are left alone.
TEST_F(ServerUpgrade, TheUpgradeCutsOffTheOlderProgramsCountersRollingBackTheirWrites) {
    const QString stock = QStringLiteral("SELECT sum(sumCount) FROM Fproduct");
    const QString before = book_.scalar(stock);
    Connection counter = Connection::server(conninfo());
    ASSERT_TRUE(counter.open());
    counter.run("BEGIN");
    counter.run("UPDATE Fproduct SET sumCount = sumCount + 5");
    Connection administrator = Connection::server(conninfo() + " application_name=psql");
    ASSERT_TRUE(administrator.open());
    administrator.run("SELECT 1");

    auto upgrading = std::async(std::launch::async, [this] {
        TsysData data(TsysData::Server{conninfo()});
        const bool opened = data.connect();
        return std::pair{opened ? data.upgradedFrom() : -1, data.lastError()};
    });
    if (upgrading.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
        counter.run("ROLLBACK");
        FAIL() << "the upgrade waited for the older program's counter";
    }
    const auto [from, error] = upgrading.get();
    EXPECT_EQ(from, 3) << error.toStdString();
    EXPECT_THROW(counter.run("COMMIT"), DbError);
    EXPECT_EQ(book_.scalar(stock), before);
    EXPECT_NO_THROW(administrator.run("SELECT 1"));
    EXPECT_EQ(book_.scalar("SELECT version FROM VeskBook"), QString::number(schema::kUserVersion));
}

TEST_F(ServerUpgrade, AnUpgradeThatFailsLeavesTheBookAsItWasAndSaysWhy) {
    // The name of what the next version adds already taken: its step fails.
    ASSERT_EQ(book_.exec("CREATE INDEX ixProductCode ON Fhouse(houseName)"), "");
    const QStringList before = structureOf(book_) + businessOf(book_);
    TsysData data(TsysData::Server{conninfo()});
    EXPECT_FALSE(data.connect());
    EXPECT_TRUE(data.lastError().startsWith(
        QStringLiteral("服务器上的账簿无法升级到本程序的版本（账簿版本 3，本程序为 %1）")
            .arg(schema::kUserVersion)))
        << data.lastError().toStdString();
    EXPECT_TRUE(data.lastError().endsWith(QStringLiteral("（升级未作任何改动）")));
    EXPECT_FALSE(data.myCon.isOpen());
    EXPECT_EQ(structureOf(book_) + businessOf(book_), before);
    EXPECT_EQ(book_.scalar("SELECT version FROM VeskBook"), "3");
}

// The restore window's way: a backup of the earlier version replaces the book and is upgraded
// on the connection the windows go on with.
TEST_F(ServerUpgrade, ABackupOfTheEarlierVersionIsRestoredAndUpgraded) {
    const QStringList kept = businessOf(book_);
    ServerDb other;
    ASSERT_EQ(schema::createOnServer(other.conninfo()), "");
    TsysData data(TsysData::Server{QString::fromStdString(other.conninfo())});
    ASSERT_TRUE(data.connect());
    const bookfile::Outcome restored = bookfile::restore(data.myCon, keptDump(3), [](int) {});
    ASSERT_TRUE(restored.done) << restored.refusal.toStdString();
    EXPECT_EQ(other.scalar("SELECT version FROM VeskBook"), QString::number(schema::kUserVersion));
    EXPECT_EQ(businessOf(other), kept);
    expectBooksAgree(data.myCon);
}

// Restored, a backup whose upgrade then fails has replaced the book all the same: the outcome
// says so, and the window does not add that the book is unchanged.
TEST_F(ServerUpgrade, ABackupRestoredWhoseUpgradeFailsSaysTheBookWasReplaced) {
    // The name of what the next version adds already taken: its step fails.
    ASSERT_EQ(book_.exec("CREATE INDEX ixProductCode ON Fhouse(houseName)"), "");
    const QString backup = QDir(QDir::tempPath())
                               .filePath(QStringLiteral("vesk-upgrade-fails-%1.backup")
                                             .arg(QCoreApplication::applicationPid()));
    ASSERT_TRUE(serverbookfile::backUp(book_.conninfo(), backup, [](int) {}).done);
    ServerDb other;
    ASSERT_EQ(schema::createOnServer(other.conninfo()), "");
    TsysData data(TsysData::Server{QString::fromStdString(other.conninfo())});
    ASSERT_TRUE(data.connect());
    const bookfile::Outcome restored = bookfile::restore(data.myCon, backup, [](int) {});
    QFile::remove(backup);
    EXPECT_FALSE(restored.done);
    EXPECT_TRUE(restored.bookReplaced);
    EXPECT_TRUE(restored.refusal.startsWith(QStringLiteral("备份已还原，但服务器上的账簿无法升级")))
        << restored.refusal.toStdString();
    EXPECT_EQ(other.scalar("SELECT version FROM VeskBook"), "3");
}

// 测试连接 in the server settings only looks: the book is upgraded when the program starts on it.
TEST_F(ServerUpgrade, TestingTheSettingOnTheOlderBookFindsItUsableAndChangesNothing) {
    const QStringList before = structureOf(book_);
    EXPECT_EQ(serverbook::tryOpen(conninfo()), QString());
    EXPECT_EQ(book_.scalar("SELECT version FROM VeskBook"), "3");
    EXPECT_EQ(structureOf(book_), before);
}

TEST_F(ServerUpgrade, ABookOlderThanTheFirstServerBookIsRefusedUntouched) {
    ASSERT_EQ(book_.exec("UPDATE VeskBook SET version = 2"), "");
    const QStringList before = structureOf(book_);
    TsysData data(TsysData::Server{conninfo()});
    EXPECT_FALSE(data.connect());
    EXPECT_EQ(data.lastError(), QStringLiteral("服务器上的账簿版本 2 无法升级"));
    EXPECT_EQ(structureOf(book_), before);
}

} // namespace
