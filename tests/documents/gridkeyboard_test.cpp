#include "core/sysdata.h"
#include "documents/ui/documentgrid.h"
#include "documents/ui/tfrmbsby.h"
#include "documents/ui/tfrmpdb.h"
#include "documents/ui/tradewindows.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "masterdata/ui/tfrmfindproduct.h"
#include "printing/ui/tfrmprintview.h"
#include "reliability/typing.h"
#include "support/booktest.h"
#include "support/drive.h"
#include "support/pacedkeys.h"
#include "support/testprinter.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <memory>

// Filling documents from the keyboard alone: every key goes to the widget that has the focus,
// as a person's keyboard or a barcode scanner (the code, then Enter) sends it. No mouse event.
namespace {

const QString kHammerCode = QStringLiteral("6901234567892");
const QString kPenCode = QStringLiteral("6907654321098");

class GridKeyboard : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        north = addHouse("北库");
        addHouse("南库");
        const long long tools = addCategory("工具");
        hammer = addProduct("锤子", tools, "12.5", "20");
        pen = addProduct("红笔", tools, "2.5", "4");
        exec(QStringLiteral("UPDATE Fproduct SET prodBH='%1' WHERE prodID=%2")
                 .arg(kHammerCode)
                 .arg(hammer));
        exec(QStringLiteral("UPDATE Fproduct SET prodBH='%1' WHERE prodID=%2")
                 .arg(kPenCode)
                 .arg(pen));
        supplier = addSupplier("甲公司");
        products = std::make_unique<TfrmFindProduct>();
        comps = std::make_unique<TfrmFindComp>();
        preview = std::make_unique<TfrmPrintView>(printer);
    }
    void TearDown() override {
        windows.clear();
        preview.reset();
        comps.reset();
        products.reset();
        BookTest::TearDown();
    }

    template <typename Window, typename... Args> Window& open(Args&... args) {
        auto window = std::make_unique<Window>(args...);
        Window& shown = *window;
        windows.push_back(std::move(window));
        shown.show();
        shown.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&shown));
        return shown;
    }
    TfrmTradeDocument& purchase() { return open<TfrmPurIn>(*products, *comps, *preview); }
    // A product whose code begins with a letter, bought at 3.
    void addInk() {
        const long long ink = addProduct("墨水", 0, "3", "5");
        exec(QStringLiteral("UPDATE Fproduct SET prodBH='AB-17' WHERE prodID=%1").arg(ink));
    }
    TfrmTradeDocument& purchaseReturn() { return open<TfrmPurRet>(*products, *comps, *preview); }
    // A purchase with the ink among the products, the cursor in the first line's code.
    TfrmTradeDocument& purchaseWithInk() {
        addInk();
        TfrmTradeDocument& w = purchase();
        goTo(grid(w), 1, DocumentGrid::ProdBH);
        return w;
    }

    static DocumentGrid& grid(QWidget& w) { return drive::find<DocumentGrid>(w, "sgData"); }
    // The widget with the focus; a picker closing gives the window its activation back, as the
    // window system does.
    QWidget* focus() {
        if (!QApplication::focusWidget() && !windows.empty()) {
            windows.back()->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(windows.back().get()));
        }
        return QApplication::focusWidget();
    }
    // Puts the cell cursor on a cell of a grid that has the focus, with the arrow keys.
    void goTo(DocumentGrid& g, int row, int column) {
        focus();
        g.setFocus();
        QTest::keyClick(&g, Qt::Key_Home, Qt::ControlModifier);
        for (int r = 1; r < row; ++r)
            QTest::keyClick(&g, Qt::Key_Down);
        while (g.currentColumn() < column)
            QTest::keyClick(&g, Qt::Key_Right);
    }
    // Keys typed one by one into whatever has the focus.
    void typeKeys(const QString& text) {
        for (QChar c : text)
            QTest::keyClick(focus(), c.toLatin1());
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(focus(), key, modifiers);
    }
    // Characters beyond ASCII, as an input method delivers them, into whatever has the focus.
    void typeWide(const QString& text) {
        for (QChar c : text)
            typeText(*focus(), QString(c));
    }
    // A scanner: the code, then Enter.
    void scan(const QString& code) {
        typeKeys(code);
        press(Qt::Key_Return);
    }
    // Keys as a device sends them into whatever has the focus (PacedKeys).
    void keysAtPace(const QString& keys, unsigned long long gap) {
        paced_.send(*focus(), keys, gap);
    }
    // A scanner's keys, each to whatever has the focus when it comes (a cell's editor opens).
    void scanAtPace(const QString& code) {
        focus();
        paced_.sendToFocus(code, 3);
    }
    // A code scanned with the focus on a widget outside the lines: the widget shows what it
    // showed, and the code is the product of the grid's row.
    void scanStaysOut(QWidget& widget, DocumentGrid& g, int row, const QString& code,
                      long long product) {
        const auto shown = [&widget] {
            if (auto* line = qobject_cast<QLineEdit*>(&widget))
                return line->text();
            if (auto* combo = qobject_cast<QComboBox*>(&widget))
                return combo->currentText();
            return QString();
        };
        const QString before = shown();
        widget.setFocus();
        keysAtPace(code, 3);
        EXPECT_EQ(shown(), before) << widget.objectName().toStdString();
        EXPECT_EQ(g.text(row, DocumentGrid::ProdID), QString::number(product))
            << widget.objectName().toStdString();
    }
    static QStringList row(DocumentGrid& g, int r) {
        QStringList out;
        for (int c = 1; c <= DocumentGrid::kColumns; ++c)
            out << g.text(r, c);
        return out;
    }
    static QString text(QWidget& w, const char* name) {
        return drive::find<QLineEdit>(w, name).text();
    }
    // The header of a purchase, from the keyboard: warehouse, then the supplier's picker.
    void chooseHouseAndSupplier(TfrmTradeDocument& w) {
        drive::choose(drive::find<QComboBox>(w, "cbHouse"), "北库");
        w.findChild<QLineEdit*>("txtCompID")->setText(QString::number(supplier));
        w.findChild<QLineEdit*>("txtCompName")->setText("甲公司");
    }

    long long north = 0, hammer = 0, pen = 0, supplier = 0;
    std::unique_ptr<TfrmFindProduct> products;
    std::unique_ptr<TfrmFindComp> comps;
    TestPrinter printer;
    std::unique_ptr<TfrmPrintView> preview;
    std::vector<std::unique_ptr<QWidget>> windows;
    PacedKeys paced_;
};

