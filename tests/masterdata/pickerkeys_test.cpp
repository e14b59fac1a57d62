// Both pickers worked from the keyboard alone: keys sent to the widgets, no mouse event.
#include "core/sysdata.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "masterdata/ui/tfrmfindproduct.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QApplication>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>
#include <memory>
#include <string>

namespace {

QLineEdit& searchBox(QWidget& picker) {
    return drive::find<QLineEdit>(picker, "txtKey");
}

// Keys go where the focus is, as they do for a person.
void press(Qt::Key key) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key);
}

class ProductPickerKeys : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        const long long tools = addCategory("工具");
        addProduct("锤子", tools, "8", "12.5");
        addProduct("螺丝刀", tools, "3", "5");
        addProduct("扳手", tools, "6", "9");
        exec("UPDATE Fproduct SET prodBH='T' || prodID");
        picker = std::make_unique<TfrmFindProduct>();
    }
    void TearDown() override {
        picker.reset();
        BookTest::TearDown();
    }
    void pick(std::function<void()> script) {
        picker->setMode("1");
        modal_.expect<TfrmFindProduct>([&](TfrmFindProduct& w) {
            w.activateWindow();
            QApplication::setActiveWindow(&w);
            script();
        });
        picker->showModal();
    }
    QTableView& list() { return drive::find<QTableView>(*picker, "dgProduct"); }
    int rows() { return list().model()->rowCount(); }

    std::unique_ptr<TfrmFindProduct> picker;
};

TEST_F(ProductPickerKeys, TypingNarrowsTheListOnceTheTypingPausesWithoutEnter) {
    pick([&] {
        QLineEdit& box = searchBox(*picker);
        box.setFocus();
        drive::keys(&box, "螺");
        EXPECT_TRUE(QTest::qWaitFor([&] { return rows() == 1; }, 5000));
        EXPECT_EQ(drive::find<QStatusBar>(*picker, "StatusBar1").currentMessage(),
                  "商品编号或名称与\"螺\"相似的商品种类数：1");
        QTest::keyClick(&box, Qt::Key_Backspace);
        EXPECT_TRUE(QTest::qWaitFor([&] { return rows() == 3; }, 5000));
        drive::keys(&box, "T3");
        EXPECT_TRUE(QTest::qWaitFor([&] { return rows() == 1; }, 5000));
    });
    EXPECT_EQ(picker->chosen(), 0);
}

// Down straight after the keys, before the typing's pause has run out: the list it goes into
// is the one typed for, not the one shown before.
TEST_F(ProductPickerKeys, DownFromTheBoxThenEnterChoosesTheFirstRowOfWhatWasTyped) {
    pick([&] {
        searchBox(*picker).setFocus();
        drive::keys(&searchBox(*picker), "扳");
        press(Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), &list());
        press(Qt::Key_Return);
    });
    ASSERT_EQ(picker->chosen(), 1);
    EXPECT_EQ(picker->values()[2], "扳手");
    EXPECT_EQ(picker->values()[5], "6");
}

TEST_F(ProductPickerKeys, ArrowsMoveInTheListAndSpaceChooses) {
    pick([&] {
        searchBox(*picker).setFocus();
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        press(Qt::Key_Up);
        press(Qt::Key_Space);
    });
    ASSERT_EQ(picker->chosen(), 1);
    EXPECT_EQ(picker->values()[2], "螺丝刀");
}

TEST_F(ProductPickerKeys, TabFromTheBoxThenEnterChoosesTheHighlightedRow) {
    pick([&] {
        searchBox(*picker).setFocus();
        drive::keys(&searchBox(*picker), "扳");
        press(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), &list());
        press(Qt::Key_Enter);
    });
    ASSERT_EQ(picker->chosen(), 1);
    EXPECT_EQ(picker->values()[2], "扳手");
}

TEST_F(ProductPickerKeys, UpOnTheFirstRowGoesBackToTheBoxAndEnterThereSearches) {
    pick([&] {
        QLineEdit& box = searchBox(*picker);
        box.setFocus();
        press(Qt::Key_Down);
        press(Qt::Key_Up);
        EXPECT_EQ(QApplication::focusWidget(), &box);
        drive::keys(&box, "锤");
        press(Qt::Key_Return); // searches; chooses nothing
        EXPECT_TRUE(picker->isVisible());
        EXPECT_EQ(rows(), 1);
    });
    EXPECT_EQ(picker->chosen(), 0);
}

