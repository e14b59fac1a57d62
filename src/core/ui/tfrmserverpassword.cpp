#include "core/ui/tfrmserverpassword.h"

#include "core/ui/dialogbuttons.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/passwordbox.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmServerPassword::TfrmServerPassword(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("frmServerPassword"));
    setWindowTitle(QStringLiteral("服务器密码"));
    lblServer = new QLabel(this);
    lblServer->setObjectName(QStringLiteral("lblServer"));
    lblServer->setWordWrap(true);
    txtPwd = passwordBox(this, QStringLiteral("txtPwd"));
    auto* lblPwd = new QLabel(QStringLiteral("密     码："), this);
    lblPwd->setBuddy(txtPwd);
    auto* fields = new QFormLayout;
    fields->addRow(lblPwd, txtPwd);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->addWidget(lblServer);
    layout->addLayout(fields);
    const DialogButtons buttons =
        addDialogButtons(*this, *layout, QStringLiteral("btnOK"), QStringLiteral("确定(&O)"));
    buttons.close->setText(QStringLiteral("取消(&C)"));
    connectGuarded(buttons.action, &QPushButton::clicked, this, [this] {
        accepted_ = true;
        close();
    });
}

QString TfrmServerPassword::ask(const QString& conninfo, bool again) {
    accepted_ = false;
    lblServer->setText((again ? QStringLiteral("服务器没有接受这个密码，请重新输入：\n%1")
                              : QStringLiteral("服务器要求输入密码：\n%1"))
                           .arg(conninfo));
    txtPwd->clear();
    txtPwd->setFocus();
    showModal();
    const QString password = accepted_ ? txtPwd->text() : QString();
    txtPwd->clear();
    return password;
}

QString askServerPassword(const QString& conninfo, bool again) {
    TfrmServerPassword window;
    return window.ask(conninfo, again);
}
