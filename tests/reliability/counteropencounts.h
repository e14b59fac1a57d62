#pragma once

// The counts the counters left open, against the count lines they reported: every count in
// the book was opened by a line reported done or cut off, and holds, per product, the last
// quantities reported done for it (a second count of a product replaces its line), or those of
// a later line cut off; no line refused, none of another count, none of a count corrected.
#include "reliability/counterlog.h"

namespace counters {

// Every fault found in the open counts of the book in sysData.
QStringList openCountFaults(const std::vector<Operation>& operations);

} // namespace counters
