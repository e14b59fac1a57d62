#pragma once

#include "core/ui/tform.h"
#include "masterdata/masterrows.h"

#include <QDate>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class NumberEdit;

// What tells the add-asset dialog from the edit dialog.
struct AssDialogKind {
    QString caption;
    QString buttonText;
    QString statement;
    QString success;
    bool isNew; // dated today on showing and emptied after a save
};

// "添加资产" and "修改资产": one asset's category, name, book value, date and remark.
class TfrmAssDialog : public TForm {
    Q_OBJECT
public:
    // Chooses this category when the dialog is next shown.
    void setCategory(const QString& cateID) { cateID_ = cateID; }
    // The asset to edit as the list shows it; a save compares it with the book first.
    void setAsset(const masterrows::ShownRow& shown, const QString& cateID, const QString& assName,
                  const QString& purPrice, const QString& remark, const QDate& purDate);
    // Set by a save that changed a row; cleared each time the dialog is shown.
    bool saved() const { return saved_; }
    // Set when a save found the asset or its category changed or removed by another counter.
    bool stale() const { return stale_; }

protected:
    TfrmAssDialog(const AssDialogKind& kind, QWidget* parent);
    void FormShow() override;

private:
    void LoadCategory();
    void btnOKClick();

    const AssDialogKind& kind_;
    QComboBox* cbassCate;
    QLineEdit* txtAssName;
    NumberEdit* txtpurprice;
    QDateEdit* dtpurDate;
    QLineEdit* txtRemark;
    QPushButton* btnOK;
    QPushButton* btnClose;
    masterrows::ShownRow shown_;
    QString cateID_; // the category to choose, and the one last chosen
    bool saved_ = false;
    bool stale_ = false;
};

class TfrmAssAdd : public TfrmAssDialog {
    Q_OBJECT
public:
    explicit TfrmAssAdd(QWidget* parent = nullptr);
};

class TfrmAssEdit : public TfrmAssDialog {
    Q_OBJECT
public:
    explicit TfrmAssEdit(QWidget* parent = nullptr);
};
