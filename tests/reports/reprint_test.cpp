#include "documents/tradekind.h"
#include "printing/ui/tfrmprintview.h"
#include "reportbook.h"
#include "reports/ui/querywindows.h"
#include "support/drive.h"
#include "support/testprinter.h"

#include <QToolButton>

namespace {

class Reprint : public ReportBook {
protected:
    TestPrinter printer;
    TfrmPrintView preview{printer};
};

TEST_F(Reprint, WithoutASelectedDocumentItAsksForOne) {
    TfrmTjPurQ window(&preview);
    window.show();
    EXPECT_TRUE(drive::find<QToolButton>(window, "tlPrint").isEnabled());
    drive::click(window, "tlPrint");
    EXPECT_EQ(messages_.last(), "请选择要打印的单据！");
}

TEST_F(Reprint, PrintsTheSelectedSavedDocumentWithTheQueryLabelsAndItsTotal) {
    postTrade(TradeKindId::Sale, "XS1", QDate(2026, 3, 10), shop,
              {{pen, "0.1", "3"}, {ink, "19.99", "7"}}, "100");
    TfrmOrderSaleQ window(&preview);
    window.show();
    clickRow(drive::find<QTableView>(window, "dgOrder"), 0);
    modal_.expect<TfrmPrintView>([&](TfrmPrintView& w) {
        const PrintPage& page = w.page();
        EXPECT_EQ(page.title, "商品销售单");
        EXPECT_EQ(page.house, "仓    库：北库");
        EXPECT_EQ(page.orderID, "单据号：XS1");
        EXPECT_EQ(page.optdate, "销售日期：2026-03-10");
        EXPECT_EQ(page.ys, "应收金额：140.23");
        EXPECT_EQ(page.ss, "实收金额：100.00");
        EXPECT_EQ(page.hj, "合计金额：140.23"); // 0.3 + 139.93, exact
        ASSERT_GE(page.cells.size(), 2u);
        EXPECT_EQ(page.cells[0][1], "钢笔");
        EXPECT_EQ(page.cells[1][1], "墨水");
    });
    drive::click(window, "tlPrint");
}

TEST_F(Reprint, TheTotalPrintsEvenWhenItsSwitchIsOff) {
    exec("UPDATE Ftbconfig SET hj='否', ys='否'");
    postTrade(TradeKindId::Purchase, "CJ1", QDate(2026, 3, 10), steelWorks, {{pen, "2.5", "2"}});
    TfrmTjPurQ window(&preview);
    window.show();
    clickRow(drive::find<QTableView>(window, "dgOrder"), 0);
    modal_.expect<TfrmPrintView>([&](TfrmPrintView& w) {
        EXPECT_EQ(w.page().house, "收货仓库：北库");
        EXPECT_EQ(w.page().ys, "");
        EXPECT_EQ(w.page().hj, "合计金额：5.00");
    });
    drive::click(window, "tlPrint");
}

} // namespace
