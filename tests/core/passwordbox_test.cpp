#include "core/ui/passwordbox.h"
#include "support/drive.h"

#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(PasswordBox, ShowsAStarForEachCharacterAndKeepsWhatWasTyped) {
    QWidget window;
    QLineEdit* box = passwordBox(&window, QStringLiteral("txtPwd"));
    EXPECT_EQ(box->objectName(), "txtPwd");
    drive::type(*box, "管理员 pass");
    EXPECT_EQ(box->displayText(), QString(8, u'*'));
    EXPECT_EQ(box->text(), "管理员 pass");
}

} // namespace
