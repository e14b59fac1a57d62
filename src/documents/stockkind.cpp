#include "documents/stockkind.h"

#include "documents/keptmove.h"

QString StockKind::lineStatement() const {
    return QStringLiteral("INSERT INTO %1(orderID,prodID,price,pcount,sumMoney,remark) "
                          "VALUES(:orderID,:prodID,:price,:pcount,:sumMoney,:remark)")
        .arg(lineTable);
}

const StockKind& stockKind(StockKindId id) {
    static const std::array<StockKind, 3> kinds{{
        {"DB", "db", "1", "OrderDBD", "", "调入仓库：", "调拨日期：", ""},
        {"BS", "bsby", "1", "OrderBsByD", "报损", "报损仓库：", "报损日期：",
         keptMove("Fproduct", "sumCount", u'-', "prodID")},
        {"BY", "bsby", "1", "OrderBsByD", "报溢", "报溢仓库：", "报溢日期：",
         keptMove("Fproduct", "sumCount", u'+', "prodID")},
    }};
    return kinds[std::size_t(id)];
}
