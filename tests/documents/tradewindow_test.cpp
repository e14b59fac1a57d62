#include "core/clock.h"
#include "core/sysdata.h"
#include "documents/gridinput.h"
#include "documents/ui/tradewindows.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "masterdata/ui/tfrmfindproduct.h"
#include "printing/ui/tfrmprintview.h"
#include "support/booktest.h"
#include "support/drive.h"
#include "support/testprinter.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

namespace {

using Make = std::function<std::unique_ptr<TfrmTradeDocument>(TfrmFindProduct&, TfrmFindComp&,
                                                              TfrmPrintView&)>;
template <typename Window> Make make() {
    return [](TfrmFindProduct& p, TfrmFindComp& c, TfrmPrintView& v) {
        return std::make_unique<Window>(p, c, v);
    };
}

// What each kind's window shows and where it stores its document, written out here so that
// a slip in the program's own table of kinds cannot pass as expected.
struct KindCase {
    Make make;
    const char* windowClass;
    const char* caption;
    const char* prefix; // of the document code
    const char* titleColumn;
    const char* headerTable;
    const char* lineTable;
    const char* counterpartTable;
    const char* productMode; // "1": the picker offers the purchase price, "2": the sale price
    const char* price;       // the price the product picker offers this kind
    const char* title;       // the seed row's title line
    const char* houseLabel;
    const char* dateLabel;
    const char* counterpartLabel;
    const char* dueLabel;
    const char* settledLabel;
    const char* noCounterpart; // the message when none is chosen
    const char* printHouse;    // the printed labels of the warehouse and the date
    const char* printDate;
    int balanceSign; // how the unsettled part moves the counterpart's balance
};

void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.windowClass;
}

class TradeWindow : public BookTest, public ::testing::WithParamInterface<KindCase> {
protected:
    void SetUp() override {
        BookTest::SetUp();
        house = addHouse("总库");
        addHouse("分库");
        addEmployee("张三");
        addEmployee("李四");
        hammer = addProduct("锤子", addCategory("工具"), "12.5", "20");
        suppliers() ? addSupplier("甲公司") : addCustomer("甲商店");
        comp = scalar(QStringLiteral("SELECT max(compID) FROM %1").arg(table()));
        products = std::make_unique<TfrmFindProduct>();
        comps = std::make_unique<TfrmFindComp>();
        preview = std::make_unique<TfrmPrintView>(printer);
        window = GetParam().make(*products, *comps, *preview);
        window->show();
    }
    void TearDown() override {
        window.reset();
        preview.reset();
        comps.reset();
        products.reset();
        BookTest::TearDown();
    }

    const KindCase& kind() const { return GetParam(); }
    bool suppliers() const { return table() == "Fsupplier"; }
    bool purchasePrice() const { return kind().productMode == QStringLiteral("1"); }
    QString table() const { return kind().counterpartTable; }
    QString headerTable() const { return kind().headerTable; }
    QString lineTable() const { return kind().lineTable; }
    QString code(const QString& stamp) const { return kind().prefix + stamp; }
    QString price() const { return kind().price; }
    // The price as the totals boxes show it, with its cents.
    QString shownPrice() const { return purchasePrice() ? "12.50" : "20.00"; }
    DocumentGrid& grid() { return drive::find<DocumentGrid>(*window, "sgData"); }
    QLineEdit& box(const char* name) { return drive::find<QLineEdit>(*window, name); }
    QString text(const char* name) { return box(name).text(); }
    QString label(const char* name) { return drive::find<QLabel>(*window, name).text(); }
    QComboBox& combo(const char* name) { return drive::find<QComboBox>(*window, name); }

