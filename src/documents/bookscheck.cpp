#include "documents/bookscheck.h"

#include "core/decimal.h"
#include "core/query.h"
#include "documents/tradekind.h"

#include <cmath>
#include <map>
#include <optional>
#include <stdexcept>

namespace {

// An exact sum; empty once a value could not be held exactly (not finite, beyond range),
// which is itself a difference to report.
using Sum = std::optional<Decimal>;

std::optional<Decimal> exact(double value) {
    if (!std::isfinite(value))
        return std::nullopt;
    try {
        return Decimal::fromDouble(value);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

void add(Sum& sum, double value, int sign) {
    if (!sum)
        return;
    const auto d = exact(value);
    try {
        if (d)
            *sum += sign < 0 ? -*d : *d;
        else
            sum.reset();
    } catch (const std::exception&) {
        sum.reset();
    }
}

QString textOf(const Sum& sum) {
    return sum ? sum->toString() : QStringLiteral("超出范围");
}

QString textOf(double value) {
    const auto d = exact(value);
    return d ? d->toString() : QString::number(value);
}

// True when the two differ once rounded to the given number of decimals.
bool differs(double claimed, const Sum& recomputed, int places) {
    const auto c = exact(claimed);
    if (!c || !recomputed)
        return true;
    try {
        return !(*c - *recomputed).rounded(places).isZero();
    } catch (const std::exception&) {
        return true;
    }
}

constexpr int kQuantityPlaces = 6;
constexpr int kMoneyPlaces = 2;

// The table and the sign with which a kind's balance statement moves exchMoney, read from
// the statement itself so that the check follows what posting really runs.
QString balanceTable(const TradeKind& kind) {
    const QString& s = kind.balanceStatement;
    const qsizetype from = s.indexOf(u' ') + 1;
    return s.mid(from, s.indexOf(u' ', from) - from);
}
int balanceSign(const TradeKind& kind) {
    return kind.balanceStatement.contains(u"exchMoney+:") ? 1 : -1;
}

class Checker {
public:
    explicit Checker(Connection& connection) : q_(connection, QStringLiteral("BooksCheck")) {}

    void stock();
    void balances();
    void accounts();
    void journal();

    std::vector<BooksDifference> found;

private:
    void report(BooksDifference::Kind kind, const QString& table, const QString& key,
                const QString& claimed, const QString& recomputed, const QString& note) {
        found.push_back({kind, table, key, claimed, recomputed, note});
    }
    // Reads (key, value) rows of a statement into exact sums per key.
    void sumInto(std::map<long long, Sum>& sums, const QString& sql, int sign = 1) {
        q_.load(sql);
        q_.open();
        for (; !q_.eof(); q_.next()) {
            auto it = sums.try_emplace(q_.field(u"k").asInteger(), Decimal()).first;
            add(it->second, q_.field(u"v").asFloat(), sign);
        }
        q_.close();
    }
    // Compares every claimed row with its sum and takes the sum out; what remains in sums has
    // no claiming row.
    void compare(BooksDifference::Kind kind, const QString& table, const QString& sql,
                 std::map<long long, Sum>& sums, int places, const QString& note) {
        q_.load(sql);
        q_.open();
        for (; !q_.eof(); q_.next()) {
            const long long key = q_.field(u"k").asInteger();
            const double claimed = q_.field(u"v").asFloat();
            Sum recomputed = Decimal();
            if (const auto it = sums.find(key); it != sums.end()) {
                recomputed = it->second;
                sums.erase(it);
            }
            if (differs(claimed, recomputed, places))
                report(kind, table, QString::number(key), textOf(claimed), textOf(recomputed),
                       note);
        }
        q_.close();
    }

    TQuery q_;
};

void Checker::stock() {
    std::map<long long, Sum> sums;
    sumInto(sums, QStringLiteral("SELECT prodID AS k, sumCount AS v FROM VInveHouse"));
    compare(BooksDifference::Kind::Stock, QStringLiteral("Fproduct"),
            QStringLiteral("SELECT prodID AS k, sumCount AS v FROM Fproduct"), sums,
            kQuantityPlaces, QStringLiteral("库存数量与单据不符"));
}

void Checker::balances() {
    std::map<QString, std::map<long long, Sum>> perTable;
    for (const TradeKind& kind : tradeKinds()) {
        auto& sums = perTable[balanceTable(kind)];
        const int sign = balanceSign(kind);
        sumInto(sums,
                QStringLiteral("SELECT compID AS k, acMoney AS v FROM %1").arg(kind.headerTable),
                sign);
        sumInto(sums,
                QStringLiteral("SELECT compID AS k, coMoney AS v FROM %1").arg(kind.headerTable),
                -sign);
    }
    for (auto& [table, sums] : perTable)
        sumInto(sums,
                QStringLiteral("SELECT compID AS k, sumMoney AS v FROM FSettle "
                               "WHERE compTable = '%1'")
                    .arg(table),
                -1);
    for (auto& [table, sums] : perTable) {
        compare(BooksDifference::Kind::Balance, table,
                QStringLiteral("SELECT compID AS k, exchMoney AS v FROM %1").arg(table), sums,
                kMoneyPlaces, QStringLiteral("往来余额与单据不符"));
        for (const auto& [key, sum] : sums)
            if (!sum || !sum->cents().isZero())
                report(BooksDifference::Kind::Balance, table, QString::number(key), QString(),
                       textOf(sum), QStringLiteral("单据的往来单位不存在"));
    }
}

void Checker::accounts() {
    std::map<long long, Sum> sums;
    sumInto(sums, QStringLiteral("SELECT itmID AS k, sumMoney AS v FROM FitemBank"));
    compare(BooksDifference::Kind::Account, QStringLiteral("Fitem"),
            QStringLiteral("SELECT itmID AS k, je AS v FROM VitemBank"), sums, kMoneyPlaces,
            QStringLiteral("账户余额与流水不符"));
    for (const auto& [key, sum] : sums)
        report(BooksDifference::Kind::Account, QStringLiteral("Fitem"), QString::number(key),
               QString(), textOf(sum), QStringLiteral("流水的账户不存在"));
}

void Checker::journal() {
    for (const TradeKind& kind : tradeKinds()) {
        q_.load(QStringLiteral("SELECT h.orderID, h.acMoney, COUNT(b.bankID) AS found, "
                               "MIN(b.sumMoney) AS low, MAX(b.sumMoney) AS high, "
                               "MIN(b.itmID) AS itmLow, MAX(b.itmID) AS itmHigh "
                               "FROM %1 h LEFT JOIN FitemBank b ON b.orderCode = h.orderID "
                               "AND b.orderType = :orderType GROUP BY h.orderID")
                    .arg(kind.headerTable));
        q_.bind(u"orderType", kind.journalType);
        q_.open();
        for (; !q_.eof(); q_.next()) {
            const QString code = q_.field(u"orderID").asText();
            Sum due = Decimal();
            add(due, q_.field(u"acMoney").asFloat(), kind.journalSign);
            const long long rows = q_.field(u"found").asInteger();
            const double low = q_.field(u"low").asFloat();
            QString note;
            if (rows == 0)
                note = QStringLiteral("单据没有流水");
            else if (rows > 1)
                note = QStringLiteral("单据有%1条流水").arg(rows);
            else if (differs(low, due, kMoneyPlaces))
                note = QStringLiteral("流水金额与单据不符");
            else if (q_.field(u"itmLow").asInteger() != 1 || q_.field(u"itmHigh").asInteger() != 1)
                note = QStringLiteral("流水不在现金账户");
            if (!note.isEmpty())
                report(BooksDifference::Kind::Journal, kind.headerTable, code,
                       rows ? textOf(low) : QString(), textOf(due), note);
        }
        q_.load(QStringLiteral("SELECT b.orderCode, b.sumMoney FROM FitemBank b "
                               "WHERE b.orderType = :orderType AND NOT EXISTS "
                               "(SELECT 1 FROM %1 h WHERE h.orderID = b.orderCode)")
                    .arg(kind.headerTable));
        q_.bind(u"orderType", kind.journalType);
        q_.open();
        for (; !q_.eof(); q_.next())
            report(BooksDifference::Kind::Journal, kind.headerTable,
                   q_.field(u"orderCode").asText(), textOf(q_.field(u"sumMoney").asFloat()),
                   QString(), QStringLiteral("流水没有单据"));
        q_.close();
    }
}

} // namespace

QString BooksDifference::text() const {
    return QStringLiteral("%1 %2: %3 (账面 %4, 按单据 %5)")
        .arg(table, key, note, claimed.isEmpty() ? QStringLiteral("无") : claimed,
             recomputed.isEmpty() ? QStringLiteral("无") : recomputed);
}

std::vector<BooksDifference> checkBooks(Connection& connection) {
    Checker checker(connection);
    checker.stock();
    checker.balances();
    checker.accounts();
    checker.journal();
    return std::move(checker.found);
}
