#pragma once

class QDialog;

// How windows are shown modally: the program runs their event loop, the tests a script.
class Modal {
public:
    virtual ~Modal() = default;
    virtual void showModal(QDialog& window) = 0;
};

Modal& modal();
void setModal(Modal* modal);

// The program's way: QDialog::exec().
class ExecModal : public Modal {
public:
    void showModal(QDialog& window) override;
};
