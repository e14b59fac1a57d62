#include "documents/bookscheck.h"

#include "documents/exactsplit.h"

#include "core/connection.h"
#include "core/decimal.h"
#include "core/query.h"
#include "core/transaction.h"
#include "documents/stockkind.h"
#include "documents/tradekind.h"

#include <cmath>
#include <optional>
#include <stdexcept>
#include <unordered_map>

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

Sum plus(const Sum& a, const Sum& b, int sign = 1) {
    if (!a || !b)
        return std::nullopt;
    try {
        return sign < 0 ? *a - *b : *a + *b;
    } catch (const std::exception&) {
        return std::nullopt;
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

// The embedded engine sums each value's split; a server book holds its values exactly
// (numeric), so there each value is rounded to millionths, summed, and the one sum per group
// is split: the same sums for far less of the server's arithmetic per line.
QString exactSum(const QString& value, bool server, const QString& as = QString()) {
    if (server) {
        const QString sum =
            QStringLiteral("SUM(CASE WHEN abs(%1) < 1e12 THEN round(%1, 6) END)").arg(value);
        return QStringLiteral("CAST(trunc(%1) AS BIGINT) AS %3units, "
                              "CAST((%1 - trunc(%1)) * 1000000 AS BIGINT) AS %3micro, "
                              "count(*) FILTER (WHERE abs(%2) >= 1e12) AS %3wild")
            .arg(sum, value, as);
    }
    const ExactParts parts = exactParts(value);
    return QStringLiteral("SUM(%1) AS %4units, SUM(%2) AS %4micro, SUM(%3) AS %4wild")
        .arg(parts.units, parts.micro, parts.wild, as);
}

// The sum that exactSum made, read from the current row (NULL parts read as 0).
Sum sumOf(const TQuery& q, const QString& as = QString()) {
    if (q.field(as + QStringLiteral("wild")).asInteger() > 0)
        return std::nullopt;
    static const Decimal millionth = *Decimal::parse(u"0.000001");
    return Decimal::fromInt(q.field(as + QStringLiteral("units")).asInteger()) +
           Decimal::fromInt(q.field(as + QStringLiteral("micro")).asInteger()) * millionth;
}

// Far from both limits a float comparison in the engine can pass over the rows that agree;
// every row it lets through is decided exactly here.
QString mayDiffer(const QString& claimed, const QString& recomputed, const QString& tolerance) {
    return QStringLiteral("(abs(%1) >= 1e8 OR abs(%2) >= 1e8 OR abs(%1 - (%2)) > %3)")
        .arg(claimed, recomputed, tolerance);
}

// The condition under which a document's journal may be wrong, on the columns found, low,
// itmLow and itmHigh (NULL where it has none) beside its header h.
QString journalMayBeWrong(const TradeKind& kind, const QString& found, const QString& low,
                          const QString& itmLow, const QString& itmHigh) {
    return QStringLiteral("coalesce(%1, 0) <> 1 OR coalesce(%2, 0) <> 1 OR "
                          "coalesce(%3, 0) <> 1 OR %4")
        .arg(found, itmLow, itmHigh,
             mayDiffer(QStringLiteral("coalesce(%1, 0)").arg(low),
                       QStringLiteral("%1 * coalesce(h.acMoney, 0)").arg(kind.journalSign),
                       QStringLiteral("0.001")));
}

// A product's movements summed exactly, in whole units and millionths; wild once a value or the sum
// went beyond what is held exactly.
struct Moved {
    long long units = 0;
    long long micro = 0;
    bool wild = false;

    void add(const SplitValue& value) {
        wild = wild || value.wild || __builtin_add_overflow(units, value.units, &units) ||
               __builtin_add_overflow(micro, value.micro, &micro);
    }
    // Far from both limits a float comparison passes over the sums that agree; every other
    // one is decided exactly.
    bool mayDiffer(double claimed) const {
        const double approx = double(units) + double(micro) / 1e6;
        return wild || std::abs(claimed) >= 1e8 || std::abs(approx) >= 1e8 ||
               std::abs(claimed - approx) > 1e-7;
    }
    Sum exact() const {
        if (wild)
            return std::nullopt;
        static const Decimal millionth = *Decimal::parse(u"0.000001");
        return plus(Decimal::fromInt(units), Decimal::fromInt(micro) * millionth);
    }
};

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
// Likewise the sign with which a kind moves its products' stock.
QString stockSigned(const QString& statement, const QString& quantity) {
    return statement.contains(u"sumCount+:") ? quantity : u'-' + quantity;
}

class Checker {
public:
    Checker(Connection& connection, const BooksCheckProgress& progress)
        : q_(connection, QStringLiteral("BooksCheck")), progress_(progress),
          server_(connection.isServer()) {
        tell(0);
    }

    void stock();
    void balances();
    void accounts();
    void journal();

    std::vector<BooksDifference> found;

private:
    void report(BooksDifference::Kind kind, const QString& table, const QString& key,
                const QString& claimed, const QString& recomputed, const QString& note,
                const QString& name = QString(), const QString& code = QString()) {
        found.push_back({kind, table, key, claimed, recomputed, note, name, code});
    }
    void run(const QString& sql) {
        q_.load(sql);
        q_.execute();
        q_.close();
    }
    // One statement of the check is done.
    void step() { tell(++done_ * 100 / kSteps); }
    void tell(int percent) {
        if (progress_)
            progress_(percent);
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
                report(kind, table, QString::number(key), textOf(claimed), textOf(recomputed), note,
                       q_.field(u"name").asText());
        }
        q_.close();
    }

    // Five line tables move stock, four kinds of header balances, one journal has the accounts,
    // two statements per kind check it; and two more compare.
    static constexpr int kSteps = 5 + 1 + 4 + 1 + 1 + 8;

    void addMovesOnServer(std::unordered_map<long long, Moved>& moved, const QStringList& moves);
    bool journalOfHeaders(const TradeKind& kind);
    bool journalOnServer(const TradeKind& kind);
    void journalWithoutHeaders(const TradeKind& kind);
    void compareJournal(const TradeKind& kind);

    TQuery q_;
    const BooksCheckProgress& progress_;
    const bool server_; // a server book: exact sums in the engine, no row numbers
    int done_ = 0;
};

void Checker::stock() {
    // Each line counts while its header exists; a transfer moves no product's stock. The
    // lines are read a slice of headers at a time and summed here: summing millions of lines
    // per product in the engine would sort them or search a keyed table once per line.
    std::unordered_map<long long, Moved> moved;
    // On a server every line table's moves are summed in one statement (below).
    QStringList movesOnServer;
    const auto addLines = [&](const QString& value, const QString& lines, const QString& headers) {
        if (server_) {
            movesOnServer << QStringLiteral("SELECT d.prodID AS k, %1 AS v FROM %2 h "
                                            "JOIN %3 d ON d.orderID = h.orderID "
                                            "WHERE d.prodID IS NOT NULL")
                                 .arg(value, headers, lines);
            return;
        }
        q_.load(
            QStringLiteral("SELECT min(rowid) AS low, max(rowid) AS high FROM %1").arg(headers));
        q_.open();
        const long long first = q_.field(u"low").asInteger();
        const long long last = q_.field(u"high").asInteger();
        q_.close();
        // Only values of 10^9 and more come split by the engine.
        q_.load(QStringLiteral("SELECT d.prodID, %1, CASE WHEN abs(%1) >= 1e9 THEN %2 END "
                               "FROM %3 h CROSS JOIN %4 d ON d.orderID = h.orderID "
                               "WHERE h.rowid BETWEEN :low AND :high AND d.prodID IS NOT NULL")
                    .arg(value, exactParts(value).micro, headers, lines));
        constexpr long long kSlice = 20000;
        for (long long low = first; low <= last; low += kSlice) {
            q_.bind(u"low", low);
            q_.bind(u"high", low + kSlice - 1);
            q_.open();
            const ResultSet& rows = q_.result();
            for (int r = 0; r < rows.rowCount(); ++r) {
                const double v = rows.real(r, 1);
                const SplitValue split = splitLikeTheEngine(v).value_or(
                    SplitValue{static_cast<long long>(v), rows.integer(r, 2), false});
                moved[rows.integer(r, 0)].add(split);
            }
            q_.close();
        }
        step();
    };
    for (const TradeKind& kind : tradeKinds())
        addLines(stockSigned(kind.stockStatement, QStringLiteral("d.pcount")), kind.lineTable,
                 kind.headerTable);
    // Losses take, overflows and stock-count corrections ("盘点", signed) add.
    const StockKind& loss = stockKind(StockKindId::Loss);
    addLines(QStringLiteral("(CASE WHEN h.orderType = '%1' THEN %2 ELSE d.pcount END)")
                 .arg(loss.orderType, stockSigned(loss.stockStatement, QStringLiteral("d.pcount"))),
             loss.lineTable, QStringLiteral("OrderBsBy"));
    if (server_)
        addMovesOnServer(moved, movesOnServer);

    q_.load(QStringLiteral("SELECT prodID, prodBH, prodName, sumCount FROM Fproduct"));
    q_.open();
    for (; !q_.eof(); q_.next()) {
        const double claimed = q_.field(u"sumCount").asFloat();
        const auto it = moved.find(q_.field(u"prodID").asInteger());
        const Moved sum = it == moved.end() ? Moved() : it->second;
        if (!sum.mayDiffer(claimed))
            continue;
        const Sum recomputed = sum.exact();
        if (differs(claimed, recomputed, kQuantityPlaces))
            report(BooksDifference::Kind::Stock, QStringLiteral("Fproduct"),
                   q_.field(u"prodID").asText(), textOf(claimed), textOf(recomputed),
                   QStringLiteral("库存数量与单据不符"), q_.field(u"prodName").asText(),
                   q_.field(u"prodBH").asText());
    }
    q_.close();
    step();
}

// The server sums each product's lines exactly itself, all line tables at once: one table of
// sums rather than one per kind, and the kinds' joins read side by side.
void Checker::addMovesOnServer(std::unordered_map<long long, Moved>& moved,
                               const QStringList& moves) {
    q_.load(QStringLiteral("SELECT k, %1 FROM (%2) m GROUP BY k")
                .arg(exactSum(QStringLiteral("v"), true), moves.join(u" UNION ALL ")));
    q_.open();
    for (; !q_.eof(); q_.next())
        moved[q_.field(u"k").asInteger()].add({q_.field(u"units").asInteger(),
                                               q_.field(u"micro").asInteger(),
                                               q_.field(u"wild").asInteger() != 0});
    q_.close();
    for (qsizetype i = 0; i < moves.size(); ++i)
        step();
}

void Checker::balances() {
    std::map<QString, std::map<long long, Sum>> perTable;
    for (const TradeKind& kind : tradeKinds()) {
        auto& sums = perTable[balanceTable(kind)];
        const int sign = balanceSign(kind);
        q_.load(QStringLiteral("SELECT compID AS k, %1, %2 FROM %3 GROUP BY compID")
                    .arg(exactSum(QStringLiteral("acMoney"), server_, QStringLiteral("ac")),
                         exactSum(QStringLiteral("coMoney"), server_, QStringLiteral("co")),
                         kind.headerTable));
        q_.open();
        for (; !q_.eof(); q_.next()) {
            Sum& sum = sums.try_emplace(q_.field(u"k").asInteger(), Decimal()).first->second;
            sum = plus(sum,
                       plus(sumOf(q_, QStringLiteral("ac")), sumOf(q_, QStringLiteral("co")), -1),
                       sign);
        }
        q_.close();
        step();
    }
    // What settlements took off each balance.
    for (auto& [table, sums] : perTable) {
        q_.load(QStringLiteral("SELECT compID AS k, %1 FROM FSettle WHERE compTable = '%2' "
                               "GROUP BY compID")
                    .arg(exactSum(QStringLiteral("sumMoney"), server_), table));
        q_.open();
        for (; !q_.eof(); q_.next()) {
            Sum& sum = sums.try_emplace(q_.field(u"k").asInteger(), Decimal()).first->second;
            sum = plus(sum, sumOf(q_), -1);
        }
        q_.close();
    }
    for (auto& [table, sums] : perTable) {
        compare(BooksDifference::Kind::Balance, table,
                QStringLiteral("SELECT compID AS k, compName AS name, exchMoney AS v FROM %1 "
                               "ORDER BY compID")
                    .arg(table),
                sums, kMoneyPlaces, QStringLiteral("往来余额与单据不符"));
        for (const auto& [key, sum] : sums)
            if (!sum || !sum->cents().isZero())
                report(BooksDifference::Kind::Balance, table, QString::number(key), QString(),
                       textOf(sum), QStringLiteral("单据的往来单位不存在"));
    }
    step();
}

void Checker::accounts() {
    std::map<long long, Sum> sums;
    q_.load(QStringLiteral("SELECT itmID AS k, %1 FROM FitemBank GROUP BY itmID")
                .arg(exactSum(QStringLiteral("sumMoney"), server_)));
    q_.open();
    for (; !q_.eof(); q_.next())
        sums.emplace(q_.field(u"k").asInteger(), sumOf(q_));
    q_.close();
    compare(BooksDifference::Kind::Account, QStringLiteral("Fitem"),
            QStringLiteral("SELECT itmID AS k, itmName AS name, je AS v FROM VitemBank "
                           "ORDER BY itmID"),
            sums, kMoneyPlaces, QStringLiteral("账户余额与流水不符"));
    for (const auto& [key, sum] : sums)
        report(BooksDifference::Kind::Account, QStringLiteral("Fitem"), QString::number(key),
               QString(), textOf(sum), QStringLiteral("流水的账户不存在"));
    step();
}

void Checker::journal() {
    for (const TradeKind& kind : tradeKinds()) {
        const bool orphans = server_ ? journalOnServer(kind) : journalOfHeaders(kind);
        step();
        if (orphans)
            journalWithoutHeaders(kind);
        step();
    }
}

// What one document's journal rows of its kind come to: how many, the lowest amount, the
// lowest and highest account.
void Checker::compareJournal(const TradeKind& kind) {
    const QString code = q_.field(u"orderID").asText();
    Sum due = exact(q_.field(u"acMoney").asFloat());
    if (kind.journalSign < 0)
        due = plus(Decimal(), due, -1);
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
               rows ? textOf(low) : QString(), textOf(due), note, kind.caption);
}

