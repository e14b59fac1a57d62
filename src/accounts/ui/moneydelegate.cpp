#include "accounts/ui/moneydelegate.h"

#include <QTableView>

void MoneyDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    // A selected row keeps its highlighted text: red on the highlight would hardly read.
    if (option->text.startsWith(QStringLiteral("￥-")))
        option->palette.setColor(QPalette::Text, Qt::red);
}

void drawMoney(QTableView& view, int column) {
    view.setItemDelegateForColumn(column, new MoneyDelegate(&view));
}
