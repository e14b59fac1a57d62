#include "reports/querykind.h"

#include "core/sqltext.h"
#include "documents/stockkind.h"
#include "documents/tradekind.h"
#include "reports/relativeupdate.h"

#include <array>

QString QueryKind::lineStatement() const {
    return QStringLiteral("SELECT %1.prodID,prodBH,prodName,type,unitName,price,pcount,sumMoney,"
                          "%1.remark,field1,field2,company FROM %1,Fproduct "
                          "WHERE %1.prodID=Fproduct.prodID AND %1.orderID=:orderID")
        .arg(lineTable);
}

QString QueryKind::listStatement(const QString& codeKey) const {
    return list.arg(searchCondition(QStringLiteral("orderID"), codeKey));
}

namespace {

// The trade lists join the warehouse and the counterpart the balance statement moves.
QueryKind tradeQuery(TradeKindId id, const char* windowClass, const char* caption,
                     const char* dateTitle, const char* compTitle, const char* dueTitle,
                     const char* settledTitle, const char* reprintHouseLabel) {
    const TradeKind& trade = tradeKind(id);
    const QString comps = RelativeUpdate::parse(trade.balanceStatement).table;
    const QString list =
        QStringLiteral("SELECT optDate,orderID,houseName,compName,acMoney,coMoney,empName,"
                       "%1.compID,%1.houseID FROM %1,Fhouse,%2 WHERE %1.houseID=Fhouse.houseID AND "
                       "%1.compID=%2.compID AND optDate>=:optDate1 AND optDate<=:optDate2 AND "
                       "%3")
            .arg(trade.headerTable, comps, QStringLiteral("%1"));
    return {windowClass,
            caption,
            trade.headerTable,
            trade.lineTable,
            {},
            list,
            {{"optDate", dateTitle},
             {"orderID", "单据号"},
             {"houseName", "仓库"},
             {"compName", compTitle},
             {"acMoney", dueTitle, true},
             {"coMoney", settledTitle, true},
             {"empName", "经办人"}},
            {"optDate", "houseID", "compID", "acMoney", "coMoney", "empName"},
            VoidRule::Trade,
            &trade,
            reprintHouseLabel,
            QStringLiteral("SELECT orderID,houseName,compName,optDate,acMoney,coMoney,empName "
                           "FROM %1 LEFT JOIN Fhouse ON %1.houseID=Fhouse.houseID "
                           "LEFT JOIN %2 ON %1.compID=%2.compID WHERE orderID=:orderID")
                .arg(trade.headerTable, comps)};
}

std::array<QueryKind, 6> makeKinds() {
    const QString bsbyCondition = QStringLiteral(" AND NOT orderType='盘点'");
    return {{
        tradeQuery(TradeKindId::Purchase, "TfrmTjPurQ", "采购单据查询", "采购日期", "供应商",
                   "应付金额", "实付金额", "收货仓库："),
        tradeQuery(TradeKindId::Sale, "TfrmOrderSaleQ", "销售单据查询", "销售日期", "客户名称",
                   "应收金额", "实收金额", "仓    库："),
        tradeQuery(TradeKindId::PurchaseReturn, "TfrmOrderPurTQ", "采购退货单查询", "采购日期",
                   "供应商", "应付金额", "实付金额", "仓    库："),
        tradeQuery(TradeKindId::SaleReturn, "TfrmOrderSaleTQ", "销售退货单据查询", "销售日期",
                   "客户名称", "应收金额", "实收金额", "仓    库："),
        {"TfrmOrderDBQ",
         "库存调拨单据查询",
         "OrderDB",
         stockKind(StockKindId::Transfer).lineTable,
         {},
         // Both warehouses by joins: a server runs a subquery in the column list once a row.
         "SELECT optDate,orderID,o.houseName AS ho,i.houseName AS hi,empName,houseOut,houseIn "
         "FROM OrderDB "
         "LEFT JOIN Fhouse o ON o.houseID=houseOut LEFT JOIN Fhouse i ON i.houseID=houseIn "
         "WHERE optDate>=:optDate1 AND optDate<=:optDate2 AND %1",
         {{"optDate", "采购日期"},
          {"orderID", "单据号"},
          {"ho", "调出仓"},
          {"hi", "调入仓"},
          {"empName", "经办人"}},
         {"optDate", "houseOut", "houseIn", "empName"},
         VoidRule::Transfer,
         nullptr,
         {},
         {}},
        {"TfrmOrderBsbyQ",
         "报损报溢单据查询",
         "OrderBsBy",
         stockKind(StockKindId::Loss).lineTable,
         bsbyCondition,
         "SELECT optDate,orderID,houseName,orderType,empName,OrderBsBy.houseID "
         "FROM OrderBsBy,Fhouse "
         "WHERE OrderBsBy.houseID=Fhouse.houseID AND optDate>=:optDate1 AND "
         "optDate<=:optDate2 AND %1" +
             bsbyCondition,
         {{"optDate", "采购日期"},
          {"orderID", "单据号"},
          {"houseName", "仓库"},
          {"orderType", "单据类型"},
          {"empName", "经办人"}},
         {"optDate", "houseID", "orderType", "empName"},
         VoidRule::LossOverflow,
         nullptr,
         {},
         {}},
    }};
}

} // namespace

const QueryKind& queryKind(QueryKindId id) {
    static const std::array<QueryKind, 6> kinds = makeKinds();
    return kinds[std::size_t(id)];
}
