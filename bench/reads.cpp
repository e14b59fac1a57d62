#include "reads.h"

#include "core/dates.h"
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "reports/productsales.h"
#include "reports/querykind.h"
#include "reports/tradestatskind.h"

int Read::run() const {
    const auto once = [this](const QString& statement) {
        slot->load(statement);
        for (const auto& [name, value] : binds)
            if (slot->hasParameter(name))
                slot->bind(name, value);
        slot->open();
        return slot->recordCount();
    };
    int rows = once(sql);
    for (const QString& more : moreSql)
        rows += once(more);
    return rows;
}

namespace {

using Binds = std::vector<std::pair<QString, QString>>;

const QString kProducts =
    QStringLiteral("SELECT Fproduct.*,Fprodcate.CateName FROM Fproduct,Fprodcate WHERE "
                   "Fproduct.cateID=Fprodcate.cateID");
const QString kStockOfHouse =
    QStringLiteral("SELECT VInveHouse.*,Fprodcate.CateName FROM VInveHouse,Fprodcate WHERE "
                   "VInveHouse.cateID=Fprodcate.cateID AND VInveHouse.houseID=:houseID");

// The four sums of the business statistics, in their range or today form.
std::vector<QString> sums(const QString& period) {
    std::vector<QString> result;
    for (const char* kinds :
         {"orderType='商品销售'", "(orderType='现金进款' OR orderType='采购退货')",
          "orderType='采购进货'", "(orderType='现金出款' OR orderType='顾客退货')"})
        result.push_back(QStringLiteral("SELECT SUM(sumMoney) as je FROM FitemBank WHERE %1 AND %2")
                             .arg(QString::fromUtf8(kinds), period));
    return result;
}

// The detail list of "【收入类】".
QString incomeDetails(const QString& period) {
    return QStringLiteral("SELECT optDate,orderType,sumMoney,empName,remark FROM FitemBank WHERE  "
                          "(orderType='商品销售' OR orderType='现金进款' OR orderType='采购退货') "
                          "AND %1")
        .arg(period);
}

// A document of the period whose lines a click lists.
QString someDocument(const char* table, const QString& first) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT orderID FROM %1 WHERE optDate>=:d ORDER BY optDate LIMIT 1")
               .arg(QString::fromLatin1(table)));
    q.bind(u"d", first);
    q.open();
    const QString code = q.field(u"orderID").asText();
    q.close();
    return code;
}

// The code of a product far into the catalogue, as a scanner or a person types it.
QString someProductCode() {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT prodBH FROM Fproduct WHERE prodID = (SELECT max(prodID) * 7 / 9 "
                          "FROM Fproduct)"));
    q.open();
    const QString code = q.field(u"prodBH").asText();
    q.close();
    return code;
}

} // namespace

