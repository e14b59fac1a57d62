#include "admin/ui/tfrmrestoredata.h"

#include "admin/booksannouncement.h"
#include "admin/othercounters.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/filedialogs.h"

#include <QDir>
#include <QLineEdit>

namespace {

const BookCopyKind kRestore = {
    QStringLiteral("frmRestoreData"),
    QStringLiteral("数据还原"),
    QStringLiteral("数据备份路径"),
    QStringLiteral("数据路径："),
    QStringLiteral("btnRestore"),
    QStringLiteral("还原(&R)"),
    QStringLiteral("请选择数据文件!"),
    QStringLiteral("数据还原成功!"),
    QStringLiteral("数据还原失败，请检查路径是否存在？"),
};

} // namespace

TfrmRestoreData::TfrmRestoreData(QWidget* parent) : TfrmBookCopy(kRestore, parent) {}

void TfrmRestoreData::Browse() {
    const QString file =
        fileDialogs().openFile(QStringLiteral("数据还原"), QStringLiteral("备份文件 (*.bak)"));
    if (!file.isEmpty())
        txtPath->setText(file);
}

bool TfrmRestoreData::MayCopyTo(const QString& path) {
    // A file that is none (missing, the book itself) is refused by the restore as it is.
    return !bookfile::isAnotherFile(sysData->myCon, path) ||
           messages().cautiousQuestion(
               QStringLiteral("确定要用备份“%1”还原吗？还原后当前账簿的内容将被该备份替换，"
                              "备份之后录入的数据将全部丢失。")
                       .arg(QDir::toNativeSeparators(path)) +
                   otherCountersWarning(sysData->QueryCommon),
               kInfoCaption) == Messages::kOk;
}

bookfile::Outcome TfrmRestoreData::Copy(const QString& path, const bookfile::Progress& progress) {
    return bookfile::restore(sysData->myCon, path, progress);
}

void TfrmRestoreData::Copied() {
    booksannouncement::checkAndTell();
}
