#include "core/dberror.h"
#include "core/schema.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "support/booktest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class DataModule : public BookTest {
protected:
    TQuery& q() { return sysData->QueryCommon; }
    void addHouses() {
        for (const char* name : {"北库", "南库", "东库"})
            addHouse(QString::fromUtf8(name));
    }
};

// Every slot holds a statement and a result of its own, all open at once on the one book.
TEST_F(DataModule, HasTheTwentyTwoNamedSlots) {
    TQuery* const queries[] = {
        &sysData->QueryCommon,      &sysData->QueryHouse,    &sysData->QueryField,
        &sysData->QueryCate,        &sysData->QueryProduct,  &sysData->QuerySupplier,
        &sysData->QueryCustomer,    &sysData->QueryEmployee, &sysData->QueryHouseIn,
        &sysData->QueryYsYf,        &sysData->QueryBankItm,  &sysData->QueryBank,
        &sysData->QueryRe,          &sysData->QueryAsset,    &sysData->QueryAssCate,
        &sysData->QueryKestData,    &sysData->QueryPD,       &sysData->QueryPDMX,
        &sysData->QueryP1,          &sysData->QueryP2,       &sysData->QueryOrder,
        &sysData->QueryOrderDetails};
    // The same statement in each slot, each bound to a warehouse of its own.
    QStringList names;
    for (TQuery* slot : queries) {
        names << QStringLiteral("库%1").arg(names.size());
        slot->load("SELECT houseName FROM Fhouse WHERE houseID=:houseID");
        slot->bind(u"houseID", QString::number(addHouse(names.last())));
        slot->open();
    }
    // Loading one slot again discards its result alone.
    sysData->QueryP1.load("SELECT 1");
    for (int i = 0; i < names.size(); ++i) {
        const std::string name = queries[i]->objectName().toStdString();
        if (queries[i] == &sysData->QueryP1) {
            EXPECT_FALSE(queries[i]->isOpen()) << name;
            continue;
        }
        ASSERT_EQ(queries[i]->recordCount(), 1) << name;
        EXPECT_EQ(queries[i]->field(u"houseName").asText(), names[i]) << name;
    }
}

TEST_F(DataModule, ParametersAreMatchedWithoutRegardToCase) {
    addHouses();
    q().load("SELECT houseName FROM Fhouse WHERE houseID=:houseID");
    q().bind(u"houseId", QStringLiteral("2"));
    q().open();
    EXPECT_EQ(q().recordCount(), 1);
    EXPECT_EQ(q().field(u"HOUSENAME").asText(), "南库");
}

TEST_F(DataModule, AnUnboundParameterIsAnErrorNotANull) {
    q().load("INSERT INTO Fhouse(houseName,remark) VALUES(:houseName,:remark)");
    q().bind(u"houseName", QStringLiteral("北库"));
    EXPECT_THROW(q().execute(), DbError);
    EXPECT_EQ(count("Fhouse"), 0);
    EXPECT_THROW(q().bind(u"nosuch", QStringLiteral("x")), DbError);
}

TEST_F(DataModule, ExecuteReturnsTheRowsAffected) {
    addHouses();
    q().load("UPDATE Fhouse SET remark=:remark WHERE houseID>:houseID");
    q().bind(u"remark", QStringLiteral("r"));
    q().bind(u"houseID", QStringLiteral("1"));
    EXPECT_EQ(q().execute(), 2);
    // One text, run again with its parameters bound anew.
    q().bind(u"remark", QStringLiteral("s"));
    q().bind(u"houseID", QStringLiteral("9"));
    EXPECT_EQ(q().execute(), 0);
}

TEST_F(DataModule, OpenWalksTheRowsWithEofNextAndFirst) {
    addHouses();
    q().load("SELECT houseID, houseName FROM Fhouse ORDER BY houseID");
    q().open();
    EXPECT_EQ(q().recordCount(), 3);
    QStringList seen;
    for (; !q().eof(); q().next())
        seen << q().field(u"houseName").asText();
    EXPECT_EQ(seen, QStringList({"北库", "南库", "东库"}));
    q().first();
    EXPECT_FALSE(q().eof());
    EXPECT_EQ(q().field(u"houseID").asInteger(), 1);

    q().load("SELECT * FROM Fhouse WHERE houseID=-1");
    q().open();
    EXPECT_TRUE(q().eof());
    EXPECT_EQ(q().recordCount(), 0);
}

TEST_F(DataModule, NullReadsAsEmptyTextOrZero) {
    exec("INSERT INTO Fhouse(houseName) VALUES('x')");
    q().load("SELECT remark, (SELECT SUM(sumMoney) FROM FitemBank) AS total FROM Fhouse");
    q().open();
    EXPECT_EQ(q().field(u"remark").asText(), "");
    EXPECT_TRUE(q().field(u"remark").isNull());
    EXPECT_EQ(q().field(u"total").asFloat(), 0.0);
    EXPECT_EQ(q().field(u"total").asInteger(), 0);
    EXPECT_THROW(q().field(u"missing"), DbError);
}