TEST_F(GridKeyboard, AScannedCodeFillsTheRowAsThePickerWouldAndMovesToTheQuantity) {
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    goTo(g, 1, DocumentGrid::ProdBH);
    scan(kHammerCode);

    EXPECT_EQ(row(g, 1), QStringList({QString::number(hammer), kHammerCode, "锤子", "", "个",
                                      "12.5", "1", "12.5", "", "", "", ""}));
    EXPECT_EQ(g.currentLine(), 1);
    EXPECT_EQ(g.currentColumn(), int(DocumentGrid::Quantity));
    typeKeys("3");
    press(Qt::Key_Return);
    EXPECT_EQ(g.text(1, DocumentGrid::Amount), "37.5");
    EXPECT_EQ(text(w, "txtSumMoney"), "37.50");

    // The next product: the arrows to the code cell of row 2, and a scan.
    goTo(g, 2, DocumentGrid::ProdBH);
    scan(kPenCode);
    EXPECT_EQ(g.text(2, DocumentGrid::ProdName), "红笔");
    EXPECT_EQ(text(w, "txtSumMoney"), "40.00");
    EXPECT_TRUE(messages_.shown().empty());
}

// A scanner sends code after code; one that comes while the cursor still waits on the last
// product's quantity is the next product, never that quantity.
TEST_F(GridKeyboard, CodesScannedOneAfterAnotherBecomeLinesNotQuantities) {
    TfrmTradeDocument& w = purchaseWithInk();
    DocumentGrid& g = grid(w);
    const QString glueCode = QStringLiteral("96385074"); // EAN-8
    const long long glue = addProduct("胶水", 0, "1.5", "2");
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='%1' WHERE prodID=%2").arg(glueCode).arg(glue));
    scan(kHammerCode);
    // A code that begins with a letter can be no quantity: it goes to the next row at once.
    scan("ab-17");
    EXPECT_EQ(g.text(1, DocumentGrid::Quantity), "1");
    EXPECT_EQ(g.text(2, DocumentGrid::ProdName), "墨水");
    EXPECT_EQ(g.currentLine(), 2);
    EXPECT_EQ(g.currentColumn(), int(DocumentGrid::Quantity));
    // Nor can thirteen digits, a quantity beyond what the book keeps: the next row, unasked.
    scan(kPenCode);
    EXPECT_EQ(g.text(2, DocumentGrid::Quantity), "1");
    EXPECT_EQ(g.text(3, DocumentGrid::ProdName), "红笔");
    EXPECT_EQ(g.currentLine(), 3);
    EXPECT_EQ(text(w, "txtSumMoney"), "18.00");
    EXPECT_TRUE(messages_.shown().empty());

    // Eight digits might be a quantity: the person is asked.
    messages_.answerOk();
    scan(glueCode);
    EXPECT_EQ(messages_.last(), "“" + glueCode +
                                    "”是商品的编号，是否作为下一个商品录入？\n"
                                    "选“取消”则作为数量。");
    EXPECT_EQ(g.text(3, DocumentGrid::Quantity), "1");
    EXPECT_EQ(g.text(4, DocumentGrid::ProdName), "胶水");
    EXPECT_EQ(text(w, "txtSumMoney"), "19.50");

    // Told it is a quantity, it stays one; a quantity that is no code is never asked about.
    messages_.answerCancel();
    scan(glueCode);
    EXPECT_EQ(g.text(4, DocumentGrid::Quantity), glueCode);
    EXPECT_EQ(g.text(5, DocumentGrid::ProdName), "");
    messages_.clear();
    goTo(g, 4, DocumentGrid::Quantity);
    scan("2");
    EXPECT_EQ(text(w, "txtSumMoney"), "21.00");
    // Nor is a short code, which a shop numbering its products types as a quantity all day.
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='5' WHERE prodID=%1").arg(pen));
    goTo(g, 5, DocumentGrid::ProdBH);
    scan(kHammerCode);
    scan("5");
    EXPECT_EQ(g.text(5, DocumentGrid::Quantity), "5");
    EXPECT_EQ(text(w, "txtSumMoney"), "83.50");
    EXPECT_TRUE(messages_.shown().empty());
    messages_.expectAllAnswered();
}

