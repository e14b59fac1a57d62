#include "reports/voiding.h"

#include "core/decimal.h"
#include "core/rowlock.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "documents/afterbreak.h"
#include "documents/stockkind.h"
#include "documents/tradekind.h"
#include "reports/querykind.h"
#include "reports/relativeupdate.h"

#include <vector>

namespace {

struct Line {
    QString prodID;
    Decimal count;
};

struct Header {
    QString compID;
    Decimal unsettled; // amount due minus amount settled
    QString orderType; // the loss/overflow type
};

Decimal decimalOf(const Field& field) {
    return Decimal::fromDouble(field.asFloat());
}

// The header as posted; false when there is none.
bool readHeader(TQuery& q, const QueryKind& kind, const QString& orderID, Header& header) {
    const QString columns = kind.voidRule == VoidRule::Trade
                                ? QStringLiteral("compID,acMoney,coMoney")
                            : kind.voidRule == VoidRule::LossOverflow ? QStringLiteral("orderType")
                                                                      : QStringLiteral("orderID");
    q.load(QStringLiteral("SELECT %1 FROM %2 WHERE orderID=:orderID%3")
               .arg(columns, kind.headerTable, kind.headerCondition));
    q.bind(u"orderID", orderID);
    q.open();
    const bool found = !q.eof();
    if (found && kind.voidRule == VoidRule::Trade) {
        header.compID = q.field(u"compID").asText();
        header.unsettled = decimalOf(q.field(u"acMoney")) - decimalOf(q.field(u"coMoney"));
    }
    if (found && kind.voidRule == VoidRule::LossOverflow)
        header.orderType = q.field(u"orderType").asText();
    q.close();
    return found;
}

std::vector<Line> readLines(TQuery& q, const QueryKind& kind, const QString& orderID) {
    q.load(
        QStringLiteral("SELECT prodID,pcount FROM %1 WHERE orderID=:orderID").arg(kind.lineTable));
    q.bind(u"orderID", orderID);
    std::vector<Line> lines;
    for (q.open(); !q.eof(); q.next())
        if (!q.field(u"prodID").isNull())
            lines.push_back({q.field(u"prodID").asText(), decimalOf(q.field(u"pcount"))});
    q.close();
    return lines;
}

// The stock statement posting ran for each line; empty when the kind moves no stock.
QString stockStatement(const QueryKind& kind, const Header& header) {
    switch (kind.voidRule) {
    case VoidRule::Trade:
        return kind.trade->stockStatement;
    case VoidRule::LossOverflow: {
        const StockKind& loss = stockKind(StockKindId::Loss);
        return header.orderType == loss.orderType ? loss.stockStatement
                                                  : stockKind(StockKindId::Overflow).stockStatement;
    }
    case VoidRule::Transfer:
        break;
    }
    return {};
}

void run(TQuery& q, const QString& sql, const QString& orderID) {
    q.load(sql);
    q.bind(u"orderID", orderID);
    q.execute();
}

// listed, when given, is the document the person chose: the code must still name it.
VoidResult voidWithin(TQuery& q, const QueryKind& kind, const QString& orderID,
                      const ListedDocument* listed, QString& transactionId) {
    Transaction transaction(sysData->myCon);
    transactionId = transactions::serverId(sysData->myCon);
    // Held first, so that a second counter voiding the same document waits and then finds
    // it gone instead of taking its quantities back twice.
    if (!holdRow(q, kind.headerTable, QStringLiteral("orderID"), orderID, RowHold::Removed))
        return VoidResult::Gone;
    Header header;
    if (!readHeader(q, kind, orderID, header))
        return VoidResult::Gone;
    if (listed && stateOf(q, kind, *listed) != ListedState::Same)
        return VoidResult::Retyped;
    const std::vector<Line> lines = readLines(q, kind, orderID);
    std::vector<QString> products;
    std::vector<std::pair<QString, Decimal>> moved;
    for (const Line& line : lines) {
        products.push_back(line.prodID);
        moved.emplace_back(line.prodID, line.count);
    }
    holdProducts(q, std::move(products));

    run(q,
        QStringLiteral("DELETE FROM %1 WHERE orderID=:orderID%2")
            .arg(kind.headerTable, kind.headerCondition),
        orderID);
    run(q, QStringLiteral("DELETE FROM %1 WHERE orderID=:orderID").arg(kind.lineTable), orderID);

    const QString stock = stockStatement(kind, header);
    if (!stock.isEmpty())
        RelativeUpdate::parse(stock).undoEach(q, moved);
    if (kind.voidRule == VoidRule::Trade) {
        RelativeUpdate::parse(kind.trade->balanceStatement)
            .undo(q, header.compID, header.unsettled);
        // Only the journal row of this kind: another kind's document may carry the same code.
        q.load(QStringLiteral(
            "DELETE FROM FitemBank WHERE orderCode=:orderID AND orderType=:orderType"));
        q.bind(u"orderID", orderID);
        q.bind(u"orderType", kind.trade->journalType);
        q.execute();
    }
    q.close();
    transaction.commit();
    return VoidResult::Voided;
}

VoidResult voidRetrying(const QueryKind& kind, const QString& orderID, const ListedDocument* listed,
                        QString* transactionId) {
    TQuery& q = sysData->QueryCommon;
    QString unasked;
    QString& id = transactionId ? *transactionId : unasked;
    return transactions::retryingConflicts(
        sysData->myCon, [&] { return voidWithin(q, kind, orderID, listed, id); });
}

} // namespace

bool voidDocument(const QueryKind& kind, const QString& orderID, QString* transactionId) {
    return voidRetrying(kind, orderID, nullptr, transactionId) == VoidResult::Voided;
}

VoidResult voidListed(const QueryKind& kind, const ListedDocument& listed, QString* transactionId) {
    return voidRetrying(kind, listed.orderID, &listed, transactionId);
}

documents::Found voidedAfterBreak(const QString& transactionId) {
    return documents::foundAfterBreak(transactions::fateAfterBreak(sysData->myCon, transactionId));
}