TEST_F(DataModule, SortReordersTheOpenResultWithoutRunningAgain) {
    addHouses();
    exec("UPDATE Fhouse SET remark = CASE houseID WHEN 1 THEN 'b' WHEN 2 THEN 'C' ELSE 'a' END");
    q().load("SELECT houseID, remark FROM Fhouse");
    q().open();
    exec("DELETE FROM Fhouse"); // the result is already read
    q().sort("remark DESC");
    EXPECT_EQ(q().field(u"houseID").asInteger(), 2);
    q().sort("houseID ASC");
    EXPECT_EQ(q().field(u"houseID").asInteger(), 1);
    q().sort("remark");
    QStringList order;
    for (; !q().eof(); q().next())
        order << q().field(u"remark").asText();
    EXPECT_EQ(order, QStringList({"a", "b", "C"}));
}

TEST_F(DataModule, NumbersSortAsNumbers) {
    for (const char* price : {"10", "9.5", "100", "-1"})
        addProduct("p", 1, QString::fromLatin1(price));
    q().load("SELECT inprice FROM Fproduct");
    q().open();
    q().sort("inprice DESC");
    QStringList order;
    for (; !q().eof(); q().next())
        order << q().field(u"inprice").asText();
    EXPECT_EQ(order, QStringList({"100", "10", "9.5", "-1"}));
}

TEST_F(DataModule, LikeAndEqualsIgnoreLatinCase) {
    for (const char* name : {"xaby", "AB1", "cd"})
        addHouse(QString::fromLatin1(name));
    q().load("SELECT houseName FROM Fhouse WHERE houseName LIKE :key");
    q().bind(u"key", QStringLiteral("%ab%"));
    q().open();
    EXPECT_EQ(q().recordCount(), 2);
    q().load("SELECT houseName FROM Fhouse WHERE houseName=:name");
    q().bind(u"name", QStringLiteral("CD"));
    q().open();
    EXPECT_EQ(q().recordCount(), 1);
}

TEST_F(DataModule, ADateRangeIncludesBothEnds) {
    exec("INSERT INTO FitemBank(optDate,sumMoney,itmID) VALUES('2026-03-14',1,1),"
         "('2026-03-15',2,1),('2026-03-16',4,1)");
    q().load("SELECT SUM(sumMoney) AS s FROM FitemBank WHERE optDate>=:d1 AND optDate<=:d2");
    q().bind(u"d1", QStringLiteral("2026-03-15"));
    q().bind(u"d2", QStringLiteral("2026-03-15"));
    q().open();
    EXPECT_EQ(q().field(u"s").asFloat(), 2.0);
    q().bind(u"d1", QStringLiteral("2026-03-14"));
    q().bind(u"d2", QStringLiteral("2026-03-16"));
    q().open();
    EXPECT_EQ(q().field(u"s").asFloat(), 7.0);
}

TEST_F(DataModule, AClosedConnectionReopensOnTheNextStatement) {
    addHouses();
    q().load("SELECT COUNT(*) AS n FROM Fhouse");
    sysData->myCon.close();
    EXPECT_FALSE(sysData->myCon.isOpen());
    q().open(); // the statement of the earlier opening is prepared anew
    EXPECT_EQ(q().field(u"n").asInteger(), 3);
    EXPECT_TRUE(sysData->myCon.isOpen());
}

TEST_F(DataModule, ClosingFoldsTheLogBackIntoTheFile) {
    addHouses();
    const QFileInfo log(directory() + "kestdata.db-wal");
    ASSERT_TRUE(log.exists()) << "the book keeps no log";
    EXPECT_GT(log.size(), 0);
    sysData->myCon.close();
    EXPECT_FALSE(QFile::exists(log.filePath()));
    EXPECT_EQ(count("Fhouse"), 3); // opened again: the houses are in the file itself
}

TEST_F(DataModule, OpensOnlyAnExistingBookOfOurs) {
    TsysData missing(directory() + "nowhere/");
    EXPECT_FALSE(missing.connect());
    QFile foreign(directory() + "other/kestdata.db");
    QDir().mkpath(directory() + "other");
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("not a database at all, just some text that is long enough to be a header");
    foreign.close();
    TsysData notOurs(directory() + "other/");
    EXPECT_FALSE(notOurs.connect());
}

TEST_F(DataModule, ATransactionLeftWithoutCommitUndoesEverything) {
    {
        Transaction t(sysData->myCon);
        addHouse("北库");
        {
            Transaction inner(sysData->myCon);
            addHouse("南库");
            inner.commit();
        }
    }
    EXPECT_EQ(count("Fhouse"), 0);
    {
        Transaction t(sysData->myCon);
        addHouse("北库");
        t.commit();
    }
    EXPECT_EQ(count("Fhouse"), 1);
}

TEST_F(DataModule, EngineErrorsCarryTheEngineText) {
    q().load("INSERT INTO Fproduct(prodName,inprice) VALUES(:n,:p)");
    q().bind(u"n", QStringLiteral("x"));
    q().bind(u"p", QStringLiteral("abc"));
    try {
        q().execute();
        FAIL() << "a text that is not a number reached a numeric column";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains("REAL")) << e.text().toStdString();
    }
    EXPECT_THROW(q().load("SELECT FROM"), DbError);
}

} // namespace
