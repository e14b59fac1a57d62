#pragma once

#include "documents/ui/tfrmtradedocument.h"

// The four trade document windows: one design, each named by its class.

class TfrmPurIn : public TfrmTradeDocument {
    Q_OBJECT
public:
    TfrmPurIn(TfrmFindProduct& products, TfrmFindComp& comps, TfrmPrintView& preview,
              QWidget* parent = nullptr)
        : TfrmTradeDocument(tradeKind(TradeKindId::Purchase), products, comps, preview, parent) {}
};

class TfrmPurRet : public TfrmTradeDocument {
    Q_OBJECT
public:
    TfrmPurRet(TfrmFindProduct& products, TfrmFindComp& comps, TfrmPrintView& preview,
               QWidget* parent = nullptr)
        : TfrmTradeDocument(tradeKind(TradeKindId::PurchaseReturn), products, comps, preview,
                            parent) {}
};

class TfrmSale : public TfrmTradeDocument {
    Q_OBJECT
public:
    TfrmSale(TfrmFindProduct& products, TfrmFindComp& comps, TfrmPrintView& preview,
             QWidget* parent = nullptr)
        : TfrmTradeDocument(tradeKind(TradeKindId::Sale), products, comps, preview, parent) {}
};

class TfrmSaleT : public TfrmTradeDocument {
    Q_OBJECT
public:
    TfrmSaleT(TfrmFindProduct& products, TfrmFindComp& comps, TfrmPrintView& preview,
              QWidget* parent = nullptr)
        : TfrmTradeDocument(tradeKind(TradeKindId::SaleReturn), products, comps, preview, parent) {}
};
