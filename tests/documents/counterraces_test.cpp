#include "core/sysdata.h"
#include "documents/documentheader.h"
#include "documents/stockcount.h"
#include "documents/stockposting.h"
#include "documents/tradeposting.h"
#include "reports/querykind.h"
#include "reports/voiding.h"
#include "support/booktest.h"
#include "support/othercounter.h"
#include "support/tradedocuments.h"

#include <chrono>
#include <future>
#include <memory>

// Two counters at one moment: the other counter's transaction is held open on the book while
// this counter's procedure runs, so the procedure must wait for it and then act on the book as
// the other left it, never on what it saw before.
namespace {

using namespace std::chrono_literals;

class CounterRaces : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        house = addHouse("总库");
        pen = addProduct("笔");
        pencil = addProduct("铅笔");
        customer = addCustomer("乙商店");
    }

    TradeDocument sale(const QString& code) const {
        // 2 pens and 3 pencils
        TradeDocument d = tradeDocument(code, {house, "总库"}, {customer, "乙商店"},
                                        {{pen, "10", "2"}, {pencil, "10", "3"}});
        d.codeOrigin = documents::CodeOrigin{"XS", kNow};
        d.date = kNow.date();
        d.cell(1, 3) = "笔";
        d.cell(2, 3) = "铅笔";
        d.money = "0";
        return d;
    }
    QString windowCode() const { return documents::documentCode("XS", kNow); }

    PostResult postSale(const TradeDocument& d) {
        messages_.answerOk();
        return postTradeDocument(tradeKind(TradeKindId::Sale), d);
    }

    OtherCounter otherCounter() { return OtherCounter(anotherCounter(), anotherCounter()); }

    // A count of five pens, saved with its header.
    QString countOfFivePens() {
        const QString code = documents::documentCode("PD", kNow);
        EXPECT_EQ(stockcount::saveLine(
                      code, QString::number(pen), "0", "5",
                      stockcount::CountHeader{QString::number(house), "", "张三", kNow.date()}),
                  stockcount::LineResult::Saved);
        return code;
    }
    static void deleteCount(OtherCounter& other, const QString& code) {
        other.exec(QStringLiteral("DELETE FROM OrderPD WHERE orderID='%1'").arg(code));
        other.exec(QStringLiteral("DELETE FROM OrderPDD WHERE orderID='%1'").arg(code));
    }

    QString stock(long long product) {
        return scalar(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(product));
    }

    // A refused sale left nothing behind: no header, line or journal row, no stock moved.
    void expectNoSaleWritten() {
        EXPECT_EQ(count("OrderSale"), 0);
        EXPECT_EQ(count("OrderSaleD"), 0);
        EXPECT_EQ(count("FitemBank"), 0);
        EXPECT_EQ(stock(pen), "0");
    }

    long long house = 0, pen = 0, pencil = 0, customer = 0;
};

class CounterRacesOnEngines : public OnEngines<CounterRaces> {};

TEST_P(CounterRacesOnEngines, TwoCountersVoidingOneSaleTakeItsQuantitiesBackOnce) {
    ASSERT_EQ(postSale(sale(windowCode())), PostResult::Posted);
    ASSERT_EQ(stock(pen), "-2");
    OtherCounter other = otherCounter();
    // The other counter voids it first: header and lines gone, the stock taken back.
    other.exec(QStringLiteral("DELETE FROM OrderSale WHERE orderID='%1'").arg(windowCode()));
    other.exec(QStringLiteral("DELETE FROM OrderSaleD WHERE orderID='%1'").arg(windowCode()));
    other.exec(QStringLiteral("UPDATE Fproduct SET sumCount=sumCount+2 WHERE prodID=%1").arg(pen));
    other.exec(
        QStringLiteral("UPDATE Fproduct SET sumCount=sumCount+3 WHERE prodID=%1").arg(pencil));
    const bool voided = whileHeldBy(
        other, [&] { return voidDocument(queryKind(QueryKindId::Sale), windowCode()); });
    EXPECT_FALSE(voided);
    EXPECT_EQ(stock(pen), "0");
    EXPECT_EQ(stock(pencil), "0");
}

