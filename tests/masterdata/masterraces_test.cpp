#include "core/sysdata.h"
#include "masterdata/counterpartkind.h"
#include "masterdata/masterdeletes.h"
#include "masterdata/masterimport.h"
#include "masterdata/masterrows.h"
#include "masterdata/productcatalog.h"
#include "support/booktest.h"
#include "support/othercounter.h"

// Deleting master rows while another counter works on them: the check the window made before
// asking is made again on the row held, after the other counter's transaction has ended, and
// the deletion refuses with the window's own message and deletes nothing.
namespace {

class MasterRaces : public OnEngines<BookTest> {
protected:
    // A purchase of one piece of the product into the warehouse, written as posting writes
    // it: the warehouse held referenced first.
    static void purchaseInto(OtherCounter& other, long long houseID, long long product) {
        other.hold("Fhouse", "houseID", houseID, RowHold::Referenced);
        other.exec(QStringLiteral("INSERT INTO OrderPur(orderID,houseID,empName,compID,optDate,"
                                  "acMoney,coMoney) VALUES('CJ1',%1,'',1,'2026-03-15',10,10)")
                       .arg(houseID));
        other.exec(QStringLiteral("INSERT INTO OrderPurD(orderID,prodID,price,pcount,sumMoney,"
                                  "remark) VALUES('CJ1',%1,10,1,10,'')")
                       .arg(product));
    }
};

TEST_P(MasterRaces, AWarehouseThatReceivesStockMeanwhileIsNotDeleted) {
    const long long house = addHouse("二号仓");
    const long long screw = addProduct("螺丝");
    ASSERT_FALSE(masterdeletes::houseHoldsStock(QString::number(house)));
    OtherCounter other(anotherCounter(), anotherCounter());
    purchaseInto(other, house, screw);
    const auto deleted =
        whileHeldBy(other, [&] { return masterdeletes::house(QString::number(house)); });
    EXPECT_FALSE(deleted.has_value());
    EXPECT_EQ(messages_.last(), "此仓库存在商品信息，不能删除！");
    EXPECT_EQ(count("Fhouse WHERE houseName='二号仓'"), 1);
}

TEST_P(MasterRaces, ARowRemovedMeanwhileIsReportedAsRemovedOnEveryKind) {
    const long long house = addHouse("二号仓");
    const long long employee = addEmployee("张三");
    const long long supplier = addSupplier("甲公司");
    const long long product = addProduct("笔");
    OtherCounter other(anotherCounter(), anotherCounter());
    other.exec(QStringLiteral("DELETE FROM Fhouse WHERE houseID=%1").arg(house));
    other.exec(QStringLiteral("DELETE FROM Femployee WHERE empID=%1").arg(employee));
    other.exec(QStringLiteral("DELETE FROM Fsupplier WHERE compID=%1").arg(supplier));
    other.exec(QStringLiteral("DELETE FROM Fproduct WHERE prodID=%1").arg(product));
    EXPECT_FALSE(whileHeldBy(other, [&] {
                     return masterdeletes::house(QString::number(house));
                 }).has_value());
    EXPECT_FALSE(masterdeletes::employee(QString::number(employee)).has_value());
    EXPECT_FALSE(masterdeletes::counterpart(kSupplierKind, QString::number(supplier)).has_value());
    EXPECT_FALSE(catalog::deleteProduct(QString::number(product)).has_value());
    EXPECT_EQ(messages_.texts(), QStringList(4, "该记录已被其他用户删除！"));
}

TEST_P(MasterRaces, ACategoryGivenAProductMeanwhileIsNotDeleted) {
    const long long tools = addCategory("工具");
    ASSERT_FALSE(catalog::categoryHasProducts(QString::number(tools)));
    OtherCounter other(anotherCounter(), anotherCounter());
    other.hold("Fprodcate", "cateID", tools, RowHold::Referenced);
    other.exec(
        QStringLiteral("INSERT INTO Fproduct(cateID,prodName) VALUES(%1,'锤子')").arg(tools));
    const auto deleted =
        whileHeldBy(other, [&] { return catalog::deleteCategory(QString::number(tools)); });
    EXPECT_FALSE(deleted.has_value());
    EXPECT_EQ(messages_.last(), "此分类下存在商品信息，不能删除！");
    EXPECT_EQ(records("SELECT Fprodcate.cateName,prodName FROM Fproduct,Fprodcate "
                      "WHERE Fproduct.cateID=Fprodcate.cateID"),
              QStringList({"工具|锤子"}));
}

TEST_P(MasterRaces, AProductWrittenIntoACategoryBeingDeletedWaitsAndIsRefused) {
    const long long tools = addCategory("工具");
    OtherCounter other(anotherCounter(), anotherCounter());
    other.hold("Fprodcate", "cateID", tools, RowHold::Removed);
    other.exec(QStringLiteral("DELETE FROM Fprodcate WHERE cateID=%1").arg(tools));
    const catalog::ProductFields hammer{
        QString::number(tools), "", "锤子", "", "", "", "", "", "", "", ""};
    const auto written = whileHeldBy(other, [&] {
        return masterrows::writeChecked([&] {
            catalog::holdCategory(sysData->QueryCommon, hammer.cateID);
            return catalog::writeProduct(catalog::kInsertProduct, hammer, QString());
        });
    });
    EXPECT_FALSE(written.has_value());
    EXPECT_EQ(messages_.last(), catalog::kCategoryGone);
    EXPECT_EQ(count("Fproduct"), 0);
}

TEST_P(MasterRaces, AProductWhoseStockArrivesMeanwhileIsNotDeleted) {
    const long long pen = addProduct("笔");
    OtherCounter other(anotherCounter(), anotherCounter());
    other.hold("Fproduct", "prodID", pen, RowHold::Changed);
    other.exec(QStringLiteral("UPDATE Fproduct SET sumCount=sumCount+5 WHERE prodID=%1").arg(pen));
    const auto deleted =
        whileHeldBy(other, [&] { return catalog::deleteProduct(QString::number(pen)); });
    EXPECT_FALSE(deleted.has_value());
    EXPECT_EQ(messages_.last(), "此商品库存量大于0，不能删除！");
    EXPECT_EQ(count("Fproduct"), 1);
}

TEST_P(MasterRaces, ACounterpartWhoseBalanceMovesMeanwhileIsNotDeleted) {
    const long long customer = addCustomer("乙商店");
    OtherCounter other(anotherCounter(), anotherCounter());
    other.exec(QStringLiteral("UPDATE Fcustomer SET exchMoney=exchMoney+30 WHERE compID=%1")
                   .arg(customer));
    const auto deleted = whileHeldBy(other, [&] {
        return masterdeletes::counterpart(kCustomerKind, QString::number(customer));
    });
    EXPECT_FALSE(deleted.has_value());
    EXPECT_EQ(messages_.last(), "客户：\"乙商店\"存在未结款项，不能删除！");
    EXPECT_EQ(count("Fcustomer WHERE compName='乙商店'"), 1);
}

TEST_P(MasterRaces, RowsNobodyTouchesAreDeletedAsBefore) {
    const long long house = addHouse("二号仓");
    const long long customer = addCustomer("乙商店");
    const long long tools = addCategory("工具");
    EXPECT_EQ(masterdeletes::house(QString::number(house)), 1);
    EXPECT_EQ(masterdeletes::counterpart(kCustomerKind, QString::number(customer)), 1);
    EXPECT_EQ(catalog::deleteCategory(QString::number(tools)), 1);
    EXPECT_TRUE(messages_.texts().isEmpty());
    EXPECT_EQ(count("Fhouse WHERE houseName='二号仓'") + count("Fprodcate"), 0);
}

// Two counters importing the same product codes at once: the second waits for the first and
// then finds the codes taken, as its preview did not, so it writes nothing.
TEST_P(MasterRaces, AnImportWaitsForAnotherOfTheSameCodesAndThenWritesNothing) {
    const Sheet sheet{
        {{1, {"商品编号", "商品名称"}}, {2, {"A1", "锤子"}}, {3, {"A2", "钳子"}}}, {}, {}};
    const ImportPlan shown = planImport(productImport(), sheet);
    ASSERT_EQ(shown.goodRows(), 2);
    OtherCounter other(anotherCounter(), anotherCounter());
    other.holdName("import", productImport().caption);
    other.exec("INSERT INTO Fproduct(cateID,prodBH,prodName) VALUES(1,'a1','锤子')");
    const ImportOutcome outcome =
        whileHeldBy(other, [&] { return runImport(productImport(), sheet, shown); });
    EXPECT_FALSE(outcome.written);
    EXPECT_EQ(outcome.message, "账中的数据在预览之后有了变动，没有写入任何数据。请重新导入。");
    EXPECT_EQ(records("SELECT prodBH FROM Fproduct"), QStringList({"a1"}));
}

INSTANTIATE_ON_BOTH_ENGINES(MasterRaces);

} // namespace
