#include "core/sysdata.h"
#include "reports/ui/tfrmtjprod.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QDateEdit>
#include <QTableView>
#include <memory>

namespace {

// The product sales analysis on a book, of either engine, with sales written as posting writes
// them.
class ProductSales : public OnEngines<BookTest> {
protected:
    void SetUp() override {
        BookTest::SetUp();
        window_ = std::make_unique<TfrmTjProd>();
    }
    void TearDown() override {
        window_.reset();
        BookTest::TearDown();
    }

    // A sale document of one day with one line per (product, quantity, amount).
    void sale(const QString& date,
              const std::vector<std::tuple<long long, QString, QString>>& lines) {
        const QString code = QString("XS%1").arg(++documents_);
        exec(QString("INSERT INTO OrderSale(orderID,houseID,empName,compID,optDate,acMoney,coMoney)"
                     " VALUES('%1',1,'张三',1,'%2',0,0)")
                 .arg(code, date));
        for (const auto& [product, count, amount] : lines)
            exec(QString("INSERT INTO OrderSaleD(orderID,prodID,price,pcount,sumMoney,remark) "
                         "VALUES('%1',%2,0,%3,%4,'')")
                     .arg(code)
                     .arg(product)
                     .arg(count, amount));
    }

    QTableView& grid() { return drive::find<QTableView>(*window_, "DBGrid1"); }
    // Each listed row as "code|name|type|stock|unit|price|count|amount|profit", sorted.
    QStringList rows() {
        QStringList rows;
        for (int r = 0; r < grid().model()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < grid().model()->columnCount(); ++c)
                cells << grid().model()->index(r, c).data().toString();
            rows << cells.join('|');
        }
        rows.sort();
        return rows;
    }
    QStringList titles() {
        QStringList titles;
        for (int c = 0; c < grid().model()->columnCount(); ++c)
            titles << grid().model()->headerData(c, Qt::Horizontal).toString();
        return titles;
    }
    void find(const QString& key) {
        drive::type(*window_, "txtKey", key);
        drive::click(*window_, "btnFind");
    }

    std::unique_ptr<TfrmTjProd> window_;
    int documents_ = 0;
};

TEST_P(ProductSales, ProfitIsAtTheCurrentPurchasePrice) {
    const long long wrench = addProduct("扳手", 1, "6", "10");
    exec("UPDATE Fproduct SET sumCount=7 WHERE prodID=" + QString::number(wrench));
    sale("2026-03-01", {{wrench, "1", "10"}});
    sale("2026-03-10", {{wrench, "2", "20"}});
    window_->show();

    EXPECT_EQ(window_->windowTitle(), "商品销售分析");
    EXPECT_EQ(titles(), (QStringList{"商品编号", "商品名称", "规格/型号", "库存量", "单位",
                                     "进货价", "销售数量", "销售金额", "利润"}));
    EXPECT_EQ(rows(), QStringList{"BH-扳手|扳手||7|个|￥6.00|3|￥30.00|￥12.00"});

    exec("UPDATE Fproduct SET inprice=8 WHERE prodID=" + QString::number(wrench));
    drive::click(*window_, "btnFind");
    EXPECT_EQ(rows(), QStringList{"BH-扳手|扳手||7|个|￥8.00|3|￥30.00|￥6.00"});
}