TEST_P(CounterRacesOnEngines, AVoidingKeepsTheStockAnotherCounterPostedMeanwhile) {
    ASSERT_EQ(postSale(sale(windowCode())), PostResult::Posted);
    OtherCounter other = otherCounter();
    // The other counter's posting of 5 pens holds the pen's row.
    other.exec(QStringLiteral("UPDATE Fproduct SET sumCount=sumCount+5 WHERE prodID=%1").arg(pen));
    EXPECT_TRUE(whileHeldBy(
        other, [&] { return voidDocument(queryKind(QueryKindId::Sale), windowCode()); }));
    EXPECT_EQ(stock(pen), "5") << "the voiding wrote back a stock it read before the other "
                                  "counter's posting committed";
    EXPECT_EQ(stock(pencil), "0");
}

TEST_P(CounterRacesOnEngines, ACountCorrectedAtAnotherCounterMeanwhileIsNotCorrectedAgain) {
    const QString code = countOfFivePens();
    OtherCounter other = otherCounter();
    deleteCount(other, code);
    other.exec(QStringLiteral("UPDATE Fproduct SET sumCount=sumCount+5 WHERE prodID=%1").arg(pen));
    const auto result = whileHeldBy(other, [&] {
        return stockcount::correctStock(code, QString::number(house), "2026-03-15",
                                        {{QString::number(pen), "0", "5"}});
    });
    EXPECT_EQ(result, stockcount::CorrectionResult::Gone);
    EXPECT_EQ(stock(pen), "5");
    EXPECT_EQ(count("OrderBsBy"), 0);
}

TEST_P(CounterRacesOnEngines, ACountWhoseLinesAnotherCounterChangedMeanwhileIsNotCorrected) {
    const QString code = countOfFivePens();
    const std::vector<stockcount::ShownLine> shown{{QString::number(pen), "0", "5"}};
    OtherCounter other = otherCounter();
    // Counted again there as 9 while this counter's person read 5 in the list.
    other.hold("OrderPD", "orderID", code, RowHold::Referenced);
    other.exec(QStringLiteral("UPDATE OrderPDD SET pdcount='9' WHERE orderID='%1'").arg(code));
    auto result = whileHeldBy(other, [&] {
        return stockcount::correctStock(code, QString::number(house), "2026-03-15", shown);
    });
    EXPECT_EQ(result, stockcount::CorrectionResult::Changed);
    EXPECT_EQ(stock(pen), "0");
    EXPECT_EQ(count("OrderBsBy"), 0);
    EXPECT_EQ(count("OrderPDD"), 1);

    // A line added there is as much a change, and so is a counted product deleted there.
    exec(QStringLiteral("INSERT INTO OrderPDD(orderID,prodID,pcount,pdcount) VALUES('%1',%2,0,1)")
             .arg(code)
             .arg(pencil));
    const std::vector<stockcount::ShownLine> relisted{{QString::number(pen), "0", "9"}};
    EXPECT_EQ(stockcount::correctStock(code, QString::number(house), "2026-03-15", relisted),
              stockcount::CorrectionResult::Changed);
    exec(QStringLiteral("DELETE FROM Fproduct WHERE prodID=%1").arg(pencil));
    const std::vector<stockcount::ShownLine> withPencil{{QString::number(pencil), "0", "1"},
                                                        {QString::number(pen), "0", "9"}};
    EXPECT_EQ(stockcount::correctStock(code, QString::number(house), "2026-03-15", withPencil),
              stockcount::CorrectionResult::Changed);
    EXPECT_EQ(stock(pen), "0");

    // The lines as the book lists them are corrected, their quantities compared as numbers.
    EXPECT_EQ(stockcount::correctStock(code, QString::number(house), "2026-03-15",
                                       {{QString::number(pen), "0.0", "9"}}),
              stockcount::CorrectionResult::Corrected);
    EXPECT_EQ(stock(pen), "9");
}

