#pragma once

#include "core/ui/tform.h"
#include "masterdata/masterrows.h"

#include <QString>

class QLineEdit;
class QPushButton;

// What tells the add-category dialog from the rename dialog.
struct CateDialogKind {
    const RowKind* rows; // the table of the categories
    QString caption;
    QString buttonText;
    QString sql;
    QString success;
};

// The category dialog: one name, saved by the kind's statement.
class TfrmCateDialog : public TForm {
    Q_OBJECT
public:
    // The category to rename and its name as shown; the rename is refused when another
    // counter has renamed or deleted it since.
    void setCategory(const QString& cateID, const QString& cateName);
    // Set by a save that changed a row since the dialog was last shown.
    bool saved() const { return saved_; }
    // Set when a save found the category changed or removed by another counter.
    bool stale() const { return stale_; }

protected:
    TfrmCateDialog(const CateDialogKind& kind, QWidget* parent);
    void FormShow() override {
        saved_ = false;
        stale_ = false;
    }

private:
    void btnAddClick();

    const CateDialogKind& kind_;
    QLineEdit* txtCateName_;
    QPushButton* btnAdd_;
    QPushButton* btnClose_;
    masterrows::ShownRow shown_;
    bool saved_ = false;
    bool stale_ = false;
};

class TfrmCateAdd : public TfrmCateDialog {
    Q_OBJECT
public:
    explicit TfrmCateAdd(QWidget* parent = nullptr);
};

class TfrmCateEdit : public TfrmCateDialog {
    Q_OBJECT
public:
    explicit TfrmCateEdit(QWidget* parent = nullptr);
};
