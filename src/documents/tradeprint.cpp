#include "documents/tradeprint.h"

#include "core/dates.h"
#include "documents/tradedocument.h"
#include "documents/tradekind.h"

namespace {

struct FieldColumn {
    const char* fieldName;
    int column;
};

// Which grid column feeds each printed field; both prices print the line's one price.
constexpr FieldColumn kFieldColumns[] = {
    {"prodBH", 2}, {"prodName", 3}, {"type", 4},   {"unitName", 5}, {"inprice", 6}, {"outprice", 6},
    {"pcount", 7}, {"pmoney", 8},   {"remark", 9}, {"field1", 10},  {"field2", 11}, {"company", 12},
};

} // namespace

PrintPage tradePrintPage(const TradeKind& kind, const QString& title, const TradeDocument& d) {
    PrintHeader header;
    header.house = {kind.printHouseLabel, d.houseName};
    header.orderID = {QStringLiteral("单据号："), d.orderCode};
    header.compName = {QStringLiteral("单位名称："), d.compName};
    header.optdate = {kind.printDateLabel, dates::text(d.date)};
    header.ys = {kind.dueLabel, d.sumMoney};
    header.ss = {kind.settledLabel, d.money};
    header.emp = {QStringLiteral("经办人："), d.empName};
    header.hj = {QStringLiteral("合计金额："), d.sumMoney}; // the total box repeats the amount due

    std::vector<PrintLine> lines(TradeDocument::kRows);
    for (int row = 1; row <= TradeDocument::kRows; ++row)
        for (const FieldColumn& f : kFieldColumns)
            lines[std::size_t(row - 1)].set(QString::fromLatin1(f.fieldName),
                                            d.cell(row, f.column));
    return composePrintPage(title, header, lines);
}