// A line deleted while another counter corrects by the count: the correction moved the stock
// by the line it had read, so the deletion must not pretend to have taken it out.
TEST_P(CounterRacesOnEngines, ALineDeletedFromACountCorrectedMeanwhileSaysTheCountIsGone) {
    const QString code = countOfFivePens();
    OtherCounter other = otherCounter();
    other.hold("OrderPD", "orderID", code, RowHold::Removed);
    deleteCount(other, code);
    const auto result =
        whileHeldBy(other, [&] { return stockcount::deleteLine(code, QString::number(pen)); });
    EXPECT_EQ(result, stockcount::LineDeletion::CountGone);
    EXPECT_EQ(stockcount::deleteLine(code, QString::number(pen)),
              stockcount::LineDeletion::CountGone);
}

TEST_P(CounterRacesOnEngines, ALineCountedIntoACountDeletedMeanwhileIsRefusedAndLeavesNoLine) {
    const QString code = countOfFivePens();
    OtherCounter other = otherCounter();
    deleteCount(other, code);
    const auto result = whileHeldBy(other, [&] {
        return stockcount::saveLine(code, QString::number(pencil), "0", "7", std::nullopt);
    });
    EXPECT_EQ(result, stockcount::LineResult::Gone);
    EXPECT_EQ(count("OrderPDD"), 0);
}

// Two counters counting one product of one warehouse into two new counts at once: each found
// no other count holding it, and a correction of both took its difference twice.
TEST_P(CounterRacesOnEngines, AProductCountedIntoAnotherCountMeanwhileIsRefusedWithItsCode) {
    const QString theirs = QStringLiteral("PD-甲");
    OtherCounter other = otherCounter();
    other.holdName(QStringLiteral("OrderPDD"),
                   QString::number(house) + u'/' + QString::number(pen));
    other.exec(QStringLiteral("INSERT INTO OrderPD(orderID,houseID,remark,userName,optDate) "
                              "VALUES('%1',%2,'','李四','2026-03-15')")
                   .arg(theirs)
                   .arg(house));
    other.exec(QStringLiteral("INSERT INTO OrderPDD(orderID,prodID,pcount,pdcount) "
                              "VALUES('%1',%2,0,4)")
                   .arg(theirs)
                   .arg(pen));
    QString written;
    const auto result = whileHeldBy(other, [&] {
        return stockcount::saveLine(
            QStringLiteral("PD-乙"), QString::number(pen), "0", "5",
            stockcount::CountHeader{QString::number(house), "", "张三", kNow.date()}, &written);
    });
    EXPECT_EQ(result, stockcount::LineResult::CountedElsewhere);
    EXPECT_EQ(written, theirs);
    EXPECT_EQ(count("OrderPD"), 1);
    EXPECT_EQ(count("OrderPDD"), 1);
}

TEST_P(CounterRacesOnEngines, ASaleOfAProductDeletedMeanwhileIsRefusedWithNothingWritten) {
    OtherCounter other = otherCounter();
    other.exec(QStringLiteral("DELETE FROM Fproduct WHERE prodID=%1").arg(pencil));
    const PostResult result = whileHeldBy(other, [&] { return postSale(sale(windowCode())); });
    EXPECT_EQ(result, PostResult::Failed);
    EXPECT_EQ(messages_.last(), "单据中的商品已被其他用户删除，单据未保存！");
    expectNoSaleWritten();
    EXPECT_EQ(
        scalar(QStringLiteral("SELECT exchMoney FROM Fcustomer WHERE compID=%1").arg(customer)),
        "0");
}

