#include "documents/documentlines.h"

#include "core/numbers.h"

#include <cmath>

int DocumentLines::firstRowWithoutProduct() const {
    for (int row = 1; row <= kRows; ++row)
        if (cell(row, 1).trimmed().isEmpty() &&
            (!cell(row, 2).trimmed().isEmpty() || !cell(row, 3).trimmed().isEmpty()))
            return row;
    return 0;
}

QString rowWithoutProductMessage(int row) {
    return QStringLiteral("第%1行的商品不在商品资料中，请输入正确的商品编号，或按F2选择商品！")
        .arg(row);
}

int DocumentLines::firstRowBeyondRange() const {
    // As the book's check of a line's quantity reads it: a number below 10^12. A text that is
    // no number fails the posting as before.
    constexpr double kLimit = 1e12;
    for (int row = 1; row <= kRows; ++row) {
        const std::optional<double> quantity = numbers::toFloat(cell(row, 7).trimmed());
        if (!cell(row, 1).trimmed().isEmpty() && quantity && std::abs(*quantity) >= kLimit)
            return row;
    }
    return 0;
}

QString rowBeyondRangeMessage(int row) {
    return QStringLiteral("第%1行的数量超出范围，请输入正确的数量！").arg(row);
}