    // Double clicks the row and chooses the product in the picker.
    void pickProduct(int row, const QString& name = "锤子") {
        modal_.expect<TfrmFindProduct>([name](TfrmFindProduct& p) {
            auto& list = drive::find<QTableView>(p, "dgProduct");
            for (int r = 0; r < list.model()->rowCount(); ++r)
                if (list.model()->index(r, 3).data().toString() == name)
                    drive::doubleClick(list.viewport(),
                                       list.visualRect(list.model()->index(r, 3)).center());
        });
        gridinput::doubleClick(grid(), row);
    }
    void pickCounterpart() {
        modal_.expect<TfrmFindComp>([](TfrmFindComp& p) {
            auto& list = drive::find<QTableView>(p, "dgSupplier");
            const int last = list.model()->rowCount() - 1;
            drive::doubleClick(list.viewport(),
                               list.visualRect(list.model()->index(last, 1)).center());
        });
        drive::click(*window, "imgFind");
    }
    // The amount settled is judged once the keys pause.
    void typeSettled(const QString& amount) {
        drive::type(box("txtMoney"), amount);
        auto* check = window->findChild<QTimer*>("settledCheck");
        ASSERT_NE(check, nullptr);
        EXPECT_TRUE(QTest::qWaitFor([check] { return !check->isActive(); }, 5000));
    }
    // A whole document: warehouse, employee, counterpart, the hammer 4 times.
    void fillDocument() {
        drive::choose(combo("cbHouse"), "总库");
        drive::type(*combo("cbEMp").lineEdit(), "张三");
        pickCounterpart();
        pickProduct(1);
        gridinput::type(grid(), 1, DocumentGrid::Quantity, "4");
    }
    void save() { drive::click(*window, "btnSave"); }
    // Types a line of the hammer: its code, price and quantity.
    void typeLine(int row, const QString& priceText, const QString& quantity) {
        gridinput::type(grid(), row, DocumentGrid::ProdBH, "BH-锤子");
        gridinput::type(grid(), row, DocumentGrid::Price, priceText);
        gridinput::type(grid(), row, DocumentGrid::Quantity, quantity);
    }
    QString amount(int row) { return grid().text(row, DocumentGrid::Amount); }

    long long house = 0, hammer = 0;
    QString comp;
    std::unique_ptr<TfrmFindProduct> products;
    std::unique_ptr<TfrmFindComp> comps;
    TestPrinter printer;
    std::unique_ptr<TfrmPrintView> preview;
    std::unique_ptr<TfrmTradeDocument> window;
};

TEST_P(TradeWindow, ShowingLoadsTitleCaptionsListsDateAndCode) {
    EXPECT_EQ(window->windowTitle(), kind().caption);
    EXPECT_STREQ(window->metaObject()->className(), kind().windowClass);
    EXPECT_EQ(text("txtCaption"), kind().title);
    EXPECT_EQ(text("txtOrderCode"), code("2026315957"));
    EXPECT_EQ(drive::find<QDateEdit>(*window, "dtDate").date(), QDate(2026, 3, 15));
    EXPECT_EQ(combo("cbHouse").count(), 2);
    EXPECT_EQ(combo("cbHouse").currentText(), "");
    EXPECT_EQ(combo("cbEMp").itemText(1), "李四");
    EXPECT_EQ(label("lblHouse"), kind().houseLabel);
    EXPECT_EQ(label("lblDate"), kind().dateLabel);
    EXPECT_EQ(label("lblComp"), kind().counterpartLabel);
    EXPECT_EQ(label("lblSumMoney"), kind().dueLabel);
    EXPECT_EQ(label("lblMoney"), kind().settledLabel);
    EXPECT_EQ(grid().horizontalHeaderItem(3)->text(), "商品名称");
    EXPECT_EQ(text("txtSumMoney"), "0.00");
    EXPECT_TRUE(drive::find<QPushButton>(*window, "Button1").isEnabled());
    EXPECT_TRUE(drive::find<QPushButton>(*window, "btnSave").isDefault());
}

TEST_P(TradeWindow, ShowingAgainReloadsTheListsAndKeepsTheChoicesAndTheDocument) {
    drive::choose(combo("cbHouse"), "分库");
    drive::type(*combo("cbEMp").lineEdit(), "王五");
    drive::find<QDateEdit>(*window, "dtDate").setDate(QDate(2026, 3, 9));
    pickProduct(1);
    messages_.answerCancel(); // keep it: saving stops at the missing counterpart
    window->close();
    EXPECT_EQ(messages_.last(), kind().noCounterpart);
    exec(QStringLiteral("UPDATE Ftitle SET %1='新标题'").arg(kind().titleColumn));
    addHouse("南库");
    addEmployee("赵六");
    window->show();
    EXPECT_EQ(text("txtCaption"), "新标题");
    EXPECT_EQ(combo("cbHouse").count(), 3);
    EXPECT_EQ(combo("cbHouse").currentText(), "分库");
    EXPECT_EQ(combo("cbEMp").count(), 3);
    EXPECT_EQ(combo("cbEMp").currentText(), "王五");
    EXPECT_EQ(grid().text(1, DocumentGrid::ProdName), "锤子");
    EXPECT_EQ(text("txtSumMoney"), shownPrice());
    // The kept document keeps the date it was entered with.
    EXPECT_EQ(drive::find<QDateEdit>(*window, "dtDate").date(), QDate(2026, 3, 9));
}

