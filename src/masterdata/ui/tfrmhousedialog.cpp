#include "masterdata/ui/tfrmhousedialog.h"

#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "masterdata/ui/listwindowparts.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const DialogKind kAddHouse{
    QStringLiteral("添加仓库"), QStringLiteral("添加(&O)"),
    QStringLiteral("INSERT INTO Fhouse(houseName,resperson,phone,address,remark) "
                   "VALUES(:houseName,:resperson,:phone,:address,:remark)"),
    QStringLiteral("添加成功！"), true};

const DialogKind kEditHouse{
    QStringLiteral("编辑仓库"), QStringLiteral("修改(&O)"),
    QStringLiteral("UPDATE Fhouse SET houseName=:houseName,resperson=:resperson,phone=:phone,"
                   "address=:address,remark=:remark WHERE houseID=:houseID"),
    QStringLiteral("修改成功！"), false};

QString trimmed(const QLineEdit* box) {
    return box->text().trimmed();
}

} // namespace

TfrmHouseDialog::TfrmHouseDialog(DialogKind kind, QWidget* parent)
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
    txtHouseName = box(QStringLiteral("txtHouseName"), QStringLiteral("仓库名称："));
    txtAddress = box(QStringLiteral("txtAddress"), QStringLiteral("仓库地址："));
    txtResperson = box(QStringLiteral("txtResperson"), QStringLiteral("负  责  人："));
    txtphone = box(QStringLiteral("txtphone"), QStringLiteral("联系电话："));
    txtRemark = box(QStringLiteral("txtRemark"), QStringLiteral("备        注："));

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
}

void TfrmHouseDialog::setHouse(const QString& houseID, const TQuery& values) {
    houseID_ = houseID;
    txtHouseName->setText(values.field(u"houseName").asText());
    txtResperson->setText(values.field(u"resperson").asText());
    txtphone->setText(values.field(u"phone").asText());
    txtAddress->setText(values.field(u"address").asText());
    txtRemark->setText(values.field(u"remark").asText());
}

void TfrmHouseDialog::FormShow() {
    saved_ = false;
    txtHouseName->setFocus();
}

void TfrmHouseDialog::btnOKClick() {
    if (trimmed(txtHouseName).isEmpty()) {
        notice(QStringLiteral("请输入仓库名称！"));
        txtHouseName->setFocus();
        return;
    }
    TQuery& q = sysData->QueryCommon;
    q.load(kind_.statement);
    q.bind(u"houseName", trimmed(txtHouseName));
    q.bind(u"resperson", trimmed(txtResperson));
    q.bind(u"phone", trimmed(txtphone));
    q.bind(u"address", trimmed(txtAddress));
    q.bind(u"remark", trimmed(txtRemark));
    if (q.hasParameter(u"houseID"))
        q.bind(u"houseID", houseID_);
    if (q.execute() > 0) {
        saved_ = true;
        notice(kind_.success);
        if (kind_.emptiesAfterSave)
            for (QLineEdit* b : {txtHouseName, txtAddress, txtResperson, txtphone, txtRemark})
                b->clear();
    }
    q.close();
    close();
}

TfrmHouseAdd::TfrmHouseAdd(QWidget* parent) : TfrmHouseDialog(kAddHouse, parent) {
    setObjectName(QStringLiteral("frmHouseAdd"));
}

TfrmHouseEdit::TfrmHouseEdit(QWidget* parent) : TfrmHouseDialog(kEditHouse, parent) {
    setObjectName(QStringLiteral("frmHouseEdit"));
}
