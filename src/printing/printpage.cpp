#include "printing/printpage.h"

#include "core/decimal.h"
#include "core/numbers.h"
#include "core/sysdata.h"
#include "printing/printsettings.h"

#include <algorithm>

void PrintLine::set(const QString& fieldName, const QString& text) {
    const qsizetype i = names_.indexOf(fieldName.toLower());
    if (i >= 0) {
        texts_[i] = text;
        return;
    }
    names_ << fieldName.toLower();
    texts_ << text;
}

QString PrintLine::text(const QString& fieldName) const {
    const qsizetype i = names_.indexOf(fieldName.toLower());
    return i >= 0 ? texts_[i] : QString();
}

namespace {

QString item(bool printed, const PrintItem& item) {
    return printed ? item.label + item.value : QString();
}

PrintItem moneyItem(const PrintItem& item) {
    return {item.label, numbers::fixed2(item.value)};
}

bool isPriceField(const QString& field) {
    return field.compare(u"inprice", Qt::CaseInsensitive) == 0 ||
           field.compare(u"outprice", Qt::CaseInsensitive) == 0;
}

bool isAmountField(const QString& field) {
    return field.compare(u"pmoney", Qt::CaseInsensitive) == 0;
}

bool isFigureField(const QString& field) {
    return isPriceField(field) || isAmountField(field) ||
           field.compare(u"pcount", Qt::CaseInsensitive) == 0;
}

// A price prints with all its decimals when it has more than cents: rounded, 0.125 × 1000
// would print beside an amount of 125.00 as 0.12.
QString cellText(const QString& field, const QString& text) {
    if (isPriceField(field))
        return numbers::priceText(text);
    return isAmountField(field) ? numbers::fixed2(text) : text;
}

} // namespace

PrintPage composePrintPage(const QString& title, const PrintHeader& header,
                           const std::vector<PrintLine>& lines) {
    PrintPage page;
    page.title = title;
    page.documentCode = header.orderID.value;
    if (const auto table = printing::loadTableSettings()) {
        using printing::Switch;
        page.topMargin = int(table->top);
        page.leftMargin = int(table->left);
        page.house = item(table->on(Switch::House), header.house);
        page.orderID = item(table->on(Switch::OrderID), header.orderID);
        page.compName = item(table->on(Switch::CompName), header.compName);
        page.optdate = item(table->on(Switch::OptDate), header.optdate);
        page.ys = item(table->on(Switch::Due), moneyItem(header.ys));
        page.ss = item(table->on(Switch::Paid), moneyItem(header.ss));
        page.emp = item(table->on(Switch::Employee), header.emp);
        page.hj = item(header.totalAlways || table->on(Switch::Total), moneyItem(header.hj));
    } else if (header.totalAlways) {
        page.hj = item(true, moneyItem(header.hj));
    }

    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT fieldName,textValue,fieldwidth FROM FConfig "
                          "WHERE isShow='是' ORDER BY Sort ASC"));
    q.open();
    QStringList fields;
    for (; !q.eof(); q.next()) {
        fields << q.field(u"fieldName").asText();
        page.columnTitles << q.field(u"textValue").asText();
        page.columnWidths << int(q.field(u"fieldwidth").asInteger());
        page.columnsOfFigures << isFigureField(fields.back());
        page.tableWidth += page.columnWidths.back();
    }
    q.close();

    page.cells.resize(std::max<std::size_t>(PrintPage::kRows, lines.size()));
    for (std::size_t r = 0; r < page.cells.size(); ++r)
        for (const QString& field : fields) {
            const QString text = r < lines.size() ? lines[r].text(field) : QString();
            page.cells[r] << cellText(field, text);
        }
    return page;
}

QString printedTotal(const std::vector<PrintLine>& lines) {
    Decimal total;
    for (const PrintLine& line : lines)
        if (const auto amount = Decimal::parse(line.text(QStringLiteral("pmoney")).trimmed()))
            total += *amount;
    return total.cents().toString();
}
