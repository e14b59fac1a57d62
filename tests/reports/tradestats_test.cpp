#include "documents/tradekind.h"
#include "reportbook.h"
#include "reports/ui/rowtint.h"
#include "reports/ui/tradestatswindows.h"
#include "support/drive.h"

#include <QTableView>

namespace {

class TradeStats : public ReportBook {
protected:
    QTableView& list(QWidget& window) { return drive::find<QTableView>(window, "dgOrder"); }
    QStringList redCodes(QWidget& window) {
        auto* tint = qobject_cast<RowTint*>(list(window).itemDelegate());
        QStringList red;
        for (int r = 0; tint && r < list(window).model()->rowCount(); ++r)
            if (tint->isRed(list(window).model()->index(r, 4)))
                red << list(window).model()->index(r, 1).data().toString();
        return red;
    }
};

TEST_F(TradeStats, PurchasesShowDuePaidAndOwedByTheSuppliersName) {
    postTrade(TradeKindId::Purchase, "CJ1", QDate(2026, 3, 1), steelWorks, {{steel, "300", "3"}},
              "600");
    postTrade(TradeKindId::PurchaseReturn, "CT1", QDate(2026, 3, 2), steelWorks,
              {{steel, "300", "1"}, {pen, "10", "1"}});
    postTrade(TradeKindId::Purchase, "CJ2", QDate(2026, 3, 3), paperMill, {{pen, "10", "1"}});
    postTrade(TradeKindId::Sale, "XS1", QDate(2026, 3, 3), shop, {{pen, "10", "1"}});

    TfrmTjSupplier window;
    window.show();
    EXPECT_EQ(window.windowTitle(), "商品采购统计");
    EXPECT_EQ(labelOf(window, "txtKey"), "供应商名称：");
    QStringList all = column(list(window), 1);
    all.sort(); // the view's own order: none is asked for
    EXPECT_EQ(all, QStringList({"CJ1", "CJ2", "CT1"}));

    drive::type(window, "txtKey", "钢");
    drive::click(window, "btnFind");
    QTableView& orders = list(window);
    EXPECT_EQ(titles(orders), QStringList({"日期", "单据号", "单据类型", "供应商", "应付金额",
                                           "已付金额", "欠款金额", "经办人"}));
    EXPECT_EQ(column(orders, 1), QStringList({"CJ1", "CT1"}));
    EXPECT_EQ(column(orders, 4), QStringList({"￥900.00", "￥310.00"}));
    EXPECT_EQ(column(orders, 5), QStringList({"￥600.00", "￥0.00"}));
    EXPECT_EQ(column(orders, 6), QStringList({"￥300.00", "￥310.00"}));
    EXPECT_EQ(redCodes(window), QStringList({"CT1"}));

    clickRow(orders, 1);
    QTableView& lines = drive::find<QTableView>(window, "dgOrderDetails");
    EXPECT_EQ(column(lines, 1), QStringList({"钢板", "钢笔"}));
    clickRow(orders, 0);
    EXPECT_EQ(column(lines, 1), QStringList({"钢板"}));
    EXPECT_EQ(column(lines, 5), QStringList({"3"}));
}

TEST_F(TradeStats, SalesAreTheSameDesignOverCustomers) {
    postTrade(TradeKindId::Sale, "XS1", QDate(2026, 3, 1), shop, {{pen, "15", "2"}}, "5");
    postTrade(TradeKindId::SaleReturn, "XT1", QDate(2026, 3, 2), school, {{ink, "8", "1"}});
    postTrade(TradeKindId::Sale, "XS-old", QDate(2026, 2, 1), shop, {{pen, "15", "2"}});

    TfrmTjSale window;
    window.show();
    EXPECT_EQ(window.windowTitle(), "商品销售统计");
    EXPECT_EQ(labelOf(window, "txtKey"), "客户名称：");
    EXPECT_EQ(column(list(window), 1), QStringList({"XS1", "XT1"}));
    EXPECT_EQ(column(list(window), 6), QStringList({"￥25.00", "￥8.00"}));
    EXPECT_EQ(redCodes(window), QStringList({"XT1"}));
    clickRow(list(window), 1);
    EXPECT_EQ(column(drive::find<QTableView>(window, "dgOrderDetails"), 1), QStringList({"墨水"}));
    drive::type(window, "txtKey", "中学");
    drive::click(window, "btnFind");
    EXPECT_EQ(column(list(window), 3), QStringList({"第一中学"}));
}

} // namespace
