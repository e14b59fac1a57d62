#include "core/ui/filedialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
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

namespace {

const QString kLastFolder = QStringLiteral("files/lastFolder");

// A list exported to a stick comes back from it after editing: every dialog opens in the
// folder of the file last chosen in any of them, kept between runs; else in the home folder.
QString startFolder() {
    const QString kept = QSettings().value(kLastFolder).toString();
    return !kept.isEmpty() && QDir(kept).exists() ? kept : QDir::homePath();
}

QString remembered(const QString& chosen) {
    if (!chosen.isEmpty())
        QSettings().setValue(kLastFolder, QFileInfo(chosen).absolutePath());
    return chosen;
}

} // namespace

QString SystemFileDialogs::openFile(const QString& caption, const QString& filter) {
    return remembered(
        QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, startFolder(), filter));
}

QString SystemFileDialogs::saveFile(const QString& caption, const QString& suggested,
                                    const QString& filter) {
    return remembered(QFileDialog::getSaveFileName(
        QApplication::activeWindow(), caption, QDir(startFolder()).filePath(suggested), filter));
}
