#include "masterdata/ui/tfrmempdialog.h"

#include "core/messages.h"
#include "core/numbers.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/numberedit.h"
#include "masterdata/ui/listwindowparts.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kNoCommission = QStringLiteral("0.0");

const DialogKind kAddEmp{
    QStringLiteral("添加员工"), QStringLiteral("添加(&A)"),
    QStringLiteral("INSERT INTO Femployee(empName,sex,birth,phone,address,rewdis,remark) "
                   "VALUES(:empName,:sex,:birth,:phone,:address,:rewdis,:remark)"),
    QStringLiteral("添加成功！"), true};

const DialogKind kEditEmp{
    QStringLiteral("修改员工"), QStringLiteral("修改(&M)"),
    QStringLiteral("UPDATE Femployee SET empName=:empName,sex=:sex,birth=:birth,phone=:phone,"
                   "address=:address,rewdis=:rewdis,remark=:remark WHERE empID=:empID"),
    QStringLiteral("修改成功！"), false};

QString trimmed(const QLineEdit* box) {
    return box->text().trimmed();
}

} // namespace

TfrmEmpDialog::TfrmEmpDialog(DialogKind kind, QWidget* parent)
    : TForm(parent), kind_(std::move(kind)) {
    setWindowTitle(kind_.caption);
    auto* form = new QFormLayout;
    auto box = [&](const QString& name, const QString& label) {
        auto* edit = new QLineEdit;
        edit->setObjectName(name);
        edit->setMinimumWidth(260);
        form->addRow(label, edit); // the row's label is the box's buddy
        return edit;
    };
    txtEmpName = box(QStringLiteral("txtEmpName"), QStringLiteral("姓名："));

    optMan = new QRadioButton(QStringLiteral("男"));
    optMan->setObjectName(QStringLiteral("optMan"));
    optMan->setChecked(true);
    optWoman = new QRadioButton(QStringLiteral("女"));
    optWoman->setObjectName(QStringLiteral("optWoman"));
    auto* sex = new QButtonGroup(this);
    sex->addButton(optMan);
    sex->addButton(optWoman);
    auto* sexRow = new QHBoxLayout;
    sexRow->addWidget(optMan);
    sexRow->addWidget(optWoman);
    sexRow->addStretch();
    auto* lblSex = new QLabel(QStringLiteral("性别："));
    lblSex->setBuddy(optMan);
    form->addRow(lblSex, sexRow);

    txtBirth = box(QStringLiteral("txtBirth"), QStringLiteral("生日："));
    txtPhone = box(QStringLiteral("txtPhone"), QStringLiteral("电话："));
    txtAddress = box(QStringLiteral("txtAddress"), QStringLiteral("地址："));

    txtrewdis = new NumberEdit(kNoCommission);
    txtrewdis->setObjectName(QStringLiteral("txtrewdis"));
    txtrewdis->setText(kNoCommission);
    txtrewdis->setMaximumWidth(100);
    auto* rewdisRow = new QHBoxLayout;
    rewdisRow->addWidget(txtrewdis);
    rewdisRow->addWidget(new QLabel(QStringLiteral("%")));
    rewdisRow->addStretch();
    auto* lblRewdis = new QLabel(QStringLiteral("提成："));
    lblRewdis->setBuddy(txtrewdis);
    form->addRow(lblRewdis, rewdisRow);

    txtremark = box(QStringLiteral("txtremark"), QStringLiteral("备注："));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    btnOK = listparts::dialogButton(*buttons, QStringLiteral("btnOK"), kind_.okText, true);
    btnClose = listparts::dialogButton(*buttons, QStringLiteral("btnClose"),
                                       QStringLiteral("关闭(&C)"), false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connectGuarded(btnOK, &QPushButton::clicked, this, [this](bool) { btnOKClick(); });
    connectGuarded(btnClose, &QPushButton::clicked, this, [this](bool) { close(); });
    connectGuarded(txtrewdis, &QLineEdit::textChanged, this,
                   [this](const QString&) { txtrewdisChange(); });
}

void TfrmEmpDialog::txtrewdisChange() {
    // The box replaces what is not a number; an emptied box is no number either. The
    // replacement is selected, so that the next key types over it.
    if (txtrewdis->text().trimmed().isEmpty())
        txtrewdis->setText(kNoCommission);
    if (txtrewdis->text() == kNoCommission)
        txtrewdis->selectAll();
}

void TfrmEmpDialog::setEmployee(const QString& empID, const TQuery& values) {
    empID_ = empID;
    txtEmpName->setText(values.field(u"empName").asText());
    txtBirth->setText(values.field(u"birth").asText());
    txtPhone->setText(values.field(u"phone").asText());
    txtAddress->setText(values.field(u"address").asText());
    txtrewdis->setText(values.field(u"rewdis").asText());
    txtremark->setText(values.field(u"remark").asText());
    // Anything but exactly "男" reads as female.
    if (values.field(u"sex").asText() == QStringLiteral("男"))
        optMan->setChecked(true);
    else
        optWoman->setChecked(true);
}

void TfrmEmpDialog::FormShow() {
    saved_ = false;
    txtEmpName->setFocus();
}

void TfrmEmpDialog::btnOKClick() {
    if (trimmed(txtEmpName).isEmpty()) {
        notice(QStringLiteral("请输入员工姓名！"));
        txtEmpName->setFocus();
        return;
    }
    TQuery& q = sysData->QueryCommon;
    q.load(kind_.statement);
    q.bind(u"empName", trimmed(txtEmpName));
    q.bind(u"sex", optMan->isChecked() ? QStringLiteral("男") : QStringLiteral("女"));
    q.bind(u"birth", trimmed(txtBirth));
    q.bind(u"phone", trimmed(txtPhone));
    q.bind(u"address", trimmed(txtAddress));
    // The box always holds a number; bound as one, the commission column takes it as is.
    q.bind(u"rewdis", numbers::toFloatOrZero(trimmed(txtrewdis)).value_or(0.0));
    q.bind(u"remark", trimmed(txtremark));
    if (q.hasParameter(u"empID"))
        q.bind(u"empID", empID_);
    if (q.execute() > 0) {
        saved_ = true;
        if (kind_.emptiesAfterSave) {
            for (QLineEdit* b : {txtEmpName, txtBirth, txtPhone, txtAddress, txtremark})
                b->clear();
            txtrewdis->setText(kNoCommission); // the sex choice stays for the next employee
        }
        notice(kind_.success);
    }
    q.close();
    close();
}

TfrmEmpAdd::TfrmEmpAdd(QWidget* parent) : TfrmEmpDialog(kAddEmp, parent) {
    setObjectName(QStringLiteral("frmEmpAdd"));
}

TfrmEmpEdit::TfrmEmpEdit(QWidget* parent) : TfrmEmpDialog(kEditEmp, parent) {
    setObjectName(QStringLiteral("frmEmpEdit"));
}
