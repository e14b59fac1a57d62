#include "accounts/ui/tfrminadd.h"

#include "accounts/cashbook.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/dialogbuttons.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/numberedit.h"
#include "core/ui/strayscans.h"
#include "documents/ui/documentlists.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmInAdd::TfrmInAdd(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("frmInAdd"));

    cbItmName = new QComboBox;
    cbItmName->setObjectName(QStringLiteral("cbItmName"));
    cbItmName->setMinimumWidth(220);
    txtMoney = new NumberEdit(QStringLiteral("0"));
    txtMoney->setObjectName(QStringLiteral("txtMoney"));
    txtMoney->setText(QStringLiteral("0"));
    cbEmp = new QComboBox;
    cbEmp->setObjectName(QStringLiteral("cbEmp"));
    cbEmp->setEditable(true); // a name that is no employee may be typed
    txtRemark = new QLineEdit;
    txtRemark->setObjectName(QStringLiteral("txtRemark"));

    lblItmName = new QLabel;
    lblItmName->setBuddy(cbItmName);
    lblMoney = new QLabel;
    lblMoney->setBuddy(txtMoney);
    auto* lblEmp = new QLabel(QStringLiteral("经  办  人："));
    lblEmp->setBuddy(cbEmp);
    auto* lblRemark = new QLabel(QStringLiteral("备        注："));
    lblRemark->setBuddy(txtRemark);
    auto* form = new QFormLayout;
    form->addRow(lblItmName, cbItmName);
    form->addRow(lblMoney, txtMoney);
    form->addRow(lblEmp, cbEmp);
    form->addRow(lblRemark, txtRemark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    const DialogButtons buttons =
        addDialogButtons(*this, *layout, QStringLiteral("btnOK"), QStringLiteral("添加(&A)"));
    btnOK = buttons.action;
    btnClose = buttons.close;

    connectGuarded(btnOK, &QPushButton::clicked, this, [this](bool) { btnOKClick(); });
    refuseScans(*this, {txtRemark});
}

void TfrmInAdd::FormShow() {
    written_ = false;
    setWindowTitle(moneyIn() ? QStringLiteral("新增进款") : QStringLiteral("新增出款"));
    lblItmName->setText(moneyIn() ? QStringLiteral("进款账户：") : QStringLiteral("出款账户："));
    lblMoney->setText(moneyIn() ? QStringLiteral("进款金额：") : QStringLiteral("出款金额："));
    documents::loadEmployees(*cbEmp);
    cbEmp->clearEditText(); // the list is filled afresh, with no name chosen
    LoadItem();
    txtMoney->setFocus();
}

void TfrmInAdd::LoadItem() {
    cbItmName->clear();
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT itmID,itmName FROM Fitem"));
    q.open();
    for (; !q.eof(); q.next())
        cbItmName->addItem(q.field(u"itmName").asText(), q.field(u"itmID").asText());
    q.close();
    cbItmName->setCurrentIndex(cbItmName->count() > 0 ? 0 : -1);
}

void TfrmInAdd::btnOKClick() {
    NumberEdit::judgeAll(*this);
    if (cbItmName->currentIndex() < 0) {
        notice(QStringLiteral("请选择账户！"));
        cbItmName->setFocus();
        return;
    }
    if (txtMoney->text().trimmed().isEmpty()) {
        notice(QStringLiteral("请输入金额！"));
        txtMoney->setFocus();
        return;
    }
    const accounts::Write result =
        accounts::addCashEntry({moneyIn(), cbItmName->currentData().toString(), txtMoney->text(),
                                cbEmp->currentText(), txtRemark->text()});
    if (result == accounts::Write::Refused || result == accounts::Write::Broken) {
        txtMoney->setFocus();
        return;
    }
    if (result == accounts::Write::Outdated) { // the account deleted meanwhile
        LoadItem();
        // None is chosen for the person: an Enter would have put the money into the first.
        cbItmName->setCurrentIndex(-1);
        cbItmName->setFocus();
        return;
    }
    if (result == accounts::Write::Done) {
        written_ = true;
        txtMoney->setText(QStringLiteral("0"));
        txtRemark->clear();
    }
    close();
}