TEST_P(ProductSales, TheRangeIsTheLastMonthAndTheNameFragmentNarrowsIt) {
    const long long wrench = addProduct("扳手", 1, "6", "10");
    const long long bigWrench = addProduct("活动扳手", 1, "20", "30");
    const long long hammer = addProduct("锤子", 1, "5", "9");
    sale("2026-02-14", {{hammer, "1", "9"}}); // a day before the range
    sale("2026-02-15", {{wrench, "1", "10"}, {hammer, "2", "18"}});
    sale("2026-03-15", {{bigWrench, "1", "30"}});
    window_->show();

    EXPECT_EQ(drive::find<QDateEdit>(*window_, "dtbegin").date(), QDate(2026, 2, 15));
    EXPECT_EQ(drive::find<QDateEdit>(*window_, "dtEnd").date(), QDate(2026, 3, 15));
    EXPECT_EQ(rows(), (QStringList{"BH-扳手|扳手||0|个|￥6.00|1|￥10.00|￥4.00",
                                   "BH-活动扳手|活动扳手||0|个|￥20.00|1|￥30.00|￥10.00",
                                   "BH-锤子|锤子||0|个|￥5.00|2|￥18.00|￥8.00"}));

    find(" 扳手 ");
    EXPECT_EQ(grid().model()->rowCount(), 2);

    // The fragment stays when the window is shown again.
    window_->hide();
    window_->show();
    EXPECT_EQ(drive::find<QLineEdit>(*window_, "txtKey").text(), " 扳手 ");
    EXPECT_EQ(grid().model()->rowCount(), 2);

    drive::find<QDateEdit>(*window_, "dtbegin").setDate(QDate(2026, 2, 14));
    find("");
    EXPECT_EQ(rows()[2], "BH-锤子|锤子||0|个|￥5.00|3|￥27.00|￥12.00");
}

TEST_P(ProductSales, ProfitIsRightToTheCentWhereFloatingPointIsNot) {
    // 1.00 − 0.145 × 3 is 0.565 exactly, which rounds to 0.56; in doubles it is 0.5650…01.
    // 1.00 − 0.145 × 7 is −0.015 exactly, −0.02; in doubles −0.01499….
    const long long nail = addProduct("钉子", 1, "0.145", "0.5");
    const long long screw = addProduct("螺丝", 1, "0.145", "0.5");
    sale("2026-03-15", {{nail, "3", "1"}, {screw, "7", "1"}});
    window_->show();

    EXPECT_EQ(rows(), (QStringList{"BH-螺丝|螺丝||0|个|￥0.14|7|￥1.00|￥-0.02",
                                   "BH-钉子|钉子||0|个|￥0.14|3|￥1.00|￥0.56"}));
}

TEST_P(ProductSales, TwoProductsAlikeInEveryListedColumnAreTwoRows) {
    // Codes are not unique in a book imported from elsewhere; each product is still its own row.
    const long long first = addProduct("垫圈", 1, "1", "2");
    const long long second = addProduct("垫圈", 1, "1", "2");
    exec(QString("UPDATE Fproduct SET prodBH='DQ-1' WHERE prodID IN (%1,%2)")
             .arg(first)
             .arg(second));
    sale("2026-03-15", {{first, "2", "4"}, {second, "3", "6"}});
    window_->show();

    EXPECT_EQ(rows(), (QStringList{"DQ-1|垫圈||0|个|￥1.00|2|￥4.00|￥2.00",
                                   "DQ-1|垫圈||0|个|￥1.00|3|￥6.00|￥3.00"}));
}

TEST_P(ProductSales, ProductsAreListedInTheOrderTheyWereAdded) {
    constexpr int kProducts = 40;
    std::vector<long long> products;
    QStringList added;
    for (int i = 1; i <= kProducts; ++i) {
        added << QString("品%1").arg(i);
        products.push_back(addProduct(added.back()));
        // codes in the opposite order
        exec(QString("UPDATE Fproduct SET prodBH='BH%1' WHERE prodID=%2")
                 .arg(kProducts - i, 2, 10, QChar('0'))
                 .arg(products.back()));
    }
    for (int i = 0; i < kProducts; ++i) // sold in another order again
        sale("2026-03-10", {{products[std::size_t(i * 7 % kProducts)], "1", "1"}});
    window_->show();

    QStringList listed;
    for (int r = 0; r < grid().model()->rowCount(); ++r)
        listed << grid().model()->index(r, 1).data().toString();
    EXPECT_EQ(listed, added);
}

TEST_P(ProductSales, ABeginAfterTheEndListsNothing) {
    const long long wrench = addProduct("扳手");
    sale("2026-03-15", {{wrench, "1", "15"}});
    window_->show();
    drive::find<QDateEdit>(*window_, "dtbegin").setDate(QDate(2026, 3, 16));
    drive::click(*window_, "btnFind");
    EXPECT_EQ(grid().model()->rowCount(), 0);
    EXPECT_TRUE(messages_.shown().empty());
}

INSTANTIATE_ON_BOTH_ENGINES(ProductSales);

} // namespace
