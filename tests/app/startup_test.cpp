#include "admin/serverbookfile.h"
#include "app/startup.h"
#include "core/clock.h"
#include "core/connection.h"
#include "core/schema.h"
#include "core/serversetting.h"
#include "core/session.h"
#include "core/sysdata.h"
#include "core/ui/tfrmlogin.h"
#include "core/ui/tfrmmain.h"
#include "core/ui/tfrmserverpassword.h"
#include "schema/serverschema.h"
#include "support/drive.h"
#include "support/scriptedmessages.h"
#include "support/scriptedmodal.h"
#include "support/serverbook.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Neither a book beside the program nor the template to make the user's book from: the
// message names the user's data folder, where the book was looked for.
TEST(StartUp, WithoutTheBookItSaysSoAndEndsWithoutALogin) {
    QTemporaryDir empty;
    QDir(empty.path()).mkpath("bin");
    environment::setApplicationDirectory(empty.path() + "/bin/");
    ScriptedMessages shown;
    ScriptedModal windows;
    const int code = runProgram(*qApp, shown, windows);
    environment::setApplicationDirectory({});
    EXPECT_NE(code, 0);
    ASSERT_EQ(shown.shown().size(), 1u);
    const QString book = qEnvironmentVariable("XDG_DATA_HOME") + "/Vesk/vesk/kestdata.db";
    EXPECT_EQ(shown.shown()[0].text,
              "无法链接到数据库!\n" + QDir::toNativeSeparators(book) + "：找不到账簿文件");
    EXPECT_FALSE(QFileInfo::exists(book));
    EXPECT_EQ(shown.shown()[0].caption, "连接错误");
    EXPECT_TRUE(windows.shownWindows().isEmpty());
}

// An installed program: nothing beside it, the template under share/vesk, the user's data
// folder not made yet.
TEST(StartUp, TheFirstStartOfAnInstalledProgramMakesTheUsersBookAndOffersTheLogin) {
    QTemporaryDir root;
    QDir(root.path()).mkpath("bin");
    QDir(root.path()).mkpath("share/vesk");
    schema::create(root.path() + "/share/vesk/kestdata.db");
    environment::setApplicationDirectory(root.path() + "/bin/");
    const QString book = qEnvironmentVariable("XDG_DATA_HOME") + "/Vesk/vesk/kestdata.db";
    ASSERT_FALSE(QFileInfo::exists(book));
    ScriptedMessages shown;
    ScriptedModal windows;
    QString opened;
    windows.expect<TfrmLogin>([&](TfrmLogin& w) {
        opened = sysData->myCon.path();
        drive::click(w, "btnExit");
    });
    const int code = runProgram(*qApp, shown, windows);
    environment::setApplicationDirectory({});
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(shown.shown().empty());
    EXPECT_EQ(opened, book);
    EXPECT_FALSE(QFileInfo::exists(root.path() + "/bin/kestdata.db"));
    // Every window carries the program's icon, in every size drawn for it.
    EXPECT_EQ(QApplication::windowIcon().availableSizes().size(), 7);
    QDir(qEnvironmentVariable("XDG_DATA_HOME") + "/Vesk").removeRecursively();
}

// A program directory holding a fresh book.
class StartUpWithBook : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        schema::create(dir_.path() + u'/' + TsysData::fileName());
        environment::setApplicationDirectory(dir_.path() + u'/');
    }
    void TearDown() override {
        windows_.expectAllShown();
        environment::setApplicationDirectory({});
        session::clear();
    }
    QTemporaryDir dir_;
    ScriptedMessages messages_;
    ScriptedModal windows_;
};

