#include "app/windowset.h"
#include "core/sysdata.h"
#include "core/windowregistry.h"
#include "documents/ui/celltint.h"
#include "documents/ui/tfrmpricelookup.h"
#include "documents/ui/tfrmprodcount.h"
#include "masterdata/ui/tfrmfindproduct.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTableView>
#include <QTreeWidget>
#include <memory>

namespace {

class Lookup : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        north = addHouse("北库");
        south = addHouse("南库");
        tools = addCategory("工具");
        paper = addCategory("纸品");
        hammer = addProduct("锤子", tools, "12.5", "20");
        saw = addProduct("锯子", tools, "8", "11.25");
        a4 = addProduct("A4纸", paper, "20", "26");
        orphan = addProduct("无类商品", 99);
        exec("UPDATE Fproduct SET inprice=NULL WHERE prodID=" + QString::number(saw));
        move(north, hammer, 5);
        move(south, hammer, 2);
        move(north, a4, -3); // sold more than bought
    }

    // A purchase (or, negative, a sale) of the product in the warehouse, as posting leaves it.
    void move(long long house, long long product, int quantity) {
        const QString table = quantity > 0 ? "OrderPur" : "OrderSale";
        const QString code = QStringLiteral("X%1").arg(++documents_);
        exec(QStringLiteral("INSERT INTO %1(orderID,houseID,empName,compID,optDate,acMoney,coMoney)"
                            " VALUES('%2',%3,'',1,'2026-03-01',0,0)")
                 .arg(table, code)
                 .arg(house));
        exec(QStringLiteral("INSERT INTO %1D(orderID,prodID,price,pcount,sumMoney,remark) "
                            "VALUES('%2',%3,0,%4,0,'')")
                 .arg(table, code)
                 .arg(product)
                 .arg(std::abs(quantity)));
        exec(QStringLiteral("UPDATE Fproduct SET sumCount=sumCount+%1 WHERE prodID=%2")
                 .arg(quantity)
                 .arg(product));
    }

    static QTableView& list(QWidget& w) { return drive::find<QTableView>(w, "dgProduct"); }
    static QString cell(QWidget& w, int row, int column) {
        return list(w).model()->index(row, column).data().toString();
    }
    static QString title(QWidget& w, int column) {
        return list(w).model()->headerData(column, Qt::Horizontal).toString();
    }
    static int rowOf(QWidget& w, const QString& name) {
        for (int r = 0; r < list(w).model()->rowCount(); ++r)
            if (cell(w, r, 3) == name)
                return r;
        return -1;
    }
    static QStringList names(QWidget& w) {
        QStringList out;
        for (int r = 0; r < list(w).model()->rowCount(); ++r)
            out << cell(w, r, 3);
        out.sort();
        return out;
    }
    static QString status(QWidget& w) {
        return drive::find<QStatusBar>(w, "StatusBar1").currentMessage();
    }
    static void clickNode(QWidget& w, const QString& text) {
        QTreeWidget& tree = drive::find<QTreeWidget>(w, "tvCategory");
        const auto found = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                          tree.visualItemRect(found[0]).center());
    }
    static void search(QWidget& w, const QString& key) {
        QLineEdit& box = drive::find<QLineEdit>(w, "txtKey");
        drive::type(box, key);
        QTest::keyClick(&box, Qt::Key_Return);
    }
    static QString labelOf(QWidget& w, const QString& boxName) {
        for (QLabel* label : w.findChildren<QLabel*>())
            if (label->buddy() && label->buddy()->objectName() == boxName)
                return label->text();
        return QString();
    }

    long long north = 0, south = 0, tools = 0, paper = 0, hammer = 0, saw = 0, a4 = 0, orphan = 0;

private:
    int documents_ = 0;
};

using PriceLookup = Lookup;

TEST_F(PriceLookup, PurchasePricesShowAsMoneyInBlueAndAnEmptyOneAsZero) {
    exec("UPDATE FConfig SET textValue='采购价' WHERE fieldName='inprice'");
    TfrmPInP w;
    w.show();
    EXPECT_EQ(w.windowTitle(), "查询商品进货价格");
    EXPECT_EQ(title(w, 6), "进价"); // its own title, not FConfig's
    auto* price = qobject_cast<PriceCell*>(list(w).itemDelegateForColumn(6));
    ASSERT_NE(price, nullptr);
    const QStyleOptionViewItem hammerPrice =
        price->drawn(list(w).model()->index(rowOf(w, "锤子"), 6));
    EXPECT_EQ(hammerPrice.text, "￥12.50");
    EXPECT_EQ(hammerPrice.palette.color(QPalette::Text), QColor(Qt::blue));
    EXPECT_EQ(price->drawn(list(w).model()->index(rowOf(w, "锯子"), 6)).text, "￥0.00");
}

TEST_F(PriceLookup, SalePricesInTheSaleWindow) {
    TfrmPoutP w;
    w.show();
    EXPECT_EQ(w.windowTitle(), "查询商品销售价格");
    EXPECT_EQ(title(w, 6), "售价");
    auto* price = qobject_cast<PriceCell*>(list(w).itemDelegateForColumn(6));
    ASSERT_NE(price, nullptr);
    EXPECT_EQ(price->drawn(list(w).model()->index(rowOf(w, "锯子"), 6)).text, "￥11.25");
}

