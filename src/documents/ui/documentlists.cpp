#include "documents/ui/documentlists.h"

#include "core/query.h"
#include "documents/documentheader.h"
#include "documents/ui/documentgrid.h"

#include <QComboBox>

namespace documents {

void loadHouses(QComboBox& box, TQuery& slot) {
    const QString chosen = chosenHouseID(box);
    const QSignalBlocker quiet(box);
    box.clear();
    slot.load(QStringLiteral("SELECT houseID,houseName FROM Fhouse"));
    slot.open();
    for (; !slot.eof(); slot.next())
        box.addItem(slot.field(u"houseName").asText(), slot.field(u"houseID").asText());
    slot.first();
    box.setCurrentIndex(chosen.isEmpty() ? -1 : box.findData(chosen));
}

QString chosenHouseID(const QComboBox& box) {
    return box.currentIndex() < 0 ? QString() : box.currentData().toString();
}

void loadEmployees(QComboBox& box) {
    const QString typed = box.currentText();
    const QSignalBlocker quiet(box);
    box.clear();
    box.addItems(employeeNames());
    box.setEditText(typed);
}

void startWhereNeeded(std::initializer_list<QComboBox*> houseBoxes, DocumentGrid& grid) {
    for (QComboBox* box : houseBoxes)
        if (box->currentIndex() < 0) {
            box->setFocus();
            return;
        }
    grid.goToFreeLine();
}

} // namespace documents
