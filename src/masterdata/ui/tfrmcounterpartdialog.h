#pragma once

#include "masterdata/ui/masterdialog.h"

// The supplier and customer dialogs: the same seven boxes in all four, each dialog with the
// texts and statement of its kind and of adding or editing.
class TfrmSupplierAdd : public MasterDialog {
    Q_OBJECT
public:
    explicit TfrmSupplierAdd(QWidget* parent = nullptr);
};

class TfrmSupplierEdit : public MasterDialog {
    Q_OBJECT
public:
    explicit TfrmSupplierEdit(QWidget* parent = nullptr);
};

class TfrmCustAdd : public MasterDialog {
    Q_OBJECT
public:
    explicit TfrmCustAdd(QWidget* parent = nullptr);
};

class TfrmCustEdit : public MasterDialog {
    Q_OBJECT
public:
    explicit TfrmCustEdit(QWidget* parent = nullptr);
};
