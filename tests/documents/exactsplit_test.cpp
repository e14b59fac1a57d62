#include "documents/exactsplit.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <vector>

namespace {

// What the engine's expressions make of the value.
SplitValue splitByTheEngine(sqlite3* db, double value) {
    const ExactParts parts = exactParts(QStringLiteral("v"));
    const QByteArray sql = QStringLiteral("SELECT %1, %2, %3 FROM (SELECT ?1 AS v)")
                               .arg(parts.units, parts.micro, parts.wild)
                               .toUtf8();
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr), SQLITE_OK);
    sqlite3_bind_double(statement, 1, value);
    EXPECT_EQ(sqlite3_step(statement), SQLITE_ROW);
    const SplitValue split{sqlite3_column_int64(statement, 0), sqlite3_column_int64(statement, 1),
                           sqlite3_column_int64(statement, 2) != 0};
    sqlite3_finalize(statement);
    return split;
}

} // namespace

// The books check splits most values itself: it must give exactly what the engine gives, at
// every rounding edge, or it would report differences that are not there.
TEST(ExactSplit, GivesWhatTheEngineGivesAtEveryRoundingEdge) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
    std::vector<double> values = {
        0,          0.1,       0.2,       0.3,       1.0000005,          2.0000005,   0.0000005,
        0.00000049, 0.4999995, 12.345678, 99.999999, 99.9999995,         123456.7891, 999999999.99,
        5e8 + 0.25, 1e9,       1e12,      1e300,     0.49999999999999994};
    // Values near a half millionth, of every magnitude a quantity or an amount takes.
    for (double whole = 1; whole < 1e9; whole *= 7.3)
        for (double half : {0.0000005, 0.0000015, 0.5000005, 0.1234565})
            values.push_back(std::trunc(whole) + half);
    for (double step = 0.000001; step < 1; step *= 3.1)
        values.push_back(step);
    int splitHere = 0;
    for (double magnitude : values)
        for (double value : {magnitude, -magnitude}) {
            const auto split = splitLikeTheEngine(value);
            const bool engineOnly = std::abs(value) >= 1e9 && std::abs(value) < 1e12;
            ASSERT_EQ(!split, engineOnly) << value;
            if (!split)
                continue;
            ++splitHere;
            const SplitValue engine = splitByTheEngine(db, value);
            EXPECT_EQ(split->units, engine.units) << value;
            EXPECT_EQ(split->micro, engine.micro) << value;
            EXPECT_EQ(split->wild, engine.wild) << value;
        }
    EXPECT_GT(splitHere, 100);
    sqlite3_close(db);
}
