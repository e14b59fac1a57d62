#include "masterdata/sheetfile.h"

#include "masterdata/csvreader.h"
#include "masterdata/xlsxreader.h"

#include <QFile>

Sheet readSheetFile(const QString& fileName) {
    Sheet sheet;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        sheet.error = QStringLiteral("无法打开文件：") + file.errorString();
        return sheet;
    }
    if (file.size() > sheetlimits::kMaxFileBytes) {
        sheet.error = sheetlimits::kTooLarge;
        return sheet;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xD0\xCF\x11\xE0"))
        sheet.error = QStringLiteral("不能读取旧版Excel工作簿（.xls）。请在Excel中另存为"
                                     "Excel工作簿（.xlsx）或CSV文件后再导入。");
    else if (bytes.startsWith("PK"))
        sheet = readXlsx(bytes);
    else
        sheet = readCsv(bytes);
    if (sheet.ok() && sheet.rows.empty())
        sheet.error = QStringLiteral("表格中没有数据。");
    return sheet;
}
