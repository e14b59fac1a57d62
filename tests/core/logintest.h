#pragma once

#include "core/passwords.h"
#include "core/session.h"
#include "core/sysdata.h"
#include "core/ui/tfrmlogin.h"
#include "core/ui/tfrmmain.h"
#include "core/windowregistry.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

// A book with the login window registered as the program registers it, and the main window
// that runs the login when it is shown.
class LoginTest : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        windows::registerOpener("TfrmLogin", [this] { login_.showModal(); });
    }
    void TearDown() override {
        BookTest::TearDown();
        session::clear();
    }

    long long addUser(const QString& name, const QString& password) {
        exec(QStringLiteral("INSERT INTO Users(UserName, pwd) VALUES('%1', '%2')")
                 .arg(name, passwords::hash(password)));
        return scalar("SELECT last_insert_rowid()").toLongLong();
    }
    void grant(long long userID, int code) {
        exec(
            QStringLiteral("INSERT INTO perms(userID, perm) VALUES(%1, %2)").arg(userID).arg(code));
    }

    // The next login: chooses the user (the first of that name), types the password and
    // presses "登录(&L)".
    void expectLogin(const QString& name, const QString& password) {
        modal_.expect<TfrmLogin>([name, password](TfrmLogin& w) {
            drive::choose(drive::find<QComboBox>(w, "cbUserName"), name);
            drive::type(w, "txtPwd", password);
            drive::click(w, "btnLogin");
        });
    }
    void showLoggedIn(const QString& name, const QString& password) {
        expectLogin(name, password);
        main_.show();
        ASSERT_TRUE(main_.isVisible()) << "the login did not succeed";
    }

    // The menu entry with this text; fails when there is none.
    QAction& menuEntry(const QString& text) {
        for (QAction* top : main_.menuBar()->actions())
            for (QAction* a : top->menu()->actions())
                if (a->text() == text)
                    return *a;
        ADD_FAILURE() << "no menu entry " << text.toStdString();
        throw std::runtime_error("no such menu entry");
    }
    QToolButton& toolButton(const QString& text) {
        auto& bar = drive::find<QToolBar>(main_, "tlbMain");
        for (QAction* a : bar.actions())
            if (a->text() == text)
                return *qobject_cast<QToolButton*>(bar.widgetForAction(a));
        ADD_FAILURE() << "no tool button " << text.toStdString();
        throw std::runtime_error("no such tool button");
    }
    QToolButton& icon(const QString& name) { return drive::find<QToolButton>(main_, name); }

    // Stand-ins for windows that record each opening by class name.
    void recordOpening(const QStringList& windowClasses) {
        for (const QString& c : windowClasses)
            windows::registerOpener(c, [this, c] { opened_ << c; });
    }

    TfrmLogin login_;
    TfrmMain main_;
    QStringList opened_;
};
