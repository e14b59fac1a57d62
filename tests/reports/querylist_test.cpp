#include "core/windowregistry.h"
#include "documents/tradekind.h"
#include "reportbook.h"
#include "reports/ui/querywindows.h"
#include "support/drive.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include "app/windowset.h"

namespace {

class QueryList : public ReportBook {
protected:
    QStringList codes(TfrmOrderQuery& window) {
        return column(drive::find<QTableView>(window, "dgOrder"), 1);
    }
    void find(TfrmOrderQuery& window, const QString& fragment) {
        drive::type(window, "txtOrderID", fragment);
        drive::click(window, "btnFind");
    }
};

TEST_F(QueryList, ShowingListsTheLastMonthUpToTodayBothEndsIncluded) {
    postTrade(TradeKindId::Purchase, "CJ-before", QDate(2026, 2, 14), steelWorks,
              {{pen, "1", "1"}});
    postTrade(TradeKindId::Purchase, "CJ-first", QDate(2026, 2, 15), steelWorks, {{pen, "1", "1"}});
    postTrade(TradeKindId::Purchase, "CJ-today", QDate(2026, 3, 15), paperMill, {{pen, "1", "1"}});
    postTrade(TradeKindId::Purchase, "CJ-after", QDate(2026, 3, 16), steelWorks, {{pen, "1", "1"}});
    TfrmTjPurQ window;
    window.show();
    EXPECT_EQ(drive::find<QDateEdit>(window, "dtbegin").date(), QDate(2026, 2, 15));
    EXPECT_EQ(drive::find<QDateEdit>(window, "dtEnd").date(), QDate(2026, 3, 15));
    EXPECT_EQ(codes(window), QStringList({"CJ-first", "CJ-today"}));
    QTableView& list = drive::find<QTableView>(window, "dgOrder");
    EXPECT_EQ(column(list, 3), QStringList({"宝钢集团", "纸业公司"}));
    EXPECT_EQ(column(list, 2), QStringList({"北库", "北库"}));
}

TEST_F(QueryList, ACodeFragmentMatchesAnywhereAndAnEmptyOneMatchesAll) {
    for (const char* code : {"XS2026312", "XS20260312", "XS2026401"})
        postTrade(TradeKindId::Sale, code, QDate(2026, 3, 12), shop, {{pen, "15", "1"}});
    TfrmOrderSaleQ window;
    window.show();
    find(window, " 0312 ");
    EXPECT_EQ(codes(window), QStringList({"XS20260312"}));
    find(window, "");
    EXPECT_EQ(codes(window).size(), 3);
    find(window, "xs2026312");
    EXPECT_EQ(codes(window), QStringList({"XS2026312"}));
}

TEST_F(QueryList, EachWindowListsOnlyItsOwnKindUnderItsOwnTitles) {
    postTrade(TradeKindId::Sale, "XS1", QDate(2026, 3, 1), shop, {{pen, "15", "2"}}, "10");
    postTrade(TradeKindId::SaleReturn, "XT1", QDate(2026, 3, 2), school, {{pen, "15", "1"}});
    TfrmOrderSaleQ sales;
    sales.show();
    QTableView& list = drive::find<QTableView>(sales, "dgOrder");
    EXPECT_EQ(titles(list), QStringList({"销售日期", "单据号", "仓库", "客户名称", "应收金额",
                                         "实收金额", "经办人"}));
    EXPECT_EQ(codes(sales), QStringList({"XS1"}));
    EXPECT_EQ(column(list, 4), QStringList({"30.00"}));
    EXPECT_EQ(column(list, 5), QStringList({"10.00"}));
    EXPECT_EQ(sales.windowTitle(), "销售单据查询");
    sales.close();

    TfrmOrderSaleTQ returns;
    returns.show();
    EXPECT_EQ(codes(returns), QStringList({"XT1"}));
    EXPECT_EQ(returns.windowTitle(), "销售退货单据查询");
}

TEST_F(QueryList, ClickingADocumentListsItsLines) {
    postTrade(TradeKindId::PurchaseReturn, "CT1", QDate(2026, 3, 1), steelWorks,
              {{pen, "10", "2"}, {steel, "99.5", "1"}, {ink, "0.125", "1000"}});
    TfrmOrderPurTQ window;
    window.show();
    QTableView& lines = drive::find<QTableView>(window, "dgOrderDetails");
    EXPECT_EQ(lines.model()->rowCount(), 0);
    clickRow(drive::find<QTableView>(window, "dgOrder"), 0);
    EXPECT_EQ(titles(lines), QStringList({"商品编号", "商品名称", "型号/规格", "单位", "单价",
                                          "数量", "金额", "备注"}));
    EXPECT_EQ(column(lines, 1), QStringList({"钢笔", "钢板", "墨水"}));
    // A price shows its cents, or all its decimals beside the amount they make.
    EXPECT_EQ(column(lines, 4), QStringList({"10.00", "99.50", "0.125"}));
    EXPECT_EQ(column(lines, 5), QStringList({"2", "1", "1000"}));
    EXPECT_EQ(column(lines, 6), QStringList({"20.00", "99.50", "125.00"}));
}

TEST_F(QueryList, ANewSearchOrASecondShowingClearsTheSelectionAndItsLines) {
    postTrade(TradeKindId::Purchase, "CJ1", QDate(2026, 3, 1), steelWorks, {{pen, "10", "2"}});
    TfrmTjPurQ window;
    window.show();
    QTableView& lines = drive::find<QTableView>(window, "dgOrderDetails");
    clickRow(drive::find<QTableView>(window, "dgOrder"), 0);
    EXPECT_EQ(column(lines, 1), QStringList({"钢笔"}));
    find(window, "nothing");
    EXPECT_EQ(lines.model()->rowCount(), 0);
    find(window, "");
    clickRow(drive::find<QTableView>(window, "dgOrder"), 0);
    window.close();
    window.show();
    EXPECT_EQ(lines.model()->rowCount(), 0);
}

TEST_F(QueryList, TransfersShowBothWarehousesAndLossesTheirType) {
    postTransfer("DB1", QDate(2026, 3, 3), {{pen, "1", "1"}});
    postOverflow("BY1", QDate(2026, 3, 3), {{pen, "1", "1"}});
    TfrmOrderDBQ transfers;
    transfers.show();
    QTableView& list = drive::find<QTableView>(transfers, "dgOrder");
    EXPECT_EQ(titles(list), QStringList({"采购日期", "单据号", "调出仓", "调入仓", "经办人"}));
    EXPECT_EQ(column(list, 2), QStringList({"北库"}));
    EXPECT_EQ(column(list, 3), QStringList({"南库"}));
    transfers.close();

    TfrmOrderBsbyQ losses;
    losses.show();
    QTableView& bsby = drive::find<QTableView>(losses, "dgOrder");
    EXPECT_EQ(titles(bsby), QStringList({"采购日期", "单据号", "仓库", "单据类型", "经办人"}));
    EXPECT_EQ(column(bsby, 3), QStringList({"报溢"}));
}

TEST_F(QueryList, ReprintIsOfferedOnlyForTradeDocumentsAndNeedsAPreview) {
    TfrmTjPurQ purchases;
    QToolButton& print = drive::find<QToolButton>(purchases, "tlPrint");
    EXPECT_EQ(print.text(), "单据打印");
    EXPECT_FALSE(print.isEnabled());
    TfrmOrderDBQ transfers;
    TfrmOrderBsbyQ losses;
    EXPECT_EQ(transfers.findChild<QToolButton*>("tlPrint"), nullptr);
    EXPECT_EQ(losses.findChild<QToolButton*>("tlPrint"), nullptr);
}

TEST_F(QueryList, LabelsNameTheirBoxesAndExitCloses) {
    TfrmOrderSaleQ window;
    window.show();
    EXPECT_EQ(labelOf(window, "dtbegin"), "查询日期：");
    EXPECT_EQ(labelOf(window, "dtEnd"), "~");
    EXPECT_EQ(labelOf(window, "txtOrderID"), "单据号：");
    EXPECT_EQ(labelOf(window, "dgOrderDetails"), "单据明细：");
    EXPECT_EQ(drive::find<QPushButton>(window, "btnFind").text(), "查询(&F)");
    drive::click(window, "tlExit");
    EXPECT_FALSE(window.isVisible());
}

TEST_F(QueryList, TheMainWindowOpensEveryQueryAndStatisticsWindowByItsClassName) {
    WindowSet windows;
    const std::pair<const char*, const char*> entries[] = {
        {"TfrmTjPurQ", "采购单据查询"},       {"TfrmOrderPurTQ", "采购退货单查询"},
        {"TfrmOrderSaleQ", "销售单据查询"},   {"TfrmOrderSaleTQ", "销售退货单据查询"},
        {"TfrmOrderDBQ", "库存调拨单据查询"}, {"TfrmOrderBsbyQ", "报损报溢单据查询"},
        {"TfrmOrderTJ", "单据综合查询"},      {"TfrmTjSupplier", "商品采购统计"},
        {"TfrmTjSale", "商品销售统计"}};
    for (const auto& [name, title] : entries) {
        QString shown;
        modal_.expect(name, [&shown](QDialog& w) { shown = w.windowTitle(); });
        EXPECT_TRUE(windows::open(name)) << name;
        modal_.expectAllShown();
        EXPECT_EQ(shown, title) << name;
    }
}

TEST(PurchaseQueryStartUp, IsCreatedBeforeTheDataModuleExists) {
    // Start-up creates it right after the main window, before the book is open.
    TfrmTjPurQ window;
    EXPECT_EQ(window.windowTitle(), "采购单据查询");
}

} // namespace
