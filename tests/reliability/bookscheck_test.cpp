#include "accounts/settlement.h"
#include "core/dberror.h"
#include "core/sysdata.h"
#include "documents/bookscheck.h"
#include "documents/tradeposting.h"
#include "support/booktest.h"
#include "support/postedbook.h"

namespace {

class BooksCheck : public OnEngines<PostedBook<BookTest>> {
protected:
    void postSome() {
        post(TradeKindId::Purchase, "CJ1", {{pen, "12.5", "4"}, {ink, "3", "10"}}, "20");
        post(TradeKindId::PurchaseReturn, "CT1", {{ink, "3", "2"}}, "");
        post(TradeKindId::Sale, "XS1", {{pen, "19.99", "3"}}, "50");
        post(TradeKindId::SaleReturn, "XT1", {{pen, "19.99", "1"}}, "19.99");
    }

    std::vector<BooksDifference> check() { return checkBooks(sysData->myCon); }

    // The only difference found, failing (with all of them) when there is not exactly one.
    BooksDifference only() {
        const auto found = check();
        if (found.size() == 1)
            return found.front();
        ADD_FAILURE() << found.size() << " differences";
        for (const auto& d : found)
            ADD_FAILURE() << d.text().toStdString();
        return {};
    }
};

TEST_P(BooksCheck, FindsNothingInANewBookOrAfterPostingEveryKind) {
    EXPECT_TRUE(check().empty());
    postSome();
    EXPECT_EQ(number(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(pen)), 2);
    const auto found = check();
    for (const auto& d : found)
        ADD_FAILURE() << d.text().toStdString();
}

TEST_P(BooksCheck, ReportsAProductWhoseStockWasMovedWithoutADocument) {
    postSome();
    exec(QStringLiteral("UPDATE Fproduct SET sumCount=sumCount+0.5 WHERE prodID=%1").arg(ink));
    const auto found = check();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, BooksDifference::Kind::Stock);
    EXPECT_EQ(found[0].table, "Fproduct");
    EXPECT_EQ(found[0].key, QString::number(ink));
    EXPECT_EQ(found[0].claimed, "8.5");
    EXPECT_EQ(found[0].recomputed, "8");
}

TEST_P(BooksCheck, ReportsStockLeftBehindByALostLineAndAProductWithoutDocuments) {
    postSome();
    exec("DELETE FROM OrderPurTD");
    const long long glue = addProduct("胶");
    exec(QStringLiteral("UPDATE Fproduct SET sumCount=7 WHERE prodID=%1").arg(glue));
    const auto found = check();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].key, QString::number(ink));
    EXPECT_EQ(found[0].claimed, "8");
    EXPECT_EQ(found[0].recomputed, "10");
    EXPECT_EQ(found[1].key, QString::number(glue));
    EXPECT_EQ(found[1].recomputed, "0");
}

TEST_P(BooksCheck, ComparesBalancesToTheCentWithEachKindsSign) {
    postSome();
    // Supplier: 80 - 20 owed, 6 returned unpaid; customer: 59.97 - 50, 19.99 returned and refunded.
    EXPECT_EQ(
        number(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(supplier)),
        54);
    exec(QStringLiteral("UPDATE Fsupplier SET exchMoney=exchMoney+0.004 WHERE compID=%1")
             .arg(supplier));
    EXPECT_TRUE(check().empty()) << "less than half a cent is not a difference";
    exec(QStringLiteral("UPDATE Fcustomer SET exchMoney=exchMoney-0.01 WHERE compID=%1")
             .arg(customer));
    const BooksDifference d = only();
    EXPECT_EQ(d.kind, BooksDifference::Kind::Balance);
    EXPECT_EQ(d.table, "Fcustomer");
    EXPECT_EQ(d.key, QString::number(customer));
    EXPECT_EQ(d.claimed, "9.96");
    EXPECT_EQ(d.recomputed, "9.97");
}

TEST_P(BooksCheck, TakesTheRecordedSettlementsOffTheBalancesAndNothingElse) {
    postSome();
    const long long fresh = addCustomer("丁");
    for (const auto& [kind, comp, amount] :
         std::vector<std::tuple<QString, long long, QString>>{{"1", supplier, "20"},
                                                              {"1", supplier, "4.5"},
                                                              {"2", customer, "-5.01"},
                                                              {"2", fresh, "7"}})
        ASSERT_EQ(accounts::settleBalance(kind, QString::number(comp), amount),
                  accounts::Write::Done);
    // Every settlement is recorded with the balance it lowered: the books agree.
    EXPECT_TRUE(check().empty());
    EXPECT_EQ(count("FSettle"), 4);
    // A balance lowered without a record, or a record without its settlement, is a difference.
    exec(QStringLiteral("UPDATE Fcustomer SET exchMoney=exchMoney-0.01 WHERE compID=%1")
             .arg(customer));
    exec("INSERT INTO FSettle(compTable, compID, sumMoney) VALUES('Fsupplier', 1, 1)");
    QStringList notes;
    for (const auto& d : check())
        notes << d.table + ' ' + d.key + ' ' + d.claimed + '/' + d.recomputed;
    EXPECT_EQ(notes, QStringList({QStringLiteral("Fcustomer %1 14.97/14.98").arg(customer),
                                  "Fsupplier 1 0/-1"}));
}

