#pragma once

#include "core/ui/tform.h"

class QComboBox;
class QLineEdit;
class QPushButton;

// The login: a user chosen from the list and the password. A successful login hands the
// user's key and name to the session and closes the window; a wrong password asks again.
class TfrmLogin : public TForm {
    Q_OBJECT
public:
    explicit TfrmLogin(QWidget* parent = nullptr);

    bool loggedIn() const { return loggedIn_; }

protected:
    void FormShow() override;

private:
    void btnLoginClick();
    void LoadUsers();
    void btnServerClick();

    QComboBox* cbUserName;
    QLineEdit* txtPwd;
    QPushButton* btnLogin;
    QPushButton* btnExit;
    QPushButton* btnServer;
    bool loggedIn_ = false;
};
