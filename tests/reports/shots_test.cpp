#include "documents/tradekind.h"
#include "reportbook.h"
#include "reports/ui/querywindows.h"
#include "reports/ui/tfrmordertj.h"
#include "reports/ui/tradestatswindows.h"

#include <QDir>
#include <QTableView>

namespace {

// Not a check: pictures of every window with rows in it, for a person to look at.
// Run with --gtest_also_run_disabled_tests --gtest_filter='ReportShots.*'.
class ReportShots : public ReportBook {
protected:
    void shoot(QWidget& window, const QString& name) {
        window.show();
        if (auto* list = window.findChild<QTableView*>("dgOrder");
            list && list->model()->rowCount())
            clickRow(*list, 0);
        QDir().mkpath("/tmp/vesk-shots");
        window.grab().save("/tmp/vesk-shots/" + name + ".png");
        window.close();
    }
};

TEST_F(ReportShots, DISABLED_EveryWindowWithRows) {
    postTrade(TradeKindId::Purchase, "CJ2026311958", QDate(2026, 3, 11), steelWorks,
              {{steel, "300", "3"}, {pen, "10", "12.5"}}, "600");
    postTrade(TradeKindId::PurchaseReturn, "CT202631210", QDate(2026, 3, 12), steelWorks,
              {{steel, "300", "1"}});
    postTrade(TradeKindId::Sale, "XS202631310", QDate(2026, 3, 13), shop,
              {{pen, "15", "4"}, {ink, "8.5", "2"}}, "50");
    postTrade(TradeKindId::SaleReturn, "XT202631411", QDate(2026, 3, 14), school,
              {{ink, "8.5", "1"}});
    postTransfer("DB202631012", QDate(2026, 3, 10), {{pen, "10", "5"}});
    postLoss("BS202630915", QDate(2026, 3, 9), {{ink, "8", "1"}});
    postOverflow("BY202630916", QDate(2026, 3, 9), {{pen, "10", "2"}});

    TfrmTjPurQ purchases;
    shoot(purchases, "TfrmTjPurQ");
    TfrmOrderSaleQ sales;
    shoot(sales, "TfrmOrderSaleQ");
    TfrmOrderPurTQ purchaseReturns;
    shoot(purchaseReturns, "TfrmOrderPurTQ");
    TfrmOrderSaleTQ saleReturns;
    shoot(saleReturns, "TfrmOrderSaleTQ");
    TfrmOrderDBQ transfers;
    shoot(transfers, "TfrmOrderDBQ");
    TfrmOrderBsbyQ losses;
    shoot(losses, "TfrmOrderBsbyQ");
    TfrmOrderTJ composite;
    shoot(composite, "TfrmOrderTJ");
    TfrmTjSupplier supplierStats;
    shoot(supplierStats, "TfrmTjSupplier");
    TfrmTjSale saleStats;
    shoot(saleStats, "TfrmTjSale");
}

} // namespace
