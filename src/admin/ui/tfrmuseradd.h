#pragma once

#include "core/ui/tform.h"

class QLineEdit;
class QPushButton;

// Adds a user ("添加用户") with a name and a password; the new user holds no permissions
// until they are granted in the user window.
class TfrmUserAdd : public TForm {
    Q_OBJECT
public:
    explicit TfrmUserAdd(QWidget* parent = nullptr);

private:
    void btnAddClick();

    QLineEdit* txtUserName;
    QLineEdit* txtPwd;
    QPushButton* btnAdd;
    QPushButton* btnClose;
};
