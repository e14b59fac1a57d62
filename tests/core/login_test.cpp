#include "core/sysdata.h"
#include "logintest.h"

#include <QLabel>
#include <QLineEdit>

namespace {

using Form = ScriptedMessages::Form;

class Login : public LoginTest {
protected:
    QStringList userList(TfrmLogin& w) {
        auto& box = drive::find<QComboBox>(w, "cbUserName");
        QStringList names;
        for (int i = 0; i < box.count(); ++i)
            names << box.itemText(i);
        return names;
    }
};

TEST_F(Login, OffersEveryUserInTheBooksOrderWithTheFirstChosenAndThePasswordBoxFocused) {
    addUser("张三", "zs");
    addUser("李四", "ls");
    modal_.expect<TfrmLogin>([&](TfrmLogin& w) {
        EXPECT_EQ(w.windowTitle(), "登录");
        EXPECT_EQ(userList(w), QStringList({"管理员", "张三", "李四"}));
        auto& box = drive::find<QComboBox>(w, "cbUserName");
        EXPECT_EQ(box.currentIndex(), 0);
        EXPECT_FALSE(box.isEditable()) << "the user can only choose";
        auto& pwd = drive::find<QLineEdit>(w, "txtPwd");
        EXPECT_EQ(w.focusWidget(), &pwd);
        EXPECT_EQ(pwd.echoMode(), QLineEdit::Password);
        EXPECT_EQ(drive::find<QLabel>(w, "lblUserName").buddy(), &box);
        EXPECT_EQ(drive::find<QLabel>(w, "lblPwd").buddy(), &pwd);
        drive::click(w, "btnExit");
    });
    main_.show();
}

TEST_F(Login, TheAdministratorLogsInWithAdminAndSeesTheMainWindowMaximisedAndEveryEntryEnabled) {
    showLoggedIn("管理员", "admin");
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_EQ(main_.windowTitle(), "Vesk进销存管理软件 V8.8");
    EXPECT_TRUE(main_.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(drive::find<QLabel>(main_, "lblWelcome").text(), "欢迎您的体验！");
    EXPECT_EQ(drive::find<QLabel>(main_, "lblUser").text(), "当前用户：【管理员】");
    EXPECT_EQ(session::userKey(), "1");
    EXPECT_EQ(session::userName(), "管理员");
    for (QAction* a : main_.findChildren<QAction*>()) {
        if (!a->menu() && !a->isSeparator() && !a->text().isEmpty()) {
            EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
        }
    }
    for (QToolButton* b : main_.findChildren<QToolButton*>())
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
}

TEST_F(Login, BlanksAroundThePasswordAndOtherLetterCaseLogInAsIfTheyWereNotThere) {
    showLoggedIn("管理员", "  AdMiN ");
    EXPECT_EQ(session::userName(), "管理员");

    session::clear();
    TfrmMain another;
    const long long id = addUser("Clerk", "Pass9");
    expectLogin("Clerk", "pASS9\t");
    another.show();
    EXPECT_TRUE(another.isVisible());
    EXPECT_EQ(session::userKey(), QString::number(id));
    EXPECT_EQ(drive::find<QLabel>(another, "lblUser").text(), "当前用户：【Clerk】");
}

TEST_F(Login, ThreeWrongPasswordsKeepTheWindowOpenWithAnEmptyFocusedPasswordBoxEachTime) {
    modal_.expect<TfrmLogin>([&](TfrmLogin& w) {
        auto& pwd = drive::find<QLineEdit>(w, "txtPwd");
        for (const char* wrong : {"admim", "", "admin1"}) {
            drive::type(pwd, wrong);
            drive::click(w, "btnLogin");
            ASSERT_NE(messages_.lastShown(), nullptr);
            EXPECT_EQ(messages_.lastShown()->form, Form::Notice);
            EXPECT_EQ(messages_.last(), "密码输入错误，请重新输入!");
            EXPECT_EQ(messages_.lastShown()->caption, "登录提示");
            EXPECT_TRUE(w.isVisible());
            EXPECT_TRUE(pwd.text().isEmpty());
            EXPECT_EQ(w.focusWidget(), &pwd);
            EXPECT_FALSE(w.loggedIn());
        }
        drive::click(w, "btnExit");
    });
    main_.show();
    EXPECT_EQ(messages_.shown().size(), 3u);
    EXPECT_FALSE(main_.isVisible());
    EXPECT_FALSE(session::loggedIn());
}

TEST_F(Login, LeavingWithExitOrTheTitleBarEndsWithoutTheMainWindow) {
    modal_.expect<TfrmLogin>([](TfrmLogin& w) {
        drive::type(w, "txtPwd", "admin");
        drive::click(w, "btnExit");
        EXPECT_FALSE(w.isVisible());
    });
    main_.show();
    EXPECT_FALSE(main_.isVisible());

    modal_.expect<TfrmLogin>([](TfrmLogin& w) { w.close(); });
    main_.show();
    EXPECT_FALSE(main_.isVisible());
    EXPECT_FALSE(session::loggedIn());
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(Login, WithNoUsersTheListIsEmptyAndNoLoginSucceeds) {
    exec("DELETE FROM Users");
    modal_.expect<TfrmLogin>([&](TfrmLogin& w) {
        EXPECT_TRUE(userList(w).isEmpty());
        for (const char* typed : {"admin", ""}) {
            drive::type(w, "txtPwd", typed);
            drive::click(w, "btnLogin");
            EXPECT_EQ(messages_.last(), "密码输入错误，请重新输入!");
        }
        EXPECT_TRUE(w.isVisible());
        drive::click(w, "btnExit");
    });
    main_.show();
    EXPECT_FALSE(main_.isVisible());
}

TEST_F(Login, AnUnreadableUserListSaysSoAndEndsTheProgram) {
    exec("DROP TABLE Users");
    modal_.expect<TfrmLogin>([&](TfrmLogin& w) {
        EXPECT_FALSE(w.isVisible()) << "the login closes itself";
        ASSERT_EQ(messages_.shown().size(), 1u);
        EXPECT_EQ(messages_.last(), "读取用户信息出现异常！");
        EXPECT_EQ(messages_.lastShown()->caption, "信息提示");
    });
    main_.show();
    EXPECT_FALSE(main_.isVisible());
    EXPECT_FALSE(sysData->QueryCommon.isOpen());
}

TEST_F(Login, OfTwoUsersOfOneNameThePasswordDecidesWhoLogsIn) {
    const long long seller = addUser("王五", "one");
    const long long counter = addUser("王五", "two");
    grant(seller, 3);
    grant(counter, 7);
    showLoggedIn("王五", "two");
    EXPECT_EQ(session::userKey(), QString::number(counter));
    EXPECT_TRUE(icon("imgPorductPD").isEnabled());
    EXPECT_FALSE(icon("imgSale").isEnabled());
}

TEST_F(Login, APasswordKeptAsPlainTextNoLongerLogsIn) {
    exec("UPDATE Users SET pwd='admin'");
    modal_.expect<TfrmLogin>([&](TfrmLogin& w) {
        drive::type(w, "txtPwd", "admin");
        drive::click(w, "btnLogin");
        EXPECT_EQ(messages_.last(), "密码输入错误，请重新输入!");
        drive::click(w, "btnExit");
    });
    main_.show();
    EXPECT_FALSE(main_.isVisible());
}

} // namespace