// Scan, quantity, Enter, scan: the quantity's Enter goes on to the next line, so that the next
// code never lands in the amount.
TEST_F(GridKeyboard, AQuantityEnteredAfterAScanGoesOnToTheNextLine) {
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    goTo(g, 1, DocumentGrid::ProdBH);
    scan(kHammerCode);
    scan("2");
    EXPECT_EQ(g.currentLine(), 2);
    EXPECT_EQ(g.currentColumn(), int(DocumentGrid::ProdBH));
    scan(kPenCode);
    scan("3");
    EXPECT_EQ(row(g, 2)[2], "红笔");
    EXPECT_EQ(g.text(1, DocumentGrid::Amount), "25");
    EXPECT_EQ(text(w, "txtSumMoney"), "32.50");
    EXPECT_EQ(g.currentLine(), 3);
    EXPECT_TRUE(messages_.shown().empty());

    // A quantity changed later, its cell reached with the arrows, walks on as any cell does.
    goTo(g, 1, DocumentGrid::Quantity);
    scan("4");
    EXPECT_EQ(g.currentLine(), 1);
    EXPECT_EQ(g.currentColumn(), int(DocumentGrid::Amount));
}

TEST_F(GridKeyboard, ACodeScannedWhenAllTenRowsHaveProductsIsSaidAndChangesNothing) {
    TfrmTradeDocument& w = purchaseWithInk();
    DocumentGrid& g = grid(w);
    scan("ab-17");
    for (int row = 2; row <= DocumentGrid::kRows; ++row)
        scan("ab-17");
    ASSERT_EQ(g.text(10, DocumentGrid::ProdName), "墨水");
    EXPECT_TRUE(messages_.shown().empty());
    scan("ab-17");
    EXPECT_EQ(messages_.texts(),
              QStringList({"单据的十行都已有商品，编号为“ab-17”的商品未录入！"}));
    EXPECT_EQ(text(w, "txtSumMoney"), "30.00");
    EXPECT_EQ(g.text(10, DocumentGrid::Quantity), "1");
    // The next key is the person's own again.
    typeKeys("4");
    press(Qt::Key_Return);
    EXPECT_EQ(text(w, "txtSumMoney"), "39.00");
}

TEST_F(GridKeyboard, AnUnknownCodeIsSaidAndKeepsTheRowEmpty) {
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    goTo(g, 1, DocumentGrid::ProdBH);
    scan("12345");
    EXPECT_EQ(messages_.last(), "找不到编号为“12345”的商品！");
    EXPECT_EQ(row(g, 1), QStringList(12, QString()));
    EXPECT_EQ(g.currentColumn(), int(DocumentGrid::ProdBH));
    EXPECT_EQ(text(w, "txtSumMoney"), "0.00");

    // A known product's row keeps its product when a wrong code is typed over its code.
    scan(kHammerCode);
    goTo(g, 1, DocumentGrid::ProdBH);
    scan("99");
    EXPECT_EQ(g.text(1, DocumentGrid::ProdID), QString::number(hammer));
    EXPECT_EQ(g.text(1, DocumentGrid::ProdBH), kHammerCode);
}

// The message of a code that is not one product says to press F2: the picked product goes into
// the free row, not over the line whose quantity the scan came into.
TEST_F(GridKeyboard, AfterACodeOfNoOrSeveralProductsF2PicksIntoTheFreeRow) {
    const QString shared = QStringLiteral("6900000000017");
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='%1' WHERE prodID=%2").arg(shared).arg(pen));
    const long long pencil = addProduct("铅笔", 0, "1", "2");
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='%1',cateID=(SELECT cateID FROM Fproduct "
                        "WHERE prodID=%2) WHERE prodID=%3")
             .arg(shared)
             .arg(hammer)
             .arg(pencil));
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    int line = 1;
    for (const QString& code : {shared, QStringLiteral("AB-99")}) {
        SCOPED_TRACE(code.toStdString());
        goTo(g, line, DocumentGrid::ProdBH);
        scan(kHammerCode); // the cursor waits in its quantity
        scan(code);
        EXPECT_TRUE(messages_.last().contains(code));
        modal_.expect<TfrmFindProduct>([](TfrmFindProduct& p) {
            auto& list = drive::find<QTableView>(p, "dgProduct");
            QModelIndexList pencils;
            for (int c = 0; c < list.model()->columnCount() && pencils.isEmpty(); ++c)
                pencils = list.model()->match(list.model()->index(0, c), Qt::DisplayRole, "铅笔");
            ASSERT_EQ(pencils.size(), 1);
            drive::doubleClick(list.viewport(), list.visualRect(pencils[0]).center());
        });
        press(Qt::Key_F2);
        modal_.expectAllShown();
        EXPECT_EQ(g.text(line, DocumentGrid::ProdID), QString::number(hammer));
        EXPECT_EQ(g.text(line, DocumentGrid::Quantity), "1");
        EXPECT_EQ(g.text(line + 1, DocumentGrid::ProdID), QString::number(pencil));
        line += 2;
    }
}

