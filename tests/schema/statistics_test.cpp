// The planner's fixed figures make it find one category's stock in a warehouse through the
// category's products, not by walking every stock row of the warehouse.
#include "core/sysdata.h"
#include "support/booktest.h"

namespace {

class PlannerFigures : public BookTest {
protected:
    // The steps of the plan the engine chooses for the statement, joined by " | ".
    std::string plan(const QString& sql, const std::vector<std::pair<QString, QString>>& binds) {
        TQuery q(sysData->myCon, QStringLiteral("plan"));
        q.load(QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
        for (const auto& [name, value] : binds)
            q.bind(name, value);
        q.open();
        QStringList steps;
        for (; !q.eof(); q.next())
            steps << q.field(u"detail").asText();
        return steps.join(" | ").toStdString();
    }
};

TEST_F(PlannerFigures, OneCategoryOfOneWarehouseStartsFromTheCategorysProducts) {
    const std::string steps =
        plan("SELECT VInveHouse.*,Fprodcate.CateName FROM VInveHouse,Fprodcate WHERE "
             "VInveHouse.cateID=Fprodcate.cateID AND VInveHouse.cateID=:cateID AND "
             "VInveHouse.houseID=:houseID",
             {{"cateID", "5"}, {"houseID", "3"}});
    EXPECT_NE(steps.find("USING INDEX ixProductCate (cateID=?)"), std::string::npos) << steps;
    EXPECT_NE(steps.find("PRIMARY KEY (houseID=? AND prodID=?)"), std::string::npos) << steps;
}

TEST_F(PlannerFigures, TradeStatisticsStartFromTheCounterpartsWhoseNamesMatch) {
    for (const char* view : {"VtjSupplier", "VtjSale"}) {
        const std::string steps =
            plan(QStringLiteral("SELECT compName,optDate,orderID,orderType,acMoney,coMoney,je,"
                                "empName FROM %1 WHERE optDate>=:optDate1 AND "
                                "optDate<=:optDate2 AND compName Like :compName")
                     .arg(QString::fromLatin1(view)),
                 {{"optDate1", "2026-02-15"}, {"optDate2", "2026-03-15"}, {"compName", "%钢%"}});
        EXPECT_NE(steps.find("CompDate (compID=? AND optDate>? AND optDate<?)"), std::string::npos)
            << steps;
    }
}

TEST_F(PlannerFigures, TheDocumentQueriesReadAMonthAlongTheDatesNotCounterpartByCounterpart) {
    for (const auto& [header, counterpart] : {std::pair{"OrderPur", "Fsupplier"},
                                              {"OrderPurT", "Fsupplier"},
                                              {"OrderSale", "Fcustomer"},
                                              {"OrderSaleT", "Fcustomer"}}) {
        const std::string steps = plan(
            QStringLiteral("SELECT optDate,orderID,houseName,compName,acMoney,coMoney,empName,"
                           "%1.compID FROM %1,Fhouse,%2 WHERE %1.houseID=Fhouse.houseID AND "
                           "%1.compID=%2.compID AND optDate>=:optDate1 AND optDate<=:optDate2 AND "
                           "orderID LIKE :orderID")
                .arg(QString::fromLatin1(header), QString::fromLatin1(counterpart)),
            {{"optDate1", "2026-02-15"}, {"optDate2", "2026-03-15"}, {"orderID", "%"}});
        EXPECT_NE(steps.find("Date (optDate>? AND optDate<?)"), std::string::npos) << steps;
        EXPECT_EQ(steps.find("CompDate"), std::string::npos) << steps;
    }
}

TEST_F(PlannerFigures, TheCompositeQueryMergesTheHeadersFromTheDateIndexesAlone) {
    const std::string steps =
        plan("SELECT orderID,empName,orderType,optDate FROM VOrder WHERE optDate>=:optDate1 AND "
             "optDate<=:optDate2 AND orderID LIKE:orderID ORDER BY optDate DESC",
             {{"optDate1", "2026-02-15"}, {"optDate2", "2026-03-15"}, {"orderID", "%"}});
    for (const char* index :
         {"ixPurDate", "ixPurTDate", "ixSaleDate", "ixSaleTDate", "ixDBDate", "ixBsByDate"})
        EXPECT_NE(steps.find(std::string("USING COVERING INDEX ") + index), std::string::npos)
            << index << ": " << steps;
    // Each index is read in date order already: the month is merged, not sorted afterwards.
    EXPECT_EQ(steps.find("TEMP B-TREE"), std::string::npos) << steps;
}

} // namespace
