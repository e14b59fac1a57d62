#include "imports.h"

#include "core/sysdata.h"
#include "core/transaction.h"
#include "masterdata/listexport.h"
#include "masterdata/masterimport.h"
#include "masterdata/sheetfile.h"
#include "masterdata/sheetwriter.h"

#include <stdexcept>

namespace imports {

std::vector<QString> productWorkbooks(const QString& folder, int workbooks, int products) {
    std::vector<QString> files;
    for (int w = 0; w < workbooks; ++w) {
        SheetData sheet;
        sheet.name = kProductExport.sheetName;
        sheet.numberColumns = {false, false, false, false, false, false, true, true};
        sheet.headings = productHeadings({});
        for (int i = 0; i < products; ++i) {
            const QString n = QString::number(i);
            // Twenty categories per workbook, new to the book; barcodes of 13 digits.
            sheet.rows.push_back(
                {QStringLiteral("导入分类%1-%2").arg(w).arg(i % 20),
                 QStringLiteral("69%1%2").arg(w, 3, 10, QChar(u'0')).arg(i, 8, 10, QChar(u'0')),
                 QStringLiteral("导入商品 %1 号").arg(n), QStringLiteral("规格") + n,
                 QStringLiteral("某某厂"), QStringLiteral("个"),
                 QString::number(1 + i % 97) + QStringLiteral(".5"), QString::number(2 + i % 89),
                 QString(), QString(), QStringLiteral("备注")});
        }
        const QString file = folder + QStringLiteral("import-%1.xlsx").arg(w);
        if (!writeWorkbook(file, sheet))
            throw std::runtime_error("cannot write the workbook to import");
        files.push_back(file);
    }
    return files;
}

int importProducts(const QString& file) {
    const Sheet sheet = readSheetFile(file);
    const ImportPlan plan = planImport(productImport(), sheet);
    if (!sheet.ok() || !plan.error.isEmpty() || plan.badRows() > 0)
        throw std::runtime_error("the workbook to import has bad rows");
    const ImportOutcome outcome = runImport(productImport(), sheet, plan);
    if (!outcome.written)
        throw std::runtime_error(outcome.message.toStdString());
    return plan.goodRows();
}

PlainInsert::PlainInsert(const QString& file) {
    const Sheet sheet = readSheetFile(file);
    for (std::size_t r = 1; r < sheet.rows.size(); ++r) {
        const QStringList& cells = sheet.rows[r].cells;
        rows_.emplace_back(cells.begin(), cells.end());
    }
    const QByteArray create = "CREATE TABLE IF NOT EXISTS benchImport(cate TEXT, code TEXT, name "
                              "TEXT, type TEXT, company TEXT, unit TEXT, inprice REAL, outprice "
                              "REAL, remark TEXT)";
    sysData->myCon.run(sysData->myCon.isServer() ? create.constData()
                                                 : (create + " STRICT").constData());
}

int PlainInsert::run() const {
    TQuery& q = sysData->QueryCommon;
    Transaction transaction(sysData->myCon);
    q.load(QStringLiteral("INSERT INTO benchImport VALUES(:cate,:code,:name,:type,:company,:unit,"
                          ":inprice,:outprice,:remark)"));
    const char16_t* names[] = {u"cate",    u"code", u"name",    u"type",
                               u"company", u"unit", u"inprice", u"outprice"};
    for (const std::vector<QString>& row : rows_) {
        for (std::size_t c = 0; c < 8; ++c)
            q.bind(names[c], row[c]);
        q.bind(u"remark", row[10]);
        q.execute();
    }
    transaction.commit();
    q.close();
    return 0;
}

} // namespace imports