// Every document of the kind against its journal rows; only those that may be wrong come
// back, in the order of their codes. Rows of the journal without their document are always
// looked for after.
bool Checker::journalOfHeaders(const TradeKind& kind) {
    q_.load(QStringLiteral("SELECT h.orderID, h.acMoney, COUNT(b.bankID) AS found, "
                           "MIN(b.sumMoney) AS low, MIN(b.itmID) AS itmLow, "
                           "MAX(b.itmID) AS itmHigh "
                           "FROM %1 h LEFT JOIN FitemBank b ON b.orderCode = h.orderID "
                           "AND b.orderType = :orderType GROUP BY h.rowid HAVING %2 "
                           "ORDER BY h.orderID")
                .arg(kind.headerTable, journalMayBeWrong(kind, QStringLiteral("COUNT(b.bankID)"),
                                                         QStringLiteral("MIN(b.sumMoney)"),
                                                         QStringLiteral("MIN(b.itmID)"),
                                                         QStringLiteral("MAX(b.itmID)"))));
    q_.bind(u"orderType", kind.journalType);
    q_.open();
    for (; !q_.eof(); q_.next())
        compareJournal(kind);
    q_.close();
    return true;
}

// On a server the journal of the kind is summed per code and set beside the headers in one
// pass: a journal row without its document shows as a sum without a header, and only then
// are the journal's rows looked for one by one. Tells whether there are any. The kind's type
// is written into the statement so that the server plans for the rows of that type.
bool Checker::journalOnServer(const TradeKind& kind) {
    q_.load(QStringLiteral("SELECT h.orderID, h.acMoney, b.found, b.low, b.itmLow, b.itmHigh "
                           "FROM %1 h FULL JOIN (SELECT orderCode, COUNT(*) AS found, "
                           "MIN(sumMoney) AS low, MIN(itmID) AS itmLow, MAX(itmID) AS itmHigh "
                           "FROM FitemBank WHERE orderType = '%2' GROUP BY orderCode) b "
                           "ON b.orderCode = h.orderID "
                           "WHERE h.orderID IS NULL OR %3 ORDER BY h.orderID")
                .arg(kind.headerTable, kind.journalType,
                     journalMayBeWrong(kind, QStringLiteral("b.found"), QStringLiteral("b.low"),
                                       QStringLiteral("b.itmLow"), QStringLiteral("b.itmHigh"))));
    q_.open();
    bool orphans = false;
    for (; !q_.eof(); q_.next()) {
        if (q_.field(u"orderID").isNull())
            orphans = true;
        else
            compareJournal(kind);
    }
    q_.close();
    return orphans;
}

