#pragma once

#include <QString>

// The statement that moves a kept total (a product's stock, a counterpart's balance) by a bound
// amount, "UPDATE table SET column=column+:column WHERE key=:key" (or "-"), with a total that
// comes within half a millionth of nothing written as 0: quantities and amounts are kept to the
// millionth, and added as binary fractions 30.3 − 10.1 − 20.2 leave 3.55E-15, shown in the
// lists and taken for stock when the product is deleted.
inline QString keptMove(const QString& table, const QString& column, QChar sign,
                        const QString& key) {
    const QString moved = column + sign + u':' + column;
    return QStringLiteral("UPDATE %1 SET %2=CASE WHEN abs(%3)<0.0000005 THEN 0 ELSE %3 END "
                          "WHERE %4=:%4")
        .arg(table, column, moved, key);
}
