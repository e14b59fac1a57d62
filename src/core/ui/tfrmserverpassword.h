#pragma once

#include "core/ui/tform.h"

class QLabel;
class QLineEdit;

// "服务器密码": the password of the server book for this run only, asked for when the
// server wants one and no password file gives it. It is never written anywhere.
class TfrmServerPassword : public TForm {
    Q_OBJECT
public:
    explicit TfrmServerPassword(QWidget* parent = nullptr);

    // Shows the window for the server the string names, saying so when the server refused
    // the password typed before; the password, or empty when the person cancelled.
    QString ask(const QString& conninfo, bool again = false);

private:
    QLabel* lblServer;
    QLineEdit* txtPwd;
    bool accepted_ = false;
};

// The password through a window of its own; empty when the person cancelled.
QString askServerPassword(const QString& conninfo, bool again = false);
