#pragma once

#include <QStyledItemDelegate>

class QTableView;

// Draws money at the cell's right edge, as every figure is, a negative amount in red.
class MoneyDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

// Puts a MoneyDelegate on the view's column.
void drawMoney(QTableView& view, int column);
