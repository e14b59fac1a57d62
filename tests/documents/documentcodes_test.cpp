#include "core/clock.h"
#include "core/sysdata.h"
#include "documents/documentheader.h"
#include "documents/gridinput.h"
#include "documents/stockcount.h"
#include "documents/stockposting.h"
#include "documents/tradeposting.h"
#include "documents/ui/tradewindows.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "masterdata/ui/tfrmfindproduct.h"
#include "printing/ui/tfrmprintview.h"
#include "support/booktest.h"
#include "support/drive.h"
#include "support/testprinter.h"
#include "support/tradedocuments.h"

#include <QComboBox>
#include <QTableView>
#include <memory>

// Codes made from the moment a window was shown move on to the next free second when another
// document holds them by the time of saving; codes typed by hand are refused as before.
namespace {

QString codeAt(const QString& prefix, int secondsAfter) {
    return documents::documentCode(prefix, BookTest::kNow.addSecs(secondsAfter));
}

QString movedMessage(const QString& shown, const QString& written) {
    return QStringLiteral("单据保存成功！\n单据号 %1 已被占用，本单据已存为 %2。")
        .arg(shown, written);
}

// ---- the four trade documents -------------------------------------------------------------

class TradeCodes : public BookTest, public ::testing::WithParamInterface<TradeKindId> {
protected:
    void SetUp() override {
        BookTest::SetUp();
        const long long house = addHouse("总库");
        pen = addProduct("笔");
        const bool suppliers = kind().counterpartMode == "1";
        const long long comp = suppliers ? addSupplier("甲公司") : addCustomer("乙商店");
        doc = tradeDocument(codeAt(kind().prefix, 0), {house, "总库"}, {comp, "往来"},
                            {{pen, "10", "2"}});
        doc.codeOrigin = documents::CodeOrigin{kind().prefix, kNow};
        doc.date = kNow.date();
        doc.cell(1, 3) = "笔";
        doc.money = "5";
    }
    const TradeKind& kind() const { return tradeKind(GetParam()); }
    // An earlier document of this kind under the code, as another counter saved it.
    void takeCode(const QString& code) {
        exec(QStringLiteral("INSERT INTO %1(orderID,houseID,empName,compID,optDate,acMoney,"
                            "coMoney) VALUES('%2',1,'李四',1,'2026-03-15',0,0)")
                 .arg(kind().headerTable, code));
    }
    PostResult post() {
        messages_.answerOk();
        return postTradeDocument(kind(), doc);
    }
    // Header, line and journal row of the document, all under one code.
    QString writtenUnder() {
        return scalar(QStringLiteral("SELECT h.orderID||'|'||d.orderID||'|'||j.orderCode FROM %1 h "
                                     "JOIN %2 d ON d.orderID=h.orderID JOIN FitemBank j ON "
                                     "j.orderCode=h.orderID WHERE h.empName='张三'")
                          .arg(kind().headerTable, kind().lineTable));
    }

