#include "documents/tradeposting.h"

#include "core/dates.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "core/refusal.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "documents/heldrows.h"

#include <stdexcept>

namespace {

bool isLine(const TradeKind& kind, const TradeDocument& d, int row) {
    return !d.cell(row, kind.lineTestColumn).trimmed().isEmpty();
}

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

} // namespace

// Everything the posting writes, statement by statement in the fixed order.
std::optional<QString> writeTradeDocument(const TradeKind& kind, const TradeDocument& d) {
    TQuery& q = sysData->QueryCommon;
    const QString day = dates::text(d.date);
    const auto written = documents::writeUnderFreeCode(d.orderCode.trimmed(), d.codeOrigin,
                                                       [&](const QString& code) {
                                                           q.load(kind.headerStatement());
                                                           q.bind(u"orderID", code);
                                                           q.bind(u"houseID", d.houseID.trimmed());
                                                           q.bind(u"empName", d.empName.trimmed());
                                                           q.bind(u"compID", d.compID.trimmed());
                                                           q.bind(u"optDate", day);
                                                           q.bind(u"acMoney", orZero(d.sumMoney));
                                                           q.bind(u"coMoney", orZero(d.money));
                                                           return q.execute() > 0;
                                                       });
    if (!written)
        return std::nullopt;
    const QString& code = *written;
    documents::holdHouse(q, d.houseID);
    documents::holdLineProducts(q, d);

    q.load(kind.lineStatement());
    for (int row = 1; row <= TradeDocument::kRows; ++row) {
        if (!isLine(kind, d, row))
            continue;
        q.bind(u"orderID", code);
        q.bind(u"prodID", d.cell(row, 1).trimmed());
        q.bind(u"price", d.cell(row, 6).trimmed());
        q.bind(u"pcount", d.cell(row, 7).trimmed());
        q.bind(u"sumMoney", d.cell(row, 8).trimmed());
        q.bind(u"remark", d.cell(row, 9).trimmed());
        q.execute();
    }

    q.load(kind.stockStatement);
    for (int row = 1; row <= TradeDocument::kRows; ++row) {
        if (!isLine(kind, d, row))
            continue;
        q.bind(u"prodID", d.cell(row, 1).trimmed());
        q.bind(u"sumCount", d.cell(row, 7).trimmed());
        q.execute();
    }

    // The balance moves by the amount due minus the amount settled, computed exactly.
    const Decimal due = amountOf(d.sumMoney);
    const Decimal settled = amountOf(d.money);
    q.load(kind.balanceStatement);
    q.bind(u"compID", d.compID.trimmed());
    q.bind(u"exchMoney", (due - settled).toDouble());
    documents::requireCounterpart(q.execute());

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

PostResult postTradeDocument(const TradeKind& kind, const TradeDocument& d) {
    if (d.houseName.isEmpty()) {
        notice(QStringLiteral("请选择仓库！"));
        return PostResult::NoHouse;
    }
    if (d.orderCode.isEmpty()) {
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
    if (d.runningTotal.isZero()) {
        notice(QStringLiteral("请输入商品信息明细！"));
        return PostResult::NoLines;
    }
    if (!confirmed(QStringLiteral("确定数据录入正确，单据过账吗？")))
        return PostResult::Cancelled;

    std::optional<QString> written;
    try {
        written = transactions::retryingConflicts(sysData->myCon, [&] {
            Transaction transaction(sysData->myCon);
            auto code = writeTradeDocument(kind, d);
            transaction.commit();
            return code;
        });
    } catch (const Refusal& refusal) {
        sysData->QueryCommon.close();
        notice(refusal.text());
        return PostResult::Failed;
    } catch (const std::exception&) {
        sysData->QueryCommon.close();
        notice(QStringLiteral("单据保存出现异常！"));
        return PostResult::Failed;
    }
    if (!written)
        return PostResult::NothingInserted;
    notice(documents::savedNotice(d.orderCode.trimmed(), *written));
    sysData->QueryCommon.close();
    return PostResult::Posted;
}
