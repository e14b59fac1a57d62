#pragma once

#include "reports/querykind.h"
#include "reports/ui/tfrmorderquery.h"

// The six document query windows: one design, each named by its class.

class TfrmTjPurQ : public TfrmOrderQuery {
    Q_OBJECT
public:
    explicit TfrmTjPurQ(TfrmPrintView* preview = nullptr, QWidget* parent = nullptr)
        : TfrmOrderQuery(queryKind(QueryKindId::Purchase), preview, parent) {}
};

class TfrmOrderSaleQ : public TfrmOrderQuery {
    Q_OBJECT
public:
    explicit TfrmOrderSaleQ(TfrmPrintView* preview = nullptr, QWidget* parent = nullptr)
        : TfrmOrderQuery(queryKind(QueryKindId::Sale), preview, parent) {}
};

class TfrmOrderPurTQ : public TfrmOrderQuery {
    Q_OBJECT
public:
    explicit TfrmOrderPurTQ(TfrmPrintView* preview = nullptr, QWidget* parent = nullptr)
        : TfrmOrderQuery(queryKind(QueryKindId::PurchaseReturn), preview, parent) {}
};

class TfrmOrderSaleTQ : public TfrmOrderQuery {
    Q_OBJECT
public:
    explicit TfrmOrderSaleTQ(TfrmPrintView* preview = nullptr, QWidget* parent = nullptr)
        : TfrmOrderQuery(queryKind(QueryKindId::SaleReturn), preview, parent) {}
};

class TfrmOrderDBQ : public TfrmOrderQuery {
    Q_OBJECT
public:
    explicit TfrmOrderDBQ(QWidget* parent = nullptr)
        : TfrmOrderQuery(queryKind(QueryKindId::Transfer), nullptr, parent) {}
};

class TfrmOrderBsbyQ : public TfrmOrderQuery {
    Q_OBJECT
public:
    explicit TfrmOrderBsbyQ(QWidget* parent = nullptr)
        : TfrmOrderQuery(queryKind(QueryKindId::LossOverflow), nullptr, parent) {}
};
