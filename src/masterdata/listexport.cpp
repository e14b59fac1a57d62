#include "masterdata/listexport.h"

#include "core/query.h"

namespace {

std::vector<ExportColumn> counterpartColumns(const QString& nameHeading) {
    return {{nameHeading, "compName"}, {"联系人", "conperson"},  {"联系电话", "phone"},
            {"地址", "address"},       {"开户银行", "bankName"}, {"银行账号", "bankCard"},
            {"备注", "remark"}};
}

} // namespace

const ListExport kProductExport{
    "确定要将商品资料导出到Excel表吗？",
    "导出提示",
    "商品信息表",
    "商品信息表.xlsx",
    {{"商品分类", "cateName"},
     {"商品编号", "prodBH"},
     {"商品名称", "prodName"},
     {"规格/型号", "type"},
     {"厂家", "company"},
     {"单位", "unitName"},
     {"进价", "inprice", true},
     {"售价", "outprice", true},
     {"有效期", "field2"},
     {"批号", "field1"},
     {"备注", "remark"}},
    12,
    false,
};

const ListExport kSupplierExport{
    "确定要将供应商导出到Excel表吗？", "提示", "供应商表", "供应商表.xlsx",
    counterpartColumns("供应商名称"),  0,      false,
};

const ListExport kCustomerExport{
    "确定要将客户导出到Excel表吗？", "提示", "客户表", "客户表.xlsx",
    counterpartColumns("客户名称"),  0,      false,
};

const ListExport kReceivablesExport{
    "确定要导出excel表吗？",
    "提示",
    "应收应付表",
    "应收应付表.xlsx",
    {{"往来单位", "compName"},
     {"联系人", "conperson"},
     {"电话", "phone"},
     {"地址", "address"},
     {"欠款金额", "exchMoney", true}},
    0,
    true,
};

QStringList productHeadings(const std::vector<catalog::FieldCaption>& captions) {
    QStringList headings;
    for (const ExportColumn& c : kProductExport.columns)
        headings << c.heading;
    headings << QString(); // the twelfth column, which no product row fills
    for (const catalog::FieldCaption& caption : captions) {
        const QString& name = caption.fieldName;
        if (name.compare(u"pcount", Qt::CaseInsensitive) == 0 ||
            name.compare(u"pmoney", Qt::CaseInsensitive) == 0) {
            headings[11] = QString();
            continue;
        }
        // The prices keep their own headings; the other fields take their captions.
        for (std::size_t c = 0; c < kProductExport.columns.size(); ++c)
            if (!kProductExport.columns[c].number && c > 0 &&
                kProductExport.columns[c].field.compare(name, Qt::CaseInsensitive) == 0)
                headings[int(c)] = caption.textValue;
    }
    return headings;
}

SheetData exportSheet(const ListExport& kind, TQuery* list, const QStringList& headings) {
    SheetData sheet;
    sheet.name = kind.sheetName;
    sheet.boldHeadings = kind.boldHeadings;
    for (const ExportColumn& c : kind.columns) {
        sheet.headings << c.heading;
        sheet.numberColumns.push_back(c.number);
    }
    if (!headings.isEmpty())
        sheet.headings = headings;
    if (!list || !list->isOpen() || list->recordCount() == 0)
        return sheet;
    // Read straight from the rows in list order: walking the slot would move the grid's
    // selection once per row.
    const ResultSet& rows = list->result();
    std::vector<int> fields;
    for (const ExportColumn& c : kind.columns)
        fields.push_back(rows.column(c.field));
    sheet.rows.reserve(std::size_t(rows.rowCount()));
    for (int r = 0; r < rows.rowCount(); ++r) {
        QStringList row;
        for (const int field : fields)
            row << (field < 0 ? QString() : rows.text(r, field));
        sheet.rows.push_back(row);
    }
    list->setCurrentRow(rows.rowCount() - 1);
    return sheet;
}
