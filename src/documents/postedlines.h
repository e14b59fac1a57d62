#pragma once

#include "documents/documentlines.h"

#include <QString>

class TQuery;

namespace documents {

// Both take as lines the rows with text in the grid column lineTestColumn.

// Writes the lines as the grid holds them, amounts included (nothing is computed), with the
// statement (its parameters: orderID, prodID, price, pcount, sumMoney, remark), in one go.
void insertLines(TQuery& q, const QString& statement, const QString& code,
                 const DocumentLines& lines, int lineTestColumn);

// Moves each line's product stock by its quantity with the statement (its parameters:
// prodID, sumCount), in one go.
void moveStock(TQuery& q, const QString& statement, const DocumentLines& lines, int lineTestColumn);

} // namespace documents
