#pragma once

#include "core/decimal.h"

#include <QString>
#include <utility>
#include <vector>

class TQuery;

// A running total moved by a relative update "UPDATE T SET c=c+:p WHERE k=:k" (or "-", the
// sum perhaps written as 0 when within half a millionth of it, documents/keptmove.h), as the
// posting statements of the kind tables write it.
struct RelativeUpdate {
    QString table;
    QString column;
    QString key;
    int sign = 1; // +1 when the statement adds its amount, -1 when it subtracts it

    // Reads the statement; throws std::logic_error for any other form.
    static RelativeUpdate parse(const QString& statement);

    // Takes back what the statement did with this amount to the row with this key: the total
    // is read, the amount taken off in decimals and the result written back to 15 significant
    // digits, so that a posting followed by its undoing leaves the total as it was even where
    // binary fractions drifted (0.1 + 0.3 − 0.1). The row is held from the read to the write
    // (core/rowlock.h). A missing row is left alone.
    void undo(TQuery& query, const QString& keyValue, const Decimal& amount) const;
    // The same for each key and amount in turn. Rows of different keys are held, read and
    // written together (in key order, as every counter holds them): a round trip each, not
    // three a row.
    void undoEach(TQuery& query, const std::vector<std::pair<QString, Decimal>>& amounts) const;
};
