#pragma once

#include "core/ui/slotmodel.h"

class QTableView;

// A read-only grid over a slot whose cells a report draws itself: amounts in red, centred
// texts, figures computed from the row. The current row follows the selection.
class ReportModel : public SlotModel {
    Q_OBJECT
public:
    using SlotModel::SlotModel;
    // Puts the model into the view with the settings every list grid has.
    void showIn(QTableView& view);
};

// The journal rows behind a business figure: the amount drawn as money, a negative one in
// red without its minus sign; the kind and the handler centred.
class JournalDetailModel : public ReportModel {
    Q_OBJECT
public:
    JournalDetailModel(TQuery& query, QObject* parent);
    QVariant data(const QModelIndex& index, int role) const override;
};

// The product sales analysis: the profit column is computed to the cent from the row.
class ProductSalesModel : public ReportModel {
    Q_OBJECT
public:
    ProductSalesModel(TQuery& query, QObject* parent);
    QVariant data(const QModelIndex& index, int role) const override;
};
