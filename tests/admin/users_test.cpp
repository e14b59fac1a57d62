#include "admin/ui/tfrmuser.h"
#include "admin/ui/tfrmuseradd.h"
#include "admin/useraccounts.h"
#include "admintest.h"
#include "core/connection.h"
#include "core/passwords.h"
#include "support/othercounter.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

using Form = ScriptedMessages::Form;

class Users : public OnEngines<AdminTest> {
protected:
    void show() {
        window_.show();
        ASSERT_TRUE(window_.isVisible());
    }
    QTableWidget& list() { return drive::find<QTableWidget>(window_, "lsvUser"); }
    QListWidget& perms() { return drive::find<QListWidget>(window_, "lstPerm"); }
    QPushButton& grantButton() { return drive::find<QPushButton>(window_, "btnPerm"); }
    QStringList rows() {
        QStringList texts;
        for (int r = 0; r < list().rowCount(); ++r)
            texts << list().item(r, 0)->text() + u'|' + list().item(r, 1)->text();
        return texts;
    }
    // Clicks the row of the user's name, as a person picks it.
    void clickUser(const QString& name) {
        for (int r = 0; r < list().rowCount(); ++r) {
            if (list().item(r, 1)->text() == name) {
                const QRect cell = list().visualRect(list().model()->index(r, 1));
                QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, cell.center());
                return;
            }
        }
        ADD_FAILURE() << "no user " << name.toStdString();
    }
    QList<int> checked() {
        QList<int> codes;
        for (int i = 0; i < perms().count(); ++i)
            if (perms().item(i)->checkState() == Qt::Checked)
                codes << i;
        return codes;
    }
    // Ticks or unticks the permission's item as a click on its check box does.
    void setChecked(int code, bool on) {
        QListWidgetItem* item = perms().item(code);
        if ((item->checkState() == Qt::Checked) != on) {
            const QRect box = perms().visualItemRect(item);
            QTest::mouseClick(perms().viewport(), Qt::LeftButton, {},
                              QPoint(box.left() + 10, box.center().y()));
        }
        ASSERT_EQ(item->checkState() == Qt::Checked, on) << "code " << code;
    }

    TfrmUserAdd add_;
    TfrmUser window_{add_};
};

TEST_P(Users, ListsEveryUserInTheOrderAddedWithNothingSelectedAndTheThirtyFivePermissions) {
    const long long tom = addUser("Tom", "t1");
    const long long li = addUser("李四", "l1");
    show();
    EXPECT_EQ(window_.windowTitle(), "用户管理");
    EXPECT_EQ(rows(), QStringList({"1|管理员", QString::number(tom) + "|Tom",
                                   QString::number(li) + "|李四"}));
    EXPECT_EQ(list().horizontalHeaderItem(0)->text(), "用户编号");
    EXPECT_EQ(list().horizontalHeaderItem(1)->text(), "用户名称");
    EXPECT_TRUE(list().selectionModel()->selectedRows().isEmpty());
    ASSERT_EQ(perms().count(), 35);
    EXPECT_EQ(perms().item(0)->text(), "采购进货");
    EXPECT_EQ(perms().item(13)->text(), "营业统计");
    EXPECT_EQ(perms().item(23)->text(), "用户管理");
    EXPECT_EQ(perms().item(26)->text(), "系统初始化");
    EXPECT_EQ(perms().item(34)->text(), "报损报溢单据查询");
    EXPECT_EQ(drive::find<QLabel>(window_, "lblPerm").buddy(), &perms());
    // Two columns: the first item of the second half sits to the right of the first item.
    EXPECT_GT(perms().visualItemRect(perms().item(18)).left(),
              perms().visualItemRect(perms().item(0)).right());
    EXPECT_EQ(perms().visualItemRect(perms().item(18)).top(),
              perms().visualItemRect(perms().item(0)).top());
}

