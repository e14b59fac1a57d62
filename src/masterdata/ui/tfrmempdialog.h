#pragma once

#include "masterdata/ui/masterdialog.h"

// The employee dialogs: the same boxes in both, each with its own texts and statement.
class TfrmEmpAdd : public MasterDialog {
    Q_OBJECT
public:
    explicit TfrmEmpAdd(QWidget* parent = nullptr);
};

class TfrmEmpEdit : public MasterDialog {
    Q_OBJECT
public:
    explicit TfrmEmpEdit(QWidget* parent = nullptr);
};
