#include "reports/relativeupdate.h"

#include "core/numbers.h"
#include "core/query.h"
#include "core/rowlock.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <stdexcept>

RelativeUpdate RelativeUpdate::parse(const QString& statement) {
    static const QRegularExpression form(
        QStringLiteral(R"(^UPDATE\s+(\w+)\s+SET\s+(\w+)\s*=\s*)"
                       R"((?:CASE\s+WHEN\s+abs\(\s*\w+\s*[+-]\s*:\w+\s*\)\s*<\s*[0-9.]+\s+)"
                       R"(THEN\s+0\s+ELSE\s+)?(\w+)\s*([+-])\s*:\w+\s*(?:END\s+)?)"
                       R"(WHERE\s+(\w+)\s*=\s*:\w+\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = form.match(statement);
    if (!match.hasMatch() || match.captured(2).compare(match.captured(3), Qt::CaseInsensitive))
        throw std::logic_error("not a relative update: " + statement.toStdString());
    return {match.captured(1), match.captured(2), match.captured(5),
            match.captured(4) == u"+" ? 1 : -1};
}

namespace {

// The total less (or plus) the amount, as written back; as a posting writes it, one within half
// a millionth of nothing is 0 (quantities and amounts are kept to the millionth).
QString restoredText(const Decimal& current, const Decimal& amount, int sign) {
    static const Decimal halfAMillionth = Decimal::fromDouble(numbers::kHalfAMillionth);
    const Decimal restored = sign > 0 ? current - amount : current + amount;
    if ((restored.isNegative() ? -restored : restored) < halfAMillionth)
        return QStringLiteral("0");
    return numbers::floatToStr(restored.toDouble());
}

} // namespace

void RelativeUpdate::undo(TQuery& q, const QString& keyValue, const Decimal& amount) const {
    // Held from the read to the write: another counter's posting in between would be lost.
    if (!holdRow(q, table, key, keyValue, RowHold::Changed))
        return;
    q.load(QStringLiteral("SELECT %1 FROM %2 WHERE %3=:key").arg(column, table, key));
    q.bind(u"key", keyValue);
    q.open();
    if (q.eof()) {
        q.close();
        return;
    }
    const Decimal current = Decimal::fromDouble(q.field(column).asFloat());
    q.load(QStringLiteral("UPDATE %1 SET %2=:value WHERE %3=:key").arg(table, column, key));
    q.bind(u"value", restoredText(current, amount, sign));
    q.bind(u"key", keyValue);
    q.execute();
}

void RelativeUpdate::undoEach(TQuery& q,
                              const std::vector<std::pair<QString, Decimal>>& amounts) const {
    QStringList keys;
    for (const auto& [keyValue, amount] : amounts)
        keys << keyValue;
    keys.removeDuplicates();
    if (keys.isEmpty())
        return; // a document without a product line: nothing to read, and "IN ()" is no SQL
    if (keys.size() < int(amounts.size())) {
        // A key twice is taken back from what its first undoing wrote, one at a time.
        for (const auto& [keyValue, amount] : amounts)
            undo(q, keyValue, amount);
        return;
    }
    QStringList markers;
    for (int i = 0; i < keys.size(); ++i)
        markers << QStringLiteral(":k%1").arg(i);
    q.load(QStringLiteral("SELECT %1 AS keyValue,%2 AS total FROM %3 WHERE %1 IN (%4) ORDER BY %1")
               .arg(key, column, table, markers.join(u',')) +
           rowHoldClause(q.connection(), RowHold::Changed));
    for (int i = 0; i < keys.size(); ++i)
        q.bind(QStringLiteral("k%1").arg(i), keys[i]);
    QHash<QString, Decimal> current;
    for (q.open(); !q.eof(); q.next())
        current.insert(q.field(u"keyValue").asText(),
                       Decimal::fromDouble(q.field(u"total").asFloat()));
    q.close();
    q.load(QStringLiteral("UPDATE %1 SET %2=:value WHERE %3=:key").arg(table, column, key));
    for (const auto& [keyValue, amount] : amounts) {
        const auto found = current.constFind(keyValue);
        if (found == current.constEnd())
            continue; // a missing row is left alone
        q.bind(u"value", restoredText(*found, amount, sign));
        q.bind(u"key", keyValue);
        q.queue();
    }
    q.executeQueued();
}
