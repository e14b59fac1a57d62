#pragma once

#include "core/decimal.h"

#include <QString>
#include <optional>

// The number texts of the program: one rule for reading what a user typed, one form for
// writing a number back, one for showing it.
namespace numbers {

// True when the text follows the number rule (no blanks, no thousands separators).
bool isNumber(QStringView text);
// True for the texts a person types on the way to a number by the rule: "", "-", ".", "-.",
// "1.", "1e", "1e-" and every number itself. A box holding one waits until the person leaves
// it before judging it.
bool isOnTheWayToNumber(QStringView text);
// The text as a double, or nothing when it is not a number or not finite.
std::optional<double> toFloat(QStringView text);
// Like toFloat, but empty or blank text reads as 0 (the screens' rule for empty boxes).
std::optional<double> toFloatOrZero(QStringView text);
// Exact value of a typed text; empty or blank text is 0; nothing for a non-number.
std::optional<Decimal> toDecimalOrZero(QStringView text);
// The text with the wide forms a Chinese input method or a pasted text brings into a number
// (１２．５, －３, 12。5, the wide blank) written as the digits, signs and point they stand for.
QString narrowed(const QString& text);

// A kept total (a stock, a balance) nearer nothing than this is nothing: quantities and amounts
// are kept to the millionth, and added as binary fractions 30.3 − 10.1 − 20.2 leave 3.55E-15.
// The statements that move a total, the voiding that takes it back and the stock check of a
// product's deletion all take it so.
inline constexpr double kHalfAMillionth = 0.0000005;

// True when the book can carry the value in its running totals: below 10^12 in magnitude.
// The totals per warehouse and per account are kept in millionths in 64-bit integers, which
// end near 9.2·10^12; beyond that a total would be cut short without a word. The schema
// holds the same limit on document lines and journal amounts.
bool fitsTheBook(const Decimal& value);

// True when a stored balance shows as 0.00: balances kept by adding binary fractions may miss
// 0 by far less than a cent (0.1 + 0.2 - 0.3 leaves 5.55e-17), and such a balance is no debt.
bool isZeroToTheCent(double value);

// Shortest form with at most 15 significant digits: 12.5, 3, -0.25.
QString floatToStr(double value);
// Exactly two decimals, no thousands separator, halves to even: "0.00".
QString fixed2(double value);
QString fixed2(const Decimal& value);
// How money is shown: a number text with exactly two decimals (12.5 as 12.50, -3 as -3.00,
// halves to even), any other text as it is.
QString fixed2(const QString& text);
// How a price is shown: as money when it has no more than cents (12.5 as 12.50), with all its
// decimals when it has more (0.125), so that price times quantity is the amount beside it; any
// other text as it is.
QString priceText(const QString& text);
// "￥" followed by fixed2.
QString money(double value);
QString money(const Decimal& value);
// The value rounded to cents with ties to even on its exact decimal value.
double roundCents(double value);

} // namespace numbers
