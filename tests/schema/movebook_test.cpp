// Moving an embedded book onto a server: every row with its keys, the kept totals and the views
// equal afterwards, and every refusal leaves both the file and the database as they were.
#include "core/connection.h"
#include "core/schema.h"
#include "core/sysdata.h"
#include "documents/bookscheck.h"
#include "schema/movebook.h"
#include "schema/serverschema.h"
#include "support/booktest.h"
#include "support/postedbook.h"
#include "twobooks.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <sqlite3.h>

namespace {

QByteArray digest(const QString& file) {
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QString relationsOn(ServerDb& server) {
    return server.scalar("SELECT count(*) FROM pg_class c JOIN pg_namespace n ON n.oid = "
                         "c.relnamespace WHERE c.relkind IN ('r', 'v') AND n.nspname = 'public'");
}

// Every row of every table and every view of the book file, against the same on the server.
QStringList differencesBetween(const QString& file, ServerDb& server) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    QStringList names;
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT name FROM sqlite_schema WHERE type IN ('table', 'view') AND name "
                       "NOT LIKE 'sqlite\\_%' ESCAPE '\\'",
                       -1, &s, nullptr);
    while (sqlite3_step(s) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
    sqlite3_finalize(s);
    QStringList differences;
    for (const QString& name : names) {
        const QString sql = QStringLiteral("SELECT * FROM ") + name;
        if (embeddedRowsOf(db, sql) != serverRowsOf(server, sql))
            differences << name;
    }
    sqlite3_close(db);
    if (names.size() < 30)
        differences << QStringLiteral("only %1 tables and views compared").arg(names.size());
    return differences;
}

class MoveBookTest : public PostedBook<BookTest> {
protected:
    QString book() const { return directory() + TsysData::fileName(); }

    // A book with documents of every kind, a voided one, money entries, a settlement and texts
    // that COPY must escape.
    void fill() {
        post(TradeKindId::Purchase, "CJ1", {{pen, "12.5", "4"}, {ink, "3", "10"}}, "20");
        post(TradeKindId::Purchase, "CJ2", {{pen, "0.1", "0.3"}}, "0");
        post(TradeKindId::Sale, "XS1", {{pen, "19.99", "3"}}, "50");
        post(TradeKindId::SaleReturn, "XT1", {{pen, "19.99", "1"}}, "0");
        post(TradeKindId::PurchaseReturn, "CT1", {{ink, "3", "2"}}, "6");
        const long long store = addHouse("Second 仓");
        exec(QStringLiteral("INSERT INTO OrderDB(orderID, houseOut, empName, houseIn, optDate) "
                            "VALUES ('DB1', %1, '张三', %2, '2026-03-15');"
                            "INSERT INTO OrderDBD(orderID, prodID, price, pcount, sumMoney, remark)"
                            " VALUES ('DB1', %3, 3, 4, 12, 'tab\there\\and\\\\back\r\nline');"
                            "INSERT INTO OrderBsBy(orderID, houseID, empName, orderType, optDate) "
                            "VALUES ('BS1', %1, '李四', '报损', '2026-03-15');"
                            "INSERT INTO OrderBsByD(orderID, prodID, price, pcount, sumMoney) "
                            "VALUES ('BS1', %3, 3, 1, 3);"
                            "INSERT INTO FitemBank(optDate, orderCode, orderType, sumMoney, itmID, "
                            "remark) VALUES ('2026-03-15', '', '现金收入', 100.25, 1, NULL);"
                            "INSERT INTO FSettle(compTable, compID, sumMoney) "
                            "VALUES ('Fsupplier', %4, 5);")
                 .arg(house)
                 .arg(store)
                 .arg(ink)
                 .arg(supplier));
        // A house added and deleted: the key counter is past keys no row holds any more.
        exec("INSERT INTO Fhouse(houseName) VALUES ('gone'); DELETE FROM Fhouse WHERE houseName = "
             "'gone'");
    }