TEST_P(TradeWindow, APickedProductCarriesTheKindsPriceAndItsQuantityRecomputes) {
    pickProduct(2);
    EXPECT_EQ(products->mode(), kind().productMode);
    EXPECT_EQ(grid().text(2, DocumentGrid::Price), price());
    EXPECT_EQ(grid().text(2, DocumentGrid::Quantity), "1");
    EXPECT_EQ(amount(2), price());
    EXPECT_EQ(text("txtSumMoney"), shownPrice());
    EXPECT_EQ(grid().currentColumn(), int(DocumentGrid::Quantity));

    gridinput::typeKeys(grid(), 2, DocumentGrid::Quantity, "4");
    EXPECT_EQ(amount(2), purchasePrice() ? "50" : "80");
    const QString four = purchasePrice() ? "50.00" : "80.00";
    EXPECT_EQ(text("txtSumMoney"), four);
    EXPECT_EQ(text("txtTotalMoney"), four);
}

TEST_P(TradeWindow, APickedLineCountsInTheTotalAsTheAmountItShows) {
    exec("UPDATE Fproduct SET inprice=0.125, outprice=0.125");
    for (int row = 1; row <= 3; ++row)
        pickProduct(row);
    EXPECT_EQ(amount(1), "0.12");
    EXPECT_EQ(text("txtSumMoney"), "0.36");
}

TEST_P(TradeWindow, LineAmountsAndTotalsAreExactToTheCent) {
    const struct {
        const char* price;
        const char* quantity;
        const char* amount;
    } lines[] = {{"0.1", "3", "0.3"},           {"19.99", "7", "139.93"},
                 {"2.675", "1", "2.68"},        {"0.125", "1", "0.12"},
                 {"12345.67", "3", "37037.01"}, {"1234567.89", "1", "1234567.89"}};
    int row = 1;
    for (const auto& line : lines) {
        typeLine(row, line.price, line.quantity);
        EXPECT_EQ(amount(row), line.amount) << line.price << " x " << line.quantity;
        ++row;
    }
    EXPECT_EQ(text("txtSumMoney"), "1271747.93");
    EXPECT_EQ(window->runningTotal().toString(), "1271747.93");
}

TEST_P(TradeWindow, EveryKeystrokeRecomputesAndWhatIsNoNumberWhenLeftBecomesZero) {
    pickProduct(1);
    gridinput::typeKeys(grid(), 1, DocumentGrid::Quantity, "3");
    const QString three = purchasePrice() ? "37.50" : "60.00";
    EXPECT_EQ(text("txtTotalMoney"), three);
    gridinput::typeKeys(grid(), 1, DocumentGrid::Quantity, "-"); // on the way to a number
    EXPECT_EQ(grid().text(1, DocumentGrid::Quantity), "-");
    EXPECT_EQ(text("txtSumMoney"), three);
    QTest::keyClick(gridinput::editor(grid()), Qt::Key_Return);
    EXPECT_EQ(grid().text(1, DocumentGrid::Quantity), "0");
    EXPECT_EQ(amount(1), "0");
    EXPECT_EQ(text("txtSumMoney"), "0.00");
    gridinput::type(grid(), 1, DocumentGrid::Remark, "abc");
    EXPECT_EQ(grid().text(1, DocumentGrid::Remark), "abc");
    gridinput::type(grid(), 1, DocumentGrid::Amount, "99");
    EXPECT_EQ(amount(1), "0"); // the amount follows price and quantity
}

