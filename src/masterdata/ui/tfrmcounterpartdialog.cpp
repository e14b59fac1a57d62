#include "masterdata/ui/tfrmcounterpartdialog.h"

#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "masterdata/counterpartkind.h"
#include "masterdata/ui/listwindowparts.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString trimmed(const QLineEdit* box) {
    return box->text().trimmed();
}
} // namespace

TfrmCounterpartDialog::TfrmCounterpartDialog(const CounterpartKind& kind, DialogKind dialog,
                                             QWidget* parent)
    : TForm(parent), kind_(kind), dialog_(std::move(dialog)) {
    setWindowTitle(dialog_.caption);
    auto* form = new QFormLayout;
    auto box = [&](const QString& name, const QString& label) {
        auto* edit = new QLineEdit;
        edit->setObjectName(name);
        edit->setMinimumWidth(300);
        form->addRow(label, edit); // the row's label is the box's buddy
        return edit;
    };
    txtcompName = box(QStringLiteral("txtcompName"), kind_.nameLabel);
    txtaddress = box(QStringLiteral("txtaddress"), QStringLiteral("联系地址："));
    txtconperson = box(QStringLiteral("txtconperson"), QStringLiteral("联  系  人："));
    txtphone = box(QStringLiteral("txtphone"), QStringLiteral("联系电话："));
    txtbankName = box(QStringLiteral("txtbankName"), QStringLiteral("开户银行："));
    txtbankCard = box(QStringLiteral("txtbankCard"), QStringLiteral("银行账号："));
    txtremark = box(QStringLiteral("txtremark"), QStringLiteral("备         注："));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOK = listparts::dialogButton(*buttons, QStringLiteral("btnOK"), dialog_.okText, true);
    btnClose = listparts::dialogButton(*buttons, QStringLiteral("btnClose"),
                                       QStringLiteral("关闭(&C)"), false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connectGuarded(btnOK, &QPushButton::clicked, this, [this](bool) { btnOKClick(); });
    connectGuarded(btnClose, &QPushButton::clicked, this, [this](bool) { close(); });
}

void TfrmCounterpartDialog::setCounterpart(const QString& compID, const TQuery& values) {
    compID_ = compID;
    txtcompName->setText(values.field(u"compName").asText());
    txtconperson->setText(values.field(u"conperson").asText());
    txtphone->setText(values.field(u"phone").asText());
    txtaddress->setText(values.field(u"address").asText());
    txtbankName->setText(values.field(u"bankName").asText());
    txtbankCard->setText(values.field(u"bankCard").asText());
    txtremark->setText(values.field(u"remark").asText());
}

void TfrmCounterpartDialog::FormShow() {
    saved_ = false;
    txtcompName->setFocus();
}

void TfrmCounterpartDialog::btnOKClick() {
    if (trimmed(txtcompName).isEmpty()) {
        notice(kind_.emptyNameText());
        txtcompName->setFocus();
        return;
    }
    TQuery& q = sysData->QueryCommon;
    q.load(dialog_.statement);
    q.bind(u"compName", trimmed(txtcompName));
    q.bind(u"conperson", trimmed(txtconperson));
    q.bind(u"phone", trimmed(txtphone));
    q.bind(u"address", trimmed(txtaddress));
    q.bind(u"bankName", trimmed(txtbankName));
    q.bind(u"bankCard", trimmed(txtbankCard)); // account numbers stay text: no digit is lost
    q.bind(u"remark", trimmed(txtremark));
    if (q.hasParameter(u"compID"))
        q.bind(u"compID", compID_);
    if (q.execute() > 0) {
        saved_ = true;
        if (dialog_.emptiesAfterSave)
            for (QLineEdit* b : {txtcompName, txtaddress, txtconperson, txtphone, txtbankName,
                                 txtbankCard, txtremark})
                b->clear();
        notice(dialog_.success);
    }
    q.close();
    close();
}

TfrmSupplierAdd::TfrmSupplierAdd(QWidget* parent)
    : TfrmCounterpartDialog(kSupplierKind, kSupplierKind.addDialog(), parent) {
    setObjectName(QStringLiteral("frmSupplierAdd"));
}

TfrmSupplierEdit::TfrmSupplierEdit(QWidget* parent)
    : TfrmCounterpartDialog(kSupplierKind, kSupplierKind.editDialog(), parent) {
    setObjectName(QStringLiteral("frmSupplierEdit"));
}

TfrmCustAdd::TfrmCustAdd(QWidget* parent)
    : TfrmCounterpartDialog(kCustomerKind, kCustomerKind.addDialog(), parent) {
    setObjectName(QStringLiteral("frmCustAdd"));
}

TfrmCustEdit::TfrmCustEdit(QWidget* parent)
    : TfrmCounterpartDialog(kCustomerKind, kCustomerKind.editDialog(), parent) {
    setObjectName(QStringLiteral("frmCustEdit"));
}
