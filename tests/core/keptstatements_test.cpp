// Slots hand their prepared statements back to the connection, and a later load of the same
// text takes one up again: it must behave exactly like a freshly prepared one.
#include "core/dberror.h"
#include "core/sysdata.h"
#include "support/booktest.h"

namespace {

class KeptStatements : public BookTest {};

TEST_F(KeptStatements, AReloadedStatementKeepsNoBindingOrRowOfItsLastRun) {
    const long long a = addHouse("北库");
    addHouse("南库");
    TQuery& q = sysData->QueryCommon;
    const QString byKey = QStringLiteral("SELECT houseName FROM Fhouse WHERE houseID=:houseID");
    q.load(byKey);
    q.bind(u"houseID", a);
    q.open();
    EXPECT_EQ(q.field(u"houseName").asText(), "北库");
    q.load(QStringLiteral("SELECT COUNT(*) AS n FROM Fhouse"));
    q.open();
    EXPECT_EQ(q.field(u"n").asInteger(), 2);

    q.load(byKey);
    EXPECT_THROW(q.open(), DbError); // the parameter is unbound again, not the old key
    q.bind(u"houseID", a + 1);
    q.open();
    EXPECT_EQ(q.field(u"houseName").asText(), "南库");
}

TEST_F(KeptStatements, TwoSlotsLoadingOneTextEachGetTheirOwnStatement) {
    addHouse("北库");
    const QString all = QStringLiteral("SELECT houseName FROM Fhouse");
    sysData->QueryHouse.load(all);
    sysData->QueryHouseIn.load(all);
    sysData->QueryHouse.open();
    exec("INSERT INTO Fhouse(houseName) VALUES('南库')");
    sysData->QueryHouseIn.open();
    EXPECT_EQ(sysData->QueryHouse.recordCount(), 1);
    EXPECT_EQ(sysData->QueryHouseIn.recordCount(), 2);
    sysData->QueryHouse.load(all);
    sysData->QueryHouse.open();
    EXPECT_EQ(sysData->QueryHouse.recordCount(), 2);
}

TEST_F(KeptStatements, ATextOfTwoStatementsIsRefusedEveryTime) {
    const QString two = QStringLiteral("SELECT 1; DELETE FROM Fhouse");
    EXPECT_THROW(sysData->QueryCommon.load(two), DbError);
    EXPECT_THROW(sysData->QueryCommon.load(two), DbError);
}

TEST_F(KeptStatements, StatementsKeptBeforeTheConnectionClosedAreNotUsedAfterIt) {
    addHouse("北库");
    TQuery& q = sysData->QueryCommon;
    const QString all = QStringLiteral("SELECT houseName FROM Fhouse");
    q.load(all);
    q.open();
    q.load(QStringLiteral("SELECT 1"));
    sysData->myCon.close();
    q.load(all);
    q.open();
    EXPECT_EQ(q.field(u"houseName").asText(), "北库");
}

TEST_F(KeptStatements, AKeptStatementSeesTablesChangedSinceItWasPrepared) {
    addHouse("北库");
    TQuery& q = sysData->QueryCommon;
    const QString all = QStringLiteral("SELECT * FROM Fhouse");
    q.load(all);
    q.open();
    const int columns = q.result().columnCount();
    q.load(QStringLiteral("SELECT 1"));
    exec("ALTER TABLE Fhouse ADD COLUMN extra TEXT");
    q.load(all);
    q.open();
    EXPECT_EQ(q.result().columnCount(), columns + 1);
}

} // namespace
