#pragma once

#include "core/ui/tform.h"

#include <functional>

class QLineEdit;
class QPushButton;

// "服务器设置": which book the program works on, the embedded one (an empty string) or one on
// a PostgreSQL server. It tests a string before it is saved; the new book is used from the
// next start.
class TfrmServerSettings : public TForm {
    Q_OBJECT
public:
    // Opens the book the string names and says why it cannot be used; empty when it can.
    using Tester = std::function<QString(const QString& conninfo)>;

    explicit TfrmServerSettings(Tester tester, QWidget* parent = nullptr);

    // True once a changed setting was saved in this showing.
    bool changed() const { return changed_; }

protected:
    void FormShow() override;

private:
    void btnTestClick();
    void btnSaveClick();

    Tester tester_;
    QLineEdit* txtConnInfo;
    QPushButton* btnTest;
    QPushButton* btnSave;
    QString shown_;
    bool changed_ = false;
};
