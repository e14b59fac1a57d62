#pragma once

#include "masterdata/ui/productbrowser.h"

// What differs between the two price lookups: the caption and the price shown.
struct PriceLookupKind {
    QString caption;
    QString priceField; // inprice or outprice
    QString priceTitle;
};

// A read-only list of each product's current purchase or sale price, browsed like the
// product picker. Nothing is listed on showing until a node is chosen or a search runs.
class TfrmPriceLookup : public ProductBrowser {
    Q_OBJECT
protected:
    TfrmPriceLookup(const PriceLookupKind& kind, QWidget* parent);

    void FormShow() override;
};

// "查询商品进货价格": the purchase prices.
class TfrmPInP : public TfrmPriceLookup {
    Q_OBJECT
public:
    explicit TfrmPInP(QWidget* parent = nullptr);
};

// "查询商品销售价格": the sale prices.
class TfrmPoutP : public TfrmPriceLookup {
    Q_OBJECT
public:
    explicit TfrmPoutP(QWidget* parent = nullptr);
};