std::vector<Read> readsOn(const QDate& today) {
    TsysData& d = *sysData;
    const QString day = dates::text(today);
    const QString monthFirst = dates::text(QDate(today.year(), today.month(), 1));
    const QString monthLast =
        dates::text(QDate(today.year(), today.month(), 1).addMonths(1).addDays(-1));
    const QString periodFirst = dates::text(dates::monthBack(today));
    const Binds period{{"optDate1", periodFirst}, {"optDate2", day}};
    const Binds month{{"optDate1", monthFirst}, {"optDate2", monthLast}};
    const QString range = QStringLiteral("optDate>=:optDate1 AND optDate<=:optDate2");
    const QString onDay = QStringLiteral("optDate=:optDate");
    const QString sale = someDocument("OrderSale", periodFirst);
    const QString purchase = someDocument("OrderPur", periodFirst);

    std::vector<Read> reads{
        {"products-all", "商品列表 全部", &d.QueryProduct, kProducts, {}},
        {"products-category",
         "商品列表 一个类别",
         &d.QueryProduct,
         kProducts + QStringLiteral(" AND Fproduct.cateID=:cateID"),
         {{"cateID", "5"}}},
        {"products-search",
         "商品列表 搜索",
         &d.QueryProduct,
         QStringLiteral("SELECT Fproduct.*,Fprodcate.CateName FROM Fproduct,Fprodcate WHERE "
                        "(Fproduct.cateID=Fprodcate.cateID) AND ((prodBH LIKE:prodBH) OR "
                        "(prodName LIKE:prodName))"),
         {{"prodBH", likePattern("宏达")}, {"prodName", likePattern("宏达")}}},
        {"product-by-code",
         "单据 扫码找到商品",
         &d.QueryCommon,
         QStringLiteral("SELECT prodID,prodBH,prodName,type,unitName,inprice,outprice,remark,"
                        "field1,field2,company FROM Fproduct WHERE prodBH=:prodBH "
                        "ORDER BY prodID LIMIT 2"),
         {{"prodBH", someProductCode().toLower()}}},
        {"stock-house", "库存 一个仓库", &d.QueryProduct, kStockOfHouse, {{"houseID", "3"}}},
        {"stock-house-category",
         "库存 一个仓库一个类别",
         &d.QueryProduct,
         QStringLiteral("SELECT VInveHouse.*,Fprodcate.CateName FROM VInveHouse,Fprodcate WHERE "
                        "VInveHouse.cateID=Fprodcate.cateID AND VInveHouse.cateID=:cateID AND "
                        "VInveHouse.houseID=:houseID"),
         {{"houseID", "3"}, {"cateID", "5"}}},
        {"house-delete-check",
         "仓库删除检查",
         &d.QueryCommon,
         QStringLiteral("SELECT * FROM Vinvepc WHERE houseID=:houseID"),
         {{"houseID", "3"}}},
        {"accounts",
         "现金银行 科目余额",
         &d.QueryBankItm,
         QStringLiteral("SELECT itmID,itmName,remark,je FROM VitemBank"),
         {}},
        {"account-journal",
         "现金银行 一个月明细",
         &d.QueryBank,
         QStringLiteral("SELECT optDate,orderCode,orderType,sumMoney,empName,compName,remark FROM "
                        "FitemBank WHERE itmID=:itmID AND optDate>=:optDate1 AND "
                        "optDate<=:optDate2"),
         {{"itmID", "1"}, {"optDate1", periodFirst}, {"optDate2", day}}},
        {"sums-today",
         "当日营业统计 四项合计",
         &d.QueryCommon,
         sums(onDay)[0],
         {{"optDate", day}},
         true,
         {sums(onDay)[1], sums(onDay)[2], sums(onDay)[3]}},
        {"sums-month",
         "本月营业统计 四项合计",
         &d.QueryCommon,
         sums(range)[0],
         month,
         true,
         {sums(range)[1], sums(range)[2], sums(range)[3]}},
        {"sums-period",
         "经营情况统计 四项合计",
         &d.QueryCommon,
         sums(range)[0],
         period,
         true,
         {sums(range)[1], sums(range)[2], sums(range)[3]}},
        {"details-today",
         "当日营业统计 收入明细",
         &d.QueryKestData,
         incomeDetails(onDay),
         {{"optDate", day}}},
        {"details-month", "本月营业统计 收入明细", &d.QueryKestData, incomeDetails(range), month},
        {"details-period", "经营情况统计 收入明细", &d.QueryKestData, incomeDetails(range), period},
    };
    for (const auto& [id, kind] :
         {std::pair{"query-pur", QueryKindId::Purchase}, std::pair{"query-sale", QueryKindId::Sale},
          std::pair{"query-purt", QueryKindId::PurchaseReturn},
          std::pair{"query-salet", QueryKindId::SaleReturn},
          std::pair{"query-db", QueryKindId::Transfer},
          std::pair{"query-bsby", QueryKindId::LossOverflow}}) {
        const QueryKind& query = queryKind(kind);
        reads.push_back({id, query.caption + QStringLiteral(" 一个月"), &d.QueryOrder,
                         query.listStatement(QString()), period});
    }
    reads.push_back(
        {"document-lines",
         "单据明细 一张销售单",
         &d.QueryOrderDetails,
         QStringLiteral("SELECT OrderSaleD.prodID,prodBH,prodName,type,unitName,price,pcount,"
                        "sumMoney,OrderSaleD.remark,field1,field2,company FROM OrderSaleD,Fproduct "
                        "WHERE OrderSaleD.prodID=Fproduct.prodID AND OrderSaleD.orderID=:orderID"),
         {{"orderID", sale}}});
    Binds composite = period;
    composite.emplace_back("orderID", QStringLiteral("%"));
    reads.push_back({"composite", "单据综合查询 一个月", &d.QueryOrder,
                     QStringLiteral("SELECT orderID,empName,orderType,optDate FROM VOrder WHERE "
                                    "optDate>=:optDate1 AND optDate<=:optDate2 AND orderID "
                                    "LIKE:orderID ORDER BY optDate DESC"),
                     composite});
    reads.push_back({"composite-lines",
                     "单据综合查询 一张单据明细",
                     &d.QueryOrderDetails,
                     QStringLiteral("SELECT prodBH,prodName,type,unitName,price,pcount,sumMoney,"
                                    "remark FROM VorderDetail WHERE orderID=:orderID"),
                     {{"orderID", purchase}}});
    const QString fragment = QStringLiteral("杭州");
    for (const auto& [id, kind] : {std::pair{"stats-pur", TradeStatsKindId::Purchase},
                                   std::pair{"stats-sale", TradeStatsKindId::Sale}}) {
        Binds binds = period;
        binds.emplace_back("compName", likePattern(fragment));
        reads.push_back({id, tradeStatsKind(kind).caption + QStringLiteral(" 一个月 名称片段"),
                         &d.QueryOrder, tradeStatsKind(kind).listStatement(fragment), binds});
    }
    reads.push_back({"sales-analysis", "商品销售分析 一个月", &d.QueryOrderDetails,
                     productSalesStatement(QString()), period, true});
    return reads;
}