    ServerDb server;
};

TEST_F(MoveBookTest, EveryRowViewAndKeptTotalArrivesAndTheServerGoesOnFromThere) {
    fill();
    const QByteArray before = digest(book());
    int lastPercent = -1;
    const bookmove::Outcome outcome =
        bookmove::moveToServer(book(), server.conninfo(), [&](int p) { lastPercent = p; });
    ASSERT_TRUE(outcome.done) << outcome.refusal.toStdString();
    EXPECT_EQ(lastPercent, 100);
    EXPECT_EQ(digest(book()), before) << "the book file was written";
    EXPECT_EQ(differencesBetween(book(), server), QStringList());
    EXPECT_EQ(server.scalar("SELECT remark FROM OrderDBD"), "tab\there\\and\\\\back\r\nline");
    EXPECT_EQ(server.scalar("SELECT version FROM VeskBook"), QString::number(schema::kUserVersion));

    // A new row takes the key after the largest ever given, as on the embedded book.
    const QString next = QString::number(
        scalar("SELECT seq FROM sqlite_sequence WHERE name = 'Fhouse'").toLongLong() + 1);
    EXPECT_EQ(server.scalar("INSERT INTO Fhouse(houseName) VALUES ('新库') RETURNING houseID"),
              next);
    // The triggers work again: voiding a moved purchase takes exactly its lines back.
    ASSERT_EQ(server.exec("DELETE FROM OrderPurD WHERE orderID = 'CJ2'; DELETE FROM OrderPur "
                          "WHERE orderID = 'CJ2'"),
              "");
    exec("DELETE FROM OrderPurD WHERE orderID = 'CJ2'; DELETE FROM OrderPur WHERE orderID = 'CJ2'");
    EXPECT_EQ(serverRowsOf(server, "SELECT * FROM VInveHouse"),
              embeddedRowsOf(data_->myCon.handle(), "SELECT * FROM VInveHouse"));
    ASSERT_EQ(server.exec("INSERT INTO FitemBank(optDate, sumMoney, itmID) VALUES ('2026-03-16', "
                          "-0.25, 1)"),
              "");
    EXPECT_EQ(server.scalar("SELECT je FROM VitemBank WHERE itmID = 1").toDouble(),
              number("SELECT je FROM VitemBank WHERE itmID = 1") - 0.25);
}

// Every difference of the books check, one line each, in a fixed order.
QStringList differencesFound(Connection& connection) {
    QStringList lines;
    for (const BooksDifference& d : checkBooks(connection))
        lines << d.text();
    lines.sort();
    return lines;
}

// The books check reads a server book with the server's own exact sums, and finds there
// exactly what it finds in the embedded book.
TEST_F(MoveBookTest, TheBooksCheckAgreesOnBothSidesAndFindsTheSameFaults) {
    fill();
    ASSERT_TRUE(bookmove::moveToServer(book(), server.conninfo()).done);
    Connection onServer = Connection::server(QString::fromStdString(server.conninfo()));
    ASSERT_TRUE(onServer.open()) << onServer.lastError().toStdString();
    // The loss and the settlement written above without their procedures already disagree.
    const QStringList written = differencesFound(data_->myCon);
    EXPECT_EQ(written.size(), 2) << written.join(u'\n').toStdString();
    EXPECT_EQ(differencesFound(onServer), written);

    const QString faults =
        QStringLiteral("UPDATE Fproduct SET sumCount = sumCount + 0.5 WHERE prodID = %1;"
                       "UPDATE Fsupplier SET exchMoney = exchMoney - 0.01 WHERE compID = %2;"
                       "DELETE FROM FitemBank WHERE orderCode = 'XS1';"
                       "UPDATE FitemBank SET sumMoney = sumMoney + 1 WHERE orderCode = 'CJ1';"
                       "INSERT INTO FitemBank(optDate, orderCode, orderType, sumMoney, itmID) "
                       "VALUES ('2026-03-15', 'CJ9', '采购进货', -1, 1)")
            .arg(pen)
            .arg(supplier);
    exec(faults);
    ASSERT_EQ(server.exec(faults), "");
    const QStringList embedded = differencesFound(data_->myCon);
    EXPECT_EQ(embedded.size(), 6) << embedded.join(u'\n').toStdString();
    EXPECT_EQ(differencesFound(onServer), embedded);
}

TEST_F(MoveBookTest, ASecondMoveIntoTheSameDatabaseIsRefusedAndChangesNothing) {
    fill();
    ASSERT_TRUE(bookmove::moveToServer(book(), server.conninfo()).done);
    exec("INSERT INTO Fhouse(houseName) VALUES ('后来')");
    const QStringList houses = server.rows("SELECT * FROM Fhouse ORDER BY houseID");

    const bookmove::Outcome again = bookmove::moveToServer(book(), server.conninfo());
    EXPECT_FALSE(again.done);
    EXPECT_TRUE(again.refusal.contains("空数据库")) << again.refusal.toStdString();
    EXPECT_EQ(server.rows("SELECT * FROM Fhouse ORDER BY houseID"), houses);
}

TEST_F(MoveBookTest, FilesThatAreNotAnIntactBookOfThisVersionOrOlderAreRefused) {
    fill();
    const QString text = directory() + "notes.db";
    QFile notes(text);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("这不是账簿\n");
    notes.close();
    const QString newer = directory() + "newer.db";
    ASSERT_TRUE(QFile::copy(book(), newer));
    sqlite3* db = nullptr;
    sqlite3_open(newer.toUtf8().constData(), &db);
    sqlite3_exec(db, "PRAGMA user_version = 99", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const QString foreign = directory() + "foreign.db";
    sqlite3_open(foreign.toUtf8().constData(), &db);
    sqlite3_exec(db, "CREATE TABLE Fhouse(houseID INTEGER PRIMARY KEY)", nullptr, nullptr, nullptr);
    sqlite3_close(db);

    const struct {
        QString file;
        QString says;
    } cases[] = {
        {text, "不是本程序完好的账簿"},
        {foreign, "不是本程序完好的账簿"},
        {directory() + "missing.db", "找不到账簿文件"},
        {newer, "较新版本的程序建立（账簿版本 99，本程序为 6）"},
    };
    for (const auto& c : cases) {
        const QByteArray before = QFile::exists(c.file) ? digest(c.file) : QByteArray();
        const bookmove::Outcome outcome = bookmove::moveToServer(c.file, server.conninfo());
        EXPECT_FALSE(outcome.done) << c.file.toStdString();
        EXPECT_TRUE(outcome.refusal.contains(c.says)) << outcome.refusal.toStdString();
        EXPECT_EQ(relationsOn(server), "0") << c.file.toStdString();
        if (!before.isEmpty()) {
            EXPECT_EQ(digest(c.file), before) << c.file.toStdString();
        }
    }
}

TEST_F(MoveBookTest, KeptTotalsThatDisagreeWithTheDocumentsAreRefused) {
    fill();
    const QString oneRow =
        "WHERE (houseID, prodID) = (SELECT houseID, prodID FROM FInveHouse LIMIT 1)";
    exec("UPDATE FInveHouse SET qty = qty + 1 " + oneRow);
    const bookmove::Outcome outcome = bookmove::moveToServer(book(), server.conninfo());
    EXPECT_FALSE(outcome.done);
    EXPECT_TRUE(outcome.refusal.contains("分仓库存合计（2 处）")) << outcome.refusal.toStdString();
    EXPECT_TRUE(outcome.refusal.contains("账簿检查")) << outcome.refusal.toStdString();
    EXPECT_EQ(relationsOn(server), "0");

    ServerDb other;
    exec("UPDATE FInveHouse SET qty = qty - 1 " + oneRow +
         "; UPDATE FitemBalance SET amount = amount + 10000");
    const bookmove::Outcome balances = bookmove::moveToServer(book(), other.conninfo());
    EXPECT_TRUE(balances.refusal.contains("账户余额（2 处）")) << balances.refusal.toStdString();
}

TEST_F(MoveBookTest, ABookOfAnEarlierVersionIsUpgradedOnTheWayAndTheFileStaysAsItWas) {
    const QString old = directory() + "old.db";
    ASSERT_TRUE(QFile::copy(VESK_FIXTURES "/kestdata-v2.db", old));
    QFile::setPermissions(old, QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray before = digest(old);
    const bookmove::Outcome outcome = bookmove::moveToServer(old, server.conninfo());
    ASSERT_TRUE(outcome.done) << outcome.refusal.toStdString();
    EXPECT_EQ(digest(old), before);
    EXPECT_FALSE(QFile::exists(old + "-wal"));
    EXPECT_FALSE(QFile::exists(old + "-shm"));

    // The same book upgraded where it lies is what the server holds.
    sqlite3* db = nullptr;
    sqlite3_open(old.toUtf8().constData(), &db);
    schema::upgrade(db);
    sqlite3_close(db);
    EXPECT_EQ(differencesBetween(old, server), QStringList());
    EXPECT_NE(server.scalar("SELECT count(*) FROM FSettle"), "0");
}

TEST_F(MoveBookTest, VeskMakedbMovesABookAsAPersonRunsIt) {
    fill();
    QProcess run;
    run.start(VESK_MAKEDB,
              {"--server", QString::fromStdString(server.conninfo()), "--from", book()});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    EXPECT_EQ(server.scalar("SELECT count(*) FROM OrderPur"), "2");

    run.start(VESK_MAKEDB,
              {"--server", QString::fromStdString(server.conninfo()), "--from", book()});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(run.readAllStandardError()).contains("未作任何改动"));

    run.start(VESK_MAKEDB,
              {"--server", QString::fromStdString(server.conninfo()), "--into", book()});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 2);
}

} // namespace