TEST_P(CounterRacesOnEngines, ASaleToACustomerDeletedMeanwhileIsRefusedOnCreditOrPaidInFull) {
    for (const bool paidInFull : {false, true}) {
        SCOPED_TRACE(paidInFull ? "paid in full" : "on credit");
        const long long gone = addCustomer(paidInFull ? "丙商店" : "丁商店");
        OtherCounter other = otherCounter();
        other.exec(QStringLiteral("DELETE FROM Fcustomer WHERE compID=%1").arg(gone));
        TradeDocument d = sale(windowCode());
        d.compID = QString::number(gone);
        d.money = paidInFull ? "50.00" : "0";
        const PostResult result = whileHeldBy(other, [&] { return postSale(d); });
        EXPECT_EQ(result, PostResult::Failed);
        EXPECT_EQ(messages_.last(), "往来单位已被其他用户删除，单据未保存！");
        expectNoSaleWritten();
    }
}

TEST_P(CounterRacesOnEngines, APostingIntoAWarehouseDeletedMeanwhileIsRefused) {
    const long long shop = addHouse("门店");
    OtherCounter other = otherCounter();
    other.exec(QStringLiteral("DELETE FROM Fhouse WHERE houseID=%1").arg(shop));
    TransferDocument transfer;
    transfer.houseOutName = "总库";
    transfer.houseOutID = QString::number(house);
    transfer.houseInName = "门店";
    transfer.houseInID = QString::number(shop);
    transfer.orderCode = documents::documentCode("DB", kNow);
    transfer.empName = "张三";
    transfer.date = kNow.date();
    transfer.cell(1, 1) = QString::number(pen);
    transfer.cell(1, 7) = "4";
    const auto result = whileHeldBy(other, [&] {
        messages_.answerOk();
        return saveTransfer(transfer);
    });
    EXPECT_EQ(result, StockSaveResult::Failed);
    EXPECT_EQ(messages_.last(), "仓库已被其他用户删除，单据未保存！");
    EXPECT_EQ(count("OrderDB"), 0);
    EXPECT_EQ(count("OrderDBD"), 0);
}

TEST_P(CounterRacesOnEngines, ACodeTheOtherCounterCommitsDuringTheSaveMovesOnToTheNextSecond) {
    OtherCounter other = otherCounter();
    other.exec(QStringLiteral("INSERT INTO OrderSale(orderID,houseID,empName,compID,optDate,"
                              "acMoney,coMoney) VALUES('%1',%2,'李四',%3,'2026-03-15',0,0)")
                   .arg(windowCode())
                   .arg(house)
                   .arg(customer));
    const PostResult result = whileHeldBy(other, [&] { return postSale(sale(windowCode())); });
    EXPECT_EQ(result, PostResult::Posted);
    const QString moved = documents::documentCode("XS", kNow.addSecs(1));
    EXPECT_EQ(messages_.last(),
              QStringLiteral("单据保存成功！\n单据号 %1 已被占用，本单据已存为 %2。")
                  .arg(windowCode(), moved));
    EXPECT_EQ(records("SELECT orderID,pcount FROM OrderSaleD ORDER BY pcount"),
              QStringList({moved + "|2", moved + "|3"}));
    EXPECT_EQ(stock(pen), "-2");
}

INSTANTIATE_ON_BOTH_ENGINES(CounterRacesOnEngines);

// The embedded book: another copy of the program holding the book longer than the engine
// waits is waited for again, unseen.
TEST_F(CounterRaces, ABookHeldPastTheEnginesWaitIsWaitedForAgainAndTheSaleIsSaved) {
    OtherCounter other = otherCounter();
    auto releasing = std::async(std::launch::async, [&] {
        std::this_thread::sleep_for(2500ms);
        other.commit();
    });
    EXPECT_EQ(postSale(sale(windowCode())), PostResult::Posted);
    releasing.get();
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(stock(pencil), "-3");
}

