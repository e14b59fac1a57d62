#include "reports/businessfigures.h"

#include "core/query.h"
#include "reports/journalperiod.h"

namespace {

// The journal kinds each figure sums, as a condition on orderType.
const QString kSales = QStringLiteral("orderType='商品销售'");
const QString kOtherIncome = QStringLiteral("(orderType='现金进款' OR orderType='采购退货')");
const QString kCost = QStringLiteral("orderType='采购进货'");
const QString kOtherExpense = QStringLiteral("(orderType='现金出款' OR orderType='顾客退货')");

// The kinds behind each summary row with details; the profit row has none.
const std::array<QString, 6>& detailKinds() {
    static const std::array<QString, 6> kinds{
        QStringLiteral("(orderType='商品销售' OR orderType='现金进款' OR orderType='采购退货')"),
        kSales,
        kOtherIncome,
        QStringLiteral("(orderType='采购进货' OR orderType='现金出款' OR orderType='顾客退货')"),
        kCost,
        kOtherExpense,
    };
    return kinds;
}

// The journal holds amounts as REAL; their sum is brought back to the cents it stands for.
Decimal sumOf(TQuery& query, const QString& kinds, const JournalPeriod& period) {
    query.load(QStringLiteral("SELECT SUM(sumMoney) as je FROM FitemBank WHERE ") + kinds +
               QStringLiteral(" AND ") + period.condition());
    period.bind(query);
    query.open();
    const Decimal sum =
        query.eof() ? Decimal() : Decimal::fromDouble(query.field(u"je").asFloat()).cents();
    query.close();
    return sum;
}

} // namespace

std::array<Decimal, BusinessFigures::kRows> BusinessFigures::rows() const {
    const Decimal income = sales + otherIncome;
    const Decimal expenses = cost + otherExpense;
    return {income, sales, otherIncome, -expenses, -cost, -otherExpense, income + expenses};
}

const std::array<QString, BusinessFigures::kRows>& summaryCaptions() {
    static const std::array<QString, BusinessFigures::kRows> captions{
        QStringLiteral("【收入类】"),       QStringLiteral("      1.销售收入"),
        QStringLiteral("      2.其他收入"), QStringLiteral("【支出类】"),
        QStringLiteral("      1.商品成本"), QStringLiteral("      2.其他费用"),
        QStringLiteral("【总利润】"),
    };
    return captions;
}

BusinessFigures loadBusinessFigures(TQuery& query, const JournalPeriod& period) {
    BusinessFigures figures;
    figures.sales = sumOf(query, kSales, period);
    figures.otherIncome = sumOf(query, kOtherIncome, period);
    figures.cost = sumOf(query, kCost, period);
    figures.otherExpense = sumOf(query, kOtherExpense, period);
    return figures;
}

bool loadJournalDetail(TQuery& query, int row, const JournalPeriod& period) {
    if (row < 0 || row >= int(detailKinds().size()))
        return false;
    query.load(
        QStringLiteral("SELECT optDate,orderType,sumMoney,empName,remark FROM FitemBank WHERE  ") +
        detailKinds()[std::size_t(row)] + QStringLiteral(" AND ") + period.condition());
    period.bind(query);
    query.open();
    return true;
}