TEST_P(TradeWindow, AnEmptiedQuantityKeepsTheOldAmountUntilTheRowChangesAgain) {
    pickProduct(1);
    gridinput::type(grid(), 1, DocumentGrid::Quantity, "2");
    gridinput::type(grid(), 1, DocumentGrid::Quantity, "");
    EXPECT_EQ(amount(1), purchasePrice() ? "25" : "40");
    gridinput::type(grid(), 1, DocumentGrid::Remark, "x");
    EXPECT_EQ(amount(1), "0");
}

TEST_P(TradeWindow, DeletingTheNameEmptiesTheRowAndTakesItOutOfTheTotals) {
    pickProduct(1);
    pickProduct(2);
    gridinput::type(grid(), 1, DocumentGrid::ProdName, "");
    EXPECT_EQ(grid().text(1, DocumentGrid::ProdID), "");
    EXPECT_EQ(amount(1), "");
    EXPECT_EQ(text("txtSumMoney"), shownPrice());
    EXPECT_EQ(text("txtTotalMoney"), shownPrice());
    // The Delete key on the name of the last line leaves nothing due.
    grid().setCurrentCell(1, DocumentGrid::ProdName);
    QTest::keyClick(&grid(), Qt::Key_Delete);
    EXPECT_EQ(grid().text(2, DocumentGrid::ProdID), "");
    EXPECT_EQ(text("txtSumMoney"), "0.00");
}

// Separators typed between digits are dropped as they arrive: were the comma a key that can
// never make a number, "1,200" would become "0" then "0200", and 200 would be posted.
TEST_P(TradeWindow, DigitsGroupedAsPeopleWriteAmountsAreTheNumberTheyGroup) {
    typeLine(1, "1,000.50", "1，200");
    EXPECT_EQ(grid().text(1, DocumentGrid::Price), "1000.50");
    EXPECT_EQ(grid().text(1, DocumentGrid::Quantity), "1200");
    EXPECT_EQ(amount(1), "1200600");
    typeSettled("1 200 000");
    EXPECT_EQ(text("txtMoney"), "1200000");
}

