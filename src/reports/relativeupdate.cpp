#include "reports/relativeupdate.h"

#include "core/numbers.h"
#include "core/query.h"
#include "core/rowlock.h"

#include <QRegularExpression>
#include <stdexcept>

RelativeUpdate RelativeUpdate::parse(const QString& statement) {
    static const QRegularExpression form(
        QStringLiteral(R"(^UPDATE\s+(\w+)\s+SET\s+(\w+)\s*=\s*(\w+)\s*([+-])\s*:\w+\s+)"
                       R"(WHERE\s+(\w+)\s*=\s*:\w+\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = form.match(statement);
    if (!match.hasMatch() || match.captured(2).compare(match.captured(3), Qt::CaseInsensitive))
        throw std::logic_error("not a relative update: " + statement.toStdString());
    return {match.captured(1), match.captured(2), match.captured(5),
            match.captured(4) == u"+" ? 1 : -1};
}

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
    const Decimal restored = sign > 0 ? current - amount : current + amount;
    q.load(QStringLiteral("UPDATE %1 SET %2=:value WHERE %3=:key").arg(table, column, key));
    q.bind(u"value", numbers::floatToStr(restored.toDouble()));
    q.bind(u"key", keyValue);
    q.execute();
}
