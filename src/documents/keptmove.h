#pragma once

#include "core/numbers.h"

#include <QString>

// The statement that moves a kept total (a product's stock, a counterpart's balance) by a bound
// amount, "UPDATE table SET column=column+:column WHERE key=:key" (or "-"), with a total that
// comes within numbers::kHalfAMillionth of nothing written as 0: a hair of binary fractions
// would show in the lists and be taken for stock when the product is deleted.
inline QString keptMove(const QString& table, const QString& column, QChar sign,
                        const QString& key) {
    const QString moved = column + sign + u':' + column;
    return QStringLiteral("UPDATE %1 SET %2=CASE WHEN abs(%3)<%5 THEN 0 ELSE %3 END WHERE %4=:%4")
        .arg(table, column, moved, key, QString::number(numbers::kHalfAMillionth, 'f', 7));
}
