#include "masterdata/masterimport.h"

#include "core/rowlock.h"
#include "core/sysdata.h"
#include "masterdata/counterpartkind.h"
#include "masterdata/importchecks.h"
#include "masterdata/listexport.h"
#include "masterdata/productcatalog.h"

#include <QHash>
#include <QSet>

namespace {

using namespace importchecks;

// The columns of an export, each named by its heading (the given ones where there are) or by
// one of the other titles a person may have used.
std::vector<ImportColumn> columnsOf(const ListExport& sheet, const QStringList& headings,
                                    const QHash<QString, QStringList>& otherTitles) {
    std::vector<ImportColumn> columns;
    for (std::size_t c = 0; c < sheet.columns.size(); ++c) {
        const ExportColumn& e = sheet.columns[c];
        const QString heading = headings.value(int(c), e.heading);
        QStringList titles{heading, e.heading};
        titles << otherTitles.value(e.field);
        titles.removeDuplicates();
        columns.push_back({heading, titles, c == 0});
    }
    return columns;
}

int columnOf(const ListExport& sheet, QStringView field) {
    for (std::size_t c = 0; c < sheet.columns.size(); ++c)
        if (sheet.columns[c].field == field)
            return int(c);
    return -1;
}

// Products ------------------------------------------------------------------------------

// Where the product fields stand among the export's columns (found when first needed: the
// export is a global of another file).
struct ProductAt {
    int cate, code, name, inprice, outprice;
};
const ProductAt& productAt() {
    static const ProductAt at{
        columnOf(kProductExport, u"cateName"), columnOf(kProductExport, u"prodBH"),
        columnOf(kProductExport, u"prodName"), columnOf(kProductExport, u"inprice"),
        columnOf(kProductExport, u"outprice")};
    return at;
}

std::vector<ImportColumn> productColumns() {
    std::vector<ImportColumn> columns =
        columnsOf(kProductExport, productHeadings(catalog::readFieldCaptions()),
                  {{"cateName", {"商品类别", "类别", "分类"}},
                   {"inprice", {"进价(元)"}},
                   {"outprice", {"售价(元)"}}});
    // The category may be left out; the name may not.
    columns[std::size_t(productAt().cate)].required = false;
    columns[std::size_t(productAt().name)].required = true;
    return columns;
}

// Category names (as bookKey) and their keys, the first category of a name winning.
QHash<QString, QString> categoriesInBook() {
    QHash<QString, QString> categories;
    TQuery& q = sysData->QueryCommon;
    catalog::loadCategories(q);
    for (; !q.eof(); q.next()) {
        const QString key = bookKey(q.field(u"cateName").asText());
        if (!categories.contains(key))
            categories.insert(key, q.field(u"cateID").asText());
    }
    q.close();
    return categories;
}

void checkProducts(std::vector<ImportRow>& rows) {
    const std::vector<ImportColumn> columns = productColumns();
    const ProductAt& at = productAt();
    auto heading = [&columns](int c) { return columns[std::size_t(c)].heading; };
    Unique codes(at.code, heading(at.code),
                 valuesInBook(QStringLiteral("Fproduct"), QStringLiteral("prodBH")));
    for (ImportRow& row : rows) {
        if (row.values[at.cate].isEmpty())
            row.values[at.cate] = kNoCategory;
        required(row, at.name, heading(at.name));
        number(row, at.inprice, heading(at.inprice));
        number(row, at.outprice, heading(at.outprice));
        longCode(row, at.code, heading(at.code));
        lengths(row, columns);
        codes.check(row);
    }
}

QString writeProducts(const std::vector<ImportRow>& rows) {
    const int cate = productAt().cate;
    QHash<QString, QString> categories = categoriesInBook();
    QSet<QString> held;
    int made = 0;
    for (const ImportRow& row : rows) {
        const QString& name = row.values[cate];
        const QString key = bookKey(name);
        if (held.contains(key))
            continue;
        // A category of the book is held, so that no other counter deletes it under the new
        // products; one deleted meanwhile is made anew.
        if (categories.contains(key) &&
            holdRow(sysData->QueryCommon, QStringLiteral("Fprodcate"), QStringLiteral("cateID"),
                    categories.value(key), RowHold::Referenced)) {
            held.insert(key);
            continue;
        }
        catalog::writeCategory(catalog::kInsertCategory, name, QString());
        categories.insert(key, QString()); // its key is read below
        held.insert(key);
        ++made;
    }
    if (made > 0)
        categories = categoriesInBook();
    TQuery& q = sysData->QueryCommon;
    q.load(catalog::kInsertProduct);
    for (const ImportRow& row : rows) {
        q.bind(u"cateID", categories.value(bookKey(row.values[cate])));
        for (std::size_t c = 0; c < kProductExport.columns.size(); ++c)
            if (int(c) != cate)
                q.bind(kProductExport.columns[c].field, row.values[int(c)]);
        q.queue();
    }
    q.executeQueued();
    q.close();
    QString message = QStringLiteral("导入成功！共导入%1个商品").arg(rows.size());
    if (made > 0)
        message += QStringLiteral("，新建%1个商品分类").arg(made);
    return message + QStringLiteral("。");
}

// Suppliers and customers ---------------------------------------------------------------

const QHash<QString, QStringList> kCounterpartTitles{{"compName", {"名称", "单位名称"}},
                                                     {"phone", {"电话"}},
                                                     {"address", {"联系地址"}},
                                                     {"bankCard", {"银行卡号"}}};

void checkCounterparts(const CounterpartKind& kind, std::vector<ImportRow>& rows) {
    const std::vector<ImportColumn> columns = columnsOf(*kind.sheet, {}, kCounterpartTitles);
    const int nameAt = columnOf(*kind.sheet, u"compName");
    const int cardAt = columnOf(*kind.sheet, u"bankCard");
    Unique names(nameAt, columns[std::size_t(nameAt)].heading,
                 valuesInBook(kind.table, QStringLiteral("compName")));
    for (ImportRow& row : rows) {
        required(row, nameAt, columns[std::size_t(nameAt)].heading);
        longCode(row, cardAt, columns[std::size_t(cardAt)].heading);
        lengths(row, columns);
        names.check(row);
    }
}

QString writeCounterparts(const CounterpartKind& kind, const std::vector<ImportRow>& rows) {
    TQuery& q = sysData->QueryCommon;
    q.load(kind.insertStatement());
    for (const ImportRow& row : rows) {
        for (std::size_t c = 0; c < kind.sheet->columns.size(); ++c)
            q.bind(kind.sheet->columns[c].field, row.values[int(c)]);
        q.queue();
    }
    q.executeQueued();
    q.close();
    return QStringLiteral("导入成功！共导入%1个%2。").arg(rows.size()).arg(kind.noun);
}

ImportKind counterpartKindOf(const CounterpartKind& kind) {
    return {QStringLiteral("导入") + kind.noun,
            QStringLiteral("导入(&I)"),
            QString(),
            false,
            [&kind] { return columnsOf(*kind.sheet, {}, kCounterpartTitles); },
            [&kind](std::vector<ImportRow>& rows) { checkCounterparts(kind, rows); },
            [&kind](const std::vector<ImportRow>& rows) { return writeCounterparts(kind, rows); }};
}

} // namespace

const ImportKind& productImport() {
    static const ImportKind kind{QStringLiteral("导入商品"),
                                 QStringLiteral("导入(&I)"),
                                 QString(),
                                 false,
                                 productColumns,
                                 checkProducts,
                                 writeProducts};
    return kind;
}

const ImportKind& counterpartImport(const CounterpartKind& kind) {
    static const ImportKind suppliers = counterpartKindOf(kSupplierKind);
    static const ImportKind customers = counterpartKindOf(kCustomerKind);
    return &kind == &kCustomerKind ? customers : suppliers;
}
