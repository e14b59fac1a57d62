#include "core/ui/filedialogs.h"

#include <QApplication>
#include <QDir>
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

QString SystemFileDialogs::saveFile(const QString& caption, const QString& suggested,
                                    const QString& filter) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption,
                                        QDir::home().filePath(suggested), filter);
}
