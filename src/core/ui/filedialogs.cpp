#include "core/ui/filedialogs.h"

#include "core/messages.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
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

QString chooseSaveFile(const QString& caption, const QString& suggested, const QString& filter) {
    const QString chosen = fileDialogs().saveFile(caption, suggested, filter);
    const QString suffix =
        QRegularExpression(QStringLiteral(R"(\*\.(\w+))")).match(filter).captured(1);
    if (chosen.isEmpty() || suffix.isEmpty() ||
        QFileInfo(chosen).suffix().compare(suffix, Qt::CaseInsensitive) == 0)
        return chosen;
    const QString file = chosen + u'.' + suffix;
    if (QFileInfo::exists(file) &&
        messages().cautiousQuestion(
            QStringLiteral("文件“%1”已存在，要替换它吗？").arg(QDir::toNativeSeparators(file)),
            kInfoCaption) != Messages::kOk)
        return {};
    return file;
}
