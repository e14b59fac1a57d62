#pragma once

#include "documents/tradeposting.h"
#include "support/tradedocuments.h"

#include <gtest/gtest.h>
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
    void post(TradeKindId id, const QString& code, const std::vector<TypedLine>& lines,
              const QString& settled) {
        const TradeKind& kind = tradeKind(id);
        const bool suppliers = kind.counterpartMode == "1";
        TradeDocument d =
            tradeDocument(code, {house, "总库"},
                          suppliers ? Named{supplier, "甲公司"} : Named{customer, "乙商店"}, lines);
        d.money = settled;
        this->messages_.answerOk();
        ASSERT_EQ(postTradeDocument(kind, d), PostResult::Posted);
    }

    long long house = 0, pen = 0, ink = 0, supplier = 0, customer = 0;
};
