#include "accounts/ui/tfrmasscatedialog.h"

#include "accounts/assetregister.h"

namespace {

const CateDialogKind kAdd{&masterrows::kAssetCategory, QStringLiteral("添加分类"),
                          QStringLiteral("添加(&A)"), assets::kInsertCategory,
                          QStringLiteral("分类名称添加成功！")};
const CateDialogKind kEdit{&masterrows::kAssetCategory, QStringLiteral("修改分类"),
                           QStringLiteral("保存(&S)"), assets::kRenameCategory,
                           QStringLiteral("分类名称修改成功！")};

} // namespace

TfrmAssCateAdd::TfrmAssCateAdd(QWidget* parent) : TfrmCateDialog(kAdd, parent) {
    setObjectName(QStringLiteral("frmAssCateAdd"));
}

TfrmAssCateEdit::TfrmAssCateEdit(QWidget* parent) : TfrmCateDialog(kEdit, parent) {
    setObjectName(QStringLiteral("frmAssCateEdit"));
}