void Checker::journalWithoutHeaders(const TradeKind& kind) {
    q_.load(QStringLiteral("SELECT b.orderCode, b.sumMoney FROM FitemBank b "
                           "WHERE b.orderType = :orderType AND NOT EXISTS "
                           "(SELECT 1 FROM %1 h WHERE h.orderID = b.orderCode)")
                .arg(kind.headerTable));
    q_.bind(u"orderType", kind.journalType);
    q_.open();
    for (; !q_.eof(); q_.next())
        report(BooksDifference::Kind::Journal, kind.headerTable, q_.field(u"orderCode").asText(),
               textOf(q_.field(u"sumMoney").asFloat()), QString(), QStringLiteral("流水没有单据"),
               kind.caption);
    q_.close();
}

} // namespace

QString BooksDifference::text() const {
    return QStringLiteral("%1 %2: %3 (账面 %4, 按单据 %5)")
        .arg(table, key, note, claimed.isEmpty() ? QStringLiteral("无") : claimed,
             recomputed.isEmpty() ? QStringLiteral("无") : recomputed);
}

std::vector<BooksDifference> checkBooks(Connection& connection,
                                        const BooksCheckProgress& progress) {
    // One snapshot: a posting by another counter meanwhile is seen whole or not at all, and
    // none of them waits for the check.
    Transaction snapshot(connection, Transaction::Mode::Reading);
    // The sums per product and the journal per code are tables of hundreds of thousands of
    // rows: kept in memory for this transaction alone, the server does not spill them to disk.
    if (connection.isServer())
        connection.run("SET LOCAL work_mem = '64MB'");
    Checker checker(connection, progress);
    checker.stock();
    checker.balances();
    checker.accounts();
    checker.journal();
    snapshot.commit();
    return std::move(checker.found);
}
