#include "accounts/ui/tfrmassdialog.h"

#include "accounts/assetregister.h"
#include "core/clock.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/datebox.h"
#include "core/ui/dialogbuttons.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/numberedit.h"
#include "core/ui/strayscans.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const AssDialogKind kAdd{QStringLiteral("添加资产"), QStringLiteral("添加(&A)"),
                         assets::kInsertAsset, QStringLiteral("添加成功！"), true};
const AssDialogKind kEdit{QStringLiteral("修改资产"), QStringLiteral("保存(&S)"),
                          assets::kUpdateAsset, QStringLiteral("修改成功！"), false};

} // namespace

TfrmAssAdd::TfrmAssAdd(QWidget* parent) : TfrmAssDialog(kAdd, parent) {
    setObjectName(QStringLiteral("frmAssAdd"));
}

TfrmAssEdit::TfrmAssEdit(QWidget* parent) : TfrmAssDialog(kEdit, parent) {
    setObjectName(QStringLiteral("frmAssEdit"));
}

TfrmAssDialog::TfrmAssDialog(const AssDialogKind& kind, QWidget* parent)
    : TForm(parent), kind_(kind) {
    setWindowTitle(kind.caption);
    cbassCate = new QComboBox;
    cbassCate->setObjectName(QStringLiteral("cbassCate"));
    cbassCate->setMinimumWidth(240);
    txtAssName = new QLineEdit;
    txtAssName->setObjectName(QStringLiteral("txtAssName"));
    txtpurprice = new NumberEdit(QStringLiteral("0"));
    txtpurprice->setObjectName(QStringLiteral("txtpurprice"));
    txtpurprice->setText(QStringLiteral("0"));
    dtpurDate = new DateBox(QStringLiteral("dtpurDate"));
    txtRemark = new QLineEdit;
    txtRemark->setObjectName(QStringLiteral("txtRemark"));

    auto* form = new QFormLayout;
    const auto row = [form](const QString& text, QWidget* box) {
        auto* label = new QLabel(text);
        label->setBuddy(box);
        form->addRow(label, box);
    };
    row(QStringLiteral("资产分类："), cbassCate);
    row(QStringLiteral("资产名称："), txtAssName);
    row(QStringLiteral("入账价值："), txtpurprice);
    row(QStringLiteral("入账日期："), dtpurDate);
    row(QStringLiteral("备         注："), txtRemark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    const DialogButtons buttons =
        addDialogButtons(*this, *layout, QStringLiteral("btnOK"), kind.buttonText);
    btnOK = buttons.action;
    btnClose = buttons.close;

    connectGuarded(btnOK, &QPushButton::clicked, this, [this](bool) { btnOKClick(); });
    connectGuarded(cbassCate, &QComboBox::activated, this,
                   [this](int) { cateID_ = cbassCate->currentData().toString(); });
    refuseScans(*this, {txtAssName, txtRemark});
}

void TfrmAssDialog::setAsset(const masterrows::ShownRow& shown, const QString& cateID,
                             const QString& assName, const QString& purPrice, const QString& remark,
                             const QDate& purDate) {
    shown_ = shown;
    cateID_ = cateID;
    txtAssName->setText(assName);
    txtpurprice->setText(purPrice);
    txtRemark->setText(remark);
    dtpurDate->setDate(purDate);
}

void TfrmAssDialog::FormShow() {
    saved_ = false;
    stale_ = false;
    LoadCategory();
    if (kind_.isNew)
        dtpurDate->setDate(environment::now().date());
    txtAssName->setFocus();
}

void TfrmAssDialog::LoadCategory() {
    cbassCate->clear();
    TQuery& q = sysData->QueryAssCate;
    q.load(QStringLiteral("SELECT cateID,cateName FROM FassCate"));
    q.open();
    for (; !q.eof(); q.next())
        cbassCate->addItem(q.field(u"cateName").asText(), q.field(u"cateID").asText());
    q.first();
    cbassCate->setCurrentIndex(cbassCate->findData(cateID_));
}

void TfrmAssDialog::btnOKClick() {
    NumberEdit::judgeAll(*this);
    if (cbassCate->currentIndex() < 0) {
        notice(QStringLiteral("请选择资产分类！"));
        cbassCate->setFocus();
        return;
    }
    if (txtAssName->text().trimmed().isEmpty()) {
        notice(QStringLiteral("请输入资产名称！"));
        txtAssName->setFocus();
        return;
    }
    const assets::Asset asset{shown_.key,         cbassCate->currentData().toString(),
                              txtAssName->text(), txtpurprice->text(),
                              dtpurDate->date(),  txtRemark->text()};
    const accounts::Write result =
        assets::writeAsset(kind_.statement, asset, kind_.success, shown_);
    if (result == accounts::Write::Outdated) {
        // Nothing written; the boxes keep what was typed, the category list what is left.
        stale_ = true;
        cateID_ = asset.cateID;
        LoadCategory();
        return;
    }
    if (result == accounts::Write::Refused) {
        txtpurprice->setFocus();
        return;
    }
    if (result == accounts::Write::Done) {
        saved_ = true;
        if (kind_.isNew) {
            txtAssName->clear();
            txtRemark->clear();
            txtpurprice->setText(QStringLiteral("0"));
        }
    }
    close();
}
