#include "accounts/ui/tfrmitmdialog.h"

#include "accounts/cashbook.h"
#include "core/messages.h"
#include "core/ui/dialogbuttons.h"
#include "core/ui/guardedconnect.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const ItmDialogKind kAdd{
    QStringLiteral("添加科目"), QStringLiteral("添加(&A)"),
    [](const masterrows::ShownRow&, const QString& itmName, const QString& remark) {
        return accounts::insertAccount(itmName, remark);
    }};
const ItmDialogKind kEdit{QStringLiteral("编辑科目"), QStringLiteral("修改(&U)"),
                          &accounts::updateAccount};

} // namespace

TfrmItmAdd::TfrmItmAdd(QWidget* parent) : TfrmItmDialog(kAdd, parent) {
    setObjectName(QStringLiteral("frmItmAdd"));
}

TfrmItmEdit::TfrmItmEdit(QWidget* parent) : TfrmItmDialog(kEdit, parent) {
    setObjectName(QStringLiteral("frmItmEdit"));
}

TfrmItmDialog::TfrmItmDialog(const ItmDialogKind& kind, QWidget* parent)
    : TForm(parent), kind_(kind) {
    setWindowTitle(kind.caption);
    txtItmName = new QLineEdit;
    txtItmName->setObjectName(QStringLiteral("txtItmName"));
    txtItmName->setMinimumWidth(240);
    txtRemark = new QLineEdit;
    txtRemark->setObjectName(QStringLiteral("txtRemark"));
    auto* lblItmName = new QLabel(QStringLiteral("科目名称："));
    lblItmName->setBuddy(txtItmName);
    auto* lblRemark = new QLabel(QStringLiteral("备         注："));
    lblRemark->setBuddy(txtRemark);
    auto* form = new QFormLayout;
    form->addRow(lblItmName, txtItmName);
    form->addRow(lblRemark, txtRemark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    const DialogButtons buttons = addDialogButtons(*this, *layout, QStringLiteral("BitBtn1"),
                                                   kind.buttonText, QStringLiteral("BitBtn2"));
    BitBtn1 = buttons.action;
    BitBtn2 = buttons.close;

    connectGuarded(BitBtn1, &QPushButton::clicked, this, [this](bool) { BitBtn1Click(); });
}

void TfrmItmDialog::setAccount(const QString& itmID, const QString& itmName,
                               const QString& remark) {
    shown_ = {&masterrows::kAccount, itmID, {itmName, remark}};
    txtItmName->setText(itmName);
    txtRemark->setText(remark);
}

void TfrmItmDialog::FormShow() {
    saved_ = false;
    stale_ = false;
    txtItmName->setFocus();
}

void TfrmItmDialog::BitBtn1Click() {
    if (txtItmName->text().trimmed().isEmpty()) {
        notice(QStringLiteral("请输入科目名称！"));
        txtItmName->setFocus();
        return;
    }
    const accounts::Write result = kind_.write(shown_, txtItmName->text(), txtRemark->text());
    if (result == accounts::Write::Outdated) {
        stale_ = true; // nothing written; the boxes keep what was typed
        return;
    }
    if (result == accounts::Write::Done) {
        saved_ = true;
        txtItmName->clear();
        txtRemark->clear();
    }
    close();
}
