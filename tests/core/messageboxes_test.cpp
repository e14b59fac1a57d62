#include "core/ui/messageboxes.h"
#include "support/pacedkeys.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// The real message boxes, with keys sent as a scanner and as a person send them.
namespace {

class MessageBoxKeys : public ::testing::Test {
protected:
    // Runs the script once the box is up, with the box.
    void whenShown(std::function<void(QMessageBox&)> script) {
        QTimer::singleShot(0, [this, script = std::move(script)] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            box->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(box));
            script(*box);
            if (box->isVisible()) { // a failed expectation leaves no box behind
                ADD_FAILURE() << "the box is still up";
                box->reject();
            }
        });
    }
    // A key from a person into the box, if it is still up.
    static void personPresses(QMessageBox& box, Qt::Key key) {
        if (box.isVisible())
            QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, key);
    }

    MessageBoxes boxes;
    PacedKeys scanner;
};

// An unknown code's message was closed by the next code's Enter, and that code was lost
// without a word: at a counter, a product missing from the sale.
TEST_F(MessageBoxKeys, AScannedCodeNeitherClosesANoticeNorIsLostWithoutAWord) {
    bool stayed = false;
    QString said;
    whenShown([&](QMessageBox& box) {
        scanner.sendToFocus(QStringLiteral("6901234567892"), 3);
        stayed = box.isVisible();
        said = box.informativeText();
        personPresses(box, Qt::Key_Return);
    });
    boxes.notice(QStringLiteral("找不到编号为“X1”的商品！"), QStringLiteral("提示"));
    EXPECT_TRUE(stayed);
    EXPECT_EQ(said, "刚扫描的“6901234567892”未录入：请先关闭本提示，再重新扫描。");
}

TEST_F(MessageBoxKeys, AScannedCodeAnswersNoQuestionAndAPersonsKeysStillDo) {
    bool stayed = false;
    whenShown([&](QMessageBox& box) {
        scanner.sendToFocus(QStringLiteral("AB-17"), 3);
        stayed = box.isVisible();
        personPresses(box, Qt::Key_Return);
    });
    EXPECT_EQ(boxes.question(QStringLiteral("是否作为下一个商品录入？"), QStringLiteral("提示")),
              Messages::kOk);
    EXPECT_TRUE(stayed);

    // A person's keys, even quick ones, are a person's: one key and Enter a moment later.
    whenShown([&](QMessageBox&) { scanner.sendToFocus(QStringLiteral("1"), 120); });
    EXPECT_EQ(boxes.question(QStringLiteral("是否保存？"), QStringLiteral("提示")), Messages::kOk);
    whenShown([&](QMessageBox& box) { personPresses(box, Qt::Key_Escape); });
    EXPECT_EQ(boxes.cautiousQuestion(QStringLiteral("是否删除？"), QStringLiteral("提示")),
              Messages::kCancel);
}

} // namespace
