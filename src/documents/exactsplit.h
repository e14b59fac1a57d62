#pragma once

#include <QString>
#include <optional>

// The books check sums exactly: each value is split into its whole units and its millionths,
// and both are summed as integers (the book's totals count in millionths too). A double holds
// 15 significant digits: from 10^9 on, the millionths are rounded to the digits it has, as the
// value was typed (999999999999.99, not 999999999999.98999). Values of 10^12 and beyond, which
// the book refuses to write, are only counted ("wild"): their sum is out of range.

// The split as engine expressions of a value expression (NULL splits into zeros).
struct ExactParts {
    QString units, micro, wild;
};
ExactParts exactParts(const QString& value);

// The same split made here, for a value below 10^9 or from 10^12 on, giving what the engine's
// expressions give for it; empty from 10^9 to 10^12, where only the engine's own rounding to
// the digits of a double can say. Splitting millions of lines here spares the engine most of
// its work.
struct SplitValue {
    long long units = 0;
    long long micro = 0;
    bool wild = false;
};
std::optional<SplitValue> splitLikeTheEngine(double value);
