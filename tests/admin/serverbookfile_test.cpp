// Backup and restore of a server book: a dump as one moment, and a restore that replaces the
// book whole or refuses with the book as it was.
#include "admin/serverbookfile.h"
#include "core/connection.h"
#include "core/schema.h"
#include "schema/serverschema.h"
#include "support/booktest.h"
#include "support/serverdb.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ServerBookFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_EQ(schema::createOnServer(book_.conninfo()), "");
        ASSERT_EQ(book_.exec("INSERT INTO Fhouse(houseName) VALUES ('总库');"
                             "INSERT INTO Fproduct(prodBH, prodName) VALUES ('P1', 'Pen');"
                             "INSERT INTO OrderPur(orderID, houseID, compID, optDate, acMoney, "
                             "coMoney) VALUES ('CJ1', 1, 1, '2026-03-15', 125.5, 100);"
                             "INSERT INTO OrderPurD(orderID, prodID, price, pcount, sumMoney) "
                             "VALUES ('CJ1', 1, 12.55, 10, 125.5);"
                             "INSERT INTO FitemBank(optDate, orderCode, orderType, sumMoney, "
                             "itmID) VALUES ('2026-03-15', 'CJ1', '采购进货', -125.5, 1)"),
                  "");
    }

    // Every row of every table of the book, table by table.
    QStringList everything(ServerDb& db) {
        QStringList all;
        for (const QString& table : db.rows("SELECT tablename FROM pg_tables WHERE schemaname = "
                                            "'public' ORDER BY tablename")) {
            QStringList rows = db.rows("SELECT * FROM " + table);
            rows.sort();
            all << table + ": " + rows.join(" / ");
        }
        return all;
    }

    void change() {
        ASSERT_EQ(book_.exec("INSERT INTO Fhouse(houseName) VALUES ('分库');"
                             "DELETE FROM OrderPurD; DELETE FROM OrderPur;"
                             "UPDATE Fproduct SET prodName = 'Ink'"),
                  "");
    }

    QString file(const QString& name) const { return dir_.filePath(name); }

    QString backUp(ServerDb& db, const QString& name) {
        const bookfile::Outcome outcome =
            serverbookfile::backUp(db.conninfo(), file(name), [](int) {});
        EXPECT_TRUE(outcome.done) << outcome.refusal.toStdString();
        return file(name);
    }

    bookfile::Outcome restore(const QString& source) {
        return serverbookfile::restore(book_.conninfo(), source, [](int) {});
    }

    QTemporaryDir dir_;
    ServerDb book_;
};

TEST_F(ServerBookFileTest, ABackupRestoredAfterChangesGivesTheBookAsItWas) {
    const QStringList atBackup = everything(book_);
    const QString name = bookfile::backupName(dir_.path() + u'/', BookTest::kNow);
    int last = -1;
    const bookfile::Outcome written =
        serverbookfile::backUp(book_.conninfo(), name, [&](int p) { last = p; });
    ASSERT_TRUE(written.done) << written.refusal.toStdString();
    EXPECT_EQ(last, 100);
    EXPECT_TRUE(QFile::exists(name));
    EXPECT_FALSE(QFile::exists(name + ".new"));

    change();
    ASSERT_NE(everything(book_), atBackup);
    const bookfile::Outcome restored = restore(name);
    ASSERT_TRUE(restored.done) << restored.refusal.toStdString();
    // Seen on a connection that stayed open throughout.
    EXPECT_EQ(everything(book_), atBackup);
    // The key generators are as they were, and the kept totals move again.
    EXPECT_EQ(book_.scalar("INSERT INTO Fhouse(houseName) VALUES ('又一库') RETURNING houseID"),
              "2");
    ASSERT_EQ(book_.exec("DELETE FROM OrderPurD"), "");
    EXPECT_EQ(book_.scalar("SELECT count(*) FROM VInveHouse"), "0");
}

// A book written into a database of other text rules (as early server books were) moves into a
// new book of the C rules by a backup restored there: every row, and codes still found
// without regard to case.
TEST_F(ServerBookFileTest, ABookOfOtherTextRulesMovesIntoANewBookThroughItsBackup) {
    ServerDb older(QStringLiteral("C.UTF-8"));
    ASSERT_EQ(older.scalar("SELECT datcollate FROM pg_database WHERE datname = current_database()"),
              "C.UTF-8");
    ASSERT_EQ(older.exec(QString::fromStdString(schema::serverSql())), "");
    ASSERT_EQ(older.exec("INSERT INTO Fproduct(prodBH, prodName) VALUES ('p2', '钢笔'), "
                         "('P10', 'Ink')"),
              "");
    const QStringList written = everything(older);

    const bookfile::Outcome restored = restore(backUp(older, "older.backup"));
    ASSERT_TRUE(restored.done) << restored.refusal.toStdString();
    EXPECT_EQ(everything(book_), written);
    EXPECT_EQ(book_.scalar("SELECT datcollate FROM pg_database WHERE datname = current_database()"),
              "C");
    EXPECT_EQ(book_.scalar("SELECT prodName FROM Fproduct WHERE prodBH = 'P2'"), "钢笔");
    EXPECT_EQ(book_.rows("SELECT prodBH FROM Fproduct ORDER BY prodBH"),
              (QStringList{"P10", "p2"}));
}

