#include "admin/ui/tfrmuseradd.h"

#include "admin/ui/formparts.h"
#include "admin/useraccounts.h"
#include "core/messages.h"
#include "core/ui/guardedconnect.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmUserAdd::TfrmUserAdd(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("frmUserAdd"));
    setWindowTitle(QStringLiteral("添加用户"));

    txtUserName = new QLineEdit(this);
    txtUserName->setObjectName(QStringLiteral("txtUserName"));
    txtUserName->setMinimumWidth(200);
    txtPwd = passwordBox(this, QStringLiteral("txtPwd"));

    auto* fields = dialogFields();
    fields->addRow(buddyLabel(this, QStringLiteral("lblUserName"), QStringLiteral("用  户  名："),
                              txtUserName),
                   txtUserName);
    fields->addRow(buddyLabel(this, QStringLiteral("lblPwd"), QStringLiteral("登录密码："), txtPwd),
                   txtPwd);

    const DialogButtons buttons =
        layOutDialog(*this, fields, QStringLiteral("btnAdd"), QStringLiteral("添加用户"));
    btnAdd = buttons.action;
    btnClose = buttons.close;
    connectGuarded(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
}

void TfrmUserAdd::btnAddClick() {
    const QString name = txtUserName->text().trimmed();
    const QString password = txtPwd->text().trimmed();
    if (name.isEmpty()) {
        notice(QStringLiteral("请输入用户名称！"));
        txtUserName->setFocus();
        return;
    }
    if (password.isEmpty()) {
        notice(QStringLiteral("请输入登录密码！"));
        txtPwd->setFocus();
        return;
    }
    const std::optional<bool> added = useraccounts::add(name, password);
    if (!added)
        return; // the person has been told why; what was typed stays
    if (!*added) {
        notice(QStringLiteral("此用户已经存在！"));
        return;
    }
    txtUserName->clear();
    txtPwd->clear();
    messages().plainNotice(QStringLiteral("新用户添加成功！"), kInfoCaption);
    close();
}
