#pragma once

#include "core/decimal.h"

#include <QDate>
#include <QString>

class TQuery;

// Opens, per product sold between the two days (both included) whose name contains the key,
// the quantity sold (sc), the amount sold (sm) and the profit on it (je) at the product's
// current purchase price.
void loadProductSales(TQuery& query, const QDate& from, const QDate& to, const QString& key);
// Its statement: binds optDate1, optDate2 and, for a name typed, prodName (bindSearch).
QString productSalesStatement(const QString& nameKey);

// The profit to the cent: the amount sold (sm) minus the purchase price times the quantity
// sold (sc), computed exactly rather than in the engine's floating point.
Decimal productProfit(double amount, double quantity, double price);
