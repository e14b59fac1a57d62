#include "core/sysdata.h"
#include "documents/tradekind.h"
#include "reportbook.h"
#include "reports/querykind.h"
#include "reports/ui/querywindows.h"
#include "reports/voiding.h"
#include "support/drive.h"

#include <QDateEdit>
#include <QTableView>
#include <QToolButton>

namespace {

const QDate kDay(2026, 3, 10);

class Voiding : public ReportBook {
protected:
    double stockOf(long long product) {
        return number(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(product));
    }
    QString supplierBalance(long long comp) {
        return scalar(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(comp));
    }
};

struct KindCase {
    QueryKindId id;
    const char* code;
};

void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.code;
}

class VoidingEveryKind : public Voiding, public ::testing::WithParamInterface<KindCase> {
protected:
    // One document of the case's kind whose amounts drift in binary fractions: 0.1 of a
    // product whose stock is 0.3, a balance of 0.3 moved by 0.1.
    void postOne(QDate day = kDay, const QString& inkCount = "3") {
        const QString code = GetParam().code;
        const std::vector<Line> lines{{pen, "1", "0.1"}, {ink, "2.5", inkCount}, {pen, "1", "0.2"}};
        switch (GetParam().id) {
        case QueryKindId::Purchase:
            return postTrade(TradeKindId::Purchase, code, day, steelWorks, lines, "7.4");
        case QueryKindId::PurchaseReturn:
            return postTrade(TradeKindId::PurchaseReturn, code, day, steelWorks, lines, "0.2");
        case QueryKindId::Sale:
            return postTrade(TradeKindId::Sale, code, day, shop, lines, "0.3");
        case QueryKindId::SaleReturn:
            return postTrade(TradeKindId::SaleReturn, code, day, shop, lines);
        case QueryKindId::Transfer:
            return postTransfer(code, day, lines);
        case QueryKindId::LossOverflow:
            return code.startsWith("BS") ? postLoss(code, day, lines)
                                         : postOverflow(code, day, lines);
        }
    }
};

TEST_P(VoidingEveryKind, PostingThenVoidingLeavesEveryTotalAndViewAsBefore) {
    // Earlier business: stock, balances and cash that are not whole numbers.
    postTrade(TradeKindId::Purchase, "CJ-OLD", QDate(2026, 1, 5), steelWorks,
              {{pen, "1", "0.3"}, {ink, "1", "0.3"}}, "0.3");
    postTrade(TradeKindId::Sale, "XS-OLD", QDate(2026, 1, 6), shop, {{ink, "0.1", "1"}});
    exec("UPDATE Fsupplier SET exchMoney=0.3");
    exec("UPDATE Fcustomer SET exchMoney=0.3");
    const QString before = totals();

    postOne();
    ASSERT_NE(totals(), before);

    TfrmOrderQuery window(queryKind(GetParam().id));
    select(window, GetParam().code);
    voidIt(window);

    EXPECT_EQ(totals(), before);
    ASSERT_EQ(messages_.shown().size(), 1u) << "no message but the question";
    EXPECT_EQ(messages_.shown()[0].form, ScriptedMessages::Form::CautiousQuestion);
    EXPECT_EQ(messages_.shown()[0].text,
              QStringLiteral("确定要作废单据：\"%1\" 吗？").arg(GetParam().code));
    EXPECT_EQ(messages_.shown()[0].caption, "信息提示");
    EXPECT_EQ(drive::find<QTableView>(window, "dgOrder").model()->rowCount(), 0);
    EXPECT_EQ(drive::find<QTableView>(window, "dgOrderDetails").model()->rowCount(), 0);
    EXPECT_EQ(count(QStringLiteral("%1 WHERE orderID='%2'")
                        .arg(queryKind(GetParam().id).headerTable, GetParam().code)),
              0);
}