TEST_P(BooksCheck, ReportsMoneyOwedOnDocumentsOfAMissingCounterpart) {
    postSome();
    exec(QStringLiteral("DELETE FROM Fsupplier WHERE compID=%1").arg(supplier));
    const BooksDifference d = only();
    EXPECT_EQ(d.table, "Fsupplier");
    EXPECT_EQ(d.claimed, "");
    EXPECT_EQ(d.recomputed, "54");
    EXPECT_EQ(d.note, "单据的往来单位不存在");
}

TEST_P(BooksCheck, ReportsAMissingADoubledAndAWrongJournalRow) {
    postSome();
    exec("DELETE FROM FitemBank WHERE orderCode='CJ1'");
    exec("INSERT INTO FitemBank(optDate,orderCode,orderType,sumMoney,itmID) "
         "SELECT optDate,orderCode,orderType,sumMoney,itmID FROM FitemBank WHERE orderCode='CT1'");
    exec("UPDATE FitemBank SET sumMoney=-59.97 WHERE orderCode='XS1'");
    const auto found = check();
    QStringList notes;
    for (const auto& d : found)
        notes << d.table + ' ' + d.key + ' ' + d.note;
    EXPECT_EQ(notes, QStringList({"OrderPur CJ1 单据没有流水", "OrderPurT CT1 单据有2条流水",
                                  "OrderSale XS1 流水金额与单据不符"}));
}

// A document's money goes through the cash account; its row moved into another account
// leaves both balances agreeing with their rows, but not with the document.
TEST_P(BooksCheck, ReportsADocumentsJournalRowInAnotherAccount) {
    postSome();
    exec("INSERT INTO Fitem(itmName) VALUES('工商银行')");
    exec("UPDATE FitemBank SET itmID=(SELECT itmID FROM Fitem WHERE itmName='工商银行') "
         "WHERE orderCode='XS1'");
    QStringList notes;
    for (const auto& d : check())
        notes << d.table + ' ' + d.key + ' ' + d.note;
    EXPECT_EQ(notes, QStringList({"OrderSale XS1 流水不在现金账户"}));
}

TEST_P(BooksCheck, ReportsAJournalRowWithoutItsDocumentAndARowOnAMissingAccount) {
    postSome();
    exec("DELETE FROM OrderSaleT");
    exec("DELETE FROM OrderSaleTD");
    exec("INSERT INTO FitemBank(optDate,orderType,sumMoney,itmID) "
         "VALUES('2026-03-15','现金进款',5,9)");
    const auto found = check();
    QStringList notes;
    for (const auto& d : found)
        notes << d.table + ' ' + d.key + ' ' + d.note + ' ' + d.claimed + '/' + d.recomputed;
    // The lost sale return also leaves its stock and its refund behind.
    EXPECT_EQ(notes,
              QStringList({QStringLiteral("Fproduct %1 库存数量与单据不符 2/1").arg(pen),
                           "Fitem 9 流水的账户不存在 /5", "OrderSaleT XT1 流水没有单据 -19.99/"}));
}

TEST_P(BooksCheck, MatchesJournalCodesWithoutCaseAndListsEachRowWithoutItsDocument) {
    postSome();
    exec("UPDATE FitemBank SET orderCode='xs1' WHERE orderCode='XS1'");
    EXPECT_TRUE(check().empty());

    const QString sale = tradeKind(TradeKindId::Sale).journalType;
    for (const char* amount : {"5", "6"})
        exec(QStringLiteral("INSERT INTO FitemBank(optDate,orderCode,orderType,sumMoney,itmID) "
                            "VALUES('2026-03-15','XS9','%1',%2,1)")
                 .arg(sale, amount));
    // A row of another kind under a sale's code is not the sale's.
    exec("UPDATE FitemBank SET orderCode='XS1' WHERE orderCode='CT1'");
    QStringList notes;
    for (const auto& d : check())
        if (d.kind == BooksDifference::Kind::Journal)
            notes << d.table + ' ' + d.key + ' ' + d.note + ' ' + d.claimed;
    notes.sort();
    EXPECT_EQ(notes, QStringList({"OrderPurT CT1 单据没有流水 ", "OrderPurT XS1 流水没有单据 6",
                                  "OrderSale XS9 流水没有单据 5", "OrderSale XS9 流水没有单据 6"}));
}

TEST_P(BooksCheck, ReportsAStockBeyondExactRangeAndTheBookRefusesAnInfiniteOne) {
    postSome();
    EXPECT_THROW(
        exec(QStringLiteral("UPDATE Fproduct SET sumCount=9e999 WHERE prodID=%1").arg(pen)),
        DbError);
    exec(QStringLiteral("UPDATE Fproduct SET sumCount=1e300 WHERE prodID=%1").arg(pen));
    const BooksDifference d = only();
    EXPECT_EQ(d.key, QString::number(pen));
    EXPECT_EQ(d.claimed, "1e+300");
    EXPECT_EQ(d.recomputed, "2");
}

TEST(BooksDifference, ReadsAsOneLine) {
    const BooksDifference d{BooksDifference::Kind::Stock, "Fproduct", "3",    "8.5", "8",
                            "库存数量与单据不符",         "墨",       "BH-墨"};
    EXPECT_EQ(d.text(), "Fproduct 3: 库存数量与单据不符 (账面 8.5, 按单据 8)");
}

INSTANTIATE_ON_BOTH_ENGINES(BooksCheck);

} // namespace
