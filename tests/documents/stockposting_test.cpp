#include "core/sysdata.h"
#include "documents/stockposting.h"
#include "support/booktest.h"

namespace {

class StockSave : public OnEngines<BookTest> {
protected:
    void SetUp() override {
        BookTest::SetUp();
        north = addHouse("北库");
        south = addHouse("南库");
        pen = addProduct("笔", 1, "2.5");
        ink = addProduct("墨", 1, "8");
    }
    // Fills a grid row as the product picker does: the purchase price as price and amount.
    static void line(DocumentLines& d, int row, long long product, const QString& quantity,
                     const QString& price = "2.5") {
        d.cell(row, 1) = QString::number(product);
        d.cell(row, 2) = "BH-" + QString::number(product);
        d.cell(row, 3) = "name";
        d.cell(row, 6) = price;
        d.cell(row, 7) = quantity;
        d.cell(row, 8) = price;
    }
    // Goods received into a warehouse by a purchase written straight into the book.
    void receive(long long house, long long product, int quantity) {
        const QString code = QStringLiteral("CJ-%1-%2").arg(house).arg(product);
        exec(QStringLiteral("INSERT INTO OrderPur(orderID,houseID,empName,compID,optDate,acMoney,"
                            "coMoney) VALUES('%1',%2,'',1,'2026-03-01',0,0)")
                 .arg(code)
                 .arg(house));
        exec(QStringLiteral("INSERT INTO OrderPurD(orderID,prodID,price,pcount,sumMoney,remark) "
                            "VALUES('%1',%2,1,%3,1,'')")
                 .arg(code)
                 .arg(product)
                 .arg(quantity));
        exec(QStringLiteral("UPDATE Fproduct SET sumCount=sumCount+%1 WHERE prodID=%2")
                 .arg(quantity)
                 .arg(product));
    }