// A code typed by hand as the window opens goes where it belongs: the first box was the printed
// title, which took it, and its Enter pressed 保存.
TEST_F(GridKeyboard, AWindowShownStartsAtItsWarehouseThenAtItsNextFreeLine) {
    TfrmTradeDocument& w = purchase();
    EXPECT_EQ(w.focusWidget(), &drive::find<QComboBox>(w, "cbHouse"));
    chooseHouseAndSupplier(w);
    grid(w).setText(1, DocumentGrid::ProdName, "kept");
    w.hide();
    w.show();
    EXPECT_EQ(w.focusWidget(), &grid(w));
    EXPECT_EQ(grid(w).currentLine(), 2);
    EXPECT_EQ(grid(w).currentColumn(), int(DocumentGrid::ProdBH));

    TfrmPDB& transfer = open<TfrmPDB>(*products);
    EXPECT_EQ(transfer.focusWidget(), &drive::find<QComboBox>(transfer, "cbHouseOut"));
    drive::choose(drive::find<QComboBox>(transfer, "cbHouseOut"), "北库");
    transfer.hide();
    transfer.show();
    EXPECT_EQ(transfer.focusWidget(), &drive::find<QComboBox>(transfer, "cbHouseIn"));
    // The loss window's type always has a choice: its warehouse comes first.
    TfrmBsBy& loss = open<TfrmBsBy>(*products);
    EXPECT_EQ(loss.focusWidget(), &drive::find<QComboBox>(loss, "cbHouseIn"));
}