TEST_P(TradeWindow, ASettledAmountAboveTheTotalWarnsAndStays) {
    typeLine(1, "100", "1");
    typeSettled("100");
    EXPECT_TRUE(messages_.shown().empty());
    typeSettled("120");
    EXPECT_EQ(messages_.texts(), QStringList{"您输入的\"实付金额\"大于\"应付金额\"！"});
    EXPECT_EQ(text("txtMoney"), "120");
    messages_.clear();
    typeSettled("1x");
    EXPECT_EQ(text("txtMoney"), "0");
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_P(TradeWindow, TheSettledAmountIsComparedExactly) {
    typeLine(1, "0.1", "3");
    typeSettled("0.3");
    EXPECT_TRUE(messages_.shown().empty());
    typeSettled("0.31");
    EXPECT_EQ(messages_.shown().size(), 1u);
}

TEST_P(TradeWindow, APickedCounterpartFillsNameAndKey) {
    modal_.expectOpenClose("TfrmFindComp");
    drive::click(*window, "imgFind");
    EXPECT_EQ(comps->mode(), suppliers() ? "1" : "2");
    EXPECT_EQ(text("txtCompName"), "");
    pickCounterpart();
    EXPECT_EQ(text("txtCompID"), comp);
    EXPECT_EQ(text("txtCompName"), suppliers() ? "甲公司" : "甲商店");
}

TEST_P(TradeWindow, SavingPostsEmptiesAndHidesAndTheNextShowingStartsANewDocument) {
    fillDocument();
    typeSettled("20");
    messages_.answerOk();
    save();
    EXPECT_EQ(messages_.texts(), QStringList({"确定数据录入正确，单据过账吗？", "单据保存成功！"}));
    EXPECT_FALSE(window->isVisible());
    const QString due = purchasePrice() ? "50.0" : "80.0";
    EXPECT_EQ(
        scalar("SELECT orderID||'|'||houseID||'|'||empName||'|'||compID||'|'||acMoney||'|'||"
               "coMoney FROM " +
               headerTable()),
        QStringLiteral("%1|%2|张三|%3|%4|20.0").arg(code("2026315957")).arg(house).arg(comp, due));
    EXPECT_EQ(count(lineTable()), 1);
    EXPECT_EQ(grid().text(1, DocumentGrid::ProdName), "");
    EXPECT_EQ(text("txtCompName"), "");
    EXPECT_EQ(text("txtSumMoney"), "0.00");
    EXPECT_EQ(text("txtMoney"), "0.00");

    environment::setFixedNow(QDateTime(QDate(2026, 3, 16), QTime(10, 0, 1)));
    window->show();
    EXPECT_EQ(text("txtOrderCode"), code("20263161001"));
    EXPECT_EQ(combo("cbHouse").currentText(), "总库");
    EXPECT_EQ(combo("cbEMp").currentText(), "张三");
}

TEST_P(TradeWindow, TheBalanceMovesByTheExactUnsettledPart) {
    typeLine(1, "0.1", "3");
    drive::choose(combo("cbHouse"), "总库");
    pickCounterpart();
    typeSettled("0.2");
    messages_.answerOk();
    save();
    const QString balance =
        scalar(QStringLiteral("SELECT exchMoney FROM %1 WHERE compID=%2").arg(table(), comp));
    EXPECT_EQ(balance, kind().balanceSign > 0 ? "0.1" : "-0.1");
}

TEST_P(TradeWindow, ChecksNameWhatIsMissingAndWhereToGo) {
    pickProduct(1);
    box("txtOrderCode").clear();
    save();
    EXPECT_EQ(messages_.last(), "请选择仓库！");
    EXPECT_EQ(window->focusWidget(), &combo("cbHouse"));
    drive::choose(combo("cbHouse"), "分库");
    save();
    EXPECT_EQ(messages_.last(), "请输入单据号！");
    EXPECT_EQ(window->focusWidget(), &box("txtOrderCode"));
    drive::type(box("txtOrderCode"), "X1");
    save();
    EXPECT_EQ(messages_.last(), kind().noCounterpart);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(count(headerTable()), 0);
}

TEST_P(TradeWindow, LinesThatCancelOutAreNoDocument) {
    drive::choose(combo("cbHouse"), "总库");
    pickCounterpart();
    typeLine(1, "5", "1");
    typeLine(2, "5", "1");
    // The sign typed in front of a quantity already there.
    gridinput::typeKeys(grid(), 2, DocumentGrid::Quantity, "1");
    QTest::keyClick(gridinput::editor(grid()), Qt::Key_Home);
    QTest::keyClick(gridinput::editor(grid()), '-');
    EXPECT_EQ(amount(2), "-5");
    save();
    EXPECT_EQ(messages_.last(), "请输入商品信息明细！");
    window->close(); // a total of zero closes without a question and keeps the lines
    EXPECT_FALSE(window->isVisible());
    window->show();
    EXPECT_EQ(amount(2), "-5");
}

// A quantity the book cannot hold is named by its row, and the person is put in it to mend it.
TEST_P(TradeWindow, AQuantityBeyondTheBooksRangeIsNamedAndEditedInItsRow) {
    drive::choose(combo("cbHouse"), "总库");
    pickCounterpart();
    typeLine(1, "5", "1");
    typeLine(2, "0.01", "1000000000000");
    grid().editCell(1, DocumentGrid::Price);
    save();
    EXPECT_EQ(messages_.last(), "第2行的数量超出范围，请输入正确的数量！");
    EXPECT_EQ(grid().currentLine(), 2);
    EXPECT_EQ(grid().currentColumn(), int(DocumentGrid::Quantity));
    ASSERT_NE(gridinput::editor(grid()), nullptr);
    EXPECT_EQ(gridinput::editor(grid())->text(), "1000000000000");
    EXPECT_EQ(count(headerTable()), 0);
}

TEST_P(TradeWindow, ClosingAChangedDocumentAndDiscardingEmptiesIt) {
    fillDocument();
    typeSettled("10");
    const QString code = text("txtOrderCode");
    messages_.answerOk();
    window->close();
    EXPECT_EQ(messages_.texts(), QStringList{"数据已经更改，放弃保存吗？"});
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(grid().text(1, DocumentGrid::ProdID), "");
    EXPECT_EQ(text("txtCompID"), "");
    EXPECT_EQ(text("txtMoney"), "0.00");
    EXPECT_EQ(text("txtTotalMoney"), "0.00");
    EXPECT_EQ(window->runningTotal().toString(), "0");
    EXPECT_EQ(text("txtOrderCode"), code);
    EXPECT_EQ(combo("cbHouse").currentText(), "总库");
    EXPECT_EQ(count(headerTable()), 0);
}

TEST_P(TradeWindow, ClosingAndKeepingTheDocumentPostsIt) {
    fillDocument();
    messages_.answerCancel(); // do not discard
    messages_.answerOk();     // post it
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(count(headerTable()), 1);
    EXPECT_EQ(messages_.last(), "单据保存成功！");
}

TEST_P(TradeWindow, ClosingAndKeepingADocumentThatFailsItsChecksKeepsItForLater) {
    pickProduct(1);
    messages_.answerCancel();
    window->close();
    EXPECT_EQ(messages_.last(), "请选择仓库！");
    EXPECT_FALSE(window->isVisible());
    window->show();
    EXPECT_EQ(grid().text(1, DocumentGrid::ProdName), "锤子");
    EXPECT_EQ(text("txtSumMoney"), shownPrice());
}

TEST_P(TradeWindow, AFailedPostingKeepsTheWindowAsItWas) {
    fillDocument();
    // A code typed by hand that another document holds is refused, not moved on.
    drive::type(box("txtOrderCode"), "HAND-1");
    exec(QStringLiteral("INSERT INTO %1(orderID,houseID,empName,compID,optDate,acMoney,coMoney) "
                        "VALUES('%2',1,'',1,'2026-03-01',0,0)")
             .arg(headerTable(), text("txtOrderCode")));
    messages_.answerOk();
    save();
    EXPECT_EQ(messages_.last(), "单据保存出现异常！");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(grid().text(1, DocumentGrid::Quantity), "4");
    EXPECT_EQ(count(lineTable()), 0);
    EXPECT_EQ(count("FitemBank"), 0);
}

TEST_P(TradeWindow, PrintShowsTheUnsavedDocumentInThePreviewAsTheWindowShowsIt) {
    fillDocument();
    typeSettled("20");
    drive::type(box("txtCaption"), "本单（客户联）");
    gridinput::type(grid(), 1, DocumentGrid::Remark, "加急");
    const QString code = text("txtOrderCode");
    const QString total = text("txtTotalMoney");
    const QString compName = text("txtCompName");
    modal_.expect<TfrmPrintView>([&](TfrmPrintView& w) {
        const PrintPage& page = w.page();
        EXPECT_EQ(page.title, "本单（客户联）");
        EXPECT_EQ(page.topMargin, 10);
        EXPECT_EQ(page.house, QString(kind().printHouse) + "总库");
        EXPECT_EQ(page.orderID, "单据号：" + code);
        EXPECT_EQ(page.compName, "单位名称：" + compName);
        EXPECT_EQ(page.optdate, QString(kind().printDate) + "2026-03-15");
        // Money prints with its cents.
        EXPECT_EQ(page.ys, kind().dueLabel + Decimal::parse(total)->toFixed(2));
        EXPECT_EQ(page.ss, QString(kind().settledLabel) + "20.00");
        EXPECT_EQ(page.emp, "经办人：张三");
        EXPECT_EQ(page.hj, "合计金额：" + Decimal::parse(total)->toFixed(2));
        EXPECT_EQ(page.columnTitles, QStringList({"商品编号", "商品名称", "规格/型号", "单位",
                                                  "进价", "数量", "金额", "备注"}));
        ASSERT_EQ(page.cells.size(), 10u);
        EXPECT_EQ(page.cells[0], QStringList({grid().text(1, DocumentGrid::ProdBH), "锤子",
                                              grid().text(1, DocumentGrid::Type),
                                              grid().text(1, DocumentGrid::UnitName),
                                              Decimal::parse(price())->toFixed(2), "4",
                                              Decimal::parse(total)->toFixed(2), "加急"}));
        EXPECT_EQ(page.cells[1], QStringList(8, QString()));
        EXPECT_FALSE(w.imageSize().isEmpty());
    });
    drive::click(*window, "Button1");
    modal_.expectAllShown();
    // Printing changes nothing in the window and writes nothing.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(grid().text(1, DocumentGrid::Quantity), "4");
    EXPECT_EQ(text("txtMoney"), "20.00"); // as shown once the print button took the focus
    EXPECT_EQ(text("txtOrderCode"), code);
    EXPECT_EQ(count(headerTable()), 0);
}

TEST_P(TradeWindow, PrintFollowsTheLayoutSettings) {
    fillDocument();
    exec("UPDATE Ftbconfig SET house='否', compName='否', ys='否', hj='否', mleft=20");
    exec("UPDATE FConfig SET isShow='否'");
    exec("UPDATE FConfig SET isShow='是', sort=1 WHERE fieldName='pcount'");
    exec("UPDATE FConfig SET isShow='是', sort=2 WHERE fieldName='outprice'");
    exec("UPDATE FConfig SET isShow='是', sort=3, fieldwidth=30 WHERE fieldName='company'");
    grid().setText(1, DocumentGrid::Maker, "五金厂"); // hidden column, printed when chosen
    modal_.expect<TfrmPrintView>([&](TfrmPrintView& w) {
        const PrintPage& page = w.page();
        EXPECT_EQ(page.leftMargin, 20);
        EXPECT_EQ(page.house, "");
        EXPECT_EQ(page.compName, "");
        EXPECT_EQ(page.ys, "");
        EXPECT_EQ(page.hj, "");
        EXPECT_EQ(page.emp, "经办人：张三");
        EXPECT_EQ(page.columnTitles, QStringList({"数量", "售价", "厂家"}));
        EXPECT_EQ(page.columnWidths, (QList<int>{15, 20, 30}));
        EXPECT_EQ(page.tableWidth, 65);
        // Either price field prints the line's one price.
        EXPECT_EQ(page.cells[0], QStringList({"4", Decimal::parse(price())->toFixed(2), "五金厂"}));
    });
    drive::click(*window, "Button1");
    modal_.expectAllShown();
}

TEST_P(TradeWindow, PrintingWithNoPrintedFieldSaysThereIsNothingToPrint) {
    fillDocument();
    exec("UPDATE FConfig SET isShow='否'");
    modal_.expect<TfrmPrintView>([&](TfrmPrintView& w) {
        EXPECT_TRUE(w.page().columnTitles.isEmpty());
        EXPECT_EQ(messages_.last(), "没有要打印的数据！");
    });
    drive::click(*window, "Button1");
    modal_.expectAllShown();
}

// clang-format off
const KindCase kKinds[] = {
    {make<TfrmPurIn>(), "TfrmPurIn", "采购进货", "CJ", "pur", "OrderPur", "OrderPurD",
     "Fsupplier", "1", "12.5", "采购进货单",
     "收货仓库：", "收货日期：", "供货单位：", "应付金额：", "实付金额：", "请选择供货单位！",
     "收货仓库：", "采购日期：", +1},
    {make<TfrmPurRet>(), "TfrmPurRet", "采购退货", "CT", "purT", "OrderPurT", "OrderPurTD",
     "Fsupplier", "1", "12.5", "采购退货单",
     "退货仓库：", "退货日期：", "供货单位：", "应收金额：", "实收金额：", "请选择供货单位！",
     "退货仓库：", "退货日期：", -1},
    {make<TfrmSale>(), "TfrmSale", "商品销售", "XS", "sale", "OrderSale", "OrderSaleD",
     "Fcustomer", "2", "20", "商品销售单",
     "仓         库：", "销售日期：", "客户名称：", "应收金额：", "实收金额：", "请选择客户单位！",
     "仓   库：", "销售日期：", +1},
    {make<TfrmSaleT>(), "TfrmSaleT", "客户退货", "XT", "saleT", "OrderSaleT", "OrderSaleTD",
     "Fcustomer", "2", "20", "顾客退货单",
     "仓         库：", "退货日期：", "客户名称：", "应付金额：", "实付金额：", "请选择客户单位！",
     "收货仓库：", "退货日期：", -1},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Kinds, TradeWindow, ::testing::ValuesIn(kKinds),
                         [](const auto& info) { return std::string(info.param.windowClass); });

} // namespace
