#include "core/rowlock.h"

#include "core/connection.h"
#include "core/query.h"

#include <QStringList>
#include <algorithm>

namespace {

const char* clause(RowHold hold) {
    switch (hold) {
    case RowHold::Referenced:
        return " FOR KEY SHARE";
    case RowHold::Changed:
        return " FOR NO KEY UPDATE";
    case RowHold::Removed:
        break;
    }
    return " FOR UPDATE";
}

} // namespace

QString rowHoldClause(const Connection& connection, RowHold hold) {
    return connection.isServer() ? QString::fromLatin1(clause(hold)) : QString();
}

bool holdRow(TQuery& q, const QString& table, const QString& keyColumn, const QString& key,
             RowHold hold) {
    q.load(QStringLiteral("SELECT 1 FROM %1 WHERE %2=:key").arg(table, keyColumn) +
           rowHoldClause(q.connection(), hold));
    q.bind(u"key", key.trimmed());
    q.open();
    const bool there = !q.eof();
    q.close();
    return there;
}

void holdName(TQuery& q, const QString& scope, const QString& name) {
    if (!q.connection().isServer())
        return;
    // Two names whose hashes meet only make one counter wait for the other a moment.
    q.load(QStringLiteral("SELECT pg_advisory_xact_lock(hashtext(:scope), "
                          "hashtext(lower(:name))) AS held"));
    q.bind(u"scope", scope.toLower());
    q.bind(u"name", name.trimmed());
    q.open();
    q.close();
}

std::optional<QString> holdProducts(TQuery& q, std::vector<QString> prodIDs) {
    for (QString& id : prodIDs)
        id = id.trimmed();
    std::sort(prodIDs.begin(), prodIDs.end());
    prodIDs.erase(std::unique(prodIDs.begin(), prodIDs.end()), prodIDs.end());
    if (prodIDs.empty())
        return std::nullopt;
    // One statement for all of them: a round trip to the server each would cost a posting more
    // than the locks.
    QStringList markers;
    for (std::size_t i = 0; i < prodIDs.size(); ++i)
        markers << QStringLiteral(":p%1").arg(i);
    QString sql =
        QStringLiteral("SELECT prodID FROM Fproduct WHERE prodID IN (%1)").arg(markers.join(u','));
    // The server locks the rows in the order the statement returns them: by key, the one
    // order every counter takes.
    if (q.connection().isServer())
        sql += QStringLiteral(" ORDER BY prodID") + QLatin1String(clause(RowHold::Changed));
    q.load(sql);
    for (std::size_t i = 0; i < prodIDs.size(); ++i)
        q.bind(QStringLiteral("p%1").arg(i), prodIDs[i]);
    q.open();
    const bool all = q.recordCount() == int(prodIDs.size());
    q.close();
    if (all)
        return std::nullopt;
    // Which one is gone, each looked up as the engine compares it (a key typed as "1.0").
    for (const QString& id : prodIDs)
        if (!holdRow(q, QStringLiteral("Fproduct"), QStringLiteral("prodID"), id, RowHold::Changed))
            return id;
    return std::nullopt;
}
