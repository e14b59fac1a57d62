#include "masterdata/ui/listexporter.h"

#include "core/messages.h"
#include "core/query.h"
#include "core/ui/filedialogs.h"

namespace {

const QString kFailed = QStringLiteral("启动Office Excel失败！请确保本机已安装Office。");
const QString kDone = QStringLiteral("数据导出完成!");

} // namespace

void exportList(const ListExport& kind, TQuery* list, const QStringList& headings) {
    const bool empty = !list || !list->isOpen() || list->recordCount() == 0;
    if (kind.skipEmptyList && empty)
        return;
    if (messages().question(kind.question, kind.questionTitle) != Messages::kOk)
        return;
    const QString chosen = chooseSaveFile(QStringLiteral("导出Excel"), kind.fileName,
                                          QStringLiteral("Excel 工作簿 (*.xlsx)"));
    if (chosen.isEmpty())
        return;
    if (!writeWorkbook(chosen, exportSheet(kind, list, headings))) {
        messages().plainNotice(kFailed, kApplicationTitle);
        return;
    }
    notice(kDone);
}
