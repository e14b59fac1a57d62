#include "reports/reprint.h"

#include "core/query.h"
#include "core/sysdata.h"
#include "documents/documentheader.h"
#include "documents/tradekind.h"
#include "reports/querykind.h"

namespace {

struct FieldSource {
    const char* fieldName; // the printed product field
    const char* column;    // the line list's column that feeds it
};

// Both prices print the line's one price, the amount its sum.
constexpr FieldSource kFieldSources[] = {
    {"prodBH", "prodBH"}, {"prodName", "prodName"}, {"type", "type"},     {"unitName", "unitName"},
    {"inprice", "price"}, {"outprice", "price"},    {"pcount", "pcount"}, {"pmoney", "sumMoney"},
    {"remark", "remark"}, {"field1", "field1"},     {"field2", "field2"}, {"company", "company"},
};

std::vector<PrintLine> printLines(const TQuery& lines) {
    std::vector<PrintLine> printed;
    if (!lines.isOpen())
        return printed;
    const ResultSet& r = lines.result();
    for (int row = 0; row < r.rowCount(); ++row) {
        PrintLine line;
        for (const FieldSource& f : kFieldSources) {
            const int column = r.column(QString::fromLatin1(f.column));
            line.set(QString::fromLatin1(f.fieldName),
                     column < 0 ? QString() : r.text(row, column));
        }
        printed.push_back(line);
    }
    return printed;
}

} // namespace

std::optional<PrintPage> reprintPage(const QueryKind& kind, const QString& orderID,
                                     const TQuery& lines) {
    const TradeKind& trade = *kind.trade;
    TQuery& q = sysData->QueryCommon;
    q.load(kind.documentStatement);
    q.bind(u"orderID", orderID);
    q.open();
    if (q.eof()) {
        q.close();
        return std::nullopt;
    }
    PrintHeader header;
    header.house = {kind.reprintHouseLabel, q.field(u"houseName").asText()};
    header.orderID = {QStringLiteral("单据号："), orderID};
    header.compName = {QStringLiteral("单位名称："), q.field(u"compName").asText()};
    header.optdate = {trade.printDateLabel, q.field(u"optDate").asText()};
    header.ys = {trade.dueLabel, q.field(u"acMoney").asText()};
    header.ss = {trade.settledLabel, q.field(u"coMoney").asText()};
    header.emp = {QStringLiteral("经办人："), q.field(u"empName").asText()};
    q.close();

    const std::vector<PrintLine> printed = printLines(lines);
    header.hj = {QStringLiteral("合计金额："), printedTotal(printed)};
    header.totalAlways = true;
    return composePrintPage(documents::documentTitle(trade.titleColumn).value_or(QString()), header,
                            printed);
}
