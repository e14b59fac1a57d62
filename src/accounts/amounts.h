#pragma once

#include "core/decimal.h"

#include <QString>
#include <optional>

namespace accounts {

// What a write came to: a row written or changed, none matched, refused before writing (what
// was typed), outdated: refused because another counter changed or removed what the window
// showed, or broken: the connection to the server broke and the write was not made or cannot
// be told to have been; the person has been told.
enum class Write { Done, NoRow, Refused, Outdated, Broken };

// The exact value of an amount box's trimmed text, empty text reading as 0. A text that is
// no number (or too large for an amount: beyond numbers::fitsTheBook) shows the refusal
// message and gives nothing, so that it never reaches a statement.
std::optional<Decimal> amountOf(const QString& text, const QString& refusal);

} // namespace accounts
