#pragma once

#include "core/ui/tform.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class NumberEdit;

// The manual journal entry, "新增进款" (mode "1") or "新增出款" (any other mode), dated today.
class TfrmInAdd : public TForm {
    Q_OBJECT
public:
    explicit TfrmInAdd(QWidget* parent = nullptr);

    // Set before showing.
    void setMode(const QString& mode) { mode_ = mode; }
    // Set by a written entry; cleared each time the dialog is shown.
    bool written() const { return written_; }

protected:
    void FormShow() override;

private:
    bool moneyIn() const { return mode_ == u"1"; }
    void LoadItem();
    void btnOKClick();

    QLabel* lblItmName;
    QLabel* lblMoney;
    QComboBox* cbItmName; // account names, each with its itmID
    NumberEdit* txtMoney;
    QComboBox* cbEmp;
    QLineEdit* txtRemark;
    QPushButton* btnOK;
    QPushButton* btnClose;
    QString mode_ = QStringLiteral("1");
    bool written_ = false;
};
