#include "core/rowlock.h"

#include "core/connection.h"
#include "core/query.h"

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

bool holdRow(TQuery& q, const QString& table, const QString& keyColumn, const QString& key,
             RowHold hold) {
    QString sql = QStringLiteral("SELECT 1 FROM %1 WHERE %2=:key").arg(table, keyColumn);
    if (q.connection().isServer())
        sql += QLatin1String(clause(hold));
    q.load(sql);
    q.bind(u"key", key.trimmed());
    q.open();
    const bool there = !q.eof();
    q.close();
    return there;
}

std::optional<QString> holdProducts(TQuery& q, std::vector<QString> prodIDs) {
    for (QString& id : prodIDs)
        id = id.trimmed();
    // Any one order does, as long as every counter takes it.
    std::sort(prodIDs.begin(), prodIDs.end());
    prodIDs.erase(std::unique(prodIDs.begin(), prodIDs.end()), prodIDs.end());
    for (const QString& id : prodIDs)
        if (!holdRow(q, QStringLiteral("Fproduct"), QStringLiteral("prodID"), id, RowHold::Changed))
            return id;
    return std::nullopt;
}
