#pragma once

#include "core/ui/tform.h"

#include <QString>

class QLineEdit;
class QPushButton;

// What tells the add-category dialog from the rename dialog.
struct CateDialogKind {
    QString caption;
    QString buttonText;
    QString sql;
    QString success;
};

// The category dialog: one name, saved by the kind's statement.
class TfrmCateDialog : public TForm {
    Q_OBJECT
public:
    // The category to rename and its present name.
    void setCategory(const QString& cateID, const QString& cateName);
    // Set by a save that changed a row since the dialog was last shown.
    bool saved() const { return saved_; }

protected:
    TfrmCateDialog(const CateDialogKind& kind, QWidget* parent);
    void FormShow() override { saved_ = false; }

private:
    void btnAddClick();

    const CateDialogKind& kind_;
    QLineEdit* txtCateName_;
    QPushButton* btnAdd_;
    QPushButton* btnClose_;
    QString cateID_;
    bool saved_ = false;
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
