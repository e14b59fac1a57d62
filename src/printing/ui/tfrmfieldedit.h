#pragma once

#include "core/ui/tform.h"

class QLineEdit;
class QPushButton;

// Edits one print field's caption and printed width.
class TfrmFieldEdit : public TForm {
    Q_OBJECT
public:
    explicit TfrmFieldEdit(QWidget* parent = nullptr);

    // The field the dialog edits and the texts it starts with.
    void setField(const QString& fieldName, const QString& caption, const QString& width);
    const QString& fieldName() const { return fieldName_; }

private:
    void btnOKClick();

    QString fieldName_;
    QLineEdit* txtField;
    QLineEdit* txtFieldWidth;
    QPushButton* btnOK;
    QPushButton* btnClose;
};
