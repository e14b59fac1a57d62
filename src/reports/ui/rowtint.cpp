#include "reports/ui/rowtint.h"

RowTint::RowTint(std::function<bool(int row)> red, std::map<int, Qt::Alignment> alignments,
                 QObject* parent)
    : QStyledItemDelegate(parent), red_(std::move(red)), alignments_(std::move(alignments)) {}

Qt::Alignment RowTint::alignment(const QModelIndex& index) const {
    const auto own = alignments_.find(index.column());
    if (own != alignments_.end())
        return own->second;
    return Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
}

void RowTint::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->displayAlignment = alignment(index);
    if (isRed(index)) {
        option->palette.setColor(QPalette::Text, Qt::red);
        option->palette.setColor(QPalette::HighlightedText, QColor(255, 200, 200));
    }
}
