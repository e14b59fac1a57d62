#include "core/ui/tform.h"

#include "core/guard.h"
#include "core/ui/commonkeys.h"
#include "core/ui/modal.h"

#include <QCloseEvent>

TForm::TForm(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    installCommonKeys(*this);
}

void TForm::showModal() {
    modal().showModal(*this);
}

void TForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

void TForm::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    runGuarded([&] { canClose = FormClose(); });
    if (!canClose) {
        event->ignore();
        return;
    }
    event->accept();
    QDialog::done(QDialog::Rejected);
}

void TForm::reject() {
    close();
}
