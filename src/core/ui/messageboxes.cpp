#include "core/ui/messageboxes.h"

#include <QApplication>
#include <QMessageBox>

namespace {

int ask(const QString& text, const QString& caption, QMessageBox::StandardButton preferred) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                    QApplication::activeWindow());
    box.setDefaultButton(preferred);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok ? Messages::kOk : Messages::kCancel;
}

void tell(QMessageBox::Icon icon, const QString& text, const QString& caption) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace

void MessageBoxes::notice(const QString& text, const QString& caption) {
    tell(QMessageBox::Information, text, caption);
}

void MessageBoxes::plainNotice(const QString& text, const QString& caption) {
    tell(QMessageBox::NoIcon, text, caption);
}

int MessageBoxes::question(const QString& text, const QString& caption) {
    return ask(text, caption, QMessageBox::Ok);
}

int MessageBoxes::cautiousQuestion(const QString& text, const QString& caption) {
    return ask(text, caption, QMessageBox::Cancel);
}

void MessageBoxes::errorReport(const QString& text) {
    tell(QMessageBox::Critical, text, kApplicationTitle);
}
