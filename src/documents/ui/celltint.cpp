#include "documents/ui/celltint.h"

#include "core/numbers.h"

CellTint::CellTint(QColor colour, Test when, QObject* parent)
    : QStyledItemDelegate(parent), colour_(colour), when_(when) {}

bool CellTint::negative(const QString& shown) {
    const auto value = numbers::toDecimalOrZero(shown.trimmed());
    return value && value->isNegative();
}

bool CellTint::nonZero(const QString& shown) {
    const auto value = numbers::toDecimalOrZero(shown.trimmed());
    return value && !value->isZero();
}

void CellTint::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (when_(option->text))
        option->palette.setColor(QPalette::Text, colour_);
}

void PriceCell::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const auto price = numbers::toDecimalOrZero(option->text.trimmed());
    option->text = numbers::money(price.value_or(Decimal()));
    option->features |= QStyleOptionViewItem::HasDisplay;
    option->palette.setColor(QPalette::Text, Qt::blue);
}

QStyleOptionViewItem CellTint::drawn(const QModelIndex& index) const {
    QStyleOptionViewItem option;
    initStyleOption(&option, index);
    return option;
}

QStyleOptionViewItem PriceCell::drawn(const QModelIndex& index) const {
    QStyleOptionViewItem option;
    initStyleOption(&option, index);
    return option;
}