TEST_P(VoidingEveryKind, AVoidedDocumentCannotBeVoidedAgain) {
    postOne();
    TfrmOrderQuery window(queryKind(GetParam().id));
    select(window, GetParam().code);
    // Voided elsewhere after the row was clicked (by another query window of the same kind).
    ASSERT_TRUE(voidDocument(queryKind(GetParam().id), GetParam().code));
    const QString after = totals();

    voidIt(window);
    EXPECT_EQ(totals(), after);
    EXPECT_FALSE(voidDocument(queryKind(GetParam().id), GetParam().code));
    EXPECT_EQ(totals(), after);
}

// Another counter voided the listed document, then typed the mended one under its code: a
// quantity put right, or the same lines on another day.
TEST_P(VoidingEveryKind, ACodeThatNowNamesAnotherDocumentIsNotVoided) {
    for (const bool otherDay : {false, true}) {
        SCOPED_TRACE(otherDay ? "another day" : "another quantity");
        postOne();
        TfrmOrderQuery window(queryKind(GetParam().id));
        select(window, GetParam().code);
        ASSERT_TRUE(voidDocument(queryKind(GetParam().id), GetParam().code));
        otherDay ? postOne(kDay.addDays(-1)) : postOne(kDay, "4");
        const QString retyped = totals();

        messages_.clear();
        voidIt(window);
        EXPECT_EQ(messages_.last(), QStringLiteral("单据\"%1\"已被其他用户作废，此单据号现已是"
                                                   "另一张单据，请核对刷新后的单据列表！")
                                        .arg(GetParam().code));
        EXPECT_EQ(totals(), retyped);
        EXPECT_EQ(count(QStringLiteral("%1 WHERE orderID='%2'")
                            .arg(queryKind(GetParam().id).headerTable, GetParam().code)),
                  1);
        ASSERT_TRUE(voidDocument(queryKind(GetParam().id), GetParam().code));
    }
}

