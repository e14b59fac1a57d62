#include "documents/exactsplit.h"

#include <cmath>

ExactParts exactParts(const QString& value) {
    const QString fraction = QStringLiteral("(%1 - CAST(%1 AS INTEGER))").arg(value);
    return {QStringLiteral("coalesce(CASE WHEN abs(%1) < 1e12 THEN CAST(%1 AS INTEGER) END, 0)")
                .arg(value),
            QStringLiteral("coalesce(CASE WHEN abs(%1) < 1e9 THEN CAST(round(%2 * 1000000) AS "
                           "INTEGER) WHEN abs(%1) < 1e12 THEN CAST(round(round(%2, 15 - "
                           "length(CAST(CAST(abs(%1) AS INTEGER) AS TEXT))) * 1000000) AS "
                           "INTEGER) END, 0)")
                .arg(value, fraction),
            QStringLiteral("coalesce(abs(%1) >= 1e12, 0)").arg(value)};
}

std::optional<SplitValue> splitLikeTheEngine(double value) {
    if (std::abs(value) >= 1e12)
        return SplitValue{0, 0, true};
    if (std::abs(value) >= 1e9)
        return std::nullopt;
    // CAST(x AS INTEGER) truncates toward zero; round(x) adds a half away from zero in
    // floating point and truncates; the arithmetic between is the same IEEE arithmetic.
    const auto units = static_cast<long long>(value);
    const double millionths = (value - double(units)) * 1000000;
    const auto micro = static_cast<long long>(millionths + (millionths < 0 ? -0.5 : 0.5));
    return SplitValue{units, micro, false};
}
