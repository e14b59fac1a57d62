#include "core/ui/tfrmlogin.h"

#include "core/dberror.h"
#include "core/messages.h"
#include "core/passwords.h"
#include "core/serverbook.h"
#include "core/session.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/passwordbox.h"
#include "core/ui/tfrmserversettings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmLogin::TfrmLogin(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("登录"));

    cbUserName = new QComboBox(this);
    cbUserName->setObjectName(QStringLiteral("cbUserName"));
    cbUserName->setEditable(false);
    cbUserName->setMinimumWidth(200);
    txtPwd = passwordBox(this, QStringLiteral("txtPwd"));

    auto* lblUserName = new QLabel(QStringLiteral("用户名："), this);
    lblUserName->setObjectName(QStringLiteral("lblUserName"));
    lblUserName->setBuddy(cbUserName);
    auto* lblPwd = new QLabel(QStringLiteral("密     码："), this);
    lblPwd->setObjectName(QStringLiteral("lblPwd"));
    lblPwd->setBuddy(txtPwd);

    btnLogin = new QPushButton(QStringLiteral("登录(&L)"), this);
    btnLogin->setObjectName(QStringLiteral("btnLogin"));
    btnLogin->setDefault(true);
    btnExit = new QPushButton(QStringLiteral("退出(&X)"), this);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setAutoDefault(false);

    // Which book: the embedded one or one on a server, for the next start.
    btnServer = new QPushButton(QStringLiteral("服务器设置(&D)"), this);
    btnServer->setObjectName(QStringLiteral("btnServer"));
    btnServer->setAutoDefault(false);

    auto* fields = new QFormLayout;
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(12);
    fields->addRow(lblUserName, cbUserName);
    fields->addRow(lblPwd, txtPwd);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnServer);
    buttons->addStretch();
    buttons->addWidget(btnLogin);
    buttons->addWidget(btnExit);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 18);
    layout->setSpacing(18);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    connectGuarded(btnLogin, &QPushButton::clicked, this, [this] { btnLoginClick(); });
    connectGuarded(btnExit, &QPushButton::clicked, this, [this] { close(); });
    connectGuarded(btnServer, &QPushButton::clicked, this, [this] { btnServerClick(); });
}

void TfrmLogin::btnServerClick() {
    TfrmServerSettings settings(serverbook::tryOpen, this);
    settings.showModal();
}

void TfrmLogin::FormShow() {
    loggedIn_ = false;
    txtPwd->clear();
    try {
        LoadUsers();
    } catch (const DbError&) {
        sysData->QueryCommon.close();
        notice(QStringLiteral("读取用户信息出现异常！"));
        // Closed once the show has finished: a window cannot end its own showing.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    txtPwd->setFocus();
}

void TfrmLogin::LoadUsers() {
    cbUserName->clear();
    TQuery& q = sysData->QueryCommon;
    // In the order the users were added, as the book keeps them, not by the name index.
    q.load(QStringLiteral("SELECT UserName FROM Users ORDER BY UserID"));
    q.open();
    for (; !q.eof(); q.next())
        cbUserName->addItem(q.field(u"UserName").asText());
    q.close();
    cbUserName->setCurrentIndex(cbUserName->count() > 0 ? 0 : -1);
}

void TfrmLogin::btnLoginClick() {
    loggedIn_ = false;
    session::clear();
    const QString userName = cbUserName->currentText();
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT UserID, pwd FROM Users WHERE UserName=:UserName"));
    q.bind(u"UserName", userName);
    q.open();
    // Names need not be unique: the password decides which of the namesakes logs in.
    QString userKey;
    for (; !q.eof() && userKey.isEmpty(); q.next()) {
        if (passwords::matches(txtPwd->text(), q.field(u"pwd").asText()))
            userKey = q.field(u"UserID").asText();
    }
    q.close();
    if (userKey.isEmpty()) {
        messages().notice(QStringLiteral("密码输入错误，请重新输入!"), QStringLiteral("登录提示"));
        txtPwd->clear();
        txtPwd->setFocus();
        return;
    }
    session::setUser(userKey, userName);
    loggedIn_ = true;
    close();
}
