#include "masterdata/ui/tfrmcatedialog.h"

#include "core/messages.h"
#include "core/ui/guardedconnect.h"
#include "masterdata/productcatalog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const CateDialogKind kAdd{&masterrows::kProductCategory, QStringLiteral("添加分类"),
                          QStringLiteral("添加(&A)"), catalog::kInsertCategory,
                          QStringLiteral("分类名称添加成功！")};
const CateDialogKind kEdit{&masterrows::kProductCategory, QStringLiteral("编辑"),
                           QStringLiteral("保存(&S)"), catalog::kRenameCategory,
                           QStringLiteral("分类名称修改成功！")};

} // namespace

TfrmCateAdd::TfrmCateAdd(QWidget* parent) : TfrmCateDialog(kAdd, parent) {}
TfrmCateEdit::TfrmCateEdit(QWidget* parent) : TfrmCateDialog(kEdit, parent) {}

TfrmCateDialog::TfrmCateDialog(const CateDialogKind& kind, QWidget* parent)
    : TForm(parent), kind_(kind) {
    setWindowTitle(kind.caption);
    auto* label = new QLabel(QStringLiteral("分类名称："), this);
    label->setObjectName(QStringLiteral("lblCateName"));
    txtCateName_ = new QLineEdit(this);
    txtCateName_->setObjectName(QStringLiteral("txtCateName"));
    txtCateName_->setMinimumWidth(220);
    label->setBuddy(txtCateName_);
    btnAdd_ = new QPushButton(kind.buttonText, this);
    btnAdd_->setObjectName(QStringLiteral("btnAdd"));
    btnAdd_->setDefault(true);
    btnClose_ = new QPushButton(QStringLiteral("关闭(&C)"), this);
    btnClose_->setObjectName(QStringLiteral("btnClose"));

    auto* name = new QHBoxLayout;
    name->addWidget(label);
    name->addWidget(txtCateName_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnAdd_);
    buttons->addWidget(btnClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(name);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connectGuarded(btnAdd_, &QPushButton::clicked, this, [this](bool) { btnAddClick(); });
    connectGuarded(btnClose_, &QPushButton::clicked, this, [this](bool) { close(); });
}

void TfrmCateDialog::setCategory(const QString& cateID, const QString& cateName) {
    shown_ = {kind_.rows, cateID, {cateName}};
    txtCateName_->setText(cateName);
}

void TfrmCateDialog::btnAddClick() {
    saved_ = false;
    const QString name = txtCateName_->text().trimmed();
    if (name.isEmpty()) {
        notice(QStringLiteral("请输入分类名称！"));
        txtCateName_->setFocus();
        return;
    }
    const std::optional<int> written = masterrows::writeChecked([&] {
        masterrows::requireAsShown(sysData->QueryCommon, shown_);
        return catalog::writeCategory(kind_.sql, name, shown_.key);
    });
    if (!written) {
        stale_ = true; // nothing written; the box keeps what was typed
        return;
    }
    if (*written > 0) {
        txtCateName_->clear();
        notice(kind_.success);
        saved_ = true;
    }
    close();
}
