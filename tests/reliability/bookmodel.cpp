#include "reliability/bookmodel.h"

#include "core/query.h"
#include "core/sysdata.h"

#include <stdexcept>

namespace model {

namespace {

bool differs(double claimed, const Decimal& model, int places) {
    try {
        return !(Decimal::fromDouble(claimed) - model).rounded(places).isZero();
    } catch (const std::overflow_error&) {
        return true; // a residue far below a cent against a large figure: no common scale
    }
}

long long rows(TQuery& q, const QString& sql) {
    q.load(sql);
    q.open();
    return q.field(u"n").asInteger();
}

} // namespace

const TradeEffect& tradeEffect(TradeKindId id) {
    static constexpr TradeEffect kEffects[] = {
        {TradeKindId::Purchase, +1, "Fsupplier", +1, -1, QueryKindId::Purchase},
        {TradeKindId::PurchaseReturn, -1, "Fsupplier", -1, +1, QueryKindId::PurchaseReturn},
        {TradeKindId::Sale, -1, "Fcustomer", +1, +1, QueryKindId::Sale},
        {TradeKindId::SaleReturn, +1, "Fcustomer", -1, -1, QueryKindId::SaleReturn},
    };
    return kEffects[int(id)];
}

Written tradeWritten(const TradeEffect& e, const QString& code, long long house, long long comp,
                     const Moves& moves, const Decimal& due, const Decimal& settled) {
    Written w{.kind = e.query, .table = tradeKind(e.id).headerTable, .code = code};
    for (const auto& [p, q] : moves) {
        w.stock.push_back({p, e.stock > 0 ? q : -q});
        w.houses.push_back({{house, p}, e.stock > 0 ? q : -q});
    }
    const Decimal open = due - settled;
    w.counterpartTable = e.counterpartTable;
    w.comp = comp;
    w.balance = e.balance > 0 ? open : -open;
    w.journalRow = true;
    w.cash = e.journal > 0 ? due : -due;
    return w;
}

Written transferWritten(const QString& code, long long out, long long in, const Moves& moves) {
    Written w{.kind = QueryKindId::Transfer, .table = "OrderDB", .code = code};
    for (const auto& [p, q] : moves) {
        w.houses.push_back({{out, p}, -q});
        w.houses.push_back({{in, p}, q});
    }
    return w;
}

Written lossOverflowWritten(const QString& code, bool loss, long long house, const Moves& moves) {
    Written w{.kind = QueryKindId::LossOverflow, .table = "OrderBsBy", .code = code};
    for (const auto& [p, q] : moves) {
        w.stock.push_back({p, loss ? -q : q});
        w.houses.push_back({{house, p}, loss ? -q : q});
    }
    return w;
}

QString key(const QString& code) {
    return code.trimmed().toUpper();
}

bool OpenCount::correctable() const {
    for (const auto& [product, line] : lines)
        if (line.known)
            return true;
    return false;
}

void BookModel::apply(const Written& w, int sign) {
    const Decimal s = Decimal::fromInt(sign);
    for (const auto& [p, q] : w.stock)
        stock[p] += s * q;
    for (const auto& [at, q] : w.houses)
        perHouse[at] += s * q;
    if (!w.counterpartTable.isEmpty())
        balances[w.counterpartTable][w.comp] += s * w.balance;
    if (w.journalRow) {
        accounts[1] += s * w.cash;
        journalRows += sign;
    }
}

void BookModel::record(Written w) {
    w.code = w.code.trimmed();
    codes[w.table].insert(key(w.code));
    apply(w, +1);
    posted.push_back(std::move(w));
}

QString BookModel::totalsDisagreement() {
    QString found;
    for (const BooksDifference& d : checkBooks(sysData->myCon))
        found += d.text() + u'\n';
    if (!found.isEmpty())
        return found;
    TQuery q(sysData->myCon, "model");
    q.load("SELECT prodID, sumCount FROM Fproduct");
    for (q.open(); !q.eof(); q.next())
        if (differs(q.field(u"sumCount").asFloat(), stock[q.field(u"prodID").asInteger()], 6))
            return QStringLiteral("stock of %1 is %2, model %3")
                .arg(q.field(u"prodID").asText(), q.field(u"sumCount").asText(),
                     stock[q.field(u"prodID").asInteger()].toString());
    for (auto& [table, ids] : balances) {
        q.load(QStringLiteral("SELECT compID, exchMoney FROM %1").arg(table));
        for (q.open(); !q.eof(); q.next())
            if (differs(q.field(u"exchMoney").asFloat(), ids[q.field(u"compID").asInteger()], 2))
                return QStringLiteral("%1 %2 owes %3, model %4")
                    .arg(table, q.field(u"compID").asText(), q.field(u"exchMoney").asText(),
                         ids[q.field(u"compID").asInteger()].toString());
    }
    q.load("SELECT itmID, je FROM VitemBank");
    long long listed = 0;
    for (q.open(); !q.eof(); q.next(), ++listed)
        if (differs(q.field(u"je").asFloat(), accounts[q.field(u"itmID").asInteger()], 2))
            return QStringLiteral("account %1 holds %2, model %3")
                .arg(q.field(u"itmID").asText(), q.field(u"je").asText(),
                     accounts[q.field(u"itmID").asInteger()].toString());
    if (listed != static_cast<long long>(accounts.size()))
        return QStringLiteral("%1 accounts, model %2").arg(listed).arg(accounts.size());
    if (const long long n = rows(q, "SELECT COUNT(*) AS n FROM FitemBank"); n != journalRows)
        return QStringLiteral("%1 journal rows, model %2").arg(n).arg(journalRows);

    std::map<Place, Decimal> held = perHouse;
    q.load("SELECT houseID, prodID, sumCount FROM VInveHouse");
    for (q.open(); !q.eof(); q.next()) {
        const Place at{q.field(u"houseID").asInteger(), q.field(u"prodID").asInteger()};
        if (differs(q.field(u"sumCount").asFloat(), held[at], 6))
            return QStringLiteral("warehouse %1 holds %2 of %3, model %4")
                .arg(at.first)
                .arg(q.field(u"sumCount").asText())
                .arg(at.second)
                .arg(held[at].toString());
        held.erase(at);
    }
    for (const auto& [at, quantity] : held)
        if (!quantity.rounded(6).isZero())
            return QStringLiteral("warehouse %1 lost its %2 of %3")
                .arg(at.first)
                .arg(quantity.toString())
                .arg(at.second);
    for (const auto& [table, taken] : codes)
        if (const long long n = rows(q, QStringLiteral("SELECT COUNT(*) AS n FROM %1").arg(table));
            n != static_cast<long long>(taken.size()))
            return QStringLiteral("%1 holds %2 documents, model %3")
                .arg(table)
                .arg(n)
                .arg(taken.size());
    return QString();
}

QString BookModel::disagreement() {
    if (QString found = totalsDisagreement(); !found.isEmpty())
        return found;
    TQuery q(sysData->myCon, "model");

    long long lines = 0;
    for (const auto& [k, count] : counts)
        lines += static_cast<long long>(count.lines.size());
    const long long headers = rows(q, "SELECT COUNT(*) AS n FROM OrderPD");
    const long long counted = rows(q, "SELECT COUNT(*) AS n FROM OrderPDD");
    if (headers != static_cast<long long>(counts.size()) || counted != lines)
        return QStringLiteral("%1 counts with %2 lines, model %3 with %4")
            .arg(headers)
            .arg(counted)
            .arg(counts.size())
            .arg(lines);
    for (const auto& [k, count] : counts) {
        q.load("SELECT houseID, optDate FROM OrderPD WHERE orderID=:orderID");
        q.bind(u"orderID", count.code);
        q.open();
        if (q.eof() || q.field(u"houseID").asInteger() != count.house ||
            q.field(u"optDate").asText() != count.date.toString(Qt::ISODate))
            return QStringLiteral("count %1 is not as written").arg(count.code);
        q.load("SELECT prodID, pcount, pdcount FROM OrderPDD WHERE orderID=:orderID");
        q.bind(u"orderID", count.code);
        for (q.open(); !q.eof(); q.next()) {
            const auto line = count.lines.find(q.field(u"prodID").asInteger());
            if (line == count.lines.end())
                return QStringLiteral("count %1 holds a line of %2 never counted")
                    .arg(count.code, q.field(u"prodID").asText());
            if (differs(q.field(u"pcount").asFloat(), line->second.book, 6) ||
                differs(q.field(u"pdcount").asFloat(), line->second.counted, 6))
                return QStringLiteral("count %1 holds %2/%3 of %4, model %5/%6")
                    .arg(count.code, q.field(u"pcount").asText(), q.field(u"pdcount").asText(),
                         q.field(u"prodID").asText(), line->second.book.toString(),
                         line->second.counted.toString());
        }
    }

    if (!stored.table.isEmpty()) {
        q.load(QStringLiteral("SELECT empName FROM %1 WHERE orderID=:orderID").arg(stored.table));
        q.bind(u"orderID", stored.code);
        q.open();
        if (q.field(u"empName").asText() != stored.empName)
            return QStringLiteral("%1 stored its handler as '%2'")
                .arg(stored.code, q.field(u"empName").asText().left(40));
        stored = {};
    }
    return QString();
}

} // namespace model
