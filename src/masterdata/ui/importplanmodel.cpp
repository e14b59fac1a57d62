#include "masterdata/ui/importplanmodel.h"

#include <QColor>

void ImportPlanModel::setPlan(const ImportPlan* plan) {
    beginResetModel();
    plan_ = plan;
    endResetModel();
}

int ImportPlanModel::reasonColumn() const {
    return 1;
}

int ImportPlanModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !plan_ ? 0 : int(plan_->rows.size());
}

int ImportPlanModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() || !plan_ ? 0 : int(plan_->columns.size()) + 2;
}

QVariant ImportPlanModel::data(const QModelIndex& index, int role) const {
    if (!plan_ || !index.isValid())
        return {};
    const ImportRow& row = plan_->rows[std::size_t(index.row())];
    const int column = index.column();
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        if (column == 0)
            return row.line;
        if (column == reasonColumn())
            return row.reason;
        return row.values.value(column - 2);
    }
    if (role == Qt::BackgroundRole && !row.ok())
        return QColor(255, 226, 222);
    if (role == Qt::ForegroundRole && !row.ok() && column == reasonColumn())
        return QColor(176, 0, 0);
    return {};
}

QVariant ImportPlanModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (section == 0)
        return QStringLiteral("行号");
    if (section == reasonColumn())
        return QStringLiteral("问题");
    return plan_ ? plan_->columns[std::size_t(section - 2)].heading : QVariant();
}
