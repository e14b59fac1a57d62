#include "masterdata/masterdeletes.h"

#include "core/numbers.h"
#include "masterdata/counterpartkind.h"
#include "masterdata/masterrows.h"

namespace masterdeletes {

bool houseHoldsStock(const QString& houseID) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT * FROM Vinvepc WHERE houseID=:houseID LIMIT 1"));
    q.bind(u"houseID", houseID);
    q.open();
    const bool holds = !q.eof();
    q.close();
    return holds;
}

std::optional<int> house(const QString& houseID) {
    // A document posted into the warehouse holds it referenced (documents/heldrows.h): once
    // held here, no new stock can arrive before the deletion.
    return masterrows::writeChecked([&] {
        return masterrows::deleteHeld(sysData->QueryCommon, masterrows::kHouse, houseID,
                                      [&](TQuery&) {
                                          if (houseHoldsStock(houseID))
                                              throw Refusal(kHouseHoldsStock);
                                      });
    });
}

std::optional<int> counterpart(const CounterpartKind& kind, const QString& compID) {
    // Postings and settlements move the balance on the held row, so it cannot move between
    // this look and the deletion.
    return masterrows::writeChecked([&] {
        return masterrows::deleteHeld(sysData->QueryCommon, kind.rows(), compID, [&](TQuery& q) {
            q.load(QStringLiteral("SELECT compName,exchMoney FROM %1 WHERE compID=:compID")
                       .arg(kind.table));
            q.bind(u"compID", compID);
            q.open();
            const QString name = q.field(u"compName").asText();
            const double balance = q.field(u"exchMoney").asFloat();
            q.close();
            if (name == kind.casualName)
                throw Refusal(kind.casualOnDeleteText());
            if (!numbers::isZeroToTheCent(balance))
                throw Refusal(kind.openBalanceText(name));
        });
    });
}

std::optional<int> employee(const QString& empID) {
    return masterrows::writeChecked([&] {
        return masterrows::deleteHeld(sysData->QueryCommon, masterrows::kEmployee, empID,
                                      [](TQuery&) {});
    });
}

} // namespace masterdeletes
