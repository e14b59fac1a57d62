#include "printing/ui/pagepainter.h"

#include "core/messages.h"
#include "printing/printpage.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>

namespace printing {

namespace {

constexpr int kTitleRow = 8;   // first header line, below the title
constexpr int kSecondRow = 13; // second header line
constexpr int kTableTop = 19;
constexpr int kRowHeight = 6;
constexpr int kCellInset = 2;      // millimetres between a cell's edge and its text
constexpr qreal kRuleWidth = 0.25; // millimetres: a rule of one printer dot would hardly show

QFont printFont(int points) {
    QFont font;
    font.setFamilies(
        {QString::fromLatin1(kPrintLatinFont), QString::fromLatin1(kPrintChineseFont)});
    font.setPointSize(points);
    return font;
}

// A text with its top-left corner at (x, y) pixels; an empty one draws nothing.
void textAt(QPainter& painter, int x, int y, const QString& text) {
    if (text.isEmpty())
        return;
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

int widthOf(const QPainter& painter, const QString& text) {
    return painter.fontMetrics().horizontalAdvance(text);
}

} // namespace

int pixelsPerMillimetre(int pixelsPerInch) {
    return int(pixelsPerInch / 25.4);
}

bool report(QPainter& painter, const PrintPage& page, int k) {
    if (page.columnWidths.isEmpty()) {
        notice(QStringLiteral("没有要打印的数据！"));
        return false;
    }
    const int T = page.topMargin, L = page.leftMargin, W = page.tableWidth;
    const int rows = int(std::max<std::size_t>(PrintPage::kRows, page.cells.size()));
    const int bottom = T + kTableTop + kRowHeight * (rows + 1);

    painter.setPen(QPen(Qt::black, std::max<qreal>(1, kRuleWidth * k)));
    painter.setFont(printFont(14));
    if (!page.title.isEmpty())
        textAt(painter, L * k + (W * k - widthOf(painter, page.title)) / 2, T * k, page.title);

    painter.setFont(printFont(9));
    const int right = (L + W) * k;
    const int codeWidth = widthOf(painter, page.orderID);
    textAt(painter, L * k, (T + kTitleRow) * k, page.house);
    textAt(painter, right - codeWidth, (T + kTitleRow) * k, page.orderID);
    textAt(painter, L * k, (T + kSecondRow) * k, page.compName);
    // The date starts where the document code starts; without a code it ends at the table's
    // right edge rather than running into the margin.
    const int dateWidth = page.orderID.isEmpty() ? widthOf(painter, page.optdate) : codeWidth;
    textAt(painter, right - dateWidth, (T + kSecondRow) * k, page.optdate);

    for (int y = T + kTableTop; y <= bottom; y += kRowHeight)
        painter.drawLine(L * k, y * k, right, y * k);
    painter.drawLine(L * k, (T + kTableTop) * k, L * k, bottom * k);
    int edge = L;
    for (int i = 0; i < page.columnWidths.size(); ++i) {
        // Figures stand at the cell's right, so that their decimals line up.
        const bool figures = page.columnsOfFigures.value(i);
        const int cellRight = (edge + page.columnWidths[i] - kCellInset) * k;
        const auto cell = [&](int y, const QString& text) {
            textAt(painter, figures ? cellRight - widthOf(painter, text) : (edge + kCellInset) * k,
                   y, text);
        };
        cell((T + kTableTop + 1) * k, page.columnTitles.value(i));
        for (int r = 0; r < int(page.cells.size()); ++r)
            cell((T + kTableTop + 1 + kRowHeight * (r + 1)) * k,
                 page.cells[std::size_t(r)].value(i));
        edge += page.columnWidths[i];
        painter.drawLine(edge * k, (T + kTableTop) * k, edge * k, bottom * k);
    }

    const int quarter = W / 4;
    const int footer = (bottom + 1) * k;
    textAt(painter, L * k, footer, page.ys);
    textAt(painter, (L + quarter) * k, footer, page.ss);
    textAt(painter, (L + 2 * quarter) * k, footer, page.hj);
    textAt(painter, (L + 3 * quarter) * k, footer, page.emp);
    return true;
}

} // namespace printing
