#pragma once

#include "core/decimal.h"
#include "documents/tradeposting.h"

#include <QDate>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

// A book with a warehouse, two products, a supplier and a customer, on which trade documents
// are posted through the procedure the document windows call.
template <class Fixture> class PostedBook : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        house = this->addHouse("总库");
        pen = this->addProduct("笔");
        ink = this->addProduct("墨");
        supplier = this->addSupplier("甲公司");
        customer = this->addCustomer("乙商店");
    }

    // Posts a document of lines of (product, price, quantity) with the amount settled.
    void post(TradeKindId id, const QString& code,
              std::vector<std::tuple<long long, QString, QString>> lines, const QString& settled) {
        const TradeKind& kind = tradeKind(id);
        TradeDocument d;
        d.houseName = "总库";
        d.houseID = QString::number(house);
        d.orderCode = code;
        const bool suppliers = kind.counterpartMode == "1";
        d.compID = QString::number(suppliers ? supplier : customer);
        d.compName = suppliers ? "甲公司" : "乙商店";
        d.date = QDate(2026, 3, 15);
        int row = 1;
        for (const auto& [product, price, quantity] : lines) {
            d.cell(row, 1) = QString::number(product);
            d.cell(row, 2) = "BH";
            d.cell(row, 6) = price;
            d.cell(row, 7) = quantity;
            const Decimal amount = (*Decimal::parse(price) * *Decimal::parse(quantity)).cents();
            d.cell(row, 8) = amount.toString();
            d.runningTotal += amount;
            ++row;
        }
        d.sumMoney = d.runningTotal.cents().toString();
        d.money = settled;
        this->messages_.answerOk();
        ASSERT_EQ(postTradeDocument(kind, d), PostResult::Posted);
    }

    long long house = 0, pen = 0, ink = 0, supplier = 0, customer = 0;
};
