// The keys that mean the same in every window, pressed as a person presses them.
#include "app/windowset.h"
#include "core/sysdata.h"
#include "core/windowregistry.h"
#include "entrywindows.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTableView>
#include <QTreeWidget>

#include <set>

namespace {

class CommonKeys : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        tools = addCategory("工具");
        addProduct("锤子", tools);
        set = std::make_unique<WindowSet>();
    }
    void TearDown() override {
        set.reset();
        BookTest::TearDown();
    }
    // Opens the window, gives it the keyboard and runs the script in it.
    void in(const QString& window, std::function<void(QDialog&)> script) {
        modal_.expect(window, [&](QDialog& w) {
            QApplication::setActiveWindow(&w);
            script(w);
        });
        windows::open(window);
        modal_.expectAllShown();
    }
    static void press(QDialog& w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &w;
        QTest::keyClick(focus, Qt::Key(key), modifiers);
    }

    long long tools = 0;
    std::unique_ptr<WindowSet> set;
};

TEST_F(CommonKeys, CtrlFGoesToTheSearchBoxAndF5SearchesAgain) {
    in("TfrmProduct", [&](QDialog& w) {
        auto& box = drive::find<QLineEdit>(w, "txtKey");
        auto& list = drive::find<QTableView>(w, "dgProduct");
        box.setText("锤");
        list.setFocus();
        press(w, Qt::Key_F, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget(), &box);
        EXPECT_EQ(box.selectedText(), "锤");
        press(w, Qt::Key_F5);
        EXPECT_EQ(list.model()->rowCount(), 1);
        addProduct("大锤", tools); // another counter adds one meanwhile
        press(w, Qt::Key_F5);
        EXPECT_EQ(list.model()->rowCount(), 2);
    });
}

TEST_F(CommonKeys, F5InAPickerSearchesAsEnterDoes) {
    addSupplier("甲公司");
    modal_.expect("TfrmPurIn", [&](QDialog& doc) {
        QApplication::setActiveWindow(&doc);
        modal_.expect("TfrmFindComp", [&](QDialog& p) {
            QApplication::setActiveWindow(&p);
            auto& list = drive::find<QTableView>(p, "dgSupplier");
            EXPECT_EQ(list.model()->rowCount(), 2); // with the book's own 普通供应商
            addSupplier("乙工厂");
            press(p, Qt::Key_F5);
            EXPECT_EQ(list.model()->rowCount(), 3);
        });
        press(doc, Qt::Key_F3);
    });
    windows::open("TfrmPurIn");
}

TEST_F(CommonKeys, CtrlPInAQueryPrintsTheSelectedDocumentOrSaysNoneIsSelected) {
    in("TfrmTjPurQ", [&](QDialog& w) { press(w, Qt::Key_P, Qt::ControlModifier); });
    EXPECT_EQ(messages_.last(), "请选择要打印的单据！");
}

TEST_F(CommonKeys, AKeyWithoutAControlInTheWindowDoesNothing) {
    in("TfrmHouse", [&](QDialog& w) {
        press(w, Qt::Key_S, Qt::ControlModifier);
        press(w, Qt::Key_P, Qt::ControlModifier);
        EXPECT_TRUE(w.isVisible());
    });
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(CommonKeys, TheProductWindowAddsACategoryFromAButtonBesideTheTree) {
    in("TfrmProduct", [&](QDialog& w) {
        modal_.expect("TfrmCateAdd", [](QDialog& d) {
            drive::type(d, "txtCateName", "日用品");
            drive::click(d, "btnAdd");
        });
        auto& button = drive::find<QAbstractButton>(w, "btnAddCate");
        EXPECT_EQ(button.text(), "添加分类");
        drive::click(button);
        const auto found =
            drive::find<QTreeWidget>(w, "tvCategory").findItems("日用品", Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1);
    });
    EXPECT_EQ(count("Fprodcate WHERE cateName='日用品'"), 1);
}

// Every control the focus reaches by Tab alone, from the window's first one.
std::set<QWidget*> reachedByTab(QDialog& w) {
    QApplication::setActiveWindow(&w);
    std::set<QWidget*> reached;
    for (int presses = 0; presses < 200; ++presses) {
        QWidget* focus = QApplication::focusWidget();
        if (!focus)
            break;
        reached.insert(focus);
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    return reached;
}

// A person without a mouse presses every button of every window: the Tab key leaves every
// list (a table walked its cells row after row and never let go) and reaches every button.
TEST_F(CommonKeys, TabLeavesEveryListAndReachesEveryButtonOfEveryWindow) {
    addHouse("总库");
    addSupplier("甲公司");
    addCustomer("乙商店");
    addEmployee("张三");
    int looked = openEveryEntryWindow(modal_, [](const QString& name, QDialog& w) {
        const std::set<QWidget*> reached = reachedByTab(w);
        for (QAbstractButton* button : w.findChildren<QAbstractButton*>()) {
            if (button->isVisibleTo(&w) && button->isEnabled() && button->window() == &w) {
                EXPECT_TRUE(reached.count(button))
                    << name.toStdString() << "::" << button->objectName().toStdString() << " "
                    << button->text().toStdString() << " is out of the keyboard's reach";
            }
        }
    });
    EXPECT_GE(looked, 35);
}

// Where a window adds boxes to a form it shares, Tab still goes through them as they are read.
TEST_F(CommonKeys, TabGoesThroughTheBoxesInTheOrderTheyAreShown) {
    const auto tabs = [](QDialog& w, const char* from, std::vector<const char*> through) {
        QApplication::setActiveWindow(&w);
        w.findChild<QWidget*>(from)->setFocus();
        for (const char* next : through) {
            press(w, Qt::Key_Tab);
            ASSERT_EQ(QApplication::focusWidget(), w.findChild<QWidget*>(next))
                << w.windowTitle().toStdString() << ": " << next << " is not next";
        }
    };
    addHouse("总库");
    in("TfrmCash", [&](QDialog& w) {
        tabs(w, "dgitm", {"dtbegin", "dtEnd", "Button1", "dgBank"});
    });
    in("TfrmProdCount", [&](QDialog& w) {
        tabs(w, "tvCategory", {"cbHouseName", "txtKey", "dgProduct"});
    });
    in("TfrmProductPD", [&](QDialog& w) {
        modal_.expect("TfrmPDAdd", [&](QDialog& count) {
            tabs(count, "txtOrderID", {"cbHouse", "dtDate", "txtRemark", "cbCate"});
        });
        drive::click(w, "tlAdd");
    });
}

TEST_F(CommonKeys, EnterOnARowOfAListEditsItAsADoubleClickDoes) {
    addHouse("总库");
    in("TfrmHouse", [&](QDialog& w) {
        auto& list = drive::find<QTableView>(w, "dgHouse");
        list.setFocus();
        list.setCurrentIndex(list.model()->index(0, 0));
        QString shown;
        modal_.expect("TfrmHouseEdit", [&](QDialog& d) {
            shown = drive::find<QLineEdit>(d, "txtHouseName").text();
        });
        press(w, Qt::Key_Return);
        modal_.expectAllShown();
        EXPECT_EQ(shown, "总库");

        // Tab goes from the list to the tool buttons; Space presses 添加.
        QApplication::setActiveWindow(&w);
        list.setFocus();
        press(w, Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), w.findChild<QWidget*>("tlAdd"));
        modal_.expectOpenClose("TfrmHouseAdd");
        press(w, Qt::Key_Space);
    });
}

} // namespace
