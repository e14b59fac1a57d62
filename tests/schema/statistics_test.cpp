// The planner's fixed figures make it find one category's stock in a warehouse through the
// category's products, not by walking every stock row of the warehouse.
#include "core/sysdata.h"
#include "support/booktest.h"

namespace {

class PlannerFigures : public BookTest {};

TEST_F(PlannerFigures, OneCategoryOfOneWarehouseStartsFromTheCategorysProducts) {
    TQuery q(sysData->myCon, QStringLiteral("plan"));
    q.load(QStringLiteral(
        "EXPLAIN QUERY PLAN SELECT VInveHouse.*,Fprodcate.CateName FROM VInveHouse,Fprodcate "
        "WHERE VInveHouse.cateID=Fprodcate.cateID AND VInveHouse.cateID=:cateID AND "
        "VInveHouse.houseID=:houseID"));
    q.bind(u"cateID", QStringLiteral("5"));
    q.bind(u"houseID", QStringLiteral("3"));
    q.open();
    QStringList steps;
    for (; !q.eof(); q.next())
        steps << q.field(u"detail").asText();
    EXPECT_TRUE(steps.join(" | ").contains("USING INDEX ixProductCate (cateID=?)"))
        << steps.join(" | ").toStdString();
    EXPECT_TRUE(steps.join(" | ").contains("PRIMARY KEY (houseID=? AND prodID=?)"))
        << steps.join(" | ").toStdString();
}

} // namespace
