#pragma once

#include <QDialog>

// The base of every window: created once, shown modally, hidden (not destroyed) when
// closed. FormShow runs each time it is shown, FormClose when it is about to close. The common
// keys (core/ui/commonkeys.h) work in every window.
class TForm : public QDialog {
    Q_OBJECT
public:
    explicit TForm(QWidget* parent = nullptr);

    // Shows the window modally through the program's Modal and returns when it is closed.
    void showModal();

protected:
    virtual void FormShow() {}
    // Return false to keep the window open.
    virtual bool FormClose() { return true; }

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override; // Esc closes the window as its title bar does
};
