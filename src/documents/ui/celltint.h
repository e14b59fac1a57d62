#pragma once

#include <QColor>
#include <QStyledItemDelegate>

// Draws a list column's cells in a colour when their shown text passes a test: negative
// stock in red, a count's non-zero difference in red.
class CellTint : public QStyledItemDelegate {
    Q_OBJECT
public:
    using Test = bool (*)(const QString& shown);
    CellTint(QColor colour, Test when, QObject* parent);

    static bool negative(const QString& shown);
    static bool nonZero(const QString& shown);

    // How a cell is drawn: its text and colours.
    QStyleOptionViewItem drawn(const QModelIndex& index) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    QColor colour_;
    Test when_;
};

// Draws a price as "￥" and two decimals in blue; an empty price reads as ￥0.00.
class PriceCell : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QStyleOptionViewItem drawn(const QModelIndex& index) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