// Each key is written into the cell and counted at once: Escape, which gives up an edit in any
// grid, left "30" for a meant 3 in the line and the totals.
TEST_F(GridKeyboard, EscapeGivesUpWhatWasTypedInACellAndTheTotalsFollow) {
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    goTo(g, 1, DocumentGrid::ProdBH);
    scan(kHammerCode);
    typeKeys("3");
    press(Qt::Key_Return);
    ASSERT_EQ(text(w, "txtSumMoney"), "37.50");
    goTo(g, 1, DocumentGrid::Quantity);
    typeKeys("30"); // the first key opens the cell

    EXPECT_EQ(text(w, "txtSumMoney"), "375.00");
    press(Qt::Key_Escape);
    EXPECT_EQ(g.text(1, DocumentGrid::Quantity), "3");
    EXPECT_EQ(g.text(1, DocumentGrid::Amount), "37.5");
    EXPECT_EQ(text(w, "txtSumMoney"), "37.50");
    EXPECT_TRUE(w.isVisible()) << "Escape in a cell does not close the window";
    // A code half typed over a line's code gives way as well: the line keeps its product.
    goTo(g, 1, DocumentGrid::ProdBH);
    typeKeys("690765");
    press(Qt::Key_Escape);
    EXPECT_EQ(g.text(1, DocumentGrid::ProdID), QString::number(hammer));
    EXPECT_EQ(g.text(1, DocumentGrid::ProdBH), kHammerCode);
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(GridKeyboard, F2AndEnterOnAnEmptyCodeCellOpenThePicker) {
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    int opened = 0;
    const auto countOpening = [&opened](TfrmFindProduct& p) {
        ++opened;
        EXPECT_EQ(p.mode(), "1");
        p.close();
    };
    modal_.expect<TfrmFindProduct>(countOpening);
    goTo(g, 3, DocumentGrid::Remark);
    press(Qt::Key_F2);
    EXPECT_EQ(opened, 1);

    modal_.expect<TfrmFindProduct>(countOpening);
    goTo(g, 3, DocumentGrid::ProdBH);
    press(Qt::Key_Return);
    EXPECT_EQ(opened, 2);

    // F2 from a cell being typed in gives up the half-typed code for the picker.
    modal_.expect<TfrmFindProduct>(countOpening);
    goTo(g, 4, DocumentGrid::ProdBH);
    typeKeys("690");
    press(Qt::Key_F2);
    EXPECT_EQ(opened, 3);
    EXPECT_EQ(g.text(4, DocumentGrid::ProdBH), "");

    // On a filled code cell Enter walks on, as everywhere else.
    goTo(g, 1, DocumentGrid::ProdBH);
    scan(kHammerCode);
    goTo(g, 1, DocumentGrid::ProdBH);
    press(Qt::Key_Return);
    EXPECT_EQ(g.currentColumn(), int(DocumentGrid::ProdName));
    EXPECT_EQ(opened, 3);
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(GridKeyboard, TabAndShiftTabLeaveTheGridToTheBoxesAroundIt) {
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    goTo(g, 2, DocumentGrid::Price);
    press(Qt::Key_Tab);
    EXPECT_EQ(focus(), w.findChild<QWidget*>("txtMoney"));
    goTo(g, 2, DocumentGrid::Price);
    press(Qt::Key_Backtab);
    EXPECT_TRUE(drive::find<QDateEdit>(w, "dtDate").hasFocus());

    // From a cell being typed in: the typed text stays and the focus leaves.
    goTo(g, 1, DocumentGrid::ProdBH);
    scan(kHammerCode);
    typeKeys("4");
    press(Qt::Key_Tab);
    EXPECT_EQ(g.text(1, DocumentGrid::Quantity), "4");
    EXPECT_EQ(g.text(1, DocumentGrid::Amount), "50");
    EXPECT_EQ(focus(), w.findChild<QWidget*>("txtMoney"));

    TfrmPDB& transfer = open<TfrmPDB>(*products);
    goTo(grid(transfer), 1, DocumentGrid::Remark);
    press(Qt::Key_Tab);
    EXPECT_TRUE(drive::find<QComboBox>(transfer, "cbEMp").hasFocus());
    goTo(grid(transfer), 1, DocumentGrid::ProdBH);
    press(Qt::Key_Backtab);
    EXPECT_TRUE(drive::find<QDateEdit>(transfer, "dtDate").hasFocus());
}

// A scanner set to end its codes with Tab: each code is a line as with Enter, also one that
// lands outside the lines, and the cursor stays in the lines for the next. A person's Tab after
// a code typed by hand still leaves the lines, the code entered.
TEST_F(GridKeyboard, CodesFromAScannerThatEndsThemWithTabBecomeLinesAsWithEnter) {
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    goTo(g, 1, DocumentGrid::ProdBH);
    paced_.sendToFocus(kHammerCode, 3, {Qt::Key_Tab});
    EXPECT_EQ(g.text(1, DocumentGrid::ProdName), "锤子");
    EXPECT_EQ(g.currentLine(), 1);
    EXPECT_EQ(g.currentColumn(), int(DocumentGrid::Quantity));
    paced_.sendToFocus(kPenCode, 3, {Qt::Key_Tab});
    EXPECT_EQ(g.text(1, DocumentGrid::Quantity), "1");
    EXPECT_EQ(g.text(2, DocumentGrid::ProdName), "红笔");
    EXPECT_EQ(g.currentLine(), 2);
    EXPECT_TRUE(g.isAncestorOf(focus())) << "the Tab left the lines";

    auto& settled = drive::find<QLineEdit>(w, "txtMoney");
    settled.setFocus();
    settled.selectAll();
    paced_.sendToFocus(kHammerCode, 3, {Qt::Key_Tab});
    EXPECT_EQ(settled.text(), "0.00");
    EXPECT_EQ(g.text(3, DocumentGrid::ProdName), "锤子");
    EXPECT_EQ(text(w, "txtSumMoney"), "27.50");
    EXPECT_TRUE(messages_.texts().isEmpty());

    goTo(g, 4, DocumentGrid::ProdBH);
    paced_.sendToFocus(kPenCode, 150, {Qt::Key_Tab});
    EXPECT_EQ(g.text(4, DocumentGrid::ProdName), "红笔");
    EXPECT_EQ(focus(), &settled);
}

// Tabbing through the header, a code scanned one box too early lands in the date: it becomes
// the next line, and the document keeps its date.
TEST_F(GridKeyboard, ACodeScannedIntoTheDateBecomesTheNextLineAndTheDateStays) {
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    QDateEdit& date = drive::find<QDateEdit>(w, "dtDate");
    const QDate day = date.date();
    date.setFocus();
    press(Qt::Key_Tab);
    EXPECT_EQ(focus(), &g) << "Tab goes from the date to the lines";

    date.setFocus();
    scan(kHammerCode);
    EXPECT_EQ(date.date(), day);
    EXPECT_EQ(g.text(1, DocumentGrid::ProdID), QString::number(hammer));
    typeKeys("3");
    press(Qt::Key_Return);
    EXPECT_EQ(g.text(1, DocumentGrid::Quantity), "3");

    TfrmPDB& transfer = open<TfrmPDB>(*products);
    QDateEdit& transferDate = drive::find<QDateEdit>(transfer, "dtDate");
    transferDate.setFocus();
    scan(kPenCode);
    EXPECT_EQ(transferDate.date(), day);
    EXPECT_EQ(grid(transfer).text(1, DocumentGrid::ProdID), QString::number(pen));
}

// A code scanned into the document's code, its handler, its warehouse, the amount settled or
// a button: the box keeps what it held, no button is pressed, and the code is the next line.
// Typed at a person's pace, the same keys stay in the box.
TEST_F(GridKeyboard, ACodeScannedOutsideTheLinesBecomesTheNextLineAndTheBoxKeepsItsText) {
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    QLineEdit& code = drive::find<QLineEdit>(w, "txtOrderCode");
    scanStaysOut(code, g, 1, kHammerCode, hammer);
    EXPECT_TRUE(messages_.texts().isEmpty()) << "the Enter pressed 保存";

    QComboBox& handler = drive::find<QComboBox>(w, "cbEMp");
    handler.setEditText(QStringLiteral("张三"));
    scanStaysOut(handler, g, 2, kPenCode, pen);
    QComboBox& house = drive::find<QComboBox>(w, "cbHouse");
    drive::choose(house, "南库");
    scanStaysOut(house, g, 3, kHammerCode, hammer);

    code.setFocus();
    code.selectAll();
    keysAtPace(QStringLiteral("CJ0042"), 150);
    EXPECT_EQ(code.text(), "CJ0042");
    EXPECT_TRUE(g.text(4, DocumentGrid::ProdID).isEmpty());
    messages_.clear(); // a person's Enter there presses 保存, as it always did

    // A code of digits alone is a number too: it must not become the amount settled, nor be
    // told mid-code that it exceeds the amount due (the message took the rest of the code).
    auto& settled = drive::find<QLineEdit>(w, "txtMoney");
    settled.setText(QStringLiteral("5.00"));
    settled.setFocus();
    settled.selectAll();
    scanStaysOut(settled, g, 4, kPenCode, pen);
    EXPECT_TRUE(messages_.texts().isEmpty()) << "told mid-code that it exceeds the amount due";
    // Its Enter on 保存 would have asked to post the document, and the next scan's Enter
    // would have answered.
    scanStaysOut(drive::find<QPushButton>(w, "btnSave"), g, 5, kHammerCode, hammer);
    EXPECT_TRUE(messages_.texts().isEmpty()) << "the Enter pressed 保存";

    TfrmPDB& transfer = open<TfrmPDB>(*products);
    scanStaysOut(drive::find<QLineEdit>(transfer, "txtOrderCode"), grid(transfer), 1, kPenCode,
                 pen);
    // A box only the window's kind has: the loss report's type.
    TfrmBsBy& loss = open<TfrmBsBy>(*products);
    scanStaysOut(drive::find<QComboBox>(loss, "cbOrderType"), grid(loss), 1, kHammerCode, hammer);
    EXPECT_TRUE(messages_.texts().isEmpty()) << "the Enter pressed 保存";
}

// The cursor rests on a line's price, quantity, amount or remark whenever the person changed
// one (a quantity changed with the arrows and Enter leaves it on the amount). A code scanned
// there is the next line and the cell keeps what it held: typed into the cell, a code of digits
// became its number, and the letters of one were refused key by key, so that "AB-17" became
// an amount of -17.
TEST_F(GridKeyboard, ACodeScannedIntoALinesCellBecomesTheNextLineAndTheCellKeepsItsValue) {
    TfrmTradeDocument& w = purchaseWithInk();
    DocumentGrid& g = grid(w);
    scan(kHammerCode);
    scan("2");
    const QStringList first = row(g, 1);
    int next = 2;
    const std::pair<int, QString> scans[] = {
        {DocumentGrid::Price, kPenCode},    {DocumentGrid::Price, QStringLiteral("AB-17")},
        {DocumentGrid::Quantity, kPenCode}, {DocumentGrid::Amount, kPenCode},
        {DocumentGrid::Amount, "AB-17"},    {DocumentGrid::Remark, kPenCode}};
    for (const auto& [column, code] : scans) {
        goTo(g, 1, column);
        scanAtPace(code);
        EXPECT_EQ(row(g, 1), first) << column << " " << code.toStdString();
        EXPECT_EQ(g.text(next, DocumentGrid::ProdBH), code) << column;
        ++next;
    }
    EXPECT_EQ(text(w, "txtSumMoney"), "41.00");

    // What the person typed into the cell before the scan stays, as typed.
    goTo(g, 1, DocumentGrid::Price);
    typeKeys("13");
    scanAtPace(kPenCode);
    EXPECT_EQ(g.text(1, DocumentGrid::Price), "13");
    EXPECT_EQ(g.text(1, DocumentGrid::Amount), "26");
    EXPECT_EQ(g.text(next, DocumentGrid::ProdName), "红笔");
    EXPECT_EQ(text(w, "txtSumMoney"), "44.50");

    // At a scanner's pace, the quantity awaited after a scan is not asked about either.
    EXPECT_EQ(g.currentLine(), next);
    EXPECT_EQ(g.currentColumn(), int(DocumentGrid::Quantity));
    scanAtPace(kHammerCode);
    EXPECT_EQ(g.text(next, DocumentGrid::Quantity), "1");
    EXPECT_EQ(g.text(next + 1, DocumentGrid::ProdName), "锤子");
    EXPECT_TRUE(messages_.shown().empty());
}

// Into the code of a line that has its product, as when Enter walked on to it: scanned over
// that code, a code replaced the line without a word. Typed by hand, it still does.
TEST_F(GridKeyboard, ACodeScannedOverALinesCodeBecomesTheNextLine) {
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    goTo(g, 1, DocumentGrid::ProdBH);
    scan(kHammerCode);
    scan("2");
    scan(kPenCode);
    scan("1");
    const QStringList first = row(g, 1);
    goTo(g, 1, DocumentGrid::ProdBH);
    scanAtPace(kPenCode);
    EXPECT_EQ(row(g, 1), first);
    EXPECT_EQ(g.text(3, DocumentGrid::ProdBH), kPenCode);
    goTo(g, 1, DocumentGrid::Remark);
    press(Qt::Key_Return); // on to the next line's code, opened with its code chosen
    ASSERT_EQ(g.currentLine(), 2);
    scanAtPace(kHammerCode);
    EXPECT_EQ(g.text(2, DocumentGrid::ProdBH), kPenCode);
    EXPECT_EQ(g.text(4, DocumentGrid::ProdBH), kHammerCode);
    EXPECT_EQ(text(w, "txtSumMoney"), "42.50");

    goTo(g, 4, DocumentGrid::ProdBH);
    scan(kPenCode); // by hand
    EXPECT_EQ(g.text(4, DocumentGrid::ProdName), "红笔");
    EXPECT_EQ(g.text(5, DocumentGrid::ProdID), "");
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(GridKeyboard, ATransferAndALossAreFilledFromAScannerAndSaved) {
    TfrmPDB& transfer = open<TfrmPDB>(*products);
    drive::choose(drive::find<QComboBox>(transfer, "cbHouseOut"), "北库");
    drive::choose(drive::find<QComboBox>(transfer, "cbHouseIn"), "南库");
    goTo(grid(transfer), 1, DocumentGrid::ProdBH);
    scan(kPenCode);
    typeKeys("6");
    press(Qt::Key_Return);
    EXPECT_EQ(grid(transfer).text(1, DocumentGrid::ProdID), QString::number(pen));
    messages_.answerOk();
    drive::click(transfer, "btnSave");
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(scalar("SELECT prodID || ':' || pcount FROM OrderDBD"),
              QString::number(pen) + ":6.0");

    TfrmBsBy& loss = open<TfrmBsBy>(*products);
    drive::choose(drive::find<QComboBox>(loss, "cbHouseIn"), "北库");
    goTo(grid(loss), 2, DocumentGrid::ProdBH);
    scan(kHammerCode);
    typeKeys("2");
    press(Qt::Key_Return);
    messages_.answerOk();
    drive::click(loss, "btnSave");
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(number(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(hammer)),
              -2);
}

TEST_F(GridKeyboard, ARowWithoutAKnownProductCountsInNoTotalAndIsNamedOnSaving) {
    for (bool returned : {false, true}) {
        SCOPED_TRACE(returned ? "purchase return" : "purchase");
        TfrmTradeDocument& w = returned ? purchaseReturn() : purchase();
        DocumentGrid& g = grid(w);
        chooseHouseAndSupplier(w);
        goTo(g, 1, DocumentGrid::ProdBH);
        scan(kHammerCode);
        typeKeys("2");
        press(Qt::Key_Return);
        // Row 3 typed by hand: a name, a price and a quantity, but no product of the book.
        goTo(g, 3, DocumentGrid::ProdName);
        typeKeys("nail");
        press(Qt::Key_Tab);
        goTo(g, 3, DocumentGrid::Price);
        typeKeys("5");
        goTo(g, 3, DocumentGrid::Quantity);
        typeKeys("10");
        goTo(g, 3, DocumentGrid::Remark);
        EXPECT_EQ(g.text(3, DocumentGrid::Amount), "50");
        EXPECT_EQ(text(w, "txtSumMoney"), "25.00"); // the hammers only

        // A page printing it would not add up to its total: it is named, nothing printed.
        messages_.clear();
        goTo(g, 1, DocumentGrid::Remark);
        drive::click(w, "Button1");
        EXPECT_EQ(
            messages_.texts(),
            QStringList({"第3行的商品不在商品资料中，请输入正确的商品编号，或按F2选择商品！"}));
        EXPECT_EQ(g.currentLine(), 3);
        EXPECT_EQ(g.currentColumn(), int(DocumentGrid::ProdBH));

        messages_.clear();
        drive::click(w, "btnSave");
        EXPECT_EQ(
            messages_.texts(),
            QStringList({"第3行的商品不在商品资料中，请输入正确的商品编号，或按F2选择商品！"}));
        EXPECT_EQ(g.currentLine(), 3);
        EXPECT_EQ(g.currentColumn(), int(DocumentGrid::ProdBH));
        EXPECT_EQ(count(returned ? "OrderPurT" : "OrderPur"), 0);

        // Its code typed in makes it a line of the book: the totals, journal and lines agree.
        scan(kPenCode);
        EXPECT_EQ(text(w, "txtSumMoney"), "27.50");
        messages_.answerOk();
        drive::click(w, "btnSave");
        EXPECT_EQ(messages_.last(), "单据保存成功！");
        const QString lines = returned ? "OrderPurTD" : "OrderPurD";
        EXPECT_EQ(number("SELECT sum(sumMoney) FROM " + lines), 27.5);
        EXPECT_EQ(number("SELECT abs(sumMoney) FROM FitemBank WHERE orderType='" +
                         tradeKind(returned ? TradeKindId::PurchaseReturn : TradeKindId::Purchase)
                             .journalType +
                         "'"),
                  27.5);
    }
}

// The totals and the amount settled show money with its cents; what is stored is the value.
TEST_F(GridKeyboard, TheMoneyBoxesShowCentsAndTheSettledAmountIsSavedAsTyped) {
    for (const bool returned : {false, true}) {
        TfrmTradeDocument& w = returned ? purchaseReturn() : purchase();
        DocumentGrid& g = grid(w);
        auto& settled = drive::find<QLineEdit>(w, "txtMoney");
        EXPECT_EQ(text(w, "txtSumMoney"), "0.00");
        EXPECT_EQ(settled.text(), "0.00");
        chooseHouseAndSupplier(w);
        goTo(g, 1, DocumentGrid::ProdBH);
        scan(kHammerCode);
        typeKeys("3");
        press(Qt::Key_Tab); // out of the grid to the amount settled, its text selected
        EXPECT_EQ(text(w, "txtSumMoney"), "37.50");
        EXPECT_EQ(text(w, "txtTotalMoney"), "37.50");
        EXPECT_EQ(focus(), &settled);
        typeKeys("20.5");
        EXPECT_EQ(settled.text(), "20.5"); // as typed while typing
        press(Qt::Key_Tab);
        EXPECT_EQ(settled.text(), "20.50");
        // More decimals than cents stay: the value is never rounded by showing it.
        drive::type(settled, "12.345");
        press(Qt::Key_Tab);
        EXPECT_EQ(settled.text(), "12.345");
        drive::type(settled, "20.5");
        EXPECT_TRUE(messages_.shown().empty());

        messages_.answerOk();
        drive::click(w, "btnSave");
        EXPECT_EQ(messages_.last(), "单据保存成功！");
        const QString header = returned ? "OrderPurT" : "OrderPur";
        EXPECT_EQ(number("SELECT acMoney FROM " + header), 37.5);
        EXPECT_EQ(number("SELECT coMoney FROM " + header), 20.5);
        EXPECT_EQ(text(w, "txtSumMoney"), "0.00");
        EXPECT_EQ(settled.text(), "0.00");
        messages_.clear();
    }
}

TEST_F(GridKeyboard, ANegativeTotalShowsItsSignAndCents) {
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    goTo(g, 1, DocumentGrid::ProdBH);
    scan(kHammerCode);
    typeKeys("-2");
    press(Qt::Key_Return);
    EXPECT_EQ(g.text(1, DocumentGrid::Amount), "-25");
    EXPECT_EQ(text(w, "txtSumMoney"), "-25.00");
    EXPECT_EQ(text(w, "txtTotalMoney"), "-25.00");
}

TEST_F(GridKeyboard, NumbersTypedKeyByKeyStayAsTypedUntilTheCellIsLeft) {
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    goTo(g, 1, DocumentGrid::ProdBH);
    scan(kHammerCode);
    goTo(g, 1, DocumentGrid::Price);
    typeKeys(".5");
    EXPECT_EQ(g.text(1, DocumentGrid::Price), ".5");
    press(Qt::Key_Return);
    EXPECT_EQ(g.text(1, DocumentGrid::Price), ".5");
    EXPECT_EQ(g.text(1, DocumentGrid::Amount), "0.5");

    goTo(g, 1, DocumentGrid::Quantity);
    typeKeys("-2");
    EXPECT_EQ(g.text(1, DocumentGrid::Quantity), "-2");
    press(Qt::Key_Return);
    EXPECT_EQ(g.text(1, DocumentGrid::Amount), "-1");

    // Each step on the way stays; what is still no number when left becomes "0".
    goTo(g, 1, DocumentGrid::Quantity);
    QStringList seen;
    for (QChar c : QStringLiteral("1e309")) {
        QTest::keyClick(focus(), c.toLatin1());
        seen << g.text(1, DocumentGrid::Quantity);
    }
    EXPECT_EQ(seen, QStringList({"1", "1e", "1e3", "1e30", "1e309"}));
    press(Qt::Key_Return);
    EXPECT_EQ(g.text(1, DocumentGrid::Quantity), "0");
    EXPECT_EQ(g.text(1, DocumentGrid::Amount), "0");

    goTo(g, 1, DocumentGrid::Price);
    typeKeys("2x");
    EXPECT_EQ(g.text(1, DocumentGrid::Price), "0"); // never a number: at once, as before
}

// A Chinese input method in its wide mode types ２ for 2, and with its own punctuation 。 for
// the point. Refused as no number, such a quantity became 0 and the line counted nothing.
TEST_F(GridKeyboard, WideDigitsAndTheChinesePointAreTheNumberTheyStandFor) {
    TfrmTradeDocument& w = purchase();
    DocumentGrid& g = grid(w);
    goTo(g, 1, DocumentGrid::ProdBH);
    scan(kHammerCode);
    typeWide(QStringLiteral("１２"));
    EXPECT_EQ(g.text(1, DocumentGrid::Quantity), "12");
    press(Qt::Key_Return);
    EXPECT_EQ(g.text(1, DocumentGrid::Amount), "150");

    goTo(g, 1, DocumentGrid::Price);
    typeWide(QStringLiteral("１２。５"));
    press(Qt::Key_Return);
    EXPECT_EQ(g.text(1, DocumentGrid::Price), "12.5");

    auto& settled = drive::find<QLineEdit>(w, "txtMoney");
    settled.setFocus();
    settled.selectAll();
    typeText(settled, QStringLiteral("１００．５"));
    press(Qt::Key_Tab);
    EXPECT_EQ(settled.text(), "100.50");
}

TEST_F(GridKeyboard, TheAmountSettledTakesWhatIsTypedOnTheWayToANumber) {
    TfrmTradeDocument& w = purchase();
    auto& box = drive::find<QLineEdit>(w, "txtMoney");
    const auto typed = [&box](const QString& keys) {
        box.setFocus();
        box.selectAll();
        QTest::keyClick(&box, Qt::Key_Backspace);
        QStringList seen;
        for (QChar c : keys) {
            QTest::keyClick(&box, c.toLatin1());
            seen << box.text();
        }
        return seen;
    };
    EXPECT_EQ(typed(".5"), QStringList({".", ".5"}));
    EXPECT_EQ(typed("-2"), QStringList({"-", "-2"}));
    EXPECT_EQ(typed("1e-3"), QStringList({"1", "1e", "1e-", "1e-3"}));
    EXPECT_EQ(typed("-."), QStringList({"-", "-."}));
    press(Qt::Key_Tab); // leaving it judges it, and money shows its cents
    EXPECT_EQ(box.text(), "0.00");
    EXPECT_EQ(typed("1e"), QStringList({"1", "1e"}));
    press(Qt::Key_Return);
    EXPECT_EQ(box.text(), "0.00");
}

TEST_F(GridKeyboard, TheEmployeeOfATransferOrALossTakesNoNewEntryOnEnter) {
    addEmployee("张三");
    for (StockDocumentForm* w : {static_cast<StockDocumentForm*>(&open<TfrmPDB>(*products)),
                                 static_cast<StockDocumentForm*>(&open<TfrmBsBy>(*products))}) {
        auto& employee = drive::find<QComboBox>(*w, "cbEMp");
        ASSERT_EQ(employee.count(), 1);
        employee.lineEdit()->setFocus();
        employee.lineEdit()->selectAll();
        drive::keys(employee.lineEdit(), "王五");
        QTest::keyClick(employee.lineEdit(), Qt::Key_Return);
        EXPECT_EQ(employee.count(), 1);
        EXPECT_EQ(employee.currentText(), "王五");
    }
}

} // namespace