// A scanner used with the list focused: its keys went to the list's look-up by first letters
// and its Enter chose whatever row that left current, a product the code does not name.
TEST_F(ProductPickerKeys, ACodeTypedInTheListIsSearchedInTheBoxNotTakenForTheCurrentRow) {
    pick([&] {
        QLineEdit& box = searchBox(*picker);
        box.setFocus();
        drive::keys(&box, "锤");
        press(Qt::Key_Down);
        ASSERT_EQ(QApplication::focusWidget(), &list());
        for (char c : std::string("T35"))
            QTest::keyClick(QApplication::focusWidget(), c);
        EXPECT_EQ(QApplication::focusWidget(), &box);
        EXPECT_EQ(box.text(), "T35");
        press(Qt::Key_Return); // searches: no product has that code
        EXPECT_TRUE(picker->isVisible());
        EXPECT_EQ(rows(), 0);
        // Shift for a capital, as a scanner sends it, types into the box just the same.
        press(Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), 'T', Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), '2');
        EXPECT_EQ(box.text(), "T2");
        press(Qt::Key_Return);
        EXPECT_EQ(rows(), 1);
        press(Qt::Key_Down);
        press(Qt::Key_Return);
    });
    ASSERT_EQ(picker->chosen(), 1);
    EXPECT_EQ(picker->values()[2], "螺丝刀");
}

TEST_F(ProductPickerKeys, EscapeLeavesWithoutChoosing) {
    pick([&] {
        searchBox(*picker).setFocus();
        press(Qt::Key_Down);
        press(Qt::Key_Escape);
        EXPECT_FALSE(picker->isVisible());
    });
    EXPECT_EQ(picker->chosen(), 0);
}

TEST_F(ProductPickerKeys, EnterOnAnEmptyListChoosesNothingAndStaysOpen) {
    pick([&] {
        searchBox(*picker).setFocus();
        drive::keys(&searchBox(*picker), "没有这种");
        press(Qt::Key_Tab);
        EXPECT_EQ(rows(), 0);
        press(Qt::Key_Return);
        EXPECT_TRUE(picker->isVisible());
    });
    EXPECT_EQ(picker->chosen(), 0);
}

TEST_F(ProductPickerKeys, ALaterShowingPutsTheFocusInTheSearchBoxWithItsTextSelected) {
    pick([&] { drive::keys(&searchBox(*picker), "锤"); });
    pick([&] {
        EXPECT_EQ(QApplication::focusWidget(), &searchBox(*picker));
        EXPECT_EQ(searchBox(*picker).selectedText(), "锤");
        drive::keys(&searchBox(*picker), "扳"); // replaces the old key
        EXPECT_EQ(searchBox(*picker).text(), "扳");
        press(Qt::Key_Down);
        press(Qt::Key_Return);
    });
    EXPECT_EQ(picker->values()[2], "扳手");
}

class CounterpartPickerKeys : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        addSupplier("甲公司");
        addSupplier("乙工厂");
        addSupplier("丙商行");
        picker = std::make_unique<TfrmFindComp>();
    }
    void TearDown() override {
        picker.reset();
        BookTest::TearDown();
    }
    void pick(std::function<void()> script) {
        picker->setMode("1");
        modal_.expect<TfrmFindComp>([&](TfrmFindComp& w) {
            w.activateWindow();
            QApplication::setActiveWindow(&w);
            script();
        });
        picker->showModal();
    }
    QTableView& list() { return drive::find<QTableView>(*picker, "dgSupplier"); }

    std::unique_ptr<TfrmFindComp> picker;
};

TEST_F(CounterpartPickerKeys, OpensWithTheFocusInTheSearchBoxAndNarrowsAsOneTypes) {
    pick([&] {
        EXPECT_EQ(QApplication::focusWidget(), &searchBox(*picker));
        drive::keys(&searchBox(*picker), "乙");
        EXPECT_TRUE(QTest::qWaitFor([&] { return list().model()->rowCount() == 1; }, 5000));
        EXPECT_EQ(drive::find<QStatusBar>(*picker, "StatusBar1").currentMessage(),
                  "当前满足条件的供应商总数：1");
        press(Qt::Key_Down);
        press(Qt::Key_Return);
    });
    ASSERT_EQ(picker->chosen(), 1);
    EXPECT_EQ(picker->compName(), "乙工厂");
}

TEST_F(CounterpartPickerKeys, DownIntoTheListThenDownEnterChoosesTheSecondRow) {
    pick([&] {
        press(Qt::Key_Down);
        press(Qt::Key_Down);
        press(Qt::Key_Return);
    });
    ASSERT_EQ(picker->chosen(), 1);
    EXPECT_EQ(picker->compName(), "甲公司"); // after the book's own 普通供应商
}

TEST_F(CounterpartPickerKeys, EscapeLeavesWithoutChoosing) {
    pick([&] {
        press(Qt::Key_Down);
        press(Qt::Key_Escape);
    });
    EXPECT_EQ(picker->chosen(), 0);
}

} // namespace