// What only a server shows: counters that work at the same moment instead of one after another.
class ServerCounterRaces : public CounterRaces {
protected:
    BookEngine engine() const override { return BookEngine::Server; }
};

// A deadlock with another counter (which takes two products in the other order) is undone by
// the server and the posting is run again, unseen.
TEST_F(ServerCounterRaces, APostingChosenAsADeadlocksVictimIsRunAgainAndSaved) {
    OtherCounter other = otherCounter();
    other.exec(QStringLiteral("UPDATE Fproduct SET remark='x' WHERE prodID=%1").arg(pencil));
    auto posting = std::async(std::launch::async, [&] { return postSale(sale(windowCode())); });
    other.awaitALockWait(posting);
    // The posting holds the pen and waits for the pencil; the other now wants the pen. The
    // posting, waiting longest, is the one the server undoes.
    other.exec(QStringLiteral("UPDATE Fproduct SET remark='y' WHERE prodID=%1").arg(pen));
    other.commit();
    EXPECT_EQ(posting.get(), PostResult::Posted);
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(stock(pen), "-2");
    EXPECT_EQ(stock(pencil), "-3");
    EXPECT_EQ(count("OrderSale"), 1);
}

// Every till sells to the casual customer, paid in full: one till's sale must not wait for the
// commit of another's sale to the same customer.
TEST_F(ServerCounterRaces, ASalePaidInFullDoesNotWaitForAnotherTillsSaleToTheSameCustomer) {
    OtherCounter other = otherCounter();
    // The other till's sale on credit to the same customer, not yet committed.
    other.exec(QStringLiteral("UPDATE Fcustomer SET exchMoney=exchMoney+30 WHERE compID=%1")
                   .arg(customer));
    TradeDocument d = sale(windowCode());
    d.money = "50.00";
    auto posting = std::async(std::launch::async, [&] { return postSale(d); });
    const bool wentAhead = posting.wait_for(10s) == std::future_status::ready;
    other.commit();
    EXPECT_TRUE(wentAhead) << "the sale paid in full waited for the other till's commit";
    EXPECT_EQ(posting.get(), PostResult::Posted);
    EXPECT_EQ(
        scalar(QStringLiteral("SELECT exchMoney FROM Fcustomer WHERE compID=%1").arg(customer)),
        "30");
    EXPECT_EQ(stock(pen), "-2");
}

// Every posting adds its journal row to the cash account's balance: one till's posting must not
// wait for the commit of another's.
TEST_F(ServerCounterRaces, APostingDoesNotWaitForAnotherTillsJournalRowOfTheSameAccount) {
    OtherCounter other = otherCounter();
    other.exec(QStringLiteral(
        "INSERT INTO FitemBank(optDate,orderCode,orderType,sumMoney,empName,compName,itmID,"
        "remark) VALUES('2026-03-15','XS-other','商品销售',30,'李四','丙商店',1,'')"));
    const long long otherTransaction = other.scalar("SELECT txid_current() AS v").toLongLong();
    auto posting = std::async(std::launch::async, [&] { return postSale(sale(windowCode())); });
    const bool wentAhead = posting.wait_for(10s) == std::future_status::ready;
    other.commit();
    EXPECT_EQ(posting.get(), PostResult::Posted);
    EXPECT_EQ(scalar("SELECT je FROM VitemBank WHERE itmID=1"), "80");
    // Transactions whose numbers are a multiple of 64 apart share a slot (other books on the
    // same server may bring that about now and then), and then the second does wait.
    const long long ours =
        scalar(QStringLiteral("SELECT xmin::text FROM FitemBank WHERE orderCode='%1'")
                   .arg(windowCode()))
            .toLongLong();
    const bool apart = (ours - otherTransaction) % 64 != 0;
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM FitemBalance WHERE itmID=1"), apart ? "2" : "1");
    EXPECT_EQ(wentAhead, apart) << "transactions " << otherTransaction << " and " << ours;
}

} // namespace
