// The maintenance windows given nasty names, passwords and file names as a person types them:
// users keep their names exactly (trimmed) and log in with exactly the password typed, a
// refused change writes nothing, and a backup or restore either copies the whole book or says
// it failed and leaves every file as it was.
#include "admin/ui/tfrmbackdata.h"
#include "admin/ui/tfrmchangepwd.h"
#include "admin/ui/tfrmfile.h"
#include "admin/ui/tfrmrestoredata.h"
#include "admin/ui/tfrmuser.h"
#include "admin/ui/tfrmuseradd.h"
#include "admin/useraccounts.h"
#include "core/clock.h"
#include "core/passwords.h"
#include "core/session.h"
#include "core/sysdata.h"
#include "reliability/windowinput.h"
#include "support/bookrows.h"
#include "support/drive.h"

#include <QDir>
#include <QFile>
#include <memory>

namespace {

class AdminInput : public WindowInputTest {
protected:
    void TearDown() override {
        session::clear();
        WindowInputTest::TearDown();
    }
    QString users() {
        return scalar("SELECT group_concat(UserID || ':' || UserName || ':' || pwd, '|') FROM "
                      "Users") +
               rowCounts({"Users", "perms"});
    }
    QString storedPassword(const QString& name) {
        TQuery q(sysData->myCon, "pwd");
        q.load("SELECT pwd FROM Users WHERE UserName=:name");
        q.bind(u"name", name);
        q.open();
        return q.recordCount() == 1 ? q.field(u"pwd").asText() : QStringLiteral("<not one>");
    }
    QString bookPath() const { return directory() + TsysData::fileName(); }
};

// Whether the file system takes the name as one file in an existing folder: no separator (the
// folder it names is not there) and no more than 255 bytes.
bool isFileName(const QString& name) {
    return !name.contains(u'/') && name.toUtf8().size() <= 255;
}

// Each new user costs a slow password hash: the names are those that could do harm on the
// way to the book, each with a password of another kind.
const std::vector<std::pair<QString, QString>> kNewUsers{
    {QString(10000, u'长') + "😀👍🏽𠮷", "O'Brien\\"},
    {" O'Brien ", "'; DROP TABLE Users;--"},
    {"'; DROP TABLE Users;--", QString(10000, u'x')},
    {"100%", "_ C:\\路径\\ %"},
};

TEST_F(AdminInput, NewUsersKeepTheirNamesAsTypedAndTheirPasswordsExactlyAndNamesAreNoPatterns) {
    TfrmUserAdd add;
    TfrmUser window(add);
    window.show();
    const auto addUser = [&](const QString& name, const QString& password) {
        modal_.expect<TfrmUserAdd>([&](TfrmUserAdd& d) {
            enter(drive::find<QLineEdit>(d, "txtUserName"), name);
            enter(drive::find<QLineEdit>(d, "txtPwd"), password);
            drive::click(d, "btnAdd");
        });
        messages_.clear();
        drive::click(window, "tlAdd");
    };
    for (const auto& [name, password] : kNewUsers) {
        const long long before = count("Users");
        addUser(name, password);
        ASSERT_EQ(messages_.last(), "新用户添加成功！") << quoted(name);
        EXPECT_EQ(messages_.lastShown()->form, ScriptedMessages::Form::PlainNotice);
        EXPECT_EQ(count("Users"), before + 1);
        EXPECT_TRUE(passwords::matches(password, storedPassword(name.trimmed())))
            << quoted(name) << " with " << quoted(password);
        EXPECT_EQ(count("perms WHERE userID=(SELECT max(UserID) FROM Users)"), 0);
    }
    // A namesake is refused; a name that only looks like a pattern of another is no namesake.
    const QString before = users();
    for (const QString& name : {QStringLiteral("o'brien"), QStringLiteral("'; drop table users;--"),
                                QStringLiteral(" 100% ")}) {
        addUser(name, "pw");
        EXPECT_EQ(messages_.last(), "此用户已经存在！") << quoted(name);
        EXPECT_EQ(users(), before);
    }
    for (const auto& [name, message] :
         {std::pair{QStringLiteral(" \t "), QStringLiteral("请输入用户名称！")},
          std::pair{QStringLiteral("新人"), QStringLiteral("请输入登录密码！")}}) {
        modal_.expect<TfrmUserAdd>([&](TfrmUserAdd& d) {
            enter(drive::find<QLineEdit>(d, "txtUserName"), name);
            enter(drive::find<QLineEdit>(d, "txtPwd"), "   ");
            drive::click(d, "btnAdd");
            EXPECT_EQ(messages_.last(), message);
            EXPECT_TRUE(d.isVisible());
        });
        drive::click(window, "tlAdd");
        EXPECT_EQ(users(), before);
    }
    addUser("1005", "pw");
    EXPECT_EQ(messages_.last(), "新用户添加成功！") << "100% is not a pattern for 1005";
    expectNoErrorReport();
}

TEST_F(AdminInput, APasswordChangedToAnyTextIsTheOneThatMatchesAndARefusedChangeWritesNothing) {
    ASSERT_EQ(useraccounts::add("张三", "old"), true);
    session::setUser(scalar("SELECT UserID FROM Users WHERE UserName='张三'"), "张三");
    TfrmChangePwd window;
    const auto change = [&](const QString& old, const QString& fresh, const QString& repeat) {
        window.hide();
        window.show();
        enter(drive::find<QLineEdit>(window, "txtOldPwd"), old);
        enter(drive::find<QLineEdit>(window, "txtNewPwd"), fresh);
        enter(drive::find<QLineEdit>(window, "txtRePwd"), repeat);
        messages_.clear();
        drive::click(window, "btnChange");
    };
    QString current = "old";
    for (const QString& fresh :
         {QString(10000, u'长'), QStringLiteral(" '; DROP TABLE Users;-- 😀👍🏽𠮷\\ ")}) {
        // Refused first: a wrong old password of the same kind, then a repeat that differs.
        const QString before = users();
        change(fresh, current + "x", current + "x");
        EXPECT_EQ(messages_.last(), "旧密码输入错误！") << quoted(fresh);
        change(current, fresh, fresh + "_");
        EXPECT_EQ(messages_.last(), "两次新密码输入不一样！") << quoted(fresh);
        EXPECT_EQ(users(), before);
        change(current, fresh, fresh);
        EXPECT_EQ(messages_.last(), "密码修改成功！下次请使用新密码登录！") << quoted(fresh);
        EXPECT_TRUE(passwords::matches(fresh, storedPassword("张三"))) << quoted(fresh);
        current = fresh.trimmed();
    }
    expectNoErrorReport();
}

TEST_F(AdminInput, ABackupToAnyFileNameCopiesTheWholeBookOrSaysItFailedAndRestoreDoesTheSame) {
    TfrmFile chooser;
    TfrmBackData backup(chooser, environment::now());
    backup.show();
    const QString book = rowsOf(bookPath());
    ASSERT_FALSE(book.isEmpty());
    const QString copied = QStringLiteral("数据备份成功!");
    const QString failed = QStringLiteral("备份失败，请检查备份路径是否存在？");
    QString restorable;
    for (const QString& text : boxTexts()) {
        const QString path = u' ' + directory() + text + QStringLiteral(".bak ");
        const QString target = path.trimmed();
        const bool existed = QFile::exists(target);
        backup.hide();
        backup.show();
        enter(drive::find<QLineEdit>(backup, "txtPath"), path);
        messages_.clear();
        drive::click(backup, "btnBackup");
        if (isFileName(text + QStringLiteral(".bak"))) {
            EXPECT_EQ(messages_.last(), copied) << quoted(text);
            EXPECT_EQ(rowsOf(target), book) << quoted(text);
            if (text.contains(u'\''))
                restorable = target;
        } else {
            EXPECT_EQ(messages_.last(), failed) << quoted(text);
            EXPECT_EQ(QFile::exists(target), existed) << quoted(text);
        }
        EXPECT_EQ(rowsOf(bookPath()), book) << quoted(text);
    }
    // Paths picked by mistake: the book itself, its folder, a folder that is not there, blanks.
    const std::pair<QString, QString> mistakes[] = {
        {bookPath(),
         QStringLiteral("所选文件就是当前账簿，请另选备份文件。\n当前账簿未作任何改动。")},
        {directory(), failed},
        {directory() + "nowhere/x.bak", failed},
        {QStringLiteral("  \t "), QStringLiteral("请选择备份位置!")},
    };
    for (const auto& [path, message] : mistakes) {
        enter(drive::find<QLineEdit>(backup, "txtPath"), path);
        messages_.clear();
        drive::click(backup, "btnBackup");
        EXPECT_EQ(messages_.last(), message) << quoted(path);
        EXPECT_EQ(rowsOf(bookPath()), book) << quoted(path);
    }

    TfrmRestoreData restore;
    for (const QString& text : boxTexts()) {
        restore.hide();
        restore.show();
        enter(drive::find<QLineEdit>(restore, "txtPath"), directory() + "missing" + text);
        messages_.clear();
        drive::click(restore, "btnRestore");
        EXPECT_EQ(messages_.last(), "数据还原失败，请检查路径是否存在？") << quoted(text);
        EXPECT_EQ(rowsOf(bookPath()), book) << quoted(text);
    }
    // The book is not restored from itself.
    restore.hide();
    restore.show();
    enter(drive::find<QLineEdit>(restore, "txtPath"), bookPath());
    drive::click(restore, "btnRestore");
    EXPECT_EQ(messages_.last(), "所选文件就是当前账簿，请另选备份文件。\n当前账簿未作任何改动。");
    EXPECT_EQ(rowsOf(bookPath()), book);
    // A backup under a name full of quotes restores like any other.
    ASSERT_FALSE(restorable.isEmpty());
    TQuery change(sysData->myCon, "change"); // opens the book again
    change.load("INSERT INTO Fhouse(houseName) VALUES('备份后')");
    ASSERT_EQ(change.execute(), 1);
    restore.hide();
    restore.show();
    enter(drive::find<QLineEdit>(restore, "txtPath"), restorable);
    messages_.answerOk(); // what was written since the backup goes
    drive::click(restore, "btnRestore");
    EXPECT_EQ(messages_.last(), "数据还原成功!");
    EXPECT_EQ(rowsOf(bookPath()), book);
    EXPECT_EQ(count("Fhouse WHERE houseName='备份后'"), 0);
    expectNoErrorReport();
}

} // namespace
