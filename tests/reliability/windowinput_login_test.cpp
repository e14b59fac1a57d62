// The login window given passwords of every kind, and users whose names and passwords are
// themselves quotes, SQL, wildcards and rare characters: only the user's own password logs
// in, a wrong one says so and asks again, and the login writes nothing.
#include "admin/useraccounts.h"
#include "core/session.h"
#include "core/sysdata.h"
#include "core/ui/tfrmlogin.h"
#include "reliability/windowinput.h"
#include "support/drive.h"

#include <QComboBox>
#include <memory>

namespace {

class LoginInput : public WindowInputTest {
protected:
    void SetUp() override {
        WindowInputTest::SetUp();
        login = std::make_unique<TfrmLogin>();
    }
    void TearDown() override {
        login.reset();
        session::clear();
        WindowInputTest::TearDown();
    }

    // Every user with its stored password, and the permission rows.
    QString users() {
        return scalar("SELECT group_concat(UserID || ':' || UserName || ':' || pwd, '|') FROM "
                      "Users") +
               rowCounts({"Users", "perms"});
    }
    void tryLogin(const QString& name, const QString& password) {
        login->show();
        drive::choose(drive::find<QComboBox>(*login, "cbUserName"), name);
        enter(password_(), password);
        drive::click(*login, "btnLogin");
    }
    QString keyOf(const QString& name) {
        TQuery q(sysData->myCon, "key");
        q.load("SELECT UserID FROM Users WHERE UserName=:name");
        q.bind(u"name", name);
        q.open();
        return q.field(u"UserID").asText();
    }
    QLineEdit& password_() { return drive::find<QLineEdit>(*login, "txtPwd"); }

    void expectRefused(const QString& password) {
        EXPECT_FALSE(login->loggedIn()) << quoted(password);
        EXPECT_FALSE(session::loggedIn()) << quoted(password);
        ASSERT_NE(messages_.lastShown(), nullptr);
        EXPECT_EQ(messages_.last(), "密码输入错误，请重新输入!") << quoted(password);
        EXPECT_EQ(messages_.lastShown()->caption, "登录提示");
        EXPECT_TRUE(login->isVisible()) << "the window asks again";
        EXPECT_EQ(password_().text(), "");
        EXPECT_EQ(login->focusWidget(), &password_());
    }

    std::unique_ptr<TfrmLogin> login;
};

// Each try checks a slow password hash: the texts are those that could reach the statement
// or the hash in a harmful way, not every nasty text.
const QStringList kWrongPasswords{QString(10000, u'长'), "   ", "admin' OR '1'='1' --",
                                  "😀👍🏽𠮷 %_"};

TEST_F(LoginInput, NoPasswordOfAnyKindButTheUsersOwnLogsInAndTryingWritesNothing) {
    const QString before = users();
    for (const QString& password : kWrongPasswords) {
        tryLogin("管理员", password);
        expectRefused(password);
    }
    EXPECT_EQ(users(), before);
    tryLogin("管理员", " ADMIN ");
    EXPECT_TRUE(login->loggedIn()) << "the administrator's own password still logs in";
    EXPECT_EQ(session::userName(), "管理员");
    EXPECT_EQ(users(), before);
    expectNoErrorReport();
}

TEST_F(LoginInput, UsersNamedAndGuardedByAnyTextLogInWithExactlyWhatWasTyped) {
    const std::vector<std::pair<QString, QString>> accounts{
        {"O'Brien", "'; DROP TABLE Users;-- say \"hi\" \\' %_"},
        {QString(10000, u'x') + "'; DROP TABLE Users;--𠮷野家😀", QString(10000, u'长')},
    };
    for (const auto& [name, password] : accounts)
        ASSERT_EQ(useraccounts::add(name, password), true) << quoted(name);
    const QString before = users();
    for (std::size_t i = 0; i < accounts.size(); ++i) {
        const auto& [name, password] = accounts[i];
        // Another user's password is no key to this one, however alike the texts.
        const QString& other = accounts[(i + 1) % accounts.size()].second;
        tryLogin(name, other);
        expectRefused(other);
        tryLogin(name, password);
        EXPECT_TRUE(login->loggedIn()) << quoted(name);
        EXPECT_EQ(session::userName(), name);
        EXPECT_EQ(session::userKey(), keyOf(name));
        session::clear();
    }
    EXPECT_EQ(users(), before);
    expectNoErrorReport();
}

} // namespace
