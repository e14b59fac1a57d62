#include "core/ui/filedialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <stdexcept>

namespace {
FileDialogs* current = nullptr;
} // namespace

FileDialogs& fileDialogs() {
    if (!current)
        throw std::logic_error("no FileDialogs installed");
    return *current;
}

void setFileDialogs(FileDialogs* dialogs) {
    current = dialogs;
}

QString SystemFileDialogs::openFile(const QString& caption, const QString& filter) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, QString(), filter);
}
