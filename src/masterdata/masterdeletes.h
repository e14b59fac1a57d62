#pragma once

#include <QString>
#include <optional>

struct CounterpartKind;

// Deleting warehouses, suppliers, customers and employees. Each deletes inside one writing
// transaction on the row held against every other counter, the check its window made before
// asking made again there; a refusal (that check, or the row removed meanwhile) is told to the
// person and deletes nothing: nullopt. Otherwise the rows deleted.
namespace masterdeletes {

inline const QString kHouseHoldsStock = QStringLiteral("此仓库存在商品信息，不能删除！");

// Whether any stock row names the warehouse.
bool houseHoldsStock(const QString& houseID);

std::optional<int> house(const QString& houseID);
// Refuses the protected row and a balance other than 0 to the cent, each with its message.
std::optional<int> counterpart(const CounterpartKind& kind, const QString& compID);
std::optional<int> employee(const QString& empID);

} // namespace masterdeletes