TEST_P(VoidingEveryKind, AFailureMidwayUndoesEveryStatement) {
    postOne();
    const QString before = totals();
    const long long lines = count(queryKind(GetParam().id).lineTable);
    // The last statement of each kind's voiding fails.
    const char* last = GetParam().id == QueryKindId::Transfer       ? "DELETE ON OrderDBD"
                       : GetParam().id == QueryKindId::LossOverflow ? "UPDATE ON Fproduct"
                                                                    : "DELETE ON FitemBank";
    exec(
        QStringLiteral("CREATE TRIGGER failing BEFORE %1 BEGIN SELECT RAISE(ABORT,'磁盘已满'); END")
            .arg(last));

    TfrmOrderQuery window(queryKind(GetParam().id));
    select(window, GetParam().code);
    voidIt(window);

    ASSERT_NE(messages_.lastShown(), nullptr);
    EXPECT_EQ(messages_.lastShown()->form, ScriptedMessages::Form::ErrorReport);
    EXPECT_EQ(totals(), before);
    EXPECT_EQ(count(queryKind(GetParam().id).lineTable), lines);
    EXPECT_EQ(drive::find<QTableView>(window, "dgOrder").model()->rowCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(, VoidingEveryKind,
                         ::testing::Values(KindCase{QueryKindId::Purchase, "CJ2026310"},
                                           KindCase{QueryKindId::PurchaseReturn, "CT2026310"},
                                           KindCase{QueryKindId::Sale, "XS2026310"},
                                           KindCase{QueryKindId::SaleReturn, "XT2026310"},
                                           KindCase{QueryKindId::Transfer, "DB2026310"},
                                           KindCase{QueryKindId::LossOverflow, "BS2026310"},
                                           KindCase{QueryKindId::LossOverflow, "BY2026310"}));

TEST_F(Voiding, APurchaseTakesBackItsStockTheUnpaidPartAndItsJournalRow) {
    postTrade(TradeKindId::Purchase, "CJ1", kDay, steelWorks,
              {{pen, "10", "5"}, {ink, "20", "2.5"}}, "40");
    ASSERT_EQ(supplierBalance(steelWorks), "60");
    ASSERT_EQ(count("FitemBank WHERE orderCode='CJ1'"), 1);

    TfrmTjPurQ window;
    select(window, "CJ1");
    EXPECT_EQ(column(drive::find<QTableView>(window, "dgOrderDetails"), 1),
              QStringList({"钢笔", "墨水"}));
    voidIt(window);

    EXPECT_EQ(stockOf(pen), 0);
    EXPECT_EQ(stockOf(ink), 0);
    EXPECT_EQ(supplierBalance(steelWorks), "0");
    EXPECT_EQ(count("FitemBank"), 0);
    EXPECT_EQ(count("OrderPur"), 0);
    EXPECT_EQ(count("OrderPurD"), 0);
}

// Kept as binary fractions, 0.3 + 0.4 − 0.4 is 0.29999999999999993: taking the 0.3 back left
// −7E-17 in stock and in the balance, shown red as a stock below nothing.
TEST_F(Voiding, ATotalThatComesBackToNothingIsExactlyNothing) {
    postTrade(TradeKindId::Purchase, "CJ1", kDay, steelWorks, {{pen, "1", "0.3"}});
    postTrade(TradeKindId::Purchase, "CJ2", kDay, steelWorks, {{pen, "1", "0.4"}});
    postTrade(TradeKindId::PurchaseReturn, "CT1", kDay, steelWorks, {{pen, "1", "0.4"}});
    TfrmTjPurQ window;
    select(window, "CJ1");
    voidIt(window);
    EXPECT_EQ(scalar(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(pen)),
              "0");
    EXPECT_EQ(supplierBalance(steelWorks), "0");
}

TEST_F(Voiding, AProductOnTwoLinesIsTakenBackTwice) {
    postTrade(TradeKindId::Sale, "XS1", kDay, shop, {{pen, "15", "2"}, {pen, "15", "3"}});
    ASSERT_EQ(stockOf(pen), -5);
    TfrmOrderSaleQ window;
    select(window, "XS1");
    voidIt(window);
    EXPECT_EQ(stockOf(pen), 0);
}

TEST_F(Voiding, ALossRaisesStockAndAnOverflowLowersIt) {
    postLoss("BS1", kDay, {{pen, "1", "3"}});
    postOverflow("BY1", kDay, {{ink, "1", "4"}});
    TfrmOrderBsbyQ window;
    select(window, "BS1");
    voidIt(window);
    EXPECT_EQ(stockOf(pen), 0);
    EXPECT_EQ(stockOf(ink), 4);
    select(window, "BY1");
    voidIt(window);
    EXPECT_EQ(stockOf(ink), 0);
}

TEST_F(Voiding, ATransferLosesOnlyItsOwnRows) {
    postTransfer("DB1", kDay, {{pen, "1", "3"}});
    postTransfer("DB2", kDay, {{pen, "1", "1"}});
    TfrmOrderDBQ window;
    select(window, "DB1");
    voidIt(window);
    EXPECT_EQ(count("OrderDB"), 1);
    EXPECT_EQ(count("OrderDBD WHERE orderID='DB2'"), 1);
    EXPECT_EQ(count("OrderDBD"), 1);
    EXPECT_EQ(stockOf(pen), 0);
}

TEST_F(Voiding, CancelChangesNothing) {
    postTrade(TradeKindId::PurchaseReturn, "CT1", kDay, steelWorks, {{pen, "10", "1"}});
    const QString before = totals();
    TfrmOrderPurTQ window;
    select(window, "CT1");
    messages_.answerCancel();
    drive::click(window, "tlDel");
    EXPECT_EQ(totals(), before);
    EXPECT_EQ(count("OrderPurT"), 1);
    EXPECT_EQ(drive::find<QTableView>(window, "dgOrderDetails").model()->rowCount(), 1);
}

TEST_F(Voiding, WithoutASelectionOrASecondTimeTheWindowAsksForOne) {
    postTrade(TradeKindId::SaleReturn, "XT1", kDay, shop, {{pen, "10", "1"}});
    TfrmOrderSaleTQ window;
    window.show();
    drive::click(window, "tlDel");
    EXPECT_EQ(messages_.last(), "请选择要作废的单据！");

    select(window, "XT1");
    voidIt(window);
    messages_.clear();
    drive::click(window, "tlDel");
    EXPECT_EQ(messages_.texts(), QStringList({"请选择要作废的单据！"}));
}

TEST_F(Voiding, AfterASearchOnlyARowSelectedInTheNewListIsVoided) {
    postTrade(TradeKindId::Sale, "XS1", kDay, shop, {{pen, "10", "1"}});
    postTrade(TradeKindId::Sale, "XS2", QDate(2026, 1, 2), school, {{ink, "10", "2"}});
    TfrmOrderSaleQ window;
    select(window, "XS1");
    drive::find<QDateEdit>(window, "dtbegin").setDate(QDate(2026, 1, 1));
    drive::find<QDateEdit>(window, "dtEnd").setDate(QDate(2026, 1, 31));
    drive::type(window, "txtOrderID", "");
    drive::click(window, "btnFind");
    ASSERT_EQ(column(drive::find<QTableView>(window, "dgOrder"), 1), QStringList({"XS2"}));

    drive::click(window, "tlDel"); // XS1 is no longer on screen: nothing is selected
    EXPECT_EQ(messages_.last(), "请选择要作废的单据！");
    EXPECT_EQ(count("OrderSale"), 2);

    clickRow(drive::find<QTableView>(window, "dgOrder"), 0);
    voidIt(window);
    EXPECT_EQ(count("OrderSale WHERE orderID='XS1'"), 1);
    EXPECT_EQ(count("OrderSale WHERE orderID='XS2'"), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT exchMoney FROM Fcustomer WHERE compID=%1").arg(shop)),
              "10");
    EXPECT_EQ(scalar(QStringLiteral("SELECT exchMoney FROM Fcustomer WHERE compID=%1").arg(school)),
              "0");
    EXPECT_EQ(stockOf(ink), 0);
}

TEST_F(Voiding, AnotherKindsJournalRowWithTheSameCodeStays) {
    // The codes can be typed over, so a purchase and a sale may share one.
    postTrade(TradeKindId::Purchase, "D-1", kDay, steelWorks, {{pen, "10", "1"}});
    postTrade(TradeKindId::Sale, "D-1", kDay, shop, {{pen, "15", "1"}});
    TfrmTjPurQ window;
    select(window, "D-1");
    voidIt(window);
    EXPECT_EQ(count("FitemBank"), 1);
    EXPECT_EQ(scalar("SELECT orderType FROM FitemBank"), "商品销售");
}

TEST_F(Voiding, StockCountCorrectionsAreNeitherListedNorVoided) {
    exec(QStringLiteral("INSERT INTO OrderBsBy(orderID,houseID,empName,orderType,optDate) "
                        "VALUES('PD1',%1,NULL,'盘点','2026-03-10')")
             .arg(north));
    exec(QStringLiteral("INSERT INTO OrderBsByD(orderID,prodID,pcount) VALUES('PD1',%1,-2)")
             .arg(pen));
    postLoss("BS1", kDay, {{pen, "1", "1"}});
    TfrmOrderBsbyQ window;
    window.show();
    EXPECT_EQ(column(drive::find<QTableView>(window, "dgOrder"), 1), QStringList({"BS1"}));
    EXPECT_FALSE(voidDocument(queryKind(QueryKindId::LossOverflow), "PD1"));
    EXPECT_EQ(count("OrderBsBy WHERE orderID='PD1'"), 1);
    EXPECT_EQ(count("OrderBsByD WHERE orderID='PD1'"), 1);
}

} // namespace
