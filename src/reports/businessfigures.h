#pragma once

#include "core/decimal.h"

#include <QString>
#include <array>

class JournalPeriod;
class TQuery;

// Income, expenses and profit of a period, summed from the money journal over all accounts.
// Each trade document counts with its full amount due on its date.
struct BusinessFigures {
    Decimal sales;        // 商品销售
    Decimal otherIncome;  // 现金进款 and 采购退货
    Decimal cost;         // 采购进货, zero or negative
    Decimal otherExpense; // 现金出款 and 顾客退货, zero or negative

    static constexpr int kRows = 7;
    static constexpr int kProfitRow = 6;
    // The summary rows in order: income, sales, other income, expenses (as a positive
    // amount), cost, other expenses, profit; each rounded to cents.
    std::array<Decimal, kRows> rows() const;
};

// The captions of the summary rows, in the order of BusinessFigures::rows().
const std::array<QString, BusinessFigures::kRows>& summaryCaptions();

// Runs the four sums of the period one after another on the query (closed again after).
BusinessFigures loadBusinessFigures(TQuery& query, const JournalPeriod& period);

// Opens the journal rows behind summary row 0 to 5 of the period; false for a row that has
// none (the profit row), leaving the query as it was.
bool loadJournalDetail(TQuery& query, int row, const JournalPeriod& period);
