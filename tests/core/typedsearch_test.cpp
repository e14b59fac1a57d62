// A search box narrowing as one types: one search for a burst of keys, none left behind.
#include "core/ui/typedsearch.h"
#include "support/drive.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class TypedSearchBox : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(&box);
        layout->addWidget(&list);
        list.addItem(QStringLiteral("锤子"));
        new TypedSearch(box, [this] { searched << box.text(); });
        window.show();
        QApplication::setActiveWindow(&window);
        box.setFocus();
    }
    // Long enough for a pause to have run out.
    static void afterThePause() { QTest::qWait(TypedSearch::kPauseMs * 2); }

    QWidget window;
    QLineEdit box;
    QListWidget list;
    QStringList searched;
};

TEST_F(TypedSearchBox, KeysInQuickSuccessionSearchOnceWhenTheTypingPauses) {
    drive::keys(&box, "SP054321");
    EXPECT_TRUE(searched.isEmpty()); // not one search a key
    EXPECT_TRUE(QTest::qWaitFor([&] { return !searched.isEmpty(); }, 5000));
    afterThePause();
    EXPECT_EQ(searched, QStringList{"SP054321"});

    drive::keys(&box, "螺"); // a person typing on after a pause narrows again
    EXPECT_TRUE(QTest::qWaitFor([&] { return searched.size() == 2; }, 5000));
    EXPECT_EQ(searched.last(), "SP054321螺");
}

TEST_F(TypedSearchBox, EnterSearchesAtOnceAndLeavesNothingBehind) {
    drive::keys(&box, "6901234567892"); // a scanner: the code, then Enter
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(searched, QStringList{"6901234567892"});
    afterThePause();
    EXPECT_EQ(searched.size(), 1);
}

TEST_F(TypedSearchBox, LeavingTheBoxByTheKeyboardSearchesForWhatWasTyped) {
    drive::keys(&box, "扳");
    QTest::keyClick(&box, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), &list);
    EXPECT_EQ(searched, QStringList{"扳"}); // the list one arrives in is the narrowed one
    afterThePause();
    EXPECT_EQ(searched.size(), 1);
}

TEST_F(TypedSearchBox, AClickIntoTheListKeepsTheRowsThatWereSeen) {
    drive::keys(&box, "扳");
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualItemRect(list.item(0)).center());
    ASSERT_EQ(QApplication::focusWidget(), &list);
    afterThePause();
    EXPECT_TRUE(searched.isEmpty()); // no search reloads the list under the person's clicks
}

TEST_F(TypedSearchBox, TextSetByTheProgramSearchesNothing) {
    box.setText(QStringLiteral("锤")); // a window putting back the last key on showing
    afterThePause();
    EXPECT_TRUE(searched.isEmpty());
}

} // namespace
