#include "core/ui/tfrmserversettings.h"

#include "core/messages.h"
#include "core/serversetting.h"
#include "core/ui/dialogbuttons.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/tfrmserverpassword.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("服务器设置");

// With a password asked for when the server wants one, so that a test needs no password file.
QString testWithPassword(const TfrmServerSettings::Tester& tester, const QString& conninfo) {
    QString reason = tester(conninfo);
    if (!serversetting::needsPassword(reason))
        return reason;
    const QString password = askServerPassword(conninfo);
    return password.isEmpty() ? reason : tester(serversetting::withPassword(conninfo, password));
}

} // namespace

TfrmServerSettings::TfrmServerSettings(Tester tester, QWidget* parent)
    : TForm(parent), tester_(std::move(tester)) {
    setObjectName(QStringLiteral("frmServerSettings"));
    setWindowTitle(kCaption);

    txtConnInfo = new QLineEdit(this);
    txtConnInfo->setObjectName(QStringLiteral("txtConnInfo"));
    txtConnInfo->setMinimumWidth(420);
    txtConnInfo->setPlaceholderText(QStringLiteral("host=192.168.1.10 dbname=vesk user=shop"));
    auto* lblConnInfo = new QLabel(QStringLiteral("连接字符串："), this);
    lblConnInfo->setBuddy(txtConnInfo);
    auto* lblHint = new QLabel(
        QStringLiteral("留空则使用本机账簿。可写 PostgreSQL 的连接字符串，或 service=服务名。\n"
                       "密码不保存在本程序中：请写入密码文件（~/.pgpass），或在连接时输入。\n"
                       "加密连接：在连接字符串中写 sslmode=require（或 verify-full）。"),
        this);
    lblHint->setObjectName(QStringLiteral("lblHint"));
    lblHint->setWordWrap(true);

    btnTest = new QPushButton(QStringLiteral("测试连接(&T)"), this);
    btnTest->setObjectName(QStringLiteral("btnTest"));
    btnTest->setAutoDefault(false);

    auto* field = new QHBoxLayout;
    field->addWidget(txtConnInfo, 1);
    field->addWidget(btnTest);
    auto* fields = new QFormLayout;
    fields->addRow(lblConnInfo, field);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(12);
    layout->addLayout(fields);
    layout->addWidget(lblHint);
    const DialogButtons buttons =
        addDialogButtons(*this, *layout, QStringLiteral("btnSave"), QStringLiteral("保存(&S)"));
    btnSave = buttons.action;

    connectGuarded(btnTest, &QPushButton::clicked, this, [this] { btnTestClick(); });
    connectGuarded(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
}

void TfrmServerSettings::FormShow() {
    changed_ = false;
    shown_ = serversetting::load();
    txtConnInfo->setText(shown_);
    txtConnInfo->selectAll();
    txtConnInfo->setFocus();
}

void TfrmServerSettings::btnTestClick() {
    const QString conninfo = txtConnInfo->text().trimmed();
    if (conninfo.isEmpty()) {
        messages().notice(QStringLiteral("未填写连接字符串：程序使用本机账簿。"), kCaption);
        return;
    }
    if (const QString reason = serversetting::checkSyntax(conninfo); !reason.isEmpty()) {
        messages().notice(QStringLiteral("连接字符串有误：%1").arg(reason), kCaption);
        return;
    }
    const QString reason = testWithPassword(tester_, conninfo);
    messages().notice(reason.isEmpty() ? QStringLiteral("连接成功：服务器上的账簿可以使用。")
                                       : QStringLiteral("连接失败：%1").arg(reason),
                      kCaption);
}

void TfrmServerSettings::btnSaveClick() {
    const QString conninfo = txtConnInfo->text().trimmed();
    if (conninfo == shown_) {
        close();
        return;
    }
    if (const QString refused = serversetting::save(conninfo); !refused.isEmpty()) {
        messages().notice(refused, kCaption);
        txtConnInfo->setFocus();
        return;
    }
    changed_ = true;
    messages().notice(conninfo.isEmpty()
                          ? QStringLiteral("已改为使用本机账簿，重新启动程序后生效。")
                          : QStringLiteral("服务器设置已保存，重新启动程序后生效。"),
                      kCaption);
    close();
}
