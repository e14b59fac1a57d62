#pragma once

#include <QString>

#include <initializer_list>

class DocumentGrid;
class QComboBox;
class TQuery;

// The drop-down lists of a document header.
namespace documents {

// LoadHouse: "SELECT houseID,houseName FROM Fhouse" in the slot, which stays open as the
// list's source; the box lists houseName and yields houseID. A warehouse chosen earlier stays
// chosen; the first time none is.
void loadHouses(QComboBox& box, TQuery& slot);
// The houseID of the chosen warehouse, empty when none is chosen.
QString chosenHouseID(const QComboBox& box);

// LoadJBR: the employee names as the list of an editable box; its text stays as it was.
void loadEmployees(QComboBox& box);

// Where a document window starts the person when shown: the first of its warehouse boxes that
// has no choice yet, else the grid's next free line; not the first box, the printed title,
// where a code typed by hand became the title and its Enter pressed 保存.
void startWhereNeeded(std::initializer_list<QComboBox*> houseBoxes, DocumentGrid& grid);

} // namespace documents
