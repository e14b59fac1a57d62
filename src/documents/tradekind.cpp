#include "documents/tradekind.h"

#include "documents/keptmove.h"

QString TradeKind::headerStatement() const {
    return QStringLiteral("INSERT INTO %1(orderID,houseID,empName,compID,optDate,acMoney,coMoney) "
                          "VALUES(:orderID,:houseID,:empName,:compID,:optDate,:acMoney,:coMoney)")
        .arg(headerTable);
}

QString TradeKind::lineStatement() const {
    return QStringLiteral("INSERT INTO %1(orderID,prodID,price,pcount,sumMoney,remark) "
                          "VALUES(:orderID,:prodID,:price,:pcount,:sumMoney,:remark)")
        .arg(lineTable);
}

QString TradeKind::counterpartTable() const {
    return counterpartMode == u"1" ? QStringLiteral("Fsupplier") : QStringLiteral("Fcustomer");
}

const std::array<TradeKind, 4>& tradeKinds() {
    static const QString supplierLabel = QStringLiteral("供货单位：");
    static const QString customerLabel = QStringLiteral("客户名称：");
    static const QString noSupplier = QStringLiteral("请选择供货单位！");
    static const QString noCustomer = QStringLiteral("请选择客户单位！");
    static const QString stockUp = keptMove("Fproduct", "sumCount", u'+', "prodID");
    static const QString stockDown = keptMove("Fproduct", "sumCount", u'-', "prodID");
    static const QString house = QStringLiteral("仓         库：");
    // clang-format off
    static const std::array<TradeKind, 4> kinds{{
        {"TfrmPurIn", "采购进货", "pur", "CJ", "1", "1", supplierLabel, "收货日期：", "收货仓库：",
         "应付金额：", "实付金额：", noSupplier, "OrderPur", "OrderPurD", 1, stockUp,
         keptMove("Fsupplier", "exchMoney", u'+', "compID"), "采购进货",
         -1, "收货仓库：", "采购日期："},
        {"TfrmPurRet", "采购退货", "purT", "CT", "1", "1", supplierLabel, "退货日期：",
         "退货仓库：", "应收金额：", "实收金额：", noSupplier, "OrderPurT", "OrderPurTD", 2,
         stockDown, keptMove("Fsupplier", "exchMoney", u'-', "compID"),
         "采购退货", 1, "退货仓库：", "退货日期："},
        {"TfrmSale", "商品销售", "sale", "XS", "2", "2", customerLabel, "销售日期：", house,
         "应收金额：", "实收金额：", noCustomer, "OrderSale", "OrderSaleD", 1, stockDown,
         keptMove("Fcustomer", "exchMoney", u'+', "compID"), "商品销售", 1,
         "仓   库：", "销售日期："},
        {"TfrmSaleT", "客户退货", "saleT", "XT", "2", "2", customerLabel, "退货日期：", house,
         "应付金额：", "实付金额：", noCustomer, "OrderSaleT", "OrderSaleTD", 2, stockUp,
         keptMove("Fcustomer", "exchMoney", u'-', "compID"), "顾客退货",
         -1, "收货仓库：", "退货日期："},
    }};
    // clang-format on
    return kinds;
}

const TradeKind& tradeKind(TradeKindId id) {
    return tradeKinds()[std::size_t(id)];
}
