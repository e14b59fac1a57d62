#include "masterdata/importchecks.h"

#include "core/numbers.h"
#include "core/sysdata.h"

#include <QRegularExpression>

namespace importchecks {

void addReason(ImportRow& row, const QString& reason) {
    row.reason += (row.reason.isEmpty() ? QString() : QStringLiteral("；")) + reason;
}

void required(ImportRow& row, int column, const QString& heading) {
    if (row.values[column].isEmpty())
        addReason(row, heading + QStringLiteral("不能为空"));
}

void lengths(ImportRow& row, const std::vector<ImportColumn>& columns) {
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (row.values[int(c)].size() > kMaxImportText)
            addReason(row, columns[c].heading +
                               QStringLiteral("太长（超过%1个字）").arg(kMaxImportText));
}

void longCode(ImportRow& row, int column, const QString& heading) {
    const QString& value = row.values[column];
    if (numbers::isNumber(value) && value.contains(u'e', Qt::CaseInsensitive))
        addReason(row, heading + QStringLiteral("是科学计数法（") + value +
                           QStringLiteral("），位数已丢失，请在表格中把该列设为文本后重新输入"));
}

namespace {

// A number as a spreadsheet writes it into a CSV file or a person types it into a cell: the wide
// digits of a Chinese input method, thousands grouped by commas ("1,000"), a yuan sign before
// it ("￥12.50"). Commas anywhere else stay, and the text is no number ("1,00", "1.000,5").
QString plainNumber(const QString& cell) {
    QString text = numbers::narrowed(cell).trimmed();
    const int sign = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    if (sign < text.size() && (text[sign] == u'\u00A5' || text[sign] == u'\uFFE5'))
        text.remove(sign, 1);
    static const QRegularExpression grouped(QStringLiteral("^[+-]?\\d{1,3}(,\\d{3})+(\\.\\d*)?$"));
    if (grouped.match(text).hasMatch())
        text.remove(u',');
    return text;
}

} // namespace

std::optional<Decimal> number(ImportRow& row, int column, const QString& heading,
                              const QString& empty) {
    QString& value = row.values[column];
    const QString text = plainNumber(value);
    const auto parsed = Decimal::parse(text.isEmpty() ? empty : text);
    if (!parsed && !numbers::isNumber(text)) {
        addReason(row, heading + QStringLiteral("不是数字：") + value);
        return std::nullopt;
    }
    if (!parsed || !numbers::fitsTheBook(*parsed)) {
        addReason(row, heading + QStringLiteral("超出范围：") + value);
        return std::nullopt;
    }
    value = parsed->toString();
    return parsed;
}

void Unique::check(ImportRow& row) {
    const QString& value = row.values[column_];
    if (value.isEmpty())
        return;
    const QString key = bookKey(value);
    const auto it = taken_.constFind(key);
    if (it == taken_.cend()) {
        // A bad row holds its value too: with it skipped, a later row of the same value would
        // take it, and the bad row, once mended, would be refused as already in the book.
        taken_.insert(key, row.line);
        return;
    }
    addReason(row, *it == 0 ? heading_ + QStringLiteral("已在账中：") + value
                            : heading_ + QStringLiteral("与第%1行重复：").arg(*it) + value);
}

QHash<QString, int> valuesInBook(const QString& table, const QString& column) {
    QHash<QString, int> values;
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT %1 AS v FROM %2").arg(column, table));
    q.open();
    for (; !q.eof(); q.next())
        if (const QString v = q.field(u"v").asText(); !v.isEmpty())
            values.insert(bookKey(v), 0);
    q.close();
    return values;
}

} // namespace importchecks
