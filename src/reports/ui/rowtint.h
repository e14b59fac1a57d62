#pragma once

#include <QStyledItemDelegate>
#include <functional>
#include <map>

// Draws a list's rows in red where the predicate says so, and some columns with their own
// alignment.
class RowTint : public QStyledItemDelegate {
    Q_OBJECT
public:
    RowTint(std::function<bool(int row)> red, std::map<int, Qt::Alignment> alignments,
            QObject* parent);

    bool isRed(const QModelIndex& index) const { return red_(index.row()); }
    Qt::Alignment alignment(const QModelIndex& index) const;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    std::function<bool(int)> red_;
    std::map<int, Qt::Alignment> alignments_;
};
