#include "reports/tradestatskind.h"

#include "core/sqltext.h"
#include "documents/tradekind.h"

#include <array>

QString TradeStatsKind::listStatement(const QString& nameKey) const {
    return QStringLiteral("SELECT compName,optDate,orderID,orderType,acMoney,coMoney,je,empName "
                          "FROM %1 WHERE optDate>=:optDate1 AND optDate<=:optDate2 AND %2")
        .arg(view, searchCondition(QStringLiteral("compName"), nameKey));
}

QString TradeStatsKind::lineStatement(const QString& orderType) const {
    const QString& table = orderType == first.journalType ? first.lineTable : second.lineTable;
    return QStringLiteral("SELECT prodBH,prodName,type,unitName,price,pcount,sumMoney,%1.remark "
                          "FROM %1,Fproduct WHERE Fproduct.prodID=%1.prodID AND "
                          "%1.orderID=:orderID")
        .arg(table);
}

const TradeStatsKind& tradeStatsKind(TradeStatsKindId id) {
    static const std::array<TradeStatsKind, 2> kinds{{
        {"TfrmTjSupplier", "商品采购统计", "供应商名称：", "VtjSupplier",
         tradeKind(TradeKindId::Purchase), tradeKind(TradeKindId::PurchaseReturn)},
        {"TfrmTjSale", "商品销售统计", "客户名称：", "VtjSale", tradeKind(TradeKindId::Sale),
         tradeKind(TradeKindId::SaleReturn)},
    }};
    return kinds[std::size_t(id)];
}