    long long pen = 0;
    TradeDocument doc;
};

TEST_P(TradeCodes, AWindowCodeThatIsFreeIsKeptAndNothingMoreIsSaid) {
    takeCode(codeAt(kind().prefix, 1)); // the next second's holder is no concern
    EXPECT_EQ(post(), PostResult::Posted);
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    const QString code = codeAt(kind().prefix, 0);
    EXPECT_EQ(writtenUnder(), code + u'|' + code + u'|' + code);
}

TEST_P(TradeCodes, AWindowCodeTakenMovesToTheNextSecondAndThePersonIsTold) {
    takeCode(codeAt(kind().prefix, 0));
    EXPECT_EQ(post(), PostResult::Posted);
    const QString moved = codeAt(kind().prefix, 1);
    EXPECT_EQ(messages_.last(), movedMessage(codeAt(kind().prefix, 0), moved));
    EXPECT_EQ(writtenUnder(), moved + u'|' + moved + u'|' + moved);
    EXPECT_EQ(count(kind().headerTable), 2);
    EXPECT_EQ(count("FitemBank"), 1);
}

TEST_P(TradeCodes, TwoTakenInARowMoveTwoSeconds) {
    takeCode(codeAt(kind().prefix, 0));
    takeCode(codeAt(kind().prefix, 1));
    EXPECT_EQ(post(), PostResult::Posted);
    const QString moved = codeAt(kind().prefix, 2);
    EXPECT_EQ(messages_.last(), movedMessage(codeAt(kind().prefix, 0), moved));
    EXPECT_EQ(writtenUnder(), moved + u'|' + moved + u'|' + moved);
}

// A moment whose code is held by a document of another kind, or by a stock count, is passed
// over too: the composite query and the journal find documents by their code alone.
TEST_P(TradeCodes, ACodeHeldByAnotherKindOrACountIsPassedOver) {
    const QString first = codeAt(kind().prefix, 0);
    const TradeKind& other =
        tradeKind(GetParam() == TradeKindId::Sale ? TradeKindId::Purchase : TradeKindId::Sale);
    exec(QStringLiteral("INSERT INTO %1(orderID,houseID,empName,compID,optDate,acMoney,coMoney) "
                        "VALUES('%2',1,'李四',1,'2026-03-15',0,0)")
             .arg(other.headerTable, first));
    exec(QStringLiteral("INSERT INTO OrderPD(orderID,houseID,remark,userName,optDate) "
                        "VALUES('%1',1,'','','2026-03-15')")
             .arg(codeAt(kind().prefix, 1)));
    EXPECT_EQ(post(), PostResult::Posted);
    EXPECT_EQ(messages_.last(), movedMessage(first, codeAt(kind().prefix, 2)));
}

TEST_P(TradeCodes, ACodeTypedByHandThatIsTakenIsRefusedWithNothingWritten) {
    doc.orderCode = kind().prefix + "手写1";
    doc.codeOrigin.reset();
    takeCode(doc.orderCode);
    const double stock =
        number(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(pen));
    EXPECT_EQ(post(), PostResult::Failed);
    EXPECT_EQ(messages_.last(), "单据保存出现异常！");
    EXPECT_EQ(count(kind().headerTable), 1);
    EXPECT_EQ(count(kind().lineTable), 0);
    EXPECT_EQ(count("FitemBank"), 0);
    EXPECT_EQ(number(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(pen)),
              stock);
}

INSTANTIATE_TEST_SUITE_P(Kinds, TradeCodes,
                         ::testing::Values(TradeKindId::Purchase, TradeKindId::PurchaseReturn,
                                           TradeKindId::Sale, TradeKindId::SaleReturn));

// ---- transfer, loss and overflow ----------------------------------------------------------

class StockCodes : public BookTest, public ::testing::WithParamInterface<StockKindId> {
protected:
    void SetUp() override {
        BookTest::SetUp();
        north = addHouse("北库");
        south = addHouse("南库");
        pen = addProduct("笔");
    }
    const StockKind& kind() const { return stockKind(GetParam()); }
    QString headerTable() const {
        return GetParam() == StockKindId::Transfer ? "OrderDB" : "OrderBsBy";
    }
    QString lineTable() const { return kind().lineTable; }
    void takeCode(const QString& code) {
        exec(GetParam() == StockKindId::Transfer
                 ? QStringLiteral("INSERT INTO OrderDB(orderID,houseOut,empName,houseIn,optDate) "
                                  "VALUES('%1',1,'李四',2,'2026-03-15')")
                       .arg(code)
                 : QStringLiteral("INSERT INTO OrderBsBy(orderID,houseID,empName,orderType,"
                                  "optDate) VALUES('%1',1,'李四','报损','2026-03-15')")
                       .arg(code));
    }
    // Saves a one-line document under the code, made by the window or typed.
    StockSaveResult save(const QString& code, bool madeByWindow) {
        DocumentLines lines;
        lines.cell(1, 1) = QString::number(pen);
        lines.cell(1, 2) = "BH";
        lines.cell(1, 3) = "笔";
        lines.cell(1, 6) = "10";
        lines.cell(1, 7) = "3";
        lines.cell(1, 8) = "30";
        std::optional<documents::CodeOrigin> origin;
        if (madeByWindow)
            origin = documents::CodeOrigin{kind().prefix, kNow};
        messages_.answerOk();
        if (GetParam() == StockKindId::Transfer) {
            TransferDocument d;
            static_cast<DocumentLines&>(d) = lines;
            d.houseOutName = "北库";
            d.houseOutID = QString::number(north);
            d.houseInName = "南库";
            d.houseInID = QString::number(south);
            d.orderCode = code;
            d.codeOrigin = origin;
            d.empName = "张三";
            d.date = kNow.date();
            return saveTransfer(d);
        }
        LossOverflowDocument d;
        static_cast<DocumentLines&>(d) = lines;
        d.type = GetParam();
        d.houseName = "北库";
        d.houseID = QString::number(north);
        d.orderCode = code;
        d.codeOrigin = origin;
        d.empName = "张三";
        d.date = kNow.date();
        return saveLossOverflow(d);
    }
    QString writtenUnder() {
        return scalar(QStringLiteral("SELECT h.orderID||'|'||d.orderID FROM %1 h JOIN %2 d ON "
                                     "d.orderID=h.orderID WHERE h.empName='张三'")
                          .arg(headerTable(), lineTable()));
    }
    double stock() {
        return number(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(pen));
    }

