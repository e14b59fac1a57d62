// A purchase worked with the keys every window shares: F3 for the supplier, Ctrl+P to print,
// Ctrl+S to save, Escape to leave.
#include "core/sysdata.h"
#include "documents/gridinput.h"
#include "documents/ui/tradewindows.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "masterdata/ui/tfrmfindproduct.h"
#include "printing/ui/tfrmprintview.h"
#include "support/booktest.h"
#include "support/drive.h"
#include "support/testprinter.h"

#include <QApplication>
#include <QComboBox>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <memory>

namespace {

class DocumentKeys : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        addHouse("总库");
        addEmployee("张三");
        addProduct("锤子", addCategory("工具"), "12.5", "20");
        addSupplier("甲公司");
        addSupplier("乙工厂");
        products = std::make_unique<TfrmFindProduct>();
        comps = std::make_unique<TfrmFindComp>();
        preview = std::make_unique<TfrmPrintView>(printer);
        window = std::make_unique<TfrmPurIn>(*products, *comps, *preview);
        window->show();
        activate();
    }
    void TearDown() override {
        window.reset();
        preview.reset();
        comps.reset();
        products.reset();
        BookTest::TearDown();
    }

    // The window the person works in has the keyboard.
    void activate() {
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        activate();
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
        QTest::keyClick(focus, Qt::Key(key), modifiers);
    }
    DocumentGrid& grid() { return drive::find<DocumentGrid>(*window, "sgData"); }
    QString text(const char* name) { return drive::find<QLineEdit>(*window, name).text(); }

    // F3, then the third supplier by arrows and Enter (the first is 普通供应商).
    void pickSupplierByKeys() {
        modal_.expect<TfrmFindComp>([](TfrmFindComp& p) {
            QApplication::setActiveWindow(&p);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down); // into the list
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        press(Qt::Key_F3);
    }
    void fillDocument() {
        drive::choose(drive::find<QComboBox>(*window, "cbHouse"), "总库");
        pickSupplierByKeys();
        modal_.expect<TfrmFindProduct>([](TfrmFindProduct& p) {
            QApplication::setActiveWindow(&p);
            drive::keys(QApplication::focusWidget(), "锤");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        gridinput::doubleClick(grid(), 1);
        gridinput::type(grid(), 1, DocumentGrid::Quantity, "4");
    }

    std::unique_ptr<TfrmFindProduct> products;
    std::unique_ptr<TfrmFindComp> comps;
    TestPrinter printer;
    std::unique_ptr<TfrmPrintView> preview;
    std::unique_ptr<TfrmPurIn> window;
};

TEST_F(DocumentKeys, F3PicksTheSupplierAndItsButtonHasANameAndATip) {
    pickSupplierByKeys();
    EXPECT_EQ(text("txtCompName"), "乙工厂");
    auto& button = drive::find<QToolButton>(*window, "imgFind");
    EXPECT_TRUE(button.text().isEmpty() || !button.accessibleName().isEmpty());
    EXPECT_EQ(button.accessibleName(), "查找往来单位");
    EXPECT_TRUE(button.toolTip().contains("F3"));
    EXPECT_NE(button.focusPolicy() & Qt::TabFocus, 0);
}

TEST_F(DocumentKeys, CtrlPShowsTheDocumentInThePreview) {
    fillDocument();
    QString shownCode;
    modal_.expect<TfrmPrintView>([&](TfrmPrintView& v) { shownCode = v.page().documentCode; });
    press(Qt::Key_P, Qt::ControlModifier);
    modal_.expectAllShown();
    EXPECT_EQ(shownCode, text("txtOrderCode"));
    EXPECT_EQ(count("OrderPur"), 0);
}

TEST_F(DocumentKeys, CtrlSSavesTheDocumentAsTheSaveButtonDoes) {
    fillDocument();
    messages_.answerOk();
    press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(messages_.texts(), QStringList({"确定数据录入正确，单据过账吗？", "单据保存成功！"}));
    EXPECT_EQ(count("OrderPur"), 1);
    EXPECT_EQ(scalar("SELECT pcount FROM OrderPurD"), "4");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(DocumentKeys, EscapeAsksBeforeWorkIsLostAndKeepsItOnCancel) {
    fillDocument();
    messages_.answerCancel(); // not discarded: the document is saved, as closing does
    messages_.answerCancel(); // and then the posting is not confirmed
    drive::find<QLineEdit>(*window, "txtMoney").setFocus(); // out of the grid's cell
    press(Qt::Key_Escape);
    EXPECT_EQ(messages_.texts().value(0), "数据已经更改，放弃保存吗？");
    EXPECT_EQ(count("OrderPur"), 0);
    EXPECT_EQ(grid().text(1, DocumentGrid::ProdName), "锤子");
}

TEST_F(DocumentKeys, EscapeOnAnEmptyDocumentClosesWithoutAQuestion) {
    press(Qt::Key_Escape);
    EXPECT_TRUE(messages_.texts().isEmpty());
    EXPECT_FALSE(window->isVisible());
}

// Lets the test ask the grid's delegate how it draws a cell.
struct DrawnCell : QStyledItemDelegate {
    static void init(QStyledItemDelegate& d, QStyleOptionViewItem& o, const QModelIndex& i) {
        (d.*(&DrawnCell::initStyleOption))(&o, i);
    }
};

TEST_F(DocumentKeys, TheGridShowsPricesAndAmountsWithCentsAndKeepsWhatWasTyped) {
    fillDocument();
    const auto drawn = [&](int column) {
        const QModelIndex index = grid().model()->index(0, column);
        QStyleOptionViewItem option;
        DrawnCell::init(*qobject_cast<QStyledItemDelegate*>(grid().itemDelegate()), option, index);
        return std::make_pair(option.text, bool(option.displayAlignment & Qt::AlignRight));
    };
    EXPECT_EQ(drawn(DocumentGrid::Price), std::make_pair(QString("12.50"), true));
    EXPECT_EQ(drawn(DocumentGrid::Amount), std::make_pair(QString("50.00"), true));
    EXPECT_EQ(drawn(DocumentGrid::Quantity), std::make_pair(QString("4"), true));
    EXPECT_EQ(grid().text(1, DocumentGrid::Price), "12.5");
    EXPECT_EQ(grid().text(1, DocumentGrid::Amount), "50");
}

} // namespace
