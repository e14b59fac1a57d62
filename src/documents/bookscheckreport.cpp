#include "documents/bookscheckreport.h"

#include "core/decimal.h"

#include <array>

namespace {

// How a difference of each kind is told.
struct Wording {
    QString noun;            // what the key names; empty for a document, named by its kind
    QString claimedLabel;    // what the book holds
    QString recomputedLabel; // what it should hold
    bool money;
};

const Wording& wordingOf(BooksDifference::Kind kind) {
    static const std::array<Wording, 4> wordings{{
        {QStringLiteral("商品"), QStringLiteral("账面库存"), QStringLiteral("按单据应为"), false},
        {QStringLiteral("往来单位"), QStringLiteral("账面余额"), QStringLiteral("按单据应为"),
         true},
        {QStringLiteral("账户"), QStringLiteral("账面余额"), QStringLiteral("按流水应为"), true},
        {QString(), QStringLiteral("流水金额"), QStringLiteral("按单据应为"), true},
    }};
    return wordings[std::size_t(kind)];
}

// A counterpart is a supplier or a customer by the table that keeps its balance.
QString nounOf(const BooksDifference& d) {
    if (d.table == u"Fsupplier")
        return QStringLiteral("供应商");
    if (d.table == u"Fcustomer")
        return QStringLiteral("客户");
    return wordingOf(d.kind).noun;
}

QString who(const BooksDifference& d) {
    const QString noun = nounOf(d);
    if (noun.isEmpty())
        return QStringLiteral("%1单 %2").arg(d.name, d.key);
    if (d.name.isEmpty())
        return QStringLiteral("%1（编号 %2）").arg(noun, d.key);
    if (!d.code.isEmpty())
        return QStringLiteral("%1“%2”（编码 %3）").arg(noun, d.name, d.code);
    return QStringLiteral("%1“%2”").arg(noun, d.name);
}

// Money with its sign and cents ("￥-59.97"), unless the exact value has more decimals;
// quantities as they are.
QString valueText(const QString& value, bool money) {
    if (value.isEmpty())
        return QStringLiteral("无");
    const auto d = Decimal::parse(value);
    if (!money || !d)
        return value;
    return u'￥' + (d->cents() == *d ? d->toFixed(2) : value);
}

} // namespace

QString booksCheckSummary(const std::vector<BooksDifference>& found) {
    if (found.empty())
        return QStringLiteral("账簿检查完毕，账目一致。");
    return QStringLiteral("账簿检查完毕，发现%1处账目与单据不符。").arg(found.size());
}

QStringList booksCheckLines(const std::vector<BooksDifference>& found) {
    QStringList lines;
    for (const BooksDifference& d : found) {
        const Wording& w = wordingOf(d.kind);
        lines << QStringLiteral("%1：%2，%3 %4，%5 %6")
                     .arg(who(d), d.note, w.claimedLabel, valueText(d.claimed, w.money),
                          w.recomputedLabel, valueText(d.recomputed, w.money));
    }
    return lines;
}
