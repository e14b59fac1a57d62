#include "documents/tradeposting.h"

#include "core/dates.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "core/sysdata.h"
#include "documents/heldrows.h"
#include "documents/postedlines.h"
#include "documents/posting.h"

#include <stdexcept>

namespace {

Decimal amountOf(const QString& text) {
    const auto value = numbers::toDecimalOrZero(text);
    if (!value)
        throw std::invalid_argument("not a number");
    return *value;
}

QString orZero(const QString& text) {
    const QString t = text.trimmed();
    return t.isEmpty() ? QStringLiteral("0.00") : t;
}

// The header as the posting writes it, the code aside.
documents::PostedHeader tradeHeader(const TradeKind& kind, const TradeDocument& d) {
    return {kind.headerTable,
            {{"houseID", d.houseID.trimmed()},
             {"empName", d.empName.trimmed()},
             {"compID", d.compID.trimmed()},
             {"optDate", dates::text(d.date)},
             {"acMoney", orZero(d.sumMoney)},
             {"coMoney", orZero(d.money)}}};
}

// Everything the posting writes, statement by statement in the fixed order; header.code is
// the code the header is being written under.
std::optional<QString> writeTrade(const TradeKind& kind, const TradeDocument& d,
                                  documents::PostedHeader& header) {
    TQuery& q = sysData->QueryCommon;
    const QString day = dates::text(d.date);
    const auto written = documents::writeHeader(q, header, kind.headerStatement(),
                                                d.orderCode.trimmed(), d.codeOrigin);
    if (!written)
        return std::nullopt;
    const QString& code = *written;
    documents::holdHouse(q, d.houseID);
    documents::holdLineProducts(q, d);

    documents::insertLines(q, kind.lineStatement(), code, d, kind.lineTestColumn);
    documents::moveStock(q, kind.stockStatement, d, kind.lineTestColumn);

    // The balance moves by the amount due minus the amount settled, computed exactly. Settled
    // in full, it does not move and the row is only held: an update by nothing would hold it
    // to the commit, and every till selling to the casual customer would wait on the others.
    const Decimal due = amountOf(d.sumMoney);
    const Decimal moved = due - amountOf(d.money);
    if (moved.isZero()) {
        documents::holdCounterpart(q, kind.counterpartTable(), d.compID);
    } else {
        q.load(kind.balanceStatement);
        q.bind(u"compID", d.compID.trimmed());
        q.bind(u"exchMoney", moved.toDouble());
        documents::requireCounterpart(q.execute());
    }

    q.load(QStringLiteral("INSERT INTO FitemBank(optDate,orderCode,orderType,sumMoney,empName,"
                          "compName,itmID,remark) VALUES(:optDate,:orderCode,:orderType,"
                          ":sumMoney,:empName,:compName,:itmID,:remark)"));
    q.bind(u"optDate", day);
    q.bind(u"orderCode", code);
    q.bind(u"orderType", kind.journalType);
    q.bind(u"sumMoney", (kind.journalSign < 0 ? -due : due).toString());
    q.bind(u"empName", d.empName.trimmed());
    q.bind(u"compName", d.compName.trimmed());
    q.bind(u"itmID", QStringLiteral("1"));
    q.bind(u"remark", QString());
    q.execute();
    return code;
}

} // namespace

std::optional<QString> writeTradeDocument(const TradeKind& kind, const TradeDocument& d) {
    documents::PostedHeader header = tradeHeader(kind, d);
    return writeTrade(kind, d, header);
}

PostResult postTradeDocument(const TradeKind& kind, const TradeDocument& d) {
    if (d.houseName.isEmpty()) {
        notice(QStringLiteral("请选择仓库！"));
        return PostResult::NoHouse;
    }
    // A code of blanks would be stored empty: the document could never be selected again to
    // be voided or reprinted.
    if (d.orderCode.trimmed().isEmpty()) {
        notice(QStringLiteral("请输入单据号！"));
        return PostResult::NoOrderCode;
    }
    if (d.compID.isEmpty()) {
        notice(kind.noCounterpartMessage);
        return PostResult::NoCounterpart;
    }
    if (const int row = d.firstRowWithoutProduct()) {
        notice(rowWithoutProductMessage(row));
        return PostResult::UnknownProduct;
    }
    if (const int row = d.firstRowBeyondRange()) {
        notice(rowBeyondRangeMessage(row));
        return PostResult::BeyondRange;
    }
    if (d.runningTotal.isZero()) {
        notice(QStringLiteral("请输入商品信息明细！"));
        return PostResult::NoLines;
    }
    if (!confirmed(QStringLiteral("确定数据录入正确，单据过账吗？")))
        return PostResult::Cancelled;

    documents::PostedHeader header = tradeHeader(kind, d);
    switch (documents::post(header, d.orderCode.trimmed(),
                            [&] { return writeTrade(kind, d, header); })) {
    case documents::PostingOutcome::Saved:
        return PostResult::Posted;
    case documents::PostingOutcome::NothingWritten:
        return PostResult::NothingInserted;
    case documents::PostingOutcome::Failed:
        break;
    }
    return PostResult::Failed;
}
