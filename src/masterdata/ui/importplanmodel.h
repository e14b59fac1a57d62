#pragma once

#include "masterdata/importkind.h"

#include <QAbstractTableModel>

// The rows of an import as a table: the row number in the sheet, the reason a row cannot be
// stored (beside the number, so that it is seen without scrolling), then the values as they
// will be stored; bad rows on a tinted background.
class ImportPlanModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setPlan(const ImportPlan* plan);
    // The column that holds the reasons.
    int reasonColumn() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ImportPlan* plan_ = nullptr;
};
