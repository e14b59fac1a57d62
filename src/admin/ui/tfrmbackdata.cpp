#include "admin/ui/tfrmbackdata.h"

#include "admin/ui/tfrmfile.h"
#include "core/clock.h"
#include "core/messages.h"
#include "core/sysdata.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>

namespace {

const BookCopyKind kBackup = {
    QStringLiteral("frmBackData"),
    QStringLiteral("数据备份"),
    QStringLiteral("备份路径"),
    QStringLiteral("备份到："),
    QStringLiteral("btnBackup"),
    QStringLiteral("备份(&B)"),
    QStringLiteral("请选择备份位置!"),
    QStringLiteral("数据备份成功!"),
    QStringLiteral("备份失败，请检查备份路径是否存在？"),
};

// The folder that holds the book, wherever it lives, with a trailing separator; for a book on
// a server, the person's documents folder.
QString bookDirectory() {
    if (sysData->myCon.isServer())
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + u'/';
    return QFileInfo(sysData->myCon.path()).absolutePath() + u'/';
}

} // namespace

TfrmBackData::TfrmBackData(TfrmFile& frmFile, const QDateTime& startedAt, QWidget* parent)
    : TfrmBookCopy(kBackup, parent), frmFile(frmFile) {
    txtPath->setText(bookfile::backupName(bookDirectory(), startedAt));
}

void TfrmBackData::Browse() {
    const QString current = txtPath->text().trimmed();
    frmFile.setStartDirectory(current.isEmpty() ? bookDirectory()
                                                : QFileInfo(current).absolutePath());
    frmFile.showModal();
    if (!frmFile.chosen()) {
        txtPath->clear();
        return;
    }
    QString directory = frmFile.directory();
    if (!directory.endsWith(u'/'))
        directory += u'/';
    txtPath->setText(bookfile::backupName(directory, environment::now()));
}

bool TfrmBackData::MayCopyTo(const QString& path) {
    if (!bookfile::isAnotherFile(sysData->myCon, path))
        return true;
    if (messages().cautiousQuestion(
            QStringLiteral("备份文件“%1”已存在，覆盖后其中原有的备份将丢失。确定要覆盖它吗？")
                .arg(QDir::toNativeSeparators(path)),
            kInfoCaption) == Messages::kOk)
        return true;
    // The person names another file.
    txtPath->setFocus();
    return false;
}

bookfile::Outcome TfrmBackData::Copy(const QString& path, const bookfile::Progress& progress) {
    return bookfile::backUp(sysData->myCon, path, progress);
}
