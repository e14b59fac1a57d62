#pragma once

#include "masterdata/ui/masterdialog.h"

// The warehouse dialogs: the same five boxes, each with its own texts and statement.
class TfrmHouseAdd : public MasterDialog {
    Q_OBJECT
public:
    explicit TfrmHouseAdd(QWidget* parent = nullptr);
};

class TfrmHouseEdit : public MasterDialog {
    Q_OBJECT
public:
    explicit TfrmHouseEdit(QWidget* parent = nullptr);
};
