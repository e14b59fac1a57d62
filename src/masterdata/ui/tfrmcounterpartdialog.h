#pragma once

#include "core/ui/tform.h"
#include "masterdata/dialogkind.h"

#include <QString>

class QLineEdit;
class QPushButton;
class TQuery;
struct CounterpartKind;

// The supplier or customer dialog: seven boxes and one statement. The four dialogs (add and
// edit, of either kind) differ only by texts and statement; the subclasses carry the names.
class TfrmCounterpartDialog : public TForm {
    Q_OBJECT
public:
    // Set by a save that changed a row; cleared each time the dialog is shown.
    bool saved() const { return saved_; }
    // Holds the counterpart to edit and fills the boxes from the current row of values.
    void setCounterpart(const QString& compID, const TQuery& values);

protected:
    TfrmCounterpartDialog(const CounterpartKind& kind, DialogKind dialog, QWidget* parent);
    void FormShow() override;

private:
    void btnOKClick();

    const CounterpartKind& kind_;
    const DialogKind dialog_;
    QLineEdit* txtcompName;
    QLineEdit* txtaddress;
    QLineEdit* txtconperson;
    QLineEdit* txtphone;
    QLineEdit* txtbankName;
    QLineEdit* txtbankCard;
    QLineEdit* txtremark;
    QPushButton* btnOK;
    QPushButton* btnClose;
    QString compID_;
    bool saved_ = false;
};

class TfrmSupplierAdd : public TfrmCounterpartDialog {
    Q_OBJECT
public:
    explicit TfrmSupplierAdd(QWidget* parent = nullptr);
};

class TfrmSupplierEdit : public TfrmCounterpartDialog {
    Q_OBJECT
public:
    explicit TfrmSupplierEdit(QWidget* parent = nullptr);
};

class TfrmCustAdd : public TfrmCounterpartDialog {
    Q_OBJECT
public:
    explicit TfrmCustAdd(QWidget* parent = nullptr);
};

class TfrmCustEdit : public TfrmCounterpartDialog {
    Q_OBJECT
public:
    explicit TfrmCustEdit(QWidget* parent = nullptr);
};
