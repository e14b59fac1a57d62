// A form's date box: Tab leaves it, and a code scanned into it changes no date.
#include "core/ui/datebox.h"
#include "support/drive.h"
#include "support/pacedkeys.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class DateBoxKeys : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(&before);
        layout->addWidget(box);
        layout->addWidget(&after);
        box->setDate(kDay);
        window.show();
        QApplication::setActiveWindow(&window);
        box->setFocus();
    }
    void typeThenEnter(const char* keys) {
        drive::keys(box, keys);
        QTest::keyClick(box, Qt::Key_Return);
    }

    const QDate kDay{2026, 12, 10};
    QWidget window;
    QLineEdit before;
    DateBox* box = new DateBox(QStringLiteral("dtDate"));
    QLineEdit after;
};

TEST_F(DateBoxKeys, TabAndShiftTabLeaveTheBoxFromAnyOfItsParts) {
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_TRUE(after.hasFocus());
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Backtab);
    EXPECT_TRUE(before.hasFocus());
    // From the year too, where the box's own Tab would go on to the month.
    box->setFocus();
    box->setSelectedSection(QDateTimeEdit::YearSection);
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_TRUE(after.hasFocus());
}

// A person clicks on the part to change and types it, one key at a time.
TEST_F(DateBoxKeys, AClickOnAPartSelectsItAndWhatIsTypedReplacesIt) {
    QLineEdit* text = box->findChild<QLineEdit*>();
    ASSERT_NE(text, nullptr);
    // A click just after the character at that position.
    const auto clickAt = [&](int character) {
        int x = 0;
        while (x < text->width() && text->cursorPositionAt(QPoint(x, 0)) < character)
            ++x;
        QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(x + 1, text->height() / 2));
    };
    clickAt(2); // inside "2026"
    EXPECT_EQ(box->currentSection(), QDateTimeEdit::YearSection);
    QTest::keyClicks(box, "2016");
    EXPECT_EQ(box->date().toString(Qt::ISODate), "2016-12-10");
    clickAt(9); // inside the day
    QTest::keyClicks(box, "05");
    EXPECT_EQ(box->date().toString(Qt::ISODate), "2016-12-05");
}

TEST_F(DateBoxKeys, ACodeScannedIntoTheBoxLeavesTheDateAndIsHandedOn) {
    QSignalSpy scanned(box, &DateBox::codeScanned);
    box->setSelectedSection(QDateTimeEdit::DaySection);
    for (const char* code : {"6901234567892", "AB-17", "SP054321"}) {
        typeThenEnter(code);
        EXPECT_EQ(box->date(), kDay) << code;
        ASSERT_FALSE(scanned.isEmpty()) << code;
        EXPECT_EQ(scanned.takeLast().at(0).toString(), QString::fromLatin1(code));
    }
    // A scanner presses Shift for a capital in the middle of a code, as a keyboard does.
    drive::keys(box, "X");
    QTest::keyClick(box, Qt::Key_Shift);
    typeThenEnter("Y1");
    EXPECT_EQ(box->date(), kDay);
    ASSERT_EQ(scanned.size(), 1);
    EXPECT_EQ(scanned.takeLast().at(0).toString(), "XY1");
}

// An eight-digit code (a shop's own, an EAN-8) is a date's digits; its pace says it is a code,
// and its Enter must not press the window's default button (保存).
TEST_F(DateBoxKeys, EightDigitsAtAScannersPaceAreACode) {
    QSignalSpy scanned(box, &DateBox::codeScanned);
    box->setSelectedSection(QDateTimeEdit::YearSection);
    PacedKeys paced;
    paced.send(*box, "20123456", 3);
    EXPECT_EQ(box->date(), kDay);
    ASSERT_EQ(scanned.size(), 1);
    EXPECT_EQ(scanned.takeLast().at(0).toString(), "20123456");
    // The same digits at a person's pace are a date.
    box->setSelectedSection(QDateTimeEdit::YearSection);
    paced.send(*box, "20250301", 150);
    EXPECT_EQ(box->date(), QDate(2025, 3, 1));
    EXPECT_TRUE(scanned.isEmpty());
}

TEST_F(DateBoxKeys, ADayTypedByAPersonIsTheNewDate) {
    QSignalSpy scanned(box, &DateBox::codeScanned);
    box->setSelectedSection(QDateTimeEdit::DaySection);
    typeThenEnter("15");
    EXPECT_EQ(box->date(), QDate(2026, 12, 15));
    // A whole date typed as its eight digits, from the year on, is a date too.
    box->setSelectedSection(QDateTimeEdit::YearSection);
    typeThenEnter("20250301");
    EXPECT_EQ(box->date(), QDate(2025, 3, 1));
    EXPECT_TRUE(scanned.isEmpty());
}

} // namespace
