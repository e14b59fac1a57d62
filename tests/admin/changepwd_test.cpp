#include "admin/ui/tfrmchangepwd.h"
#include "admin/ui/tfrmuser.h"
#include "admin/ui/tfrmuseradd.h"
#include "admintest.h"
#include "core/ui/tfrmlogin.h"

#include <QComboBox>
#include <QLabel>
#include <QTableWidget>

namespace {

using Form = ScriptedMessages::Form;

class ChangePwd : public AdminTest {
protected:
    void show() {
        window_.show();
        ASSERT_TRUE(window_.isVisible());
    }
    void fill(const QString& oldPwd, const QString& newPwd, const QString& rePwd) {
        drive::type(window_, "txtOldPwd", oldPwd);
        drive::type(window_, "txtNewPwd", newPwd);
        drive::type(window_, "txtRePwd", rePwd);
        drive::click(window_, "btnChange");
    }
    QLineEdit& box(const char* name) { return drive::find<QLineEdit>(window_, name); }
    // Whether the login window lets the user in with the password.
    bool logsIn(const QString& name, const QString& password) {
        TfrmLogin login;
        login.show();
        auto& users = drive::find<QComboBox>(login, "cbUserName");
        const int i = users.findText(name);
        if (i < 0)
            return false;
        users.setCurrentIndex(i);
        drive::type(login, "txtPwd", password);
        const std::size_t before = messages_.shown().size();
        drive::click(login, "btnLogin");
        const bool in = login.loggedIn();
        if (!in && messages_.shown().size() > before)
            messages_.clear();
        return in;
    }
    void expectPlain(const QString& text) {
        ASSERT_NE(messages_.lastShown(), nullptr);
        EXPECT_EQ(messages_.last(), text);
        EXPECT_EQ(messages_.lastShown()->form, Form::PlainNotice);
        EXPECT_EQ(messages_.lastShown()->caption, "信息提示");
    }

    TfrmChangePwd window_;
};

TEST_F(ChangePwd, ChangesTheLoggedInUsersPasswordAndKeepsTheBoxesForNextTime) {
    const long long tom = addUser("Tom", "old1");
    const long long other = addUser("Ann", "old1");
    session::setUser(QString::number(tom), "Tom");
    show();
    EXPECT_EQ(window_.windowTitle(), "修改密码");
    for (const char* name : {"txtOldPwd", "txtNewPwd", "txtRePwd"})
        EXPECT_EQ(box(name).echoMode(), QLineEdit::Password) << name;
    EXPECT_EQ(drive::find<QLabel>(window_, "lblRePwd").buddy(), &box("txtRePwd"));
    const QString annBefore =
        scalar(QStringLiteral("SELECT pwd FROM Users WHERE UserID=%1").arg(other));

    fill(" OLD1 ", "  New2 ", "New2");
    expectPlain("密码修改成功！下次请使用新密码登录！");
    EXPECT_FALSE(window_.isVisible());
    const QString stored = scalar(QStringLiteral("SELECT pwd FROM Users WHERE UserID=%1").arg(tom));
    EXPECT_TRUE(stored.startsWith("$argon2id$"));
    EXPECT_FALSE(stored.contains("New2"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT pwd FROM Users WHERE UserID=%1").arg(other)),
              annBefore);
    EXPECT_TRUE(logsIn("Tom", "new2")) << "the new password, letter case aside";
    EXPECT_FALSE(logsIn("Tom", "old1"));
    EXPECT_TRUE(logsIn("Ann", "old1"));

    show();
    EXPECT_EQ(box("txtOldPwd").text(), " OLD1 ");
    EXPECT_EQ(box("txtNewPwd").text(), "  New2 ");
    EXPECT_EQ(box("txtRePwd").text(), "New2");
}

TEST_F(ChangePwd, RefusesEmptyBoxesAndARepeatThatDiffersEvenOnlyInLetterCase) {
    const QString before = scalar("SELECT pwd FROM Users WHERE UserID=1");
    show();
    fill("  ", "b", "b");
    expectPlain("请输入旧密码！");
    EXPECT_EQ(window_.focusWidget(), &box("txtOldPwd"));

    fill("admin", " ", "b");
    expectPlain("请输入新密码！");
    EXPECT_EQ(window_.focusWidget(), &box("txtNewPwd"));

    fill("admin", "Secret", "secret");
    expectPlain("两次新密码输入不一样！");
    EXPECT_EQ(window_.focusWidget(), &box("txtRePwd"));
    EXPECT_TRUE(window_.isVisible());
    EXPECT_EQ(scalar("SELECT pwd FROM Users WHERE UserID=1"), before);
}

TEST_F(ChangePwd, AWrongOldPasswordChangesNothingAndKeepsTheWindowOpen) {
    const QString before = scalar("SELECT pwd FROM Users WHERE UserID=1");
    show();
    fill("admin2", "new", "new");
    expectPlain("旧密码输入错误！");
    EXPECT_TRUE(window_.isVisible());
    EXPECT_EQ(scalar("SELECT pwd FROM Users WHERE UserID=1"), before);
    EXPECT_TRUE(logsIn("管理员", "admin"));
}

// The whole life of a user, through the windows: added, logged in, deleted, gone.
TEST_F(ChangePwd, AnAddedUserLogsInWithTheTrimmedPasswordInAnyCaseAndNotAfterDeletion) {
    TfrmUserAdd add;
    TfrmUser users(add);
    users.show();
    modal_.expect<TfrmUserAdd>([&](TfrmUserAdd& w) {
        drive::type(w, "txtUserName", "Clerk");
        drive::type(w, "txtPwd", "  Pass9  ");
        drive::click(w, "btnAdd");
    });
    drive::click(users, "tlAdd");
    EXPECT_TRUE(logsIn("Clerk", "pass9"));

    auto& list = drive::find<QTableWidget>(users, "lsvUser");
    list.selectRow(1);
    messages_.answerOk();
    drive::click(users, "tlDel");
    EXPECT_EQ(messages_.last(), "此用户删除成功！");
    EXPECT_FALSE(logsIn("Clerk", "pass9"));
    EXPECT_EQ(count("Users WHERE UserName='Clerk'"), 0);
}

} // namespace