TEST_F(ServerBookFileTest, AFailedBackupGivesTheReasonAndLeavesTheFileOfThatNameAlone) {
    const QString target = file("old.bak");
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an earlier backup");
    old.close();
    const std::string nowhere = book_.conninfo() + " dbname=vt_no_such_database";
    const bookfile::Outcome outcome = serverbookfile::backUp(nowhere, target, [](int) {});
    EXPECT_FALSE(outcome.done);
    EXPECT_TRUE(outcome.refusal.startsWith("备份失败：")) << outcome.refusal.toStdString();
    EXPECT_TRUE(outcome.refusal.contains("vt_no_such_database")) << outcome.refusal.toStdString();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "an earlier backup");
    EXPECT_FALSE(QFile::exists(target + ".new"));
}

TEST_F(ServerBookFileTest, FilesThatAreNotAWholeServerBookOfThisVersionAreRefusedUnchanged) {
    const QString good = backUp(book_, "good.bak");

    const QString text = file("text.bak");
    QFile t(text);
    ASSERT_TRUE(t.open(QIODevice::WriteOnly));
    t.write("这不是备份\n");
    t.close();

    ServerDb other;
    ASSERT_EQ(other.exec("CREATE TABLE Fhouse(houseID int); CREATE TABLE VeskBook(x int)"), "");
    const QString foreign = backUp(other, "other.bak");

    ServerDb later;
    ASSERT_EQ(schema::createOnServer(later.conninfo()), "");
    ASSERT_EQ(later.exec("UPDATE VeskBook SET version = 99"), "");
    const QString newer = backUp(later, "newer.bak");

    // Its list of contents is whole, the rows break off.
    QFile whole(good);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    const QString truncated = file("truncated.bak");
    QFile cut(truncated);
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() * 9 / 10));
    cut.close();

    change();
    const QStringList before = everything(book_);
    const struct {
        QString file;
        QString says;
    } cases[] = {
        {text, "所选文件不是本程序完好的账簿备份。"},
        {foreign, "所选文件不是本程序完好的账簿备份。"},
        {newer, "所选备份由较新版本的程序建立（账簿版本 99，本程序为 6），请先更新程序。"},
        {truncated, "所选文件不是本程序完好的账簿备份。"},
        {file("missing.bak"), ""},
    };
    for (const auto& c : cases) {
        const bookfile::Outcome outcome = restore(c.file);
        EXPECT_FALSE(outcome.done) << c.file.toStdString();
        EXPECT_TRUE(c.says.isEmpty() ? outcome.refusal.isEmpty()
                                     : outcome.refusal.startsWith(c.says))
            << c.file.toStdString() << ": " << outcome.refusal.toStdString();
        EXPECT_EQ(everything(book_), before) << c.file.toStdString();
    }
}

TEST_F(ServerBookFileTest, ARestoreThatFailsHalfwayLeavesTheWholeBookAsItWas) {
    const QString good = backUp(book_, "good.bak");
    change();
    // Dropping the tables fails at the warehouses, after others have gone.
    ASSERT_EQ(book_.exec("CREATE VIEW houses AS SELECT houseName FROM Fhouse"), "");
    const QStringList before = everything(book_);
    const bookfile::Outcome outcome = restore(good);
    EXPECT_FALSE(outcome.done);
    EXPECT_TRUE(outcome.refusal.startsWith("所选备份未能完整还原（"))
        << outcome.refusal.toStdString();
    EXPECT_EQ(everything(book_), before);
    EXPECT_EQ(book_.scalar("SELECT count(*) FROM houses"), "2");
}

// The backup and restore windows hand the book's connection to bookfile, which knows no more
// than that it is on a server.
TEST_F(ServerBookFileTest, TheWindowsWayThroughTheConnectionReachesTheServersTools) {
    Connection connection = Connection::server(QString::fromStdString(book_.conninfo()));
    ASSERT_TRUE(connection.open()) << connection.lastError().toStdString();
    const QStringList before = everything(book_);
    const bookfile::Outcome saved = bookfile::backUp(connection, file("w.bak"), [](int) {});
    ASSERT_TRUE(saved.done) << saved.refusal.toStdString();
    change();
    const bookfile::Outcome restored = bookfile::restore(connection, file("w.bak"), [](int) {});
    ASSERT_TRUE(restored.done) << restored.refusal.toStdString();
    EXPECT_EQ(everything(book_), before);
}

} // namespace