    long long north = 0, south = 0, pen = 0, ink = 0;
};

class TransferSave : public StockSave {
protected:
    void SetUp() override {
        StockSave::SetUp();
        doc.houseOutName = "北库";
        doc.houseOutID = QString::number(north);
        doc.houseInName = "南库";
        doc.houseInID = QString::number(south);
        doc.orderCode = "DB2026315957";
        doc.empName = " 张三 ";
        doc.date = QDate(2026, 3, 15);
    }
    StockSaveResult save() {
        messages_.answerOk();
        return saveTransfer(doc);
    }
    TransferDocument doc;
};

TEST_P(TransferSave, WritesTheHeaderAndTheLinesAsTheGridHoldsThem) {
    line(doc, 1, pen, "5");
    line(doc, 2, ink, "1", "8");
    doc.cell(2, 8) = "7.5"; // an amount typed by the person is stored, not recomputed
    doc.cell(1, 9) = " 急用 ";
    doc.cell(1, 10) = "L1"; // lot, expiry and maker travel with the line but are not stored
    EXPECT_EQ(save(), StockSaveResult::Saved);
    EXPECT_EQ(messages_.texts(), QStringList({"确定数据录入正确，单据过账吗？", "单据保存成功！"}));
    EXPECT_EQ(messages_.shown()[0].form, ScriptedMessages::Form::Question);
    EXPECT_EQ(messages_.shown()[1].caption, "信息提示");
    EXPECT_EQ(scalar("SELECT orderID||'|'||houseOut||'|'||empName||'|'||houseIn||'|'||optDate "
                     "FROM OrderDB"),
              QStringLiteral("DB2026315957|%1|张三|%2|2026-03-15").arg(north).arg(south));
    EXPECT_EQ(
        records("SELECT orderID,prodID,price,pcount,sumMoney,remark FROM OrderDBD ORDER BY prodID",
                u':')
            .join(u','),
        QStringLiteral("DB2026315957:%1:2.5:5:2.5:急用,DB2026315957:%2:8:1:7.5:")
            .arg(pen)
            .arg(ink));
}

TEST_P(TransferSave, MovesStockBetweenWarehousesButNotTheProductsTotal) {
    receive(north, pen, 10);
    line(doc, 1, pen, "4");
    EXPECT_EQ(save(), StockSaveResult::Saved);
    EXPECT_EQ(stockOf(pen), 10.0);
    EXPECT_EQ(stockIn(north, pen), 6.0);
    EXPECT_EQ(stockIn(south, pen), 4.0);
    EXPECT_EQ(count("FitemBank"), 0);
}

TEST_P(TransferSave, RefusesAQuantityTheBookCannotKeepWithItsRowNamed) {
    line(doc, 3, pen, "1");
    line(doc, 4, pen, "6901234567892");
    EXPECT_EQ(saveTransfer(doc), StockSaveResult::BeyondRange); // asks nothing
    EXPECT_EQ(messages_.last(), "第4行的数量超出范围，请输入正确的数量！");
    EXPECT_EQ(count("OrderDB"), 0);
}

TEST_P(TransferSave, SkipsEmptyRowsAndRefusesARowOfAProductTheBookDoesNotKnow) {
    line(doc, 3, pen, "1");
    doc.cell(5, 2) = "手写";
    doc.cell(5, 3) = "手写商品";
    doc.cell(5, 7) = "2";
    line(doc, 9, pen, "2");
    EXPECT_EQ(saveTransfer(doc), StockSaveResult::UnknownProduct); // asks nothing
    EXPECT_EQ(messages_.last(),
              "第5行的商品不在商品资料中，请输入正确的商品编号，或按F2选择商品！");
    EXPECT_EQ(count("OrderDB"), 0);
    doc.cells[4] = {};
    EXPECT_EQ(save(), StockSaveResult::Saved);
    EXPECT_EQ(firstFields("SELECT pcount FROM OrderDBD ORDER BY pcount"), QStringList({"1", "2"}));
}

TEST_P(TransferSave, TheChecksComeInOrderAndWriteNothing) {
    TransferDocument empty;
    EXPECT_EQ(saveTransfer(empty), StockSaveResult::NoHouseOut);
    empty.houseOutName = "北库";
    EXPECT_EQ(saveTransfer(empty), StockSaveResult::NoHouseIn);
    empty.houseInName = "北库";
    EXPECT_EQ(saveTransfer(empty), StockSaveResult::SameHouses);
    empty.houseInName = "南库";
    EXPECT_EQ(saveTransfer(empty), StockSaveResult::NoOrderCode);
    EXPECT_EQ(messages_.texts(),
              QStringList({"请选择调出仓库！", "请选择调入仓库！",
                           "请选择调入仓库和调出仓库不能是同一个仓库！", "请输入单据号！"}));
    for (const auto& m : messages_.shown()) {
        EXPECT_EQ(m.caption, "信息提示");
        EXPECT_EQ(m.form, ScriptedMessages::Form::Notice);
    }
    EXPECT_EQ(count("OrderDB"), 0);
}

// Stored empty, the transfer could never be selected in its query to be voided.
TEST_P(TransferSave, ACodeOfBlanksIsRefusedAsNoCode) {
    doc.orderCode = "   ";
    doc.empName = "";
    EXPECT_EQ(saveTransfer(doc), StockSaveResult::NoOrderCode);
    EXPECT_EQ(messages_.last(), "请输入单据号！");
    EXPECT_EQ(count("OrderDB"), 0);
}

TEST_P(TransferSave, CancelAtTheQuestionWritesNothing) {
    line(doc, 1, pen, "1");
    messages_.answerCancel();
    EXPECT_EQ(saveTransfer(doc), StockSaveResult::Cancelled);
    EXPECT_EQ(messages_.texts(), QStringList({"确定数据录入正确，单据过账吗？"}));
    EXPECT_EQ(count("OrderDB"), 0);
}

TEST_P(TransferSave, AFailureMidwayLeavesNothingWritten) {
    line(doc, 1, pen, "1");
    line(doc, 2, ink, ""); // the book refuses an empty quantity
    EXPECT_EQ(save(), StockSaveResult::Failed);
    EXPECT_EQ(messages_.last(), "单据保存出现异常！");
    EXPECT_EQ(count("OrderDB"), 0);
    EXPECT_EQ(count("OrderDBD"), 0);
    // Mended, the same document saves with the same code.
    doc.cell(2, 7) = "1";
    EXPECT_EQ(save(), StockSaveResult::Saved);
    EXPECT_EQ(count("OrderDBD"), 2);
}

class LossOverflowSave : public StockSave {
protected:
    void SetUp() override {
        StockSave::SetUp();
        doc.houseName = "北库";
        doc.houseID = QString::number(north);
        doc.orderCode = "BS2026315957";
        doc.empName = "李四";
        doc.date = QDate(2026, 3, 14);
    }
    StockSaveResult save() {
        messages_.answerOk();
        return saveLossOverflow(doc);
    }
    LossOverflowDocument doc;
};

TEST_P(LossOverflowSave, ALossLowersTheStockOfEachLine) {
    receive(north, pen, 10);
    line(doc, 1, pen, "3");
    EXPECT_EQ(save(), StockSaveResult::Saved);
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(stockOf(pen), 7.0);
    EXPECT_EQ(stockIn(north, pen), 7.0);
    EXPECT_EQ(scalar("SELECT orderID||'|'||houseID||'|'||empName||'|'||orderType||'|'||optDate "
                     "FROM OrderBsBy"),
              QStringLiteral("BS2026315957|%1|李四|报损|2026-03-14").arg(north));
    EXPECT_EQ(records("SELECT prodID,price,pcount,sumMoney FROM OrderBsByD", u':'),
              QStringList{QStringLiteral("%1:2.5:3:2.5").arg(pen)});
}

TEST_P(LossOverflowSave, AnOverflowRaisesIt) {
    doc.type = StockKindId::Overflow;
    doc.orderCode = "BY2026315957";
    line(doc, 1, pen, "3");
    line(doc, 2, ink, "0.5");
    EXPECT_EQ(save(), StockSaveResult::Saved);
    EXPECT_EQ(stockOf(pen), 3.0);
    EXPECT_EQ(stockOf(ink), 0.5);
    EXPECT_EQ(stockIn(north, ink), 0.5);
    EXPECT_EQ(scalar("SELECT orderType FROM OrderBsBy"), "报溢");
}

TEST_P(LossOverflowSave, TheSameProductOnTwoRowsMovesTwice) {
    line(doc, 2, pen, "1");
    line(doc, 6, pen, "4");
    EXPECT_EQ(save(), StockSaveResult::Saved);
    EXPECT_EQ(stockOf(pen), -5.0);
    EXPECT_EQ(count("OrderBsByD"), 2);
}

TEST_P(LossOverflowSave, ARowOfAProductTheBookDoesNotKnowIsRefusedBeforeAnyStockMoves) {
    line(doc, 1, pen, "1");
    doc.cell(2, 2) = "BH-" + QString::number(ink);
    doc.cell(2, 3) = "墨";
    doc.cell(2, 7) = "9";
    EXPECT_EQ(saveLossOverflow(doc), StockSaveResult::UnknownProduct); // asks nothing
    EXPECT_EQ(messages_.last(),
              "第2行的商品不在商品资料中，请输入正确的商品编号，或按F2选择商品！");
    EXPECT_EQ(stockOf(pen), 0.0);
    EXPECT_EQ(count("OrderBsBy"), 0);
}

TEST_P(LossOverflowSave, AnEmptyGridWritesOnlyTheHeader) {
    EXPECT_EQ(save(), StockSaveResult::Saved);
    EXPECT_EQ(count("OrderBsBy"), 1);
    EXPECT_EQ(count("OrderBsByD"), 0);
}

TEST_P(LossOverflowSave, NoWarehouseNamesTheLabelOfTheType) {
    doc.houseName.clear();
    EXPECT_EQ(saveLossOverflow(doc), StockSaveResult::NoHouseIn);
    doc.type = StockKindId::Overflow;
    EXPECT_EQ(saveLossOverflow(doc), StockSaveResult::NoHouseIn);
    doc.houseName = "北库";
    doc.orderCode.clear();
    EXPECT_EQ(saveLossOverflow(doc), StockSaveResult::NoOrderCode);
    doc.orderCode = "  ";
    EXPECT_EQ(saveLossOverflow(doc), StockSaveResult::NoOrderCode);
    EXPECT_EQ(messages_.texts(), QStringList({"请选择报损仓库：!", "请选择报溢仓库：!",
                                              "请输入单据号！", "请输入单据号！"}));
    EXPECT_EQ(count("OrderBsBy"), 0);
}

TEST_P(LossOverflowSave, ABadLineUndoesTheHeaderAndTheEarlierLines) {
    line(doc, 1, pen, "1");
    line(doc, 2, ink, "1");
    doc.cell(2, 6) = "x";
    EXPECT_EQ(save(), StockSaveResult::Failed);
    EXPECT_EQ(messages_.last(), "单据保存出现异常！");
    EXPECT_EQ(count("OrderBsBy"), 0);
    EXPECT_EQ(count("OrderBsByD"), 0);
    EXPECT_EQ(stockOf(pen), 0.0);
}

// The stock statements run after every line is written; one that fails must not leave a
// report whose stock was only partly moved.
TEST_P(LossOverflowSave, AFailingStockMoveUndoesTheWholeReport) {
    receive(north, pen, 10);
    refuse("refuseInk", "UPDATE OF sumCount", "Fproduct", "NEW.prodID=" + QString::number(ink));
    line(doc, 1, pen, "3");
    line(doc, 2, ink, "1");
    EXPECT_EQ(save(), StockSaveResult::Failed);
    EXPECT_EQ(count("OrderBsBy"), 0);
    EXPECT_EQ(count("OrderBsByD"), 0);
    EXPECT_EQ(stockOf(pen), 10.0);
    allow("refuseInk", "Fproduct");
    EXPECT_EQ(save(), StockSaveResult::Saved);
    EXPECT_EQ(stockOf(pen), 7.0);
    EXPECT_EQ(stockOf(ink), -1.0);
}

TEST_P(LossOverflowSave, ACodeAlreadyUsedIsRefusedAndMovesNoStock) {
    line(doc, 1, pen, "2");
    EXPECT_EQ(save(), StockSaveResult::Saved);
    EXPECT_EQ(save(), StockSaveResult::Failed);
    EXPECT_EQ(count("OrderBsBy"), 1);
    EXPECT_EQ(stockOf(pen), -2.0);
}

INSTANTIATE_ON_BOTH_ENGINES(TransferSave);
INSTANTIATE_ON_BOTH_ENGINES(LossOverflowSave);

} // namespace
