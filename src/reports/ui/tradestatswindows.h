#pragma once

#include "reports/tradestatskind.h"
#include "reports/ui/tfrmtradestats.h"

// The purchase and the sale statistics: one design, each named by its class.

class TfrmTjSupplier : public TfrmTradeStats {
    Q_OBJECT
public:
    explicit TfrmTjSupplier(QWidget* parent = nullptr)
        : TfrmTradeStats(tradeStatsKind(TradeStatsKindId::Purchase), parent) {}
};

class TfrmTjSale : public TfrmTradeStats {
    Q_OBJECT
public:
    explicit TfrmTjSale(QWidget* parent = nullptr)
        : TfrmTradeStats(tradeStatsKind(TradeStatsKindId::Sale), parent) {}
};
