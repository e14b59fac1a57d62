#pragma once

#include "core/ui/tform.h"
#include "masterdata/dialogkind.h"

#include <QString>

class QLineEdit;
class QPushButton;
class TQuery;

// The warehouse dialog: five boxes and one statement. The add and the edit dialog differ only
// by their texts and statement (their kinds); the subclasses carry the class names.
class TfrmHouseDialog : public TForm {
    Q_OBJECT
public:
    // Set by a save that changed a row; cleared each time the dialog is shown.
    bool saved() const { return saved_; }
    // Holds the warehouse to edit and fills the boxes from the current row of values, which
    // carries the warehouse's own columns.
    void setHouse(const QString& houseID, const TQuery& values);

protected:
    TfrmHouseDialog(DialogKind kind, QWidget* parent);
    void FormShow() override;

private:
    void btnOKClick();

    const DialogKind kind_;
    QLineEdit* txtHouseName;
    QLineEdit* txtAddress;
    QLineEdit* txtResperson;
    QLineEdit* txtphone;
    QLineEdit* txtRemark;
    QPushButton* btnOK;
    QPushButton* btnClose;
    QString houseID_;
    bool saved_ = false;
};

class TfrmHouseAdd : public TfrmHouseDialog {
    Q_OBJECT
public:
    explicit TfrmHouseAdd(QWidget* parent = nullptr);
};

class TfrmHouseEdit : public TfrmHouseDialog {
    Q_OBJECT
public:
    explicit TfrmHouseEdit(QWidget* parent = nullptr);
};
