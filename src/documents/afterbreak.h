#pragma once

#include "core/transaction.h"
#include "documents/posting.h"

#include <functional>

class TQuery;

namespace documents {

// Whether a write cut off by a lost connection to the server got through, as ask reads the
// book with the query it is given: the first statement after the break opens a new session.
// Unknown when the book cannot be read either.
Found askAfterBreak(const std::function<Found(TQuery&)>& ask);
// What the server says became of the cut-off transaction, as Found: its own work got through
// (Ours), was rolled back (Absent), or cannot be known yet (Unknown).
Found foundAfterBreak(transactions::Fate fate);

} // namespace documents