TEST_F(PriceLookup, TheTreeAndTheSearchListAsThePickerDoes) {
    exec("UPDATE FConfig SET textValue='货号' WHERE fieldName='prodBH'");
    TfrmPInP w;
    w.show();
    EXPECT_EQ(title(w, 2), "货号");
    EXPECT_EQ(labelOf(w, "txtKey"), "名称或编码：");
    EXPECT_EQ(labelOf(w, "tvCategory"), "商品分类： ");
    // The first showing selects the root: every product with a category.
    EXPECT_EQ(names(w), QStringList({"A4纸", "锤子", "锯子"}));
    EXPECT_EQ(status(w), "在\"所有类别\"，商品种类：3");
    clickNode(w, "纸品");
    EXPECT_EQ(names(w), QStringList{"A4纸"});
    search(w, "锯");
    EXPECT_EQ(names(w), QStringList{"锯子"});
    EXPECT_EQ(status(w), "商品编号或名称与\"锯\"相似的商品种类数：1");
    // Showing again lists nothing new: the search result stays.
    w.hide();
    w.show();
    EXPECT_EQ(names(w), QStringList{"锯子"});
    EXPECT_EQ(drive::find<QLineEdit>(w, "txtKey").text(), "锯");
}

// Asking the price of one product after another with a scanner: each code replaces the last.
TEST_F(PriceLookup, CodesScannedOneAfterAnotherEachFindTheirProduct) {
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='6901234567892' WHERE prodID=%1").arg(hammer));
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='6907654321098' WHERE prodID=%1").arg(saw));
    TfrmPoutP w;
    w.show();
    QLineEdit& box = drive::find<QLineEdit>(w, "txtKey");
    box.setFocus();
    for (const auto& [code, name] :
         {std::pair{"6901234567892", "锤子"}, std::pair{"6907654321098", "锯子"}}) {
        QTest::keyClicks(&box, code);
        QTest::keyClick(&box, Qt::Key_Return);
        EXPECT_EQ(names(w), QStringList{name});
    }
}

