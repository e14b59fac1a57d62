#pragma once

#include "reports/querykind.h"
#include "reports/ui/tfrmorderquery.h"

// The six document query windows: one design, each named by its class.

class TfrmTjPurQ : public TfrmOrderQuery {
    Q_OBJECT
public:
    explicit TfrmTjPurQ(QWidget* parent = nullptr)
        : TfrmOrderQuery(queryKind(QueryKindId::Purchase), parent) {}
};

class TfrmOrderSaleQ : public TfrmOrderQuery {
    Q_OBJECT
public:
    explicit TfrmOrderSaleQ(QWidget* parent = nullptr)
        : TfrmOrderQuery(queryKind(QueryKindId::Sale), parent) {}
};

class TfrmOrderPurTQ : public TfrmOrderQuery {
    Q_OBJECT
public:
    explicit TfrmOrderPurTQ(QWidget* parent = nullptr)
        : TfrmOrderQuery(queryKind(QueryKindId::PurchaseReturn), parent) {}
};

class TfrmOrderSaleTQ : public TfrmOrderQuery {
    Q_OBJECT
public:
    explicit TfrmOrderSaleTQ(QWidget* parent = nullptr)
        : TfrmOrderQuery(queryKind(QueryKindId::SaleReturn), parent) {}
};

class TfrmOrderDBQ : public TfrmOrderQuery {
    Q_OBJECT
public:
    explicit TfrmOrderDBQ(QWidget* parent = nullptr)
        : TfrmOrderQuery(queryKind(QueryKindId::Transfer), parent) {}
};

class TfrmOrderBsbyQ : public TfrmOrderQuery {
    Q_OBJECT
public:
    explicit TfrmOrderBsbyQ(QWidget* parent = nullptr)
        : TfrmOrderQuery(queryKind(QueryKindId::LossOverflow), parent) {}
};
