#include "documents/tradekind.h"
#include "printing/ui/tfrmprintview.h"
#include "reportbook.h"
#include "reports/ui/businessstats.h"
#include "reports/ui/querywindows.h"
#include "reports/ui/tfrmordertj.h"
#include "reports/ui/tradestatswindows.h"
#include "support/drive.h"
#include "support/testprinter.h"

#include <QDateEdit>
#include <QItemSelectionModel>
#include <QToolButton>
#include <QTreeWidget>

// The query windows act on what the person sees: the row selected on screen, and lists that
// show only what the window itself loaded.
namespace {

const QDate kDay(2026, 3, 10);

class OnScreen : public ReportBook {
protected:
    void SetUp() override {
        ReportBook::SetUp();
        postTrade(TradeKindId::Purchase, "CJ1", kDay, steelWorks, {{pen, "2.5", "2"}}, "1.5");
        postTrade(TradeKindId::Purchase, "CJ2", kDay, paperMill,
                  {{ink, "8", "1"}, {steel, "0.5", "3"}});
    }
    static QTableView& list(QWidget& w, const char* name = "dgOrder") {
        return drive::find<QTableView>(w, name);
    }
    static int rows(QWidget& w, const char* name) { return list(w, name).model()->rowCount(); }
    static bool anyHighlighted(QTableView& view) { return view.selectionModel()->hasSelection(); }
    void search(QWidget& w, const QString& key) {
        drive::type(w, "txtOrderID", key);
        drive::click(w, "btnFind");
    }
    TestPrinter printer;
    TfrmPrintView preview{printer};
};

TEST_F(OnScreen, AFreshListHasNothingSelectedAndVoidingActsOnlyOnTheRowOnScreen) {
    TfrmTjPurQ window(&preview);
    window.show();
    ASSERT_EQ(rows(window, "dgOrder"), 2);
    EXPECT_FALSE(anyHighlighted(list(window)));
    EXPECT_EQ(rows(window, "dgOrderDetails"), 0);

    clickRow(list(window), 0);
    const QString first = list(window).model()->index(0, 1).data().toString();
    EXPECT_EQ(rows(window, "dgOrderDetails"), first == "CJ1" ? 1 : 2);

    // A new search shows other rows: the earlier selection is gone with it.
    search(window, "CJ2");
    EXPECT_FALSE(anyHighlighted(list(window)));
    EXPECT_EQ(rows(window, "dgOrderDetails"), 0);
    drive::click(window, "tlDel");
    EXPECT_EQ(messages_.last(), "请选择要作废的单据！");
    drive::click(window, "tlPrint");
    EXPECT_EQ(messages_.last(), "请选择要打印的单据！");
    EXPECT_EQ(count("OrderPur"), 2);

    // The arrow keys select as a click does.
    list(window).setFocus();
    QTest::keyClick(&list(window), Qt::Key_Down);
    EXPECT_TRUE(anyHighlighted(list(window)));
    EXPECT_EQ(rows(window, "dgOrderDetails"), 2);
    messages_.answerOk();
    drive::click(window, "tlDel");
    EXPECT_EQ(messages_.shown().back().text, "确定要作废单据：\"CJ2\" 吗？");
    EXPECT_EQ(scalar("SELECT group_concat(orderID) FROM OrderPur"), "CJ1");
    EXPECT_FALSE(anyHighlighted(list(window)));
}

TEST_F(OnScreen, ReopeningTheQuerySelectsNothing) {
    TfrmTjPurQ window(&preview);
    window.show();
    clickRow(list(window), 1);
    window.close();
    window.show();
    EXPECT_FALSE(anyHighlighted(list(window)));
    EXPECT_EQ(rows(window, "dgOrderDetails"), 0);
    drive::click(window, "tlDel");
    EXPECT_EQ(messages_.last(), "请选择要作废的单据！");
}

TEST_F(OnScreen, ReprintingADocumentGoneFromTheBookSaysSo) {
    TfrmTjPurQ window(&preview);
    window.show();
    search(window, "CJ1");
    clickRow(list(window), 0);
    exec("DELETE FROM OrderPur WHERE orderID='CJ1'"); // voided meanwhile, at another counter
    drive::click(window, "tlPrint");
    EXPECT_EQ(messages_.last(), "单据\"CJ1\"已不在账中，无法打印！");
}

TEST_F(OnScreen, ReprintingADocumentWhoseCodeNowNamesAnotherSaysSoAndListsAgain) {
    TfrmTjPurQ window(&preview);
    window.show();
    search(window, "CJ1");
    clickRow(list(window), 0);
    // Voided meanwhile at another counter, and typed again with a quantity put right.
    exec("DELETE FROM OrderPur WHERE orderID='CJ1'");
    exec("UPDATE OrderPurD SET pcount=3,sumMoney=7.5 WHERE orderID='CJ1'");
    exec("INSERT INTO OrderPur(orderID,houseID,empName,compID,optDate,acMoney,coMoney) "
         "SELECT 'CJ1',houseID,empName,compID,optDate,7.5,1.5 FROM OrderPur WHERE orderID='CJ2'");
    drive::click(window, "tlPrint");
    EXPECT_EQ(messages_.last(),
              "单据\"CJ1\"已被其他用户作废，此单据号现已是另一张单据，请核对刷新后的单据列表！");
    EXPECT_TRUE(printer.pages.empty());
    EXPECT_EQ(column(list(window), 4), QStringList({"7.50"}));
}

TEST_F(OnScreen, TheDocumentQueriesShowAmountsAndPricesAsPlainValues) {
    TfrmTjPurQ window(&preview);
    window.show();
    search(window, "CJ1");
    EXPECT_EQ(column(list(window), 4), QStringList({"5.00"}));
    EXPECT_EQ(column(list(window), 5), QStringList({"1.50"}));
    clickRow(list(window), 0);
    EXPECT_EQ(column(list(window, "dgOrderDetails"), 4), QStringList({"2.50"}));
    EXPECT_EQ(column(list(window, "dgOrderDetails"), 6), QStringList({"5.00"}));
}

TEST_F(OnScreen, TheCompositeQueryAndTheStatisticsShowNoLinesOfAnotherWindow) {
    TfrmTjPurQ purchases(&preview);
    purchases.show();
    clickRow(list(purchases), 0);
    ASSERT_GT(rows(purchases, "dgOrderDetails"), 0);
    purchases.close();

    TfrmOrderTJ composite;
    composite.show();
    EXPECT_EQ(rows(composite, "dgOrderDetails"), 0);
    EXPECT_FALSE(anyHighlighted(list(composite)));
    clickRow(list(composite), 0);
    EXPECT_GT(rows(composite, "dgOrderDetails"), 0);
    drive::click(composite, "btnFind");
    EXPECT_EQ(rows(composite, "dgOrderDetails"), 0);
    composite.close();

    TfrmTjSupplier stats;
    stats.show();
    EXPECT_EQ(rows(stats, "dgOrderDetails"), 0);
    clickRow(list(stats), 0);
    EXPECT_GT(rows(stats, "dgOrderDetails"), 0);
}

TEST_F(OnScreen, TheBusinessStatisticsShowOnlyTheRowsOfTheirOwnPeriod) {
    exec("INSERT INTO FitemBank(optDate,orderType,sumMoney,itmID) "
         "VALUES('2026-03-15','商品销售',500,1)");
    TfrmTjToday today;
    today.show();
    auto& items = drive::find<QTreeWidget>(today, "lstItem");
    items.setCurrentItem(items.topLevelItem(1)); // 销售收入
    ASSERT_GT(rows(today, "DBGrid2"), 0);
    today.close();

    TfrmOpenTJ chosen;
    chosen.show();
    EXPECT_EQ(rows(chosen, "DBGrid2"), 0);

    // A figure chosen, then another period asked for: its rows follow the period.
    auto& figures = drive::find<QTreeWidget>(chosen, "lstItem");
    figures.setCurrentItem(figures.topLevelItem(1));
    EXPECT_EQ(rows(chosen, "DBGrid2"), 1);
    drive::find<QDateEdit>(chosen, "dtEnd").setDate(QDate(2026, 3, 14));
    drive::click(chosen, "Button1");
    EXPECT_EQ(rows(chosen, "DBGrid2"), 0);
}

} // namespace
