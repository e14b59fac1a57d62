#include "documents/documentlines.h"

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
