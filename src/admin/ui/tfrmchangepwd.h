#pragma once

#include "core/ui/tform.h"

class QLineEdit;
class QPushButton;

// The logged-in user changes its own password ("修改密码"). The boxes keep what was typed
// last time.
class TfrmChangePwd : public TForm {
    Q_OBJECT
public:
    explicit TfrmChangePwd(QWidget* parent = nullptr);

private:
    void btnChangeClick();

    QLineEdit* txtOldPwd;
    QLineEdit* txtNewPwd;
    QLineEdit* txtRePwd;
    QPushButton* btnChange;
    QPushButton* btnClose;
};
