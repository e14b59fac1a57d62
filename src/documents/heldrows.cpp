#include "documents/heldrows.h"

#include "core/dberror.h"
#include "core/refusal.h"
#include "core/rowlock.h"
#include "documents/documentlines.h"

#include <vector>

namespace documents {

void holdHouse(TQuery& q, const QString& houseID) {
    if (!holdRow(q, QStringLiteral("Fhouse"), QStringLiteral("houseID"), houseID,
                 RowHold::Referenced))
        throw Refusal(QStringLiteral("仓库已被其他用户删除，单据未保存！"));
}

void holdLineProducts(TQuery& q, const DocumentLines& lines) {
    std::vector<QString> products;
    for (int row = 1; row <= DocumentLines::kRows; ++row)
        if (!lines.cell(row, 1).trimmed().isEmpty())
            products.push_back(lines.cell(row, 1));
    const auto gone = holdProducts(q, std::move(products));
    if (!gone)
        return;
    // A key the picker gave names a product someone removed; anything else was never one.
    bool whole = false;
    if (gone->toLongLong(&whole) <= 0 || !whole)
        throw DbError(QStringLiteral("商品编号无效：") + *gone);
    throw Refusal(QStringLiteral("单据中的商品已被其他用户删除，单据未保存！"));
}

namespace {

Refusal counterpartGone() {
    return Refusal(QStringLiteral("往来单位已被其他用户删除，单据未保存！"));
}

} // namespace

void requireCounterpart(int rowsMoved) {
    if (rowsMoved <= 0)
        throw counterpartGone();
}

void holdCounterpart(TQuery& q, const QString& table, const QString& compID) {
    if (!holdRow(q, table, QStringLiteral("compID"), compID, RowHold::Referenced))
        throw counterpartGone();
}

} // namespace documents