TEST_F(StartUpWithBook, LeavingTheLoginEndsTheProgramWithoutTheMainWindow) {
    windows_.expect<TfrmLogin>([](TfrmLogin& w) { drive::click(w, "btnExit"); });
    EXPECT_EQ(runProgram(*qApp, messages_, windows_), 0);
    EXPECT_EQ(windows_.shownWindows(), QStringList({"TfrmLogin"}));
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(StartUpWithBook, AfterALoginTheProgramRunsUntilItsMainWindowIsClosed) {
    QString user;
    bool maximised = false;
    windows_.expect<TfrmLogin>([&](TfrmLogin& w) {
        drive::type(w, "txtPwd", "admin");
        drive::click(w, "btnLogin");
        // Once the program runs, the person looks at the main window and closes it.
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                for (QWidget* top : QApplication::topLevelWidgets()) {
                    if (auto* main = qobject_cast<TfrmMain*>(top); main && main->isVisible()) {
                        user = drive::find<QLabel>(*main, "lblUser").text();
                        maximised = main->windowState() & Qt::WindowMaximized;
                        main->close();
                    }
                }
            },
            Qt::QueuedConnection);
    });
    EXPECT_EQ(runProgram(*qApp, messages_, windows_), 0);
    EXPECT_EQ(user, "当前用户：【管理员】");
    EXPECT_TRUE(maximised);
    EXPECT_TRUE(messages_.shown().empty());
}

TEST(StartUp, ABookOfANewerProgramIsRefusedWithWhereAndWhyAndLeftAsItIs) {
    QTemporaryDir dir;
    const QString book = dir.path() + "/kestdata.db";
    schema::create(book);
    {
        Connection c(book);
        ASSERT_TRUE(c.open());
        c.run("PRAGMA user_version = 99");
    }
    environment::setApplicationDirectory(dir.path());
    ScriptedMessages shown;
    ScriptedModal windows;
    EXPECT_NE(runProgram(*qApp, shown, windows), 0);
    environment::setApplicationDirectory({});
    ASSERT_EQ(shown.shown().size(), 1u);
    EXPECT_EQ(shown.shown()[0].text, "无法链接到数据库!\n" + QDir::toNativeSeparators(book) +
                                         "：账簿由较新版本的程序建立（账簿版本 99，本程序为 6），"
                                         "请更新程序");
    EXPECT_EQ(shown.shown()[0].caption, "连接错误");
    EXPECT_TRUE(windows.shownWindows().isEmpty());
}

TEST(StartUp, ABookOfAnEarlierVersionIsUpgradedAndThePersonIsToldWhereTheOldOneIs) {
    QTemporaryDir dir;
    const QString book = dir.path() + "/kestdata.db";
    ASSERT_TRUE(QFile::copy(VESK_FIXTURES "/kestdata-v2.db", book));
    QFile::setPermissions(book, QFile::ReadOwner | QFile::WriteOwner);
    environment::setApplicationDirectory(dir.path());
    ScriptedMessages shown;
    ScriptedModal windows;
    windows.expect<TfrmLogin>([](TfrmLogin& w) { drive::click(w, "btnExit"); });
    EXPECT_EQ(runProgram(*qApp, shown, windows), 0);
    environment::setApplicationDirectory({});
    windows.expectAllShown();
    const QStringList copies = QDir(dir.path()).entryList({"kestdata.db.v2-*.bak"});
    ASSERT_EQ(copies.size(), 1);
    // One notice: the books agree after the upgrade, so the check adds nothing.
    ASSERT_EQ(shown.shown().size(), 1u);
    EXPECT_EQ(shown.shown()[0].text,
              "账簿已升级到本程序的版本（原为版本 2）。\n升级前的账簿已备份为：" +
                  QDir::toNativeSeparators(dir.path() + "/" + copies[0]));
}

} // namespace

namespace {

// The setting of one test, gone afterwards.
struct ServerSettingForTest {
    explicit ServerSettingForTest(const QString& conninfo) {
        EXPECT_EQ(serversetting::save(conninfo), QString());
    }
    ~ServerSettingForTest() { serversetting::save(QString()); }
};

} // namespace

// With a server named in the setting, a server that cannot be reached is named (never with a
// password) and the reason given; the settings are offered before the program ends.
TEST(StartUp, AServerThatCannotBeReachedIsNamedWithTheReasonAndTheSettingsAreOffered) {
    const QString conninfo = QStringLiteral("host=/nonexistent-vesk-folder dbname=shop");
    ServerSettingForTest setting(conninfo);
    ScriptedMessages shown;
    ScriptedModal windows;
    shown.answerOk();
    windows.expectOpenClose(QStringLiteral("TfrmServerSettings"));
    EXPECT_NE(runProgram(*qApp, shown, windows), 0);
    ASSERT_EQ(shown.shown().size(), 2u);
    EXPECT_TRUE(
        shown.shown()[0].text.startsWith("无法链接到数据库!\n" + conninfo + "：无法连接到服务器"))
        << shown.shown()[0].text.toStdString();
    EXPECT_EQ(shown.shown()[0].caption, "连接错误");
    EXPECT_EQ(shown.shown()[1].text, "是否修改服务器设置？");
    windows.expectAllShown();
}