// The windows open with the focus in the category tree, and a person at the counter scans at
// once: the code's keys went to the tree's look-up by first letters and were lost. They go to
// the search box, as keys typed in the list do, and the arrows lead from the box to the list
// and back.
TEST_F(PriceLookup, ACodeScannedBeforeTheSearchBoxWasReachedIsSearchedAllTheSame) {
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='6901234567892' WHERE prodID=%1").arg(hammer));
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='AB-17' WHERE prodID=%1").arg(a4));
    TfrmPoutP prices;
    TfrmProdCount stock;
    for (QWidget* w : {static_cast<QWidget*>(&prices), static_cast<QWidget*>(&stock)}) {
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        QLineEdit& box = drive::find<QLineEdit>(*w, "txtKey");
        ASSERT_EQ(QApplication::focusWidget(), &drive::find<QTreeWidget>(*w, "tvCategory"));
        const auto scan = [](const QString& code) {
            for (QChar c : code)
                QTest::keyClick(QApplication::focusWidget(), c.toLatin1(),
                                c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        };
        scan("6901234567892");
        EXPECT_EQ(QApplication::focusWidget(), &box);
        EXPECT_EQ(names(*w), QStringList{"锤子"});
        QTest::keyClick(&box, Qt::Key_Down);
        ASSERT_EQ(QApplication::focusWidget(), &list(*w));
        scan("AB-17");
        EXPECT_EQ(box.text(), "AB-17");
        EXPECT_EQ(names(*w), QStringList{"A4纸"});
        QTest::keyClick(&box, Qt::Key_Down);
        QTest::keyClick(&list(*w), Qt::Key_Up);
        EXPECT_EQ(QApplication::focusWidget(), &box);
        w->hide();
    }
}

using StockLookup = Lookup;

TEST_F(StockLookup, ShowingListsEveryProductWithItsGlobalStock) {
    exec("UPDATE FConfig SET textValue='采购价' WHERE fieldName='inprice'");
    TfrmProdCount w;
    w.show();
    EXPECT_EQ(w.windowTitle(), "商品库存");
    EXPECT_EQ(names(w), QStringList({"A4纸", "锤子", "锯子"}));
    EXPECT_EQ(cell(w, rowOf(w, "锤子"), 8), "7");
    EXPECT_EQ(title(w, 6), "采购价");
    EXPECT_EQ(title(w, 8), "库存量");
    EXPECT_EQ(title(w, 1), "商品类别");
    EXPECT_EQ(status(w), "在\"\"，商品种类：3");
    QComboBox& houses = drive::find<QComboBox>(w, "cbHouseName");
    EXPECT_EQ(houses.count(), 3);
    EXPECT_EQ(houses.currentText(), "所有仓库");
    EXPECT_EQ(labelOf(w, "cbHouseName"), "仓库：");
    EXPECT_EQ(labelOf(w, "txtKey"), "名称或编码：  ");
}

TEST_F(StockLookup, NegativeStockIsRed) {
    TfrmProdCount w;
    w.show();
    auto* tint = qobject_cast<CellTint*>(list(w).itemDelegateForColumn(8));
    ASSERT_NE(tint, nullptr);
    const auto colour = [&](const QString& name) {
        return tint->drawn(list(w).model()->index(rowOf(w, name), 8)).palette.color(QPalette::Text);
    };
    EXPECT_EQ(cell(w, rowOf(w, "A4纸"), 8), "-3");
    EXPECT_EQ(colour("A4纸"), QColor(Qt::red));
    EXPECT_NE(colour("锤子"), QColor(Qt::red));
}

TEST_F(StockLookup, AWarehouseListsWhatTheDocumentsLeftThere) {
    TfrmProdCount w;
    w.show();
    QComboBox& houses = drive::find<QComboBox>(w, "cbHouseName");
    drive::choose(houses, "南库");
    EXPECT_EQ(names(w), QStringList{"锤子"});
    EXPECT_EQ(cell(w, 0, 8), "2");
    EXPECT_EQ(drive::find<QComboBox>(w, "cbHouseID").currentText(), QString::number(south));
    drive::choose(houses, "北库");
    clickNode(w, "工具");
    EXPECT_EQ(names(w), QStringList{"锤子"});
    EXPECT_EQ(cell(w, 0, 8), "5");
    EXPECT_EQ(status(w), "在\"工具\"，商品种类：1");
    // A search lists global quantities whatever the warehouse.
    search(w, "锤");
    EXPECT_EQ(cell(w, 0, 8), "7");
    EXPECT_EQ(houses.currentText(), "北库");
    drive::choose(houses, "所有仓库");
    clickNode(w, "所有类别");
    EXPECT_EQ(names(w), QStringList({"A4纸", "锤子", "锯子"}));
}

TEST_F(StockLookup, ShowingAgainResetsTheWarehouseAndKeepsTheCategory) {
    TfrmProdCount w;
    w.show();
    drive::choose(drive::find<QComboBox>(w, "cbHouseName"), "北库");
    clickNode(w, "纸品");
    w.hide();
    w.show();
    EXPECT_EQ(drive::find<QComboBox>(w, "cbHouseName").currentText(), "所有仓库");
    EXPECT_EQ(names(w), QStringList{"A4纸"});
    EXPECT_EQ(cell(w, 0, 8), "-3");
    EXPECT_EQ(drive::find<QTreeWidget>(w, "tvCategory").currentItem()->text(0), "纸品");
}

// The picker, the lookups and the stock window share one list slot. Shown again after the
// stock of one warehouse was listed, the picker listed that warehouse's rows, which lack the
// fields it picks, and picking ended in an error report; the price lookup listed only that
// warehouse's products.
TEST_F(StockLookup, APickerOrLookupShownAgainListsItsOwnRowsAfterAWarehousesStock) {
    TfrmFindProduct picker;
    const auto pickFirst = [&] {
        drive::doubleClick(list(picker).viewport(),
                           list(picker).visualRect(list(picker).model()->index(0, 3)).center());
    };
    picker.show();
    const QStringList all = names(picker);
    pickFirst(); // the list keeps the focus for the next showing
    ASSERT_EQ(picker.chosen(), 1);
    TfrmPInP prices;
    prices.show();
    search(prices, "锯");
    prices.hide();
    TfrmProdCount stock;
    stock.show();
    drive::choose(drive::find<QComboBox>(stock, "cbHouseName"), "南库");
    ASSERT_EQ(names(stock), QStringList{"锤子"});
    stock.hide();

    picker.show();
    EXPECT_EQ(names(picker), all);
    pickFirst();
    EXPECT_EQ(picker.chosen(), 1);
    EXPECT_TRUE(messages_.shown().empty());
    prices.show();
    EXPECT_EQ(names(prices), QStringList{"锯子"}); // its own search, run again
}

// The same statement with another category bound: shown again, the price lookup listed the
// other window's category under its own heading.
TEST_F(StockLookup, ALookupShownAgainAfterAnotherListedAnotherCategoryListsItsOwn) {
    TfrmPInP prices;
    prices.show();
    clickNode(prices, "工具");
    ASSERT_EQ(names(prices), QStringList({"锤子", "锯子"}));
    const QString heading = status(prices);
    list(prices).setFocus(); // as after looking a price up: the list keeps the focus
    prices.hide();
    TfrmPoutP sales;
    sales.show();
    clickNode(sales, "纸品");
    ASSERT_EQ(names(sales), QStringList{"A4纸"});
    sales.hide();

    prices.show();
    EXPECT_EQ(names(prices), QStringList({"锤子", "锯子"}));
    EXPECT_EQ(status(prices), heading);
}

TEST_F(StockLookup, TheMainWindowOpensAllThreeLookups) {
    WindowSet all;
    for (const char* name : {"TfrmPInP", "TfrmPoutP", "TfrmProdCount"}) {
        modal_.expectOpenClose(name);
        EXPECT_TRUE(windows::open(name)) << name;
    }
}

} // namespace
