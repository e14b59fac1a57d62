#include "core/ui/messageboxes.h"
#include "support/pacedkeys.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

// A scanner's codes sent into real widgets and a real message box.
namespace {

// A window of two boxes, the first with the keys.
class ScannerSuffix : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(box);
        layout->addWidget(next);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        box->setFocus();
    }

    QDialog window;
    QLineEdit* box = new QLineEdit(&window);
    QLineEdit* next = new QLineEdit(&window);
    MessageBoxes boxes;
    PacedKeys scanner;
};

} // namespace

// A scanner set to end its codes with Tab.
TEST_F(ScannerSuffix, ACodeEndedByTabIsEnteredAndTheNextIsHeardWhileItsMessageIsUp) {
    QStringList entered;
    QString said;
    QObject::connect(box, &QLineEdit::returnPressed, [&] {
        entered << box->text();
        box->clear();
        if (entered.size() > 1)
            return;
        // The code names no product: its message is up when the next code comes.
        QTimer::singleShot(0, [&] {
            auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(message, nullptr);
            QApplication::setActiveWindow(message);
            scanner.sendToFocus(QStringLiteral("6907654321098"), 3, {Qt::Key_Tab});
            said = message->informativeText();
            message->accept();
        });
        boxes.notice(QStringLiteral("找不到编号为“1234567890128”的商品！"), QStringLiteral("提示"));
    });

    scanner.sendToFocus(QStringLiteral("1234567890128"), 3, {Qt::Key_Tab});
    EXPECT_EQ(entered, QStringList{"1234567890128"});
    EXPECT_EQ(said, "刚扫描的“6907654321098”未录入：请先关闭本提示，再重新扫描。");
    QApplication::setActiveWindow(&window);
    EXPECT_EQ(QApplication::focusWidget(), box) << "the code's Tab moved on";

    // A person's Tab after typing moves on, and enters nothing; so does a scanner's after a
    // code too short to tell from a person's quick keys.
    scanner.sendToFocus(QStringLiteral("12"), 150, {Qt::Key_Tab});
    EXPECT_EQ(QApplication::focusWidget(), next);
    box->setFocus();
    scanner.sendToFocus(QStringLiteral("12"), 3, {Qt::Key_Tab});
    EXPECT_EQ(QApplication::focusWidget(), next);
    EXPECT_EQ(entered.size(), 1);

    // The window system may give the keys to a window the application does not hold active
    // (after a message closed, without a window manager): the code is heard all the same.
    QDialog other;
    other.show();
    QApplication::setActiveWindow(&other);
    box->clear();
    scanner.send(*box, QStringLiteral("6901234567892"), 3, {Qt::Key_Tab});
    EXPECT_EQ(entered.size(), 2);
    EXPECT_EQ(entered.back(), "6901234567892");
}

// A scanner set to end its codes with CR and LF sends Enter twice: the second came while the
// message about the code was up, and closed it unseen.
TEST_F(ScannerSuffix, TheSecondEnterOfACodeEndedTwicePressesNothing) {
    int entered = 0;
    bool stayed = false;
    QObject::connect(box, &QLineEdit::returnPressed, [&] {
        if (++entered > 1)
            return;
        QTimer::singleShot(0, [&] {
            auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(message, nullptr);
            QApplication::setActiveWindow(message);
            scanner.sendAfterLast(*QApplication::focusWidget(), Qt::Key_Return, 3);
            stayed = message->isVisible();
            message->accept();
        });
        boxes.notice(QStringLiteral("找不到编号为“69012345”的商品！"), QStringLiteral("提示"));
    });
    scanner.send(*box, QStringLiteral("69012345"), 3);
    EXPECT_EQ(entered, 1);
    EXPECT_TRUE(stayed) << "the second Enter closed the message";

    // A person's Enter a moment later is the person's.
    QApplication::setActiveWindow(&window);
    scanner.send(*box, QString(), 3);
    EXPECT_EQ(entered, 2);
}
