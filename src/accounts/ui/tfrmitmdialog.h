#pragma once

#include "accounts/amounts.h"
#include "core/ui/tform.h"
#include "masterdata/masterrows.h"

class QLineEdit;
class QPushButton;

// What tells the add-account dialog from the edit dialog.
struct ItmDialogKind {
    QString caption;
    QString buttonText;
    // Writes the account (the one shown, when editing) and reports success.
    accounts::Write (*write)(const masterrows::ShownRow& account, const QString& itmName,
                             const QString& remark);
};

// "添加科目" and "编辑科目": an account's name and remark.
class TfrmItmDialog : public TForm {
    Q_OBJECT
public:
    // The account to edit, with its texts as the list shows them.
    void setAccount(const QString& itmID, const QString& itmName, const QString& remark);
    // Set by a save that changed a row; cleared each time the dialog is shown.
    bool saved() const { return saved_; }
    // Set when a save was refused, the account changed or removed by another counter.
    bool stale() const { return stale_; }

protected:
    TfrmItmDialog(const ItmDialogKind& kind, QWidget* parent);
    void FormShow() override;

private:
    void BitBtn1Click();

    const ItmDialogKind& kind_;
    QLineEdit* txtItmName;
    QLineEdit* txtRemark;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    masterrows::ShownRow shown_;
    bool saved_ = false;
    bool stale_ = false;
};

class TfrmItmAdd : public TfrmItmDialog {
    Q_OBJECT
public:
    explicit TfrmItmAdd(QWidget* parent = nullptr);
};

class TfrmItmEdit : public TfrmItmDialog {
    Q_OBJECT
public:
    explicit TfrmItmEdit(QWidget* parent = nullptr);
};
