#include "reports/productsales.h"

#include "core/dates.h"
#include "core/query.h"
#include "core/sqltext.h"

QString productSalesStatement(const QString& nameKey) {
    return QStringLiteral(
               "SELECT prodBH,prodName,type,unitName,inprice,sumCount,sum(pcount)as sc,"
               "sum(sumMoney) as sm, (sum(sumMoney)-inprice*sum(pcount)) AS je FROM VSaleOrderD "
               "WHERE optDate>=:optDate1 AND optDate<=:optDate2 AND %1 "
               "GROUP BY prodBH,prodName,type,unitName,inprice,sumCount")
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
