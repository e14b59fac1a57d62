#pragma once

#include "accounts/amounts.h"

#include <QString>

namespace accounts {

// Settles part or all of a counterpart's outstanding balance: the balance of the supplier
// (kind "1") or customer (any other kind) drops by the amount, exactly. Nothing else is
// recorded: the journal already carried the document's whole amount when it was posted.
// A negative amount raises the balance, so a negative balance (an advance) settles to 0.
// Reports "结算成功！" when a row changed; refuses a non-number with a message and writes
// nothing.
Write settleBalance(const QString& kind, const QString& compID, const QString& amount);

// As settleBalance, for a window that showed the balance: the balance is compared, on the
// counterpart held, with the one shown. When another counter has moved it meanwhile the person
// is told the balance now, shown becomes it, and nothing is written (Outdated); a counterpart
// removed meanwhile is Outdated too, with its own message.
Write settleShownBalance(const QString& kind, const QString& compID, const QString& amount,
                         QString& shown);

} // namespace accounts
