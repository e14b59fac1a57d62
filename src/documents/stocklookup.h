#pragma once

#include <QString>

class TQuery;

// The stock window's list: the global stock of Fproduct, or with a warehouse the stock the
// documents left in it (VInveHouse), each joined with its category.
namespace stocklookup {

// An empty cateID is every category, an empty houseID every warehouse.
void loadStock(TQuery& slot, const QString& cateID, const QString& houseID);

} // namespace stocklookup
