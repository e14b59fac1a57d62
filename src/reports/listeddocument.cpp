#include "reports/listeddocument.h"

#include "core/query.h"
#include "reports/querykind.h"

namespace {

QStringList ownValues(const QueryKind& kind, const TQuery& header) {
    QStringList values;
    for (const QString& column : kind.ownColumns)
        values.push_back(header.field(column).asText());
    return values;
}

// The lines as a sorted list: the statement gives them in no set order.
QStringList lineValues(const TQuery& lines) {
    QStringList values;
    if (!lines.isOpen())
        return values;
    const ResultSet& r = lines.result();
    const int columns[] = {r.column(u"prodID"), r.column(u"price"), r.column(u"pcount"),
                           r.column(u"sumMoney")};
    for (int row = 0; row < r.rowCount(); ++row) {
        QStringList line;
        for (const int column : columns)
            line.push_back(r.text(row, column));
        values.push_back(line.join(u'|'));
    }
    values.sort();
    return values;
}

} // namespace

ListedDocument listedDocument(const QueryKind& kind, const TQuery& list, const TQuery& lines) {
    return {list.field(u"orderID").asText(), ownValues(kind, list), lineValues(lines)};
}

ListedState stateOf(TQuery& q, const QueryKind& kind, const ListedDocument& listed) {
    q.load(QStringLiteral("SELECT %1 FROM %2 WHERE orderID=:orderID%3")
               .arg(kind.ownColumns.join(u','), kind.headerTable, kind.headerCondition));
    q.bind(u"orderID", listed.orderID);
    q.open();
    if (q.eof()) {
        q.close();
        return ListedState::Gone;
    }
    const bool sameHeader = ownValues(kind, q) == listed.own;
    q.load(kind.lineStatement());
    q.bind(u"orderID", listed.orderID);
    q.open();
    const bool sameLines = lineValues(q) == listed.lines;
    q.close();
    return sameHeader && sameLines ? ListedState::Same : ListedState::Retyped;
}

QString retypedMessage(const QString& orderID) {
    return QStringLiteral("单据\"%1\"已被其他用户作废，此单据号现已是另一张单据，"
                          "请核对刷新后的单据列表！")
        .arg(orderID);
}
