#include "documents/tradekind.h"
#include "reportbook.h"
#include "reports/ui/rowtint.h"
#include "reports/ui/tfrmordertj.h"
#include "support/drive.h"

#include <QDateEdit>
#include <QTableView>

namespace {

class CompositeQuery : public ReportBook {
protected:
    void SetUp() override {
        ReportBook::SetUp();
        postTrade(TradeKindId::Purchase, "CJ20260301", QDate(2026, 3, 1), steelWorks,
                  {{pen, "10", "1"}});
        postTrade(TradeKindId::PurchaseReturn, "CT20260305", QDate(2026, 3, 5), steelWorks,
                  {{pen, "10", "1"}});
        postTrade(TradeKindId::Sale, "XS20260312", QDate(2026, 3, 12), shop,
                  {{ink, "15", "2"}, {steel, "30", "1"}});
        postTrade(TradeKindId::SaleReturn, "XT20260310", QDate(2026, 3, 10), shop,
                  {{ink, "15", "1"}});
        postTransfer("DB20260308", QDate(2026, 3, 8), {{pen, "1", "1"}});
        postLoss("BS20260302", QDate(2026, 3, 2), {{pen, "1", "1"}});
        postTrade(TradeKindId::Sale, "XS20260101", QDate(2026, 1, 1), shop, {{ink, "15", "2"}});
        frm = std::make_unique<TfrmOrderTJ>();
        window().show();
    }
    void TearDown() override {
        frm.reset();
        ReportBook::TearDown();
    }
    QTableView& list() { return drive::find<QTableView>(window(), "dgOrder"); }
    QStringList codes() { return column(list(), 1); }
    void find(const QString& fragment) {
        drive::type(window(), "txtOrderID", fragment);
        drive::click(window(), "btnFind");
    }
    std::unique_ptr<TfrmOrderTJ> frm;
    TfrmOrderTJ& window() { return *frm; }
};

TEST_F(CompositeQuery, ListsEveryKindOfTheLastMonthNewestFirst) {
    EXPECT_EQ(codes(), QStringList({"XS20260312", "XT20260310", "DB20260308", "CT20260305",
                                    "BS20260302", "CJ20260301"}));
    EXPECT_EQ(column(list(), 2),
              QStringList({"商品销售", "顾客退货", "库存调拨", "采购退货", "报损", "采购进货"}));
    EXPECT_EQ(titles(list()), QStringList({"日期", "单据号", "单据类型", "经办人"}));
    EXPECT_EQ(labelOf(window(), "txtOrderID"), "单据号：");
}

TEST_F(CompositeQuery, TheCodeFragmentMatchesOnlyTheBeginning) {
    find("CT");
    EXPECT_EQ(codes(), QStringList({"CT20260305"}));
    find("0312");
    EXPECT_EQ(codes(), QStringList());
    find(" xs ");
    EXPECT_EQ(codes(), QStringList({"XS20260312"}));
    drive::find<QDateEdit>(window(), "dtbegin").setDate(QDate(2026, 1, 1));
    drive::click(window(), "btnFind");
    EXPECT_EQ(codes(), QStringList({"XS20260312", "XS20260101"}));
}

TEST_F(CompositeQuery, TitleClicksSortDescendingFirstThenAscendingUntilShownAgain) {
    clickTitle(list(), 1);
    EXPECT_EQ(codes().first(), "XT20260310");
    EXPECT_EQ(codes().last(), "BS20260302");
    clickTitle(list(), 1);
    EXPECT_EQ(codes().first(), "BS20260302");
    clickTitle(list(), 3); // any column flips the direction again
    clickTitle(list(), 1);
    EXPECT_EQ(codes().first(), "BS20260302");

    window().close();
    window().show();
    EXPECT_EQ(codes().first(), "XS20260312"); // newest first again
    clickTitle(list(), 1);
    EXPECT_EQ(codes().first(), "XT20260310");
}

TEST_F(CompositeQuery, PurchasesAndSaleReturnsAreRed) {
    auto* tint = qobject_cast<RowTint*>(list().itemDelegate());
    ASSERT_NE(tint, nullptr);
    QStringList red;
    for (int r = 0; r < list().model()->rowCount(); ++r)
        if (tint->isRed(list().model()->index(r, 0)))
            red << list().model()->index(r, 1).data().toString();
    EXPECT_EQ(red, QStringList({"XT20260310", "CJ20260301"}));
    EXPECT_EQ(tint->alignment(list().model()->index(0, 0)), Qt::AlignCenter);
    EXPECT_EQ(tint->alignment(list().model()->index(0, 2)), Qt::AlignCenter);
}

TEST_F(CompositeQuery, ClickingADocumentListsItsLines) {
    clickRow(list(), 0);
    QTableView& lines = drive::find<QTableView>(window(), "dgOrderDetails");
    EXPECT_EQ(column(lines, 1), QStringList({"墨水", "钢板"}));
    EXPECT_EQ(column(lines, 4), QStringList({"￥15.00", "￥30.00"}));
    EXPECT_EQ(column(lines, 6), QStringList({"￥30.00", "￥30.00"}));
    // A new search lists other rows, none selected: the lines go with the selection.
    find("CJ");
    EXPECT_EQ(lines.model()->rowCount(), 0);
}

// Codes are unique within a kind: a code typed by hand for a sale may be a purchase's, a
// transfer's and a loss's too, and each document lists its own lines only.
TEST_F(CompositeQuery, DocumentsOfSeveralKindsUnderOneCodeEachListTheirOwnLines) {
    postTrade(TradeKindId::Purchase, "A100", QDate(2026, 3, 14), steelWorks, {{pen, "10", "5"}});
    postTrade(TradeKindId::Sale, "a100", QDate(2026, 3, 13), shop, {{ink, "15", "2"}});
    postTransfer("A100", QDate(2026, 3, 12), {{steel, "1", "3"}});
    postOverflow("A100", QDate(2026, 3, 11), {{ink, "1", "4"}});
    find("A100");
    EXPECT_EQ(column(list(), 2), QStringList({"采购进货", "商品销售", "库存调拨", "报溢"}));
    QTableView& lines = drive::find<QTableView>(window(), "dgOrderDetails");
    const QStringList expected[] = {{"钢笔"}, {"墨水"}, {"钢板"}, {"墨水"}};
    for (int row = 0; row < 4; ++row) {
        clickRow(list(), row);
        EXPECT_EQ(column(lines, 1), expected[row]) << row;
    }
    EXPECT_EQ(column(lines, 5), QStringList({"4"}));
}

} // namespace
