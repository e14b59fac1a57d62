#pragma once

#include "masterdata/ui/tfrmcatedialog.h"

// "添加分类" and "修改分类" of the asset categories: the product category dialog's design
// over FassCate.
class TfrmAssCateAdd : public TfrmCateDialog {
    Q_OBJECT
public:
    explicit TfrmAssCateAdd(QWidget* parent = nullptr);
};

class TfrmAssCateEdit : public TfrmCateDialog {
    Q_OBJECT
public:
    explicit TfrmAssCateEdit(QWidget* parent = nullptr);
};
