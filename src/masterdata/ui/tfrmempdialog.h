#pragma once

#include "core/ui/tform.h"
#include "masterdata/dialogkind.h"

#include <QString>

class NumberEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TQuery;

// The employee dialog: name, sex, birth, phone, address, commission, remark and one
// statement. The add and the edit dialog differ only by texts and statement.
class TfrmEmpDialog : public TForm {
    Q_OBJECT
public:
    // Set by a save that changed a row; cleared each time the dialog is shown.
    bool saved() const { return saved_; }
    // Holds the employee to edit and fills the boxes from the current row of values.
    void setEmployee(const QString& empID, const TQuery& values);

protected:
    TfrmEmpDialog(DialogKind kind, QWidget* parent);
    void FormShow() override;

private:
    void btnOKClick();
    void txtrewdisChange();

    const DialogKind kind_;
    QLineEdit* txtEmpName;
    QRadioButton* optMan;
    QRadioButton* optWoman;
    QLineEdit* txtBirth;
    QLineEdit* txtPhone;
    QLineEdit* txtAddress;
    NumberEdit* txtrewdis;
    QLineEdit* txtremark;
    QPushButton* btnOK;
    QPushButton* btnClose;
    QString empID_;
    bool saved_ = false;
};

class TfrmEmpAdd : public TfrmEmpDialog {
    Q_OBJECT
public:
    explicit TfrmEmpAdd(QWidget* parent = nullptr);
};

class TfrmEmpEdit : public TfrmEmpDialog {
    Q_OBJECT
public:
    explicit TfrmEmpEdit(QWidget* parent = nullptr);
};
