#include "admin/ui/tfrmbackdata.h"
#include "admin/ui/tfrmchangepwd.h"
#include "admin/ui/tfrmrestoredata.h"
#include "admin/ui/tfrmuser.h"
#include "admintest.h"
#include "app/windowset.h"
#include "core/ui/tfrmlogin.h"
#include "core/ui/tfrmmain.h"

#include <QAction>
#include <QMenuBar>
#include <QTableWidget>

namespace {

class MaintenanceMenu : public AdminTest {
protected:
    QAction& menuEntry(const QString& text) {
        for (QAction* top : main_.menuBar()->actions())
            for (QAction* a : top->menu()->actions())
                if (a->text() == text)
                    return *a;
        ADD_FAILURE() << "no menu entry " << text.toStdString();
        throw std::runtime_error("no such menu entry");
    }
    void logIn(const QString& name, const QString& password) {
        modal_.expect<TfrmLogin>([=](TfrmLogin& w) {
            drive::choose(drive::find<QComboBox>(w, "cbUserName"), name);
            drive::type(w, "txtPwd", password);
            drive::click(w, "btnLogin");
        });
        main_.show();
        ASSERT_TRUE(main_.isVisible());
    }

    void SetUp() override {
        AdminTest::SetUp();
        session::clear();
        windows_ = std::make_unique<WindowSet>();
    }
    void TearDown() override {
        windows_.reset();
        AdminTest::TearDown();
    }

    TfrmMain main_;
    // Created on the open book, as at start-up.
    std::unique_ptr<WindowSet> windows_;
};

TEST_F(MaintenanceMenu, OpensTheUserBackupAndRestoreWindowsAndTheSystemInitialisation) {
    logIn("管理员", "admin");
    modal_.expect<TfrmUser>(
        [](TfrmUser& w) { EXPECT_EQ(drive::find<QTableWidget>(w, "lsvUser").rowCount(), 1); });
    menuEntry("用户管理(&U)").trigger();
    modal_.expect<TfrmBackData>([&](TfrmBackData&) { EXPECT_FALSE(data_->myCon.isOpen()); });
    menuEntry("数据备份(&B)").trigger();
    modal_.expectOpenClose("TfrmRestoreData");
    menuEntry("数据还原(&R)").trigger();
    messages_.answerCancel();
    menuEntry("系统初始化(&I)").trigger();
    EXPECT_EQ(messages_.last(), "确定要进行系统初始化吗？初始化后，所有业务数据将被全部删除！");
}

TEST_F(MaintenanceMenu, ChangingThePasswordActsOnTheUserWhoLoggedIn) {
    session::clear();
    const long long tom = addUser("Tom", "old1");
    logIn("Tom", "old1");
    modal_.expect<TfrmChangePwd>([](TfrmChangePwd& w) {
        drive::type(w, "txtOldPwd", "old1");
        drive::type(w, "txtNewPwd", "new2");
        drive::type(w, "txtRePwd", "new2");
        drive::click(w, "btnChange");
    });
    menuEntry("修改密码(&C)").trigger();
    EXPECT_EQ(messages_.last(), "密码修改成功！下次请使用新密码登录！");
    EXPECT_TRUE(passwords::matches(
        "new2", scalar(QStringLiteral("SELECT pwd FROM Users WHERE UserID=%1").arg(tom))));
    EXPECT_TRUE(passwords::matches("admin", scalar("SELECT pwd FROM Users WHERE UserID=1")));
}

} // namespace
