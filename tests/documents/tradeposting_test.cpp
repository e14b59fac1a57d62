#include "core/sysdata.h"
#include "documents/tradeposting.h"
#include "masterdata/productcatalog.h"
#include "support/booktest.h"
#include "support/tradedocuments.h"

namespace {

struct KindCase {
    TradeKindId id;
    int stockSign;   // how a line moves the product's stock
    int balanceSign; // how the unsettled part moves the counterpart's balance
    int journalSign; // the sign of the journal amount
    const char* counterpartTable;
};

void PrintTo(const KindCase& c, std::ostream* os) {
    *os << tradeKind(c.id).prefix.toStdString();
}

class TradePosting : public BookTest,
                     public ::testing::WithParamInterface<std::tuple<KindCase, BookEngine>> {
protected:
    BookEngine engine() const override { return std::get<1>(GetParam()); }
    const KindCase& kindCase() const { return std::get<0>(GetParam()); }
    void SetUp() override {
        BookTest::SetUp();
        house = addHouse("总库");
        pen = addProduct("笔");
        ink = addProduct("墨");
        const bool suppliers = kind().counterpartMode == "1";
        comp = suppliers ? addSupplier("甲公司") : addCustomer("乙商店");
        doc.houseName = "总库";
        doc.houseID = QString::number(house);
        doc.orderCode = kind().prefix + "2026315955";
        doc.compID = QString::number(comp);
        doc.compName = suppliers ? "甲公司" : "乙商店";
        doc.empName = "张三";
        doc.date = QDate(2026, 3, 15);
    }
    const TradeKind& kind() const { return tradeKind(kindCase().id); }
    // Fills a grid row as the product picker would, with quantity and amount.
    void line(int row, long long product, const QString& price, const QString& quantity) {
        doc.cell(row, 1) = QString::number(product);
        doc.cell(row, 2) = "BH-" + QString::number(product);
        doc.cell(row, 3) = "name";
        doc.cell(row, 6) = price;
        doc.cell(row, 7) = quantity;
        const Decimal amount = (*Decimal::parse(price) * *Decimal::parse(quantity)).cents();
        doc.cell(row, 8) = amount.toString();
        doc.runningTotal += amount;
        doc.sumMoney = doc.runningTotal.cents().toString();
    }
    PostResult post(bool confirm = true) {
        if (confirm)
            messages_.answerOk();
        return postTradeDocument(kind(), doc);
    }
    double stockOf(long long product) {
        return number(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(product));
    }
    QString balance() {
        return scalar(QStringLiteral("SELECT exchMoney FROM %1 WHERE compID=%2")
                          .arg(kindCase().counterpartTable)
                          .arg(comp));
    }
    long long headers() { return count(kind().headerTable); }
    long long lines() { return count(kind().lineTable); }

    long long house = 0, pen = 0, ink = 0, comp = 0;
    TradeDocument doc;
};

TEST_P(TradePosting, WritesHeaderLinesStockBalanceAndJournal) {
    line(1, pen, "12.5", "4");
    line(2, ink, "3", "5");
    doc.money = "20";
    EXPECT_EQ(post(), PostResult::Posted);
    EXPECT_EQ(messages_.texts(), QStringList({"确定数据录入正确，单据过账吗？", "单据保存成功！"}));
    EXPECT_EQ(messages_.shown()[0].form, ScriptedMessages::Form::Question);

    EXPECT_EQ(
        records("SELECT orderID,houseID,empName,compID,optDate,acMoney,coMoney FROM " +
                kind().headerTable)
            .join(u','),
        QStringLiteral("%1|%2|张三|%3|2026-03-15|65|20").arg(doc.orderCode).arg(house).arg(comp));
    EXPECT_EQ(
        records("SELECT prodID,price,pcount,sumMoney FROM " + kind().lineTable + " ORDER BY prodID",
                u':')
            .join(u','),
        QStringLiteral("%1:12.5:4:50,%2:3:5:15").arg(pen).arg(ink));
    const int s = kindCase().stockSign;
    EXPECT_EQ(stockOf(pen), 4.0 * s);
    EXPECT_EQ(stockOf(ink), 5.0 * s);
    EXPECT_EQ(balance().toDouble(), 45.0 * kindCase().balanceSign);
    EXPECT_EQ(records("SELECT optDate,orderCode,orderType,sumMoney,empName,compName,itmID,remark "
                      "FROM FitemBank")
                  .join(u','),
              QStringLiteral("2026-03-15|%1|%2|%3|张三|%4|1|")
                  .arg(doc.orderCode, kind().journalType, kindCase().journalSign < 0 ? "-65" : "65",
                       doc.compName));
}

TEST_P(TradePosting, NothingSettledStoresZeroAndMovesTheWholeAmount) {
    line(1, pen, "100", "1");
    EXPECT_EQ(post(), PostResult::Posted);
    EXPECT_EQ(records("SELECT coMoney FROM " + kind().headerTable), QStringList{"0"});
    if (!onServer()) { // the server's column is a number by its type
        EXPECT_EQ(scalar("SELECT typeof(coMoney) FROM " + kind().headerTable), "real");
    }
    EXPECT_EQ(balance().toDouble(), 100.0 * kindCase().balanceSign);
}

TEST_P(TradePosting, MoreSettledThanDueMovesTheBalanceTheOtherWay) {
    line(1, pen, "100", "1");
    doc.money = "120";
    EXPECT_EQ(post(), PostResult::Posted);
    EXPECT_EQ(balance().toDouble(), -20.0 * kindCase().balanceSign);
}

TEST_P(TradePosting, SettlingEverythingLeavesTheBalance) {
    line(1, pen, "100", "1");
    doc.money = "100";
    EXPECT_EQ(post(), PostResult::Posted);
    EXPECT_EQ(balance(), "0");
}

TEST_P(TradePosting, EmptyRowsAreSkippedAndAProductOnTwoRowsMovesTwice) {
    line(2, pen, "1", "3");
    line(5, pen, "1", "4");
    EXPECT_EQ(post(), PostResult::Posted);
    EXPECT_EQ(lines(), 2);
    EXPECT_EQ(stockOf(pen), 7.0 * kindCase().stockSign);
}

TEST_P(TradePosting, LinesSummingToZeroAreRefused) {
    line(1, pen, "5", "1");
    line(2, ink, "5", "-1");
    EXPECT_EQ(postTradeDocument(kind(), doc), PostResult::NoLines);
    EXPECT_EQ(messages_.texts(), QStringList({"请输入商品信息明细！"}));
    EXPECT_EQ(headers(), 0);
}

TEST_P(TradePosting, TheChecksComeInOrderAndWriteNothing) {
    TradeDocument empty;
    EXPECT_EQ(postTradeDocument(kind(), empty), PostResult::NoHouse);
    empty.houseName = "总库";
    EXPECT_EQ(postTradeDocument(kind(), empty), PostResult::NoOrderCode);
    empty.orderCode = "  ";
    EXPECT_EQ(postTradeDocument(kind(), empty), PostResult::NoOrderCode);
    empty.orderCode = "CJ1";
    EXPECT_EQ(postTradeDocument(kind(), empty), PostResult::NoCounterpart);
    empty.compID = "1";
    EXPECT_EQ(postTradeDocument(kind(), empty), PostResult::NoLines);
    EXPECT_EQ(messages_.texts(),
              QStringList({"请选择仓库！", "请输入单据号！", "请输入单据号！",
                           kind().noCounterpartMessage, "请输入商品信息明细！"}));
    for (const auto& m : messages_.shown())
        EXPECT_EQ(m.caption, "信息提示");
    EXPECT_EQ(headers(), 0);
}

TEST_P(TradePosting, CancelAtTheQuestionWritesNothing) {
    line(1, pen, "1", "1");
    messages_.answerCancel();
    EXPECT_EQ(postTradeDocument(kind(), doc), PostResult::Cancelled);
    EXPECT_EQ(headers(), 0);
    EXPECT_EQ(count("FitemBank"), 0);
}

TEST_P(TradePosting, AFailureMidwayLeavesNothingWritten) {
    line(1, pen, "1", "2");
    line(2, ink, "1", "1");
    doc.cell(2, 7) = "abc"; // the database refuses it for the second line
    EXPECT_EQ(post(), PostResult::Failed);
    EXPECT_EQ(messages_.last(), "单据保存出现异常！");
    EXPECT_EQ(headers(), 0);
    EXPECT_EQ(lines(), 0);
    EXPECT_EQ(stockOf(pen), 0.0);
    EXPECT_EQ(count("FitemBank"), 0);
    EXPECT_EQ(balance(), "0");
    // Mended, the same document posts on the next try.
    doc.cell(2, 7) = "1";
    EXPECT_EQ(post(), PostResult::Posted);
    EXPECT_EQ(headers(), 1);
}

TEST_P(TradePosting, ASecondDocumentWithTheSameCodeIsRefusedWhole) {
    line(1, pen, "1", "2");
    EXPECT_EQ(post(), PostResult::Posted);
    EXPECT_EQ(post(), PostResult::Failed);
    EXPECT_EQ(messages_.last(), "单据保存出现异常！");
    EXPECT_EQ(headers(), 1);
    EXPECT_EQ(lines(), 1);
    EXPECT_EQ(stockOf(pen), 2.0 * kindCase().stockSign);
    EXPECT_EQ(count("FitemBank"), 1);
}

TEST_P(TradePosting, ASettledAmountThatIsNotANumberFailsWithoutWriting) {
    line(1, pen, "1", "2");
    doc.money = "1,5";
    EXPECT_EQ(post(), PostResult::Failed);
    EXPECT_EQ(headers(), 0);
}

TEST_P(TradePosting, BalancesMoveByExactCents) {
    line(1, pen, "1234567.89", "1");
    doc.money = "0.01";
    EXPECT_EQ(post(), PostResult::Posted);
    EXPECT_EQ(balance(), kindCase().balanceSign > 0 ? "1234567.88" : "-1234567.88");
}

TEST_P(TradePosting, ABlankHandlerIsStoredAsEmptyTextAndABlankCodeIsRefused) {
    line(1, pen, "1", "1");
    doc.empName = "";
    doc.orderCode = "   ";
    // Stored empty, the document could never be selected in its query to be voided.
    EXPECT_EQ(post(false), PostResult::NoOrderCode);
    EXPECT_EQ(messages_.last(), "请输入单据号！");
    EXPECT_EQ(headers(), 0);
    doc.orderCode = " CJ1 ";
    EXPECT_EQ(post(), PostResult::Posted);
    EXPECT_EQ(scalar("SELECT '[' || orderID || empName || ']' FROM " + kind().headerTable),
              "[CJ1]");
}

TEST_P(TradePosting, LotExpiryAndMakerAreNotStored) {
    line(1, pen, "1", "1");
    doc.cell(1, 9) = " 备注 ";
    doc.cell(1, 10) = "L1";
    doc.cell(1, 11) = "2027-01-01";
    doc.cell(1, 12) = "厂";
    EXPECT_EQ(post(), PostResult::Posted);
    EXPECT_EQ(scalar("SELECT remark FROM " + kind().lineTable), "备注");
}

// A row typed by hand has a code but no product ID: sales and purchases skip it, returns
// count it as a line, whose empty product ID the database refuses.
TEST_P(TradePosting, ARowWithoutProductIdIsRefusedWithItsRowNamed) {
    line(1, pen, "2", "1");
    doc.cell(2, 2) = "BH-typed";
    doc.cell(2, 6) = "3";
    doc.cell(2, 7) = "1";
    doc.cell(2, 8) = "3";
    doc.sumMoney = "2";
    EXPECT_EQ(post(false), PostResult::UnknownProduct); // asks nothing
    EXPECT_EQ(messages_.last(),
              "第2行的商品不在商品资料中，请输入正确的商品编号，或按F2选择商品！");
    EXPECT_EQ(headers(), 0);
}

// A quantity the book cannot keep would fail the whole posting with no word of where.
TEST_P(TradePosting, AQuantityTheBookCannotKeepIsRefusedWithItsRowNamed) {
    line(1, pen, "2", "1");
    line(2, pen, "1", "-1000000000000");
    EXPECT_EQ(post(false), PostResult::BeyondRange); // asks nothing
    EXPECT_EQ(messages_.last(), "第2行的数量超出范围，请输入正确的数量！");
    EXPECT_EQ(headers(), 0);
    doc.cell(2, 7) = "999999999999"; // the largest the book keeps
    EXPECT_EQ(doc.firstRowBeyondRange(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    AllKinds, TradePosting,
    ::testing::Combine(
        ::testing::Values(KindCase{TradeKindId::Purchase, +1, +1, -1, "Fsupplier"},
                          KindCase{TradeKindId::PurchaseReturn, -1, -1, +1, "Fsupplier"},
                          KindCase{TradeKindId::Sale, -1, +1, +1, "Fcustomer"},
                          KindCase{TradeKindId::SaleReturn, +1, -1, -1, "Fcustomer"}),
        ::testing::Values(BookEngine::Embedded, BookEngine::Server)),
    [](const auto& info) {
        return tradeKind(std::get<0>(info.param).id).prefix.toStdString() + "_" +
               engineName({std::get<1>(info.param), info.index});
    });

using TradeKinds = OnEngines<BookTest>;

// One document of each kind, a pen at 25: money in is positive, money out negative.
TEST_P(TradeKinds, PurchaseAndSaleJournalAmountsHaveOppositeSigns) {
    const long long house = addHouse("总库");
    const long long pen = addProduct("笔");
    const long long supplier = addSupplier("甲公司");
    const long long customer = addCustomer("乙商店");
    const auto post = [&](TradeKindId id, const QString& code, long long comp) {
        const TradeDocument d =
            tradeDocument(code, {house, "总库"}, {comp, "往来"}, {{pen, "25", "1"}});
        messages_.answerOk();
        EXPECT_EQ(postTradeDocument(tradeKind(id), d), PostResult::Posted) << code.toStdString();
    };
    post(TradeKindId::Purchase, "CJ1", supplier);
    post(TradeKindId::PurchaseReturn, "CT1", supplier);
    post(TradeKindId::Sale, "XS1", customer);
    post(TradeKindId::SaleReturn, "XT1", customer);
    const auto journal = [&](const char* code) {
        return number(
            QStringLiteral("SELECT sumMoney FROM FitemBank WHERE orderCode='%1'").arg(code));
    };
    EXPECT_EQ(journal("CJ1"), -25.0);
    EXPECT_EQ(journal("XS1"), 25.0);
    EXPECT_EQ(journal("CT1"), 25.0);
    EXPECT_EQ(journal("XT1"), -25.0);
}

// Quantities and amounts of one decimal that cancel out: added as binary fractions, the
// stock and the balance were left a hair above nothing (3.55E-15), which showed in the lists
// and kept a sold-out product from being deleted for being in stock.
TEST_P(TradeKinds, DecimalQuantitiesAndAmountsThatCancelOutLeaveExactlyNothing) {
    const long long house = addHouse("总库");
    const long long rice = addProduct("大米");
    const long long supplier = addSupplier("甲公司");
    const auto post = [&](TradeKindId id, const QString& code, const QString& quantity) {
        const TradeDocument d =
            tradeDocument(code, {house, "总库"}, {supplier, "甲公司"}, {{rice, "1", quantity}});
        messages_.answerOk();
        EXPECT_EQ(postTradeDocument(tradeKind(id), d), PostResult::Posted) << code.toStdString();
    };
    post(TradeKindId::Purchase, "CJ1", "30.3");
    post(TradeKindId::PurchaseReturn, "CT1", "10.1");
    post(TradeKindId::PurchaseReturn, "CT2", "20.2");
    EXPECT_EQ(number(QStringLiteral("SELECT COUNT(*) FROM Fproduct WHERE sumCount=0 AND prodID=%1")
                         .arg(rice)),
              1);
    EXPECT_EQ(number(QStringLiteral("SELECT COUNT(*) FROM Fsupplier WHERE exchMoney=0 AND "
                                    "compID=%1")
                         .arg(supplier)),
              1);
    EXPECT_EQ(catalog::deleteProduct(QString::number(rice)), 1);
}

INSTANTIATE_ON_BOTH_ENGINES(TradeKinds);

} // namespace
