#include "admin/ui/tfrmchangepwd.h"

#include "admin/ui/formparts.h"
#include "admin/useraccounts.h"
#include "core/messages.h"
#include "core/session.h"
#include "core/ui/guardedconnect.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

void tell(const QString& text) {
    messages().plainNotice(text, kInfoCaption);
}

} // namespace

TfrmChangePwd::TfrmChangePwd(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("frmChangePwd"));
    setWindowTitle(QStringLiteral("修改密码"));

    txtOldPwd = passwordBox(this, QStringLiteral("txtOldPwd"));
    txtNewPwd = passwordBox(this, QStringLiteral("txtNewPwd"));
    txtRePwd = passwordBox(this, QStringLiteral("txtRePwd"));
    auto* fields = dialogFields();
    fields->addRow(
        buddyLabel(this, QStringLiteral("lblOldPwd"), QStringLiteral("旧密码："), txtOldPwd),
        txtOldPwd);
    fields->addRow(
        buddyLabel(this, QStringLiteral("lblNewPwd"), QStringLiteral("新密码："), txtNewPwd),
        txtNewPwd);
    fields->addRow(
        buddyLabel(this, QStringLiteral("lblRePwd"), QStringLiteral("重复密码："), txtRePwd),
        txtRePwd);

    const DialogButtons buttons =
        layOutDialog(*this, fields, QStringLiteral("btnChange"), QStringLiteral("修改密码"));
    btnChange = buttons.action;
    btnClose = buttons.close;
    connectGuarded(btnChange, &QPushButton::clicked, this, [this] { btnChangeClick(); });
}

void TfrmChangePwd::btnChangeClick() {
    const QString oldPassword = txtOldPwd->text().trimmed();
    const QString newPassword = txtNewPwd->text().trimmed();
    if (oldPassword.isEmpty()) {
        tell(QStringLiteral("请输入旧密码！"));
        txtOldPwd->setFocus();
        return;
    }
    if (newPassword.isEmpty()) {
        tell(QStringLiteral("请输入新密码！"));
        txtNewPwd->setFocus();
        return;
    }
    if (newPassword != txtRePwd->text().trimmed()) {
        tell(QStringLiteral("两次新密码输入不一样！"));
        txtRePwd->setFocus();
        return;
    }
    const std::optional<bool> changed =
        useraccounts::changePassword(session::userKey(), oldPassword, newPassword);
    if (!changed)
        return; // the person has been told why
    if (!*changed) {
        tell(QStringLiteral("旧密码输入错误！"));
        return;
    }
    tell(QStringLiteral("密码修改成功！下次请使用新密码登录！"));
    close();
}
