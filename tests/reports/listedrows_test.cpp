#include "documents/tradekind.h"
#include "reportbook.h"
#include "reports/ui/querywindows.h"
#include "reports/ui/tfrmordertj.h"
#include "reports/ui/tradestatswindows.h"
#include "support/drive.h"

#include <QTableView>

namespace {

// Every query and statistics window over one book with a document of each kind: the list
// holds the documents of the window's kinds, and a click on one of them lists its lines.
class ReportWindows : public ReportBook {
protected:
    void SetUp() override {
        ReportBook::SetUp();
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
        postOverflow("BY202630816", QDate(2026, 3, 8), {{pen, "10", "2"}});
    }

    enum class Order { Any, AsGiven };
    // Shows the window: its list's code column must hold the codes (top to bottom, when the
    // window promises an order), and a click on the document of the code given must list the
    // products of its lines.
    void expectListed(QWidget& window, QStringList codes, const QString& clicked,
                      const QStringList& lines, Order order = Order::Any) {
        const char* name = window.metaObject()->className();
        window.show();
        QTableView& list = drive::find<QTableView>(window, "dgOrder");
        QTableView& details = drive::find<QTableView>(window, "dgOrderDetails");
        QStringList shown = column(list, titles(list).indexOf("单据号"));
        const qsizetype row = shown.indexOf(clicked);
        if (order == Order::Any) {
            shown.sort();
            codes.sort();
        }
        EXPECT_EQ(shown, codes) << name;
        if (row >= 0)
            clickRow(list, int(row));
        EXPECT_EQ(column(details, titles(details).indexOf("商品名称")), lines) << name;
        window.close();
    }
};

TEST_F(ReportWindows, EveryWindowListsTheDocumentsOfItsKindsAndTheLinesOfTheOneClicked) {
    TfrmTjPurQ purchases;
    expectListed(purchases, {"CJ2026311958"}, "CJ2026311958", {"钢板", "钢笔"});
    TfrmOrderSaleQ sales;
    expectListed(sales, {"XS202631310"}, "XS202631310", {"钢笔", "墨水"});
    TfrmOrderPurTQ purchaseReturns;
    expectListed(purchaseReturns, {"CT202631210"}, "CT202631210", {"钢板"});
    TfrmOrderSaleTQ saleReturns;
    expectListed(saleReturns, {"XT202631411"}, "XT202631411", {"墨水"});
    TfrmOrderDBQ transfers;
    expectListed(transfers, {"DB202631012"}, "DB202631012", {"钢笔"});
    TfrmOrderBsbyQ losses;
    expectListed(losses, {"BS202630915", "BY202630816"}, "BY202630816", {"钢笔"});
    TfrmOrderTJ composite; // newest first
    expectListed(composite,
                 {"XT202631411", "XS202631310", "CT202631210", "CJ2026311958", "DB202631012",
                  "BS202630915", "BY202630816"},
                 "BS202630915", {"墨水"}, Order::AsGiven);
    TfrmTjSupplier supplierStats;
    expectListed(supplierStats, {"CJ2026311958", "CT202631210"}, "CT202631210", {"钢板"});
    TfrmTjSale saleStats;
    expectListed(saleStats, {"XS202631310", "XT202631411"}, "XS202631310", {"钢笔", "墨水"});
}

} // namespace
