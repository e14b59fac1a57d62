#include "reports/productsales.h"

#include "core/dates.h"
#include "core/query.h"
#include "core/sqltext.h"

QString productSalesStatement(const QString& nameKey) {
    // One row per product: the month's lines are summed by product first and only then joined
    // with it, so that two products alike in code, name, type, unit, price and stock stay two
    // rows, and the grouping sorts the lines by a number instead of six columns of text. The
    // products are listed in the order they were added, on either engine.
    return QStringLiteral(
               "SELECT prodBH,prodName,type,unitName,inprice,sumCount,sc,sm,(sm-inprice*sc) AS je "
               "FROM (SELECT d.prodID,sum(d.pcount) AS sc,sum(d.sumMoney) AS sm FROM OrderSaleD d "
               "JOIN OrderSale h ON h.orderID=d.orderID WHERE h.optDate>=:optDate1 AND "
               "h.optDate<=:optDate2 GROUP BY d.prodID ORDER BY d.prodID) t "
               "JOIN Fproduct p ON p.prodID=t.prodID WHERE %1")
        .arg(searchCondition(QStringLiteral("prodName"), nameKey));
}

void loadProductSales(TQuery& query, const QDate& from, const QDate& to, const QString& key) {
    query.load(productSalesStatement(key));
    query.bind(u"optDate1", dates::text(from));
    query.bind(u"optDate2", dates::text(to));
    bindSearch(query, QStringLiteral("prodName"), key);
    query.open();
}

Decimal productProfit(double amount, double quantity, double price) {
    // Line amounts are whole cents and quantities carry few decimals, so the REAL sums are
    // brought back to what they stand for before the exact product is taken.
    const Decimal sold = Decimal::fromDouble(amount).cents();
    const Decimal count = Decimal::fromDouble(quantity).rounded(9);
    return (sold - Decimal::fromDouble(price) * count).cents();
}
