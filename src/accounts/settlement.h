#pragma once

#include "accounts/amounts.h"

#include <QString>

namespace accounts {

// Settles part or all of a counterpart's outstanding balance: the balance of the supplier
// (kind "1") or customer (any other kind) drops by the amount, exactly. Nothing else is
// recorded: the journal already carried the document's whole amount when it was posted.
// A negative amount raises the balance, so a negative balance (an advance) settles to 0.
// Reports "结算成功！" when a row changed; refuses a non-number with a message and writes
// nothing. A settlement cut off by a lost connection cannot be told done or not (Broken).
Write settleBalance(const QString& kind, const QString& compID, const QString& amount);

// As settleBalance, for a window that showed the balance: the balance is compared, on the
// counterpart held, with the one shown. When another counter has moved it meanwhile the person
// is told the balance now, shown becomes it, and nothing is written (Outdated); a counterpart
// removed meanwhile is Outdated too, with its own message. When the connection to the server
// breaks on the way, the balance is read again on a new session: lowered by the amount, the
// settlement is reported done (Done); still the one shown, not made; otherwise, or when it
// cannot be read, not known (both Broken, with their messages).
Write settleShownBalance(const QString& kind, const QString& compID, const QString& amount,
                         QString& shown);

} // namespace accounts