    long long north = 0, south = 0, pen = 0;
};

TEST_P(StockCodes, AWindowCodeTakenMovesToTheNextSecondAndThePersonIsTold) {
    const QString first = codeAt(kind().prefix, 0);
    takeCode(first);
    EXPECT_EQ(save(first, true), StockSaveResult::Saved);
    const QString moved = codeAt(kind().prefix, 1);
    EXPECT_EQ(messages_.last(), movedMessage(first, moved));
    EXPECT_EQ(writtenUnder(), moved + u'|' + moved);
}

TEST_P(StockCodes, TwoTakenInARowMoveTwoSecondsAndTheStockMovesOnce) {
    const QString first = codeAt(kind().prefix, 0);
    takeCode(first);
    takeCode(codeAt(kind().prefix, 1));
    const double before = stock();
    EXPECT_EQ(save(first, true), StockSaveResult::Saved);
    const QString moved = codeAt(kind().prefix, 2);
    EXPECT_EQ(messages_.last(), movedMessage(first, moved));
    EXPECT_EQ(writtenUnder(), moved + u'|' + moved);
    const int sign = GetParam() == StockKindId::Loss ? -1 : GetParam() == StockKindId::Overflow;
    EXPECT_EQ(stock(), before + 3 * sign);
}

TEST_P(StockCodes, ACodeTypedByHandThatIsTakenIsRefusedWithNothingWritten) {
    const QString typed = kind().prefix + "手写1";
    takeCode(typed);
    const double before = stock();
    EXPECT_EQ(save(typed, false), StockSaveResult::Failed);
    EXPECT_EQ(messages_.last(), "单据保存出现异常！");
    EXPECT_EQ(count(headerTable()), 1);
    EXPECT_EQ(count(lineTable()), 0);
    EXPECT_EQ(stock(), before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, StockCodes,
                         ::testing::Values(StockKindId::Transfer, StockKindId::Loss,
                                           StockKindId::Overflow));

// ---- the stock count ----------------------------------------------------------------------

class CountCodes : public OnEngines<BookTest> {
protected:
    void SetUp() override {
        BookTest::SetUp();
        house = addHouse("总库");
        pen = addProduct("笔");
    }
    stockcount::CountHeader header(bool madeByWindow) const {
        stockcount::CountHeader h{QString::number(house), "", "张三", kNow.date()};
        if (madeByWindow)
            h.codeOrigin = stockcount::countOrigin(kNow);
        return h;
    }
    long long house = 0, pen = 0;
};

TEST_P(CountCodes, ANewCountWhoseCodeIsTakenIsWrittenUnderTheNextFreeSecond) {
    const QString first = stockcount::countCode(kNow);
    exec(QStringLiteral("INSERT INTO OrderPD(orderID,houseID,remark,userName,optDate) "
                        "VALUES('%1',%2,'','李四','2026-03-15')")
             .arg(first)
             .arg(house));
    // A correction keeps the count's code in OrderBsBy.
    exec(QStringLiteral("INSERT INTO OrderBsBy(orderID,houseID,orderType,optDate) "
                        "VALUES('%1',%2,'盘点','2026-03-15')")
             .arg(stockcount::countCode(kNow.addSecs(1)))
             .arg(house));
    QString written;
    EXPECT_EQ(stockcount::saveLine(first, QString::number(pen), "0", "4", header(true), &written),
              stockcount::LineResult::Saved);
    const QString moved = stockcount::countCode(kNow.addSecs(2));
    EXPECT_EQ(written, moved);
    EXPECT_EQ(scalar("SELECT orderID FROM OrderPD WHERE userName='张三'"), moved);
    EXPECT_EQ(records("SELECT orderID, pdcount FROM OrderPDD"), QStringList({moved + "|4"}));
}

TEST_P(CountCodes, ACountCodeWithoutItsMomentThatIsTakenIsStillRefused) {
    const QString first = stockcount::countCode(kNow);
    exec(QStringLiteral("INSERT INTO OrderPD(orderID,houseID,remark,userName,optDate) "
                        "VALUES('%1',%2,'','李四','2026-03-15')")
             .arg(first)
             .arg(house));
    EXPECT_EQ(stockcount::saveLine(first, QString::number(pen), "0", "4", header(false)),
              stockcount::LineResult::CodeInUse);
    EXPECT_EQ(count("OrderPD"), 1);
    EXPECT_EQ(count("OrderPDD"), 0);
}

// ---- two windows shown in the same second --------------------------------------------------

class SameSecondWindows : public OnEngines<BookTest> {
protected:
    void SetUp() override {
        BookTest::SetUp();
        addHouse("总库");
        addEmployee("张三");
        addProduct("锤子", addCategory("工具"), "12.5", "20");
        addCustomer("甲商店");
    }
    // A sale filled in as a person would and saved; the window's messages answered.
    void fillAndSave(TfrmTradeDocument& window, const QString& quantity) {
        drive::choose(drive::find<QComboBox>(window, "cbHouse"), "总库");
        modal_.expect<TfrmFindComp>([](TfrmFindComp& p) {
            auto& list = drive::find<QTableView>(p, "dgSupplier");
            drive::doubleClick(list.viewport(),
                               list.visualRect(list.model()->index(0, 1)).center());
        });
        drive::click(window, "imgFind");
        auto& grid = drive::find<DocumentGrid>(window, "sgData");
        gridinput::type(grid, 1, DocumentGrid::ProdBH, "BH-锤子");
        gridinput::type(grid, 1, DocumentGrid::Price, "20");
        gridinput::type(grid, 1, DocumentGrid::Quantity, quantity);
        messages_.answerOk();
        drive::click(window, "btnSave");
    }
    // Made once the book is open: the pickers load from it.
    std::unique_ptr<TfrmSale> sale() {
        if (!products) {
            products = std::make_unique<TfrmFindProduct>();
            comps = std::make_unique<TfrmFindComp>();
            preview = std::make_unique<TfrmPrintView>(printer);
        }
        return std::make_unique<TfrmSale>(*products, *comps, *preview);
    }
    void TearDown() override {
        preview.reset();
        comps.reset();
        products.reset();
        BookTest::TearDown();
    }
    std::unique_ptr<TfrmFindProduct> products;
    std::unique_ptr<TfrmFindComp> comps;
    TestPrinter printer;
    std::unique_ptr<TfrmPrintView> preview;
};

TEST_P(SameSecondWindows, TwoSalesShownInOneSecondAreBothSavedUnderDifferentCodes) {
    exec("UPDATE Fproduct SET prodBH='BH-锤子'");
    const auto firstWindow = sale();
    const auto secondWindow = sale();
    TfrmSale& first = *firstWindow;
    TfrmSale& second = *secondWindow;
    first.show();
    second.show(); // the clock stands still: both show one code
    const QString code = codeAt("XS", 0);
    ASSERT_EQ(drive::find<QLineEdit>(first, "txtOrderCode").text(), code);
    ASSERT_EQ(drive::find<QLineEdit>(second, "txtOrderCode").text(), code);

    fillAndSave(first, "1");
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    fillAndSave(second, "2");
    EXPECT_EQ(messages_.last(), movedMessage(code, codeAt("XS", 1)));
    EXPECT_FALSE(second.isVisible());
    EXPECT_EQ(records("SELECT h.orderID, d.pcount FROM OrderSale h JOIN OrderSaleD d ON "
                      "d.orderID=h.orderID ORDER BY h.orderID",
                      u':'),
              QStringList({code + ":1", codeAt("XS", 1) + ":2"}));
}

TEST_P(SameSecondWindows, ACodeTypedOverTheWindowsOwnIsRefusedWhenTakenAndTheWindowKeepsIt) {
    exec("UPDATE Fproduct SET prodBH='BH-锤子'");
    exec("INSERT INTO OrderSale(orderID,houseID,empName,compID,optDate,acMoney,coMoney) "
         "VALUES('XS-1',1,'李四',1,'2026-03-15',0,0)");
    const auto shown = sale();
    TfrmSale& window = *shown;
    window.show();
    auto& code = drive::find<QLineEdit>(window, "txtOrderCode");
    code.clear();
    drive::type(code, "XS-1");
    fillAndSave(window, "1");
    EXPECT_EQ(messages_.last(), "单据保存出现异常！");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(code.text(), "XS-1");
    EXPECT_EQ(drive::find<DocumentGrid>(window, "sgData").text(1, DocumentGrid::Quantity), "1");
    EXPECT_EQ(count("OrderSale"), 1);
    EXPECT_EQ(count("OrderSaleD"), 0);
}

INSTANTIATE_ON_BOTH_ENGINES(CountCodes);
INSTANTIATE_ON_BOTH_ENGINES(SameSecondWindows);

} // namespace
