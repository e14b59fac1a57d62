#pragma once

#include "core/decimal.h"
#include "documents/tradedocument.h"

#include <QDate>
#include <QString>
#include <tuple>
#include <utility>
#include <vector>

// A warehouse or a counterpart as a document window holds it: its key and its name.
using Named = std::pair<long long, QString>;
// A line as it is typed: the product's key, the price and the quantity.
using TypedLine = std::tuple<long long, QString, QString>;

// A trade document as its window holds it when saved: dated 2026-03-15, handled by 张三, each
// line with its amount to the cent, their total due and nothing settled.
inline TradeDocument tradeDocument(const QString& code, const Named& house,
                                   const Named& counterpart, const std::vector<TypedLine>& lines) {
    TradeDocument d;
    d.houseID = QString::number(house.first);
    d.houseName = house.second;
    d.orderCode = code;
    d.compID = QString::number(counterpart.first);
    d.compName = counterpart.second;
    d.empName = QStringLiteral("张三");
    d.date = QDate(2026, 3, 15);
    int row = 1;
    for (const auto& [product, price, quantity] : lines) {
        d.cell(row, 1) = QString::number(product);
        d.cell(row, 2) = QStringLiteral("BH");
        d.cell(row, 6) = price;
        d.cell(row, 7) = quantity;
        const Decimal amount = (*Decimal::parse(price) * *Decimal::parse(quantity)).cents();
        d.cell(row, 8) = amount.toString();
        d.runningTotal += amount;
        ++row;
    }
    d.sumMoney = d.runningTotal.cents().toString();
    return d;
}