TEST_P(Users, ClickingTheAdministratorShowsAllCodesAndLocksTheGrantAnotherUserUnlocksIt) {
    const long long tom = addUser("Tom", "t1");
    exec(QStringLiteral("INSERT INTO perms(userID, perm) VALUES(%1, 3), (%1, 20), (%1, 99)")
             .arg(tom));
    show();
    clickUser("管理员");
    EXPECT_EQ(checked().size(), 35);
    EXPECT_FALSE(grantButton().isEnabled());
    clickUser("Tom");
    EXPECT_EQ(checked(), QList<int>({3, 20})) << "a stray code checks nothing";
    EXPECT_TRUE(grantButton().isEnabled());

    // A new showing selects nothing but keeps the check list as it was.
    window_.close();
    show();
    EXPECT_TRUE(list().selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(checked(), QList<int>({3, 20}));
}

TEST_P(Users, GrantingReplacesTheUsersRowsByTheCheckedCodes) {
    const long long tom = addUser("Tom", "t1");
    const long long li = addUser("李四", "l1");
    exec(QStringLiteral("INSERT INTO perms(userID, perm) VALUES(%1, 3), (%2, 7)").arg(tom).arg(li));
    show();
    clickUser("Tom");
    setChecked(3, false);
    setChecked(0, true);
    setChecked(23, true);
    setChecked(34, true);
    drive::click(grantButton());
    EXPECT_EQ(messages_.last(), "此用户授权成功！");
    EXPECT_EQ(codesOf(tom), "0,23,34");
    EXPECT_EQ(codesOf(li), "7") << "another user's rows stay";

    // Nothing checked: every row of the user goes, and that is still a success.
    for (int code : {0, 23, 34})
        setChecked(code, false);
    drive::click(grantButton());
    EXPECT_EQ(messages_.last(), "此用户授权成功！");
    EXPECT_EQ(count(QStringLiteral("perms WHERE userID=%1").arg(tom)), 0);
}

TEST_P(Users, AGrantThatFailsSaysSoAndLeavesTheRowsAsTheyWere) {
    const long long tom = addUser("Tom", "t1");
    exec(QStringLiteral("INSERT INTO perms(userID, perm) VALUES(%1, 1), (%1, 2)").arg(tom));
    refuse("noFive", "INSERT", "perms", "NEW.perm=5");
    show();
    clickUser("Tom");
    setChecked(0, true);
    setChecked(5, true);
    drive::click(grantButton());
    EXPECT_EQ(messages_.last(), "此用户授权失败！请重新授权！");
    EXPECT_EQ(codesOf(tom), "1,2") << "neither the delete nor the first insert stays";
}

TEST_P(Users, GrantingOrDeletingWithoutASelectedUserAsksForOne) {
    show();
    drive::click(grantButton());
    EXPECT_EQ(messages_.last(), "请选择用户后，再进行授权！");
    drive::click(window_, "tlDel");
    EXPECT_EQ(messages_.last(), "请选择要删除的用户！");
    EXPECT_EQ(count("perms"), 35);
}

TEST_P(Users, TheAdministratorCannotBeDeleted) {
    show();
    clickUser("管理员");
    drive::click(window_, "tlDel");
    EXPECT_EQ(messages_.last(), "管理员是系统默认用户，不能删除！");
    EXPECT_EQ(count("Users"), 1);
    EXPECT_EQ(count("perms WHERE userID=1"), 35);
}

TEST_P(Users, DeletingAUserAfterOkRemovesItAndItsPermissionsCancelKeepsBoth) {
    const long long tom = addUser("Tom", "t1");
    const long long li = addUser("李四", "l1");
    exec(QStringLiteral("INSERT INTO perms(userID, perm) VALUES(%1, 3), (%1, 4), (%2, 7)")
             .arg(tom)
             .arg(li));
    show();
    clickUser("Tom");
    messages_.answerCancel();
    drive::click(window_, "tlDel");
    EXPECT_EQ(messages_.last(), "确定删除此用户吗？");
    EXPECT_EQ(messages_.lastShown()->form, Form::Question);
    EXPECT_EQ(count(QStringLiteral("Users WHERE UserID=%1").arg(tom)), 1);

    messages_.answerOk();
    drive::click(window_, "tlDel");
    EXPECT_EQ(messages_.last(), "此用户删除成功！");
    EXPECT_EQ(count(QStringLiteral("Users WHERE UserID=%1").arg(tom)), 0);
    EXPECT_EQ(count(QStringLiteral("perms WHERE userID=%1").arg(tom)), 0);
    EXPECT_EQ(codesOf(li), "7");
    EXPECT_EQ(rows(), QStringList({"1|管理员", QString::number(li) + "|李四"}));
    EXPECT_TRUE(list().selectionModel()->selectedRows().isEmpty());
}

TEST_P(Users, AddingAUserStoresTheTrimmedNameAndOnlyAHashOfThePasswordWithoutPermissions) {
    show();
    modal_.expect<TfrmUserAdd>([&](TfrmUserAdd& w) {
        EXPECT_EQ(w.windowTitle(), "添加用户");
        auto& name = drive::find<QLineEdit>(w, "txtUserName");
        auto& pwd = drive::find<QLineEdit>(w, "txtPwd");
        EXPECT_EQ(pwd.echoMode(), QLineEdit::Password);
        EXPECT_EQ(drive::find<QLabel>(w, "lblUserName").buddy(), &name);
        EXPECT_EQ(drive::find<QLabel>(w, "lblPwd").buddy(), &pwd);
        drive::type(name, "  王五 ");
        drive::type(pwd, "  Secret9 ");
        drive::click(w, "btnAdd");
        EXPECT_FALSE(w.isVisible());
        EXPECT_TRUE(name.text().isEmpty());
        EXPECT_TRUE(pwd.text().isEmpty());
    });
    drive::click(window_, "tlAdd");
    ASSERT_NE(messages_.lastShown(), nullptr);
    EXPECT_EQ(messages_.lastShown()->form, Form::PlainNotice);
    EXPECT_EQ(messages_.last(), "新用户添加成功！");
    EXPECT_EQ(messages_.lastShown()->caption, "信息提示");

    const QString id = scalar("SELECT UserID FROM Users WHERE UserName='王五'");
    ASSERT_FALSE(id.isEmpty());
    const QString stored = scalar("SELECT pwd FROM Users WHERE UserID=" + id);
    EXPECT_TRUE(stored.startsWith("$argon2id$")) << stored.toStdString();
    EXPECT_FALSE(stored.contains("Secret9"));
    EXPECT_TRUE(passwords::matches("Secret9", stored));
    EXPECT_TRUE(passwords::matches("sECRET9", stored)) << "letter case does not matter";
    EXPECT_EQ(count("perms WHERE userID=" + id), 0);
    EXPECT_EQ(rows().last(), id + "|王五") << "the list is loaded again";
}

TEST_P(Users, TheAddWindowRefusesAnEmptyNameAnEmptyPasswordAndANameThatExistsInOtherCase) {
    addUser("tom", "t1");
    show();
    modal_.expect<TfrmUserAdd>([&](TfrmUserAdd& w) {
        auto& name = drive::find<QLineEdit>(w, "txtUserName");
        auto& pwd = drive::find<QLineEdit>(w, "txtPwd");
        drive::type(name, "   ");
        drive::type(pwd, "x");
        drive::click(w, "btnAdd");
        EXPECT_EQ(messages_.last(), "请输入用户名称！");
        EXPECT_EQ(w.focusWidget(), &name);

        drive::type(name, "Tom");
        drive::type(pwd, "  ");
        drive::click(w, "btnAdd");
        EXPECT_EQ(messages_.last(), "请输入登录密码！");
        EXPECT_EQ(w.focusWidget(), &pwd);

        drive::type(pwd, "t2");
        drive::click(w, "btnAdd");
        EXPECT_EQ(messages_.last(), "此用户已经存在！");
        EXPECT_TRUE(w.isVisible()) << "the window stays open";
        EXPECT_EQ(name.text(), "Tom");
        drive::click(w, "btnClose");
    });
    drive::click(window_, "tlAdd");
    EXPECT_EQ(count("Users"), 2);
    EXPECT_EQ(rows().size(), 2);
}

TEST_P(Users, AUserDeletedAtAnotherCounterIsReportedOnGrantingAndOnDeleting) {
    exec("INSERT INTO Users(UserName,pwd) VALUES('收银员','')");
    exec("INSERT INTO Users(UserName,pwd) VALUES('库管','')");
    show();
    clickUser("收银员");
    anotherCounter()->run("DELETE FROM Users WHERE UserName='收银员'");
    setChecked(3, true);
    drive::click(grantButton());
    EXPECT_EQ(messages_.last(), "该记录已被其他用户删除！");
    EXPECT_EQ(count("perms WHERE userID NOT IN (SELECT UserID FROM Users)"), 0);
    EXPECT_EQ(rows().size(), 2); // the list as the book has it: 管理员 and 库管

    clickUser("库管");
    anotherCounter()->run("DELETE FROM Users WHERE UserName='库管'");
    messages_.answerOk();
    drive::click(window_, "tlDel");
    EXPECT_EQ(messages_.last(), "该记录已被其他用户删除！");
    EXPECT_EQ(rows().size(), 1);
}

// Ticks loaded when the user was chosen would undo what another counter granted meanwhile.
TEST_P(Users, PermissionsChangedAtAnotherCounterSinceTheUserWasChosenAreNotGrantedOver) {
    const long long tom = addUser("Tom", "t1");
    exec(QStringLiteral("INSERT INTO perms(userID, perm) VALUES(%1, 3)").arg(tom));
    show();
    clickUser("Tom");
    anotherCounter()->run(QStringLiteral("INSERT INTO perms(userID, perm) VALUES(%1, 10)")
                              .arg(tom)
                              .toUtf8()
                              .constData());
    setChecked(5, true);
    drive::click(grantButton());
    EXPECT_EQ(messages_.last(), "此用户的权限已被其他用户修改，请核对后重新授权！");
    EXPECT_EQ(codesOf(tom), "3,10");
    // The ticks show the book again, the user still chosen: granted as now ticked.
    EXPECT_EQ(checked(), QList<int>({3, 10}));
    setChecked(5, true);
    drive::click(grantButton());
    EXPECT_EQ(messages_.last(), "此用户授权成功！");
    EXPECT_EQ(codesOf(tom), "3,5,10");
    // Granted again from the same ticks, nothing was changed elsewhere meanwhile.
    setChecked(3, false);
    drive::click(grantButton());
    EXPECT_EQ(messages_.last(), "此用户授权成功！");
    EXPECT_EQ(codesOf(tom), "5,10");
}

TEST_P(Users, TwoCountersAddingOneNameAtOnceMakeOneUser) {
    OtherCounter other(anotherCounter(), anotherCounter());
    other.holdName("Users", "Cashier");
    other.exec("INSERT INTO Users(UserName,pwd) VALUES('Cashier','')");
    EXPECT_EQ(whileHeldBy(other, [] { return useraccounts::add("cashier", "123"); }), false)
        << "the name the other counter added meanwhile is taken";
    EXPECT_EQ(count("Users WHERE UserName='Cashier'"), 1);
    EXPECT_EQ(useraccounts::add("库管", "123"), true);
}

// The same user changing the password at two counters with the same old one: the second waits,
// then finds the old password no longer the user's, and the first one's new password stays.
TEST_P(Users, APasswordChangedAtAnotherCounterMeanwhileIsNotWrittenOver) {
    ASSERT_EQ(useraccounts::add("收银员", "old"), true);
    const QString key = scalar("SELECT UserID FROM Users WHERE UserName='收银员'");
    OtherCounter other(anotherCounter(), anotherCounter());
    other.hold("Users", "UserID", key.toLongLong(), RowHold::Changed);
    other.exec(QStringLiteral("UPDATE Users SET pwd='%1' WHERE UserID=%2")
                   .arg(passwords::hash("theirs"), key));
    EXPECT_EQ(whileHeldBy(other, [&] { return useraccounts::changePassword(key, "old", "mine"); }),
              false);
    EXPECT_TRUE(
        passwords::matches("theirs", scalar("SELECT pwd FROM Users WHERE UserName='收银员'")));
}

INSTANTIATE_ON_BOTH_ENGINES(Users);

} // namespace