// A person who set the server logs in and works on the server's book.
TEST(StartUp, WithAServerInTheSettingThePersonLogsInToTheServersBook) {
    ServerBook server;
    ASSERT_EQ(schema::createOnServer(server.conninfo().toStdString()), "");
    ServerSettingForTest setting(server.conninfo());
    ScriptedMessages shown;
    ScriptedModal windows;
    bool onServer = false;
    windows.expect<TfrmLogin>([&](TfrmLogin& w) {
        onServer = sysData && sysData->myCon.isServer();
        drive::type(w, "txtPwd", "admin");
        drive::click(w, "btnLogin");
        QMetaObject::invokeMethod(
            qApp,
            [] {
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (auto* main = qobject_cast<TfrmMain*>(top); main && main->isVisible())
                        main->close();
            },
            Qt::QueuedConnection);
    });
    EXPECT_EQ(runProgram(*qApp, shown, windows), 0);
    EXPECT_TRUE(onServer);
    EXPECT_TRUE(shown.shown().empty());
    session::clear();
}

// A server that wants a password: it is asked for, and asked again when the server refuses the
// one typed (the program ended at a slip of the finger); the right one opens the book.
TEST(StartUp, AServerThatWantsAPasswordAsksAgainWhenItRefusesTheOneTyped) {
    ServerBook server;
    ASSERT_EQ(schema::createOnServer(server.conninfo().toStdString()), "");
    ServerBook::admin(QStringLiteral("DROP ROLE IF EXISTS vesk_password"));
    ServerBook::admin(QStringLiteral("CREATE ROLE vesk_password LOGIN SUPERUSER PASSWORD 'right'"));
    const auto dropRole =
        qScopeGuard([] { ServerBook::admin(QStringLiteral("DROP ROLE vesk_password")); });
    ServerSettingForTest setting(server.conninfo() + QStringLiteral(" user=vesk_password"));
    ScriptedMessages shown;
    ScriptedModal windows;
    QStringList asked;
    for (const char* password : {"wrong", "right"})
        windows.expect<TfrmServerPassword>([&asked, password](TfrmServerPassword& w) {
            asked << drive::find<QLabel>(w, "lblServer").text().section(u'\n', 0, 0);
            drive::type(w, "txtPwd", QString::fromLatin1(password));
            drive::click(w, "btnOK");
        });
    bool onServer = false;
    windows.expect<TfrmLogin>([&](TfrmLogin& w) {
        onServer = sysData && sysData->myCon.isServer();
        drive::click(w, "btnExit");
    });
    EXPECT_EQ(runProgram(*qApp, shown, windows), 0);
    windows.expectAllShown();
    EXPECT_TRUE(onServer);
    EXPECT_EQ(asked, QStringList({"服务器要求输入密码：", "服务器没有接受这个密码，请重新输入："}));
    EXPECT_TRUE(shown.shown().empty());
    session::clear();
}

// The first counter to start on a server book of an earlier version upgrades it and says so;
// the shop's backups of a server book are its own, so no copy is named.
TEST(StartUp, AServerBookOfAnEarlierVersionIsUpgradedAndThePersonIsTold) {
    ServerBook server;
    const bookfile::Outcome kept = serverbookfile::restore(
        server.conninfo().toStdString(), VESK_FIXTURES "/kestdata-v3.server.bak", [](int) {});
    ASSERT_TRUE(kept.done) << kept.refusal.toStdString();
    ServerSettingForTest setting(server.conninfo());
    ScriptedMessages shown;
    ScriptedModal windows;
    windows.expect<TfrmLogin>([](TfrmLogin& w) { drive::click(w, "btnExit"); });
    EXPECT_EQ(runProgram(*qApp, shown, windows), 0);
    windows.expectAllShown();
    ASSERT_EQ(shown.shown().size(), 1u);
    EXPECT_EQ(shown.shown()[0].text, "账簿已升级到本程序的版本（原为版本 3）。");
}
