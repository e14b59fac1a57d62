// Random operations driven through the procedures the windows call, checked after every step
// against a small model of what the book must hold and against the books check.
#include "core/numbers.h"
#include "core/query.h"
#include "core/sysdata.h"
#include "documents/bookscheck.h"
#include "documents/stockposting.h"
#include "documents/tradeposting.h"
#include "reliability/nastytexts.h"
#include "reports/querykind.h"
#include "reports/voiding.h"
#include "support/booktest.h"

#include <iostream>
#include <map>
#include <random>
#include <set>

namespace {

int envNumber(const char* name, int fallback) {
    const QByteArray v = qgetenv(name);
    return v.isEmpty() ? fallback : v.toInt();
}

// The model's own view of each trade kind, written independently of the kind table so that a
// wrong sign there shows up here.
struct TradeEffect {
    TradeKindId id;
    int stock;
    const char* counterpartTable;
    int balance;
    int journal;
    QueryKindId query; // the query window that voids it
};
constexpr TradeEffect kTradeEffects[] = {
    {TradeKindId::Purchase, +1, "Fsupplier", +1, -1, QueryKindId::Purchase},
    {TradeKindId::PurchaseReturn, -1, "Fsupplier", -1, +1, QueryKindId::PurchaseReturn},
    {TradeKindId::Sale, -1, "Fcustomer", +1, +1, QueryKindId::Sale},
    {TradeKindId::SaleReturn, +1, "Fcustomer", -1, -1, QueryKindId::SaleReturn},
};

// Texts that no number rule and no numeric column accepts.
const QStringList kBadNumbers{"abc", "1..2", "",     " ",   "１２３", "--1",   "1e",
                              "12a", "1,5",  "0x1F", "NaN", "inf",    "1e999", QString(400, u'9')};

Decimal dec(const QString& text) {
    return *numbers::toDecimalOrZero(text);
}

class ModelRun : public BookTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        BookTest::SetUp();
        // This run is about logic, not about surviving a power cut (the crash test is): no
        // waiting for the disk at every commit.
        exec("PRAGMA synchronous=OFF");
        // Two warehouses share a name, as a person may name them.
        for (const char* name : {"总库", "分库", "门店", "总库"})
            houses.push_back({addHouse(name), name});
        for (const char* name : {"笔", "墨", "纸", "砚", "胶"})
            products.push_back(addProduct(name));
        counterparts["Fsupplier"] = {1, addSupplier("甲公司"), addSupplier("O'Brien & Co")};
        counterparts["Fcustomer"] = {1, addCustomer("乙商店"), addCustomer("丙 100%")};
        for (const auto& [table, ids] : counterparts)
            for (long long id : ids)
                balances[table][id] = Decimal();
        for (long long p : products)
            stock[p] = Decimal();
    }

    // --- random choices ---------------------------------------------------------------------
    int below(int n) { return int(rng() % std::uint64_t(n)); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> const T& pick(const std::vector<T>& v) {
        return v[std::size_t(below(int(v.size())))];
    }
    QString pick(const QStringList& v) { return v[below(int(v.size()))]; }

    QString price() {
        QString t = QString::number(below(300));
        if (chance(50))
            t += u'.' + QString::number(below(1000)).rightJustified(1 + below(3), u'0').left(3);
        if (chance(5))
            t = u'+' + t;
        if (chance(5))
            t = "  " + t + " ";
        return t;
    }
    QString quantity() {
        if (chance(10))
            return u'-' + QString::number(1 + below(5));
        if (chance(15))
            return QString::number(below(20)) + ".5";
        if (chance(3))
            return "1e1";
        return QString::number(1 + below(20));
    }
    QString text() { return chance(15) ? pick(nastyTexts()) : QStringLiteral("张三"); }
    QString newCode(const QString& prefix) { return prefix + QString::number(++serial); }
    // An existing code of the table, in another case now and then, or nothing.
    QString takenCode(const QString& table) {
        const auto& taken = codes[table];
        if (taken.empty())
            return QString();
        auto it = taken.begin();
        std::advance(it, below(int(taken.size())));
        return chance(50) ? it->toLower() : *it;
    }
    static QString key(const QString& code) { return code.trimmed().toUpper(); }

    struct House {
        long long id;
        QString name;
    };
    // Fills a row as the product picker does; returns the product.
    long long pickInto(DocumentLines& d, int row) {
        const long long p = pick(products);
        d.cell(row, 1) = QString::number(p);
        d.cell(row, 2) = "BH-" + QString::number(p);
        d.cell(row, 3) = "品名";
        d.cell(row, 6) = price();
        d.cell(row, 7) = quantity();
        d.cell(row, 8) = d.cell(row, 6).trimmed();
        if (chance(10))
            d.cell(row, 9) = pick(nastyTexts());
        return p;
    }
    std::vector<int> someRows() {
        std::vector<int> rows;
        const int n = below(5);
        for (int row = 1 + below(3); row <= DocumentLines::kRows && int(rows.size()) < n;
             row += 1 + below(3))
            rows.push_back(row);
        return rows;
    }
    // Spoils a price, quantity or amount cell of one of the rows.
    void spoilCell(DocumentLines& d, const std::vector<int>& rows) {
        const int row = rows[std::size_t(below(int(rows.size())))];
        d.cell(row, 6 + below(3)) = pick(kBadNumbers);
    }

    // --- operations -----------------------------------------------------------------------------
    enum Fault {
        None,
        NoHouse,
        NoCode,
        BlankCode,
        NoCounterpart,
        Duplicate,
        BadCell,
        BadMoney,
        HandRow,
        ZeroTotal,
        Cancel,
        SameHouses,
        NoHouseOut
    };

    Fault fault(std::initializer_list<Fault> possible) {
        if (chance(55))
            return None;
        const std::vector<Fault> v(possible);
        return v[std::size_t(below(int(v.size())))];
    }

    // Posts a random trade document; false (with the reason in failure) when the book or the
    // procedure's answer disagrees with the model.
    bool trade() {
        const TradeEffect& e = kTradeEffects[below(4)];
        const TradeKind& kind = tradeKind(e.id);
        const House& h = pick(houses);
        TradeDocument d;
        d.houseName = h.name;
        d.houseID = QString::number(h.id);
        d.orderCode = newCode(kind.prefix);
        const long long comp = pick(counterparts[e.counterpartTable]);
        d.compID = QString::number(comp);
        d.compName = text();
        d.empName = text();
        d.date = QDate(2026, 3, 1).addDays(below(60));
        std::vector<std::pair<long long, Decimal>> moves;
        const std::vector<int> rows = someRows();
        for (int row : rows) {
            const long long p = pickInto(d, row);
            const Decimal amount = (dec(d.cell(row, 6)) * dec(d.cell(row, 7))).cents();
            d.cell(row, 8) = amount.toString();
            d.runningTotal += amount;
            moves.push_back({p, dec(d.cell(row, 7))});
        }
        const Fault f = fault({NoHouse, NoCode, BlankCode, NoCounterpart, Duplicate, BadCell,
                               BadMoney, HandRow, ZeroTotal, Cancel});
        bool fails = false;
        if (f == HandRow) {
            // Typed into the grid by hand: a code but no product ID. Its amount counts; a
            // return binds its empty product ID and is refused.
            int row = 1;
            while (row < DocumentLines::kRows && !d.cell(row, 2).isEmpty())
                ++row;
            if (d.cell(row, 2).isEmpty()) {
                d.cell(row, 2) = "手写";
                d.cell(row, 3) = "手写品";
                d.cell(row, 6) = "2";
                d.cell(row, 7) = "3";
                d.cell(row, 8) = "6";
                d.runningTotal += Decimal::fromInt(6);
                fails = kind.lineTestColumn == 2;
            }
        }
        d.sumMoney = d.runningTotal.cents().toString();
        const int settle = below(4);
        d.money = settle == 0 ? QString() : settle == 1 ? d.sumMoney : price();
        switch (f) {
        case NoHouse:
            d.houseName.clear();
            break;
        case NoCode:
            d.orderCode.clear();
            break;
        case BlankCode:
            d.orderCode = "   ";
            break;
        case NoCounterpart:
            d.compID.clear();
            break;
        case Duplicate:
            if (const QString taken = takenCode(kind.headerTable); !taken.isEmpty())
                d.orderCode = taken;
            break;
        case BadCell:
            if (!rows.empty()) {
                spoilCell(d, rows);
                fails = true;
            }
            break;
        case BadMoney: {
            QString bad;
            do
                bad = pick(kBadNumbers);
            while (bad.trimmed().isEmpty());
            d.money = bad;
            fails = true;
            break;
        }
        case ZeroTotal:
            d.runningTotal = Decimal();
            break;
        default:
            break;
        }
        if (codes[kind.headerTable].count(key(d.orderCode)))
            fails = true;

        PostResult expected = PostResult::Posted;
        if (d.houseName.isEmpty())
            expected = PostResult::NoHouse;
        else if (d.orderCode.isEmpty())
            expected = PostResult::NoOrderCode;
        else if (d.compID.isEmpty())
            expected = PostResult::NoCounterpart;
        else if (d.runningTotal.isZero())
            expected = PostResult::NoLines;
        else if (f == Cancel)
            expected = PostResult::Cancelled;
        else if (fails)
            expected = PostResult::Failed;

        description = QStringLiteral("%1 %2 fault %3, %4 lines, due %5, settled '%6'")
                          .arg(kind.prefix, d.orderCode.left(20))
                          .arg(int(f))
                          .arg(rows.size())
                          .arg(d.sumMoney, d.money.left(20));
        if (expected == PostResult::Cancelled)
            messages_.answerCancel();
        else if (expected == PostResult::Posted || expected == PostResult::Failed)
            messages_.answerOk();
        const PostResult got = postTradeDocument(kind, d);
        if (got != expected)
            return fail(QStringLiteral("result %1, expected %2").arg(int(got)).arg(int(expected)));
        if (expected != PostResult::Posted)
            return expectRefusal(expected == PostResult::Failed);
        Written w{.kind = e.query, .table = kind.headerTable, .code = d.orderCode};
        for (const auto& [p, q] : moves) {
            w.stock.push_back({p, e.stock > 0 ? q : -q});
            w.houses.push_back({{h.id, p}, e.stock > 0 ? q : -q});
        }
        const Decimal open = dec(d.sumMoney) - dec(d.money);
        w.counterpartTable = e.counterpartTable;
        w.comp = comp;
        w.balance = e.balance > 0 ? open : -open;
        w.cash = e.journal > 0 ? dec(d.sumMoney) : -dec(d.sumMoney);
        record(w);
        stored = {kind.headerTable, d.orderCode.trimmed(), d.empName.trimmed()};
        return expectMessage(QStringLiteral("单据保存成功！"));
    }

    bool transfer() {
        const House& out = pick(houses);
        const House& in = pick(houses);
        TransferDocument d;
        d.houseOutName = out.name;
        d.houseOutID = QString::number(out.id);
        d.houseInName = in.name;
        d.houseInID = QString::number(in.id);
        d.orderCode = newCode("DB");
        d.empName = text();
        d.date = QDate(2026, 3, 15);
        const std::vector<int> rows = someRows();
        std::vector<std::pair<long long, Decimal>> moves;
        for (int row : rows)
            moves.push_back({pickInto(d, row), Decimal()});
        for (std::size_t i = 0; i < rows.size(); ++i)
            moves[i].second = dec(d.cell(rows[i], 7));
        const Fault f =
            fault({NoHouseOut, NoHouse, NoCode, BlankCode, Duplicate, BadCell, HandRow, Cancel});
        bool fails = false;
        switch (f) {
        case NoHouseOut:
            d.houseOutName.clear();
            break;
        case NoHouse:
            d.houseInName.clear();
            break;
        case NoCode:
            d.orderCode.clear();
            break;
        case BlankCode:
            d.orderCode = " ";
            break;
        case Duplicate:
            if (const QString taken = takenCode("OrderDB"); !taken.isEmpty())
                d.orderCode = taken;
            break;
        case BadCell:
            if (!rows.empty()) {
                spoilCell(d, rows);
                fails = true;
            }
            break;
        case HandRow: // no product ID: not a line, whatever its cells hold
            for (int row = 1; row <= DocumentLines::kRows; ++row)
                if (d.cell(row, 1).isEmpty()) {
                    d.cell(row, 2) = "手写";
                    d.cell(row, 7) = "abc";
                    break;
                }
            break;
        default:
            break;
        }
        if (codes["OrderDB"].count(key(d.orderCode)))
            fails = true;
        StockSaveResult expected = StockSaveResult::Saved;
        if (d.houseOutName.isEmpty())
            expected = StockSaveResult::NoHouseOut;
        else if (d.houseInName.isEmpty())
            expected = StockSaveResult::NoHouseIn;
        else if (d.houseOutName == d.houseInName)
            expected = StockSaveResult::SameHouses;
        else if (d.orderCode.isEmpty())
            expected = StockSaveResult::NoOrderCode;
        else if (f == Cancel)
            expected = StockSaveResult::Cancelled;
        else if (fails)
            expected = StockSaveResult::Failed;
        description = QStringLiteral("DB %1 %2->%3 fault %4, %5 lines")
                          .arg(d.orderCode)
                          .arg(out.id)
                          .arg(in.id)
                          .arg(int(f))
                          .arg(rows.size());
        if (!answer(expected))
            return false;
        const StockSaveResult got = saveTransfer(d);
        if (got != expected)
            return fail(QStringLiteral("result %1, expected %2").arg(int(got)).arg(int(expected)));
        if (expected != StockSaveResult::Saved)
            return expectRefusal(expected == StockSaveResult::Failed);
        Written w{.kind = QueryKindId::Transfer, .table = "OrderDB", .code = d.orderCode};
        for (const auto& [p, q] : moves) {
            w.houses.push_back({{out.id, p}, -q});
            w.houses.push_back({{in.id, p}, q});
        }
        record(w);
        stored = {"OrderDB", d.orderCode.trimmed(), d.empName.trimmed()};
        return expectMessage(QStringLiteral("单据保存成功！"));
    }

    bool lossOverflow() {
        const bool loss = chance(50);
        const House& h = pick(houses);
        LossOverflowDocument d;
        d.type = loss ? StockKindId::Loss : StockKindId::Overflow;
        d.houseName = h.name;
        d.houseID = QString::number(h.id);
        d.orderCode = newCode(loss ? "BS" : "BY");
        d.empName = text();
        d.date = QDate(2026, 3, 15);
        const std::vector<int> rows = someRows();
        std::vector<std::pair<long long, Decimal>> moves;
        for (int row : rows)
            moves.push_back({pickInto(d, row), Decimal()});
        for (std::size_t i = 0; i < rows.size(); ++i)
            moves[i].second = dec(d.cell(rows[i], 7));
        const Fault f = fault({NoHouse, NoCode, BlankCode, Duplicate, BadCell, Cancel});
        bool fails = false;
        switch (f) {
        case NoHouse:
            d.houseName.clear();
            break;
        case NoCode:
            d.orderCode.clear();
            break;
        case BlankCode:
            d.orderCode = "  ";
            break;
        case Duplicate:
            if (const QString taken = takenCode("OrderBsBy"); !taken.isEmpty())
                d.orderCode = taken;
            break;
        case BadCell:
            if (!rows.empty()) {
                spoilCell(d, rows);
                fails = true;
            }
            break;
        default:
            break;
        }
        if (codes["OrderBsBy"].count(key(d.orderCode)))
            fails = true;
        StockSaveResult expected = StockSaveResult::Saved;
        if (d.houseName.isEmpty())
            expected = StockSaveResult::NoHouseIn;
        else if (d.orderCode.isEmpty())
            expected = StockSaveResult::NoOrderCode;
        else if (f == Cancel)
            expected = StockSaveResult::Cancelled;
        else if (fails)
            expected = StockSaveResult::Failed;
        description = QStringLiteral("%1 %2 fault %3, %4 lines")
                          .arg(loss ? "BS" : "BY", d.orderCode)
                          .arg(int(f))
                          .arg(rows.size());
        if (!answer(expected))
            return false;
        const StockSaveResult got = saveLossOverflow(d);
        if (got != expected)
            return fail(QStringLiteral("result %1, expected %2").arg(int(got)).arg(int(expected)));
        if (expected != StockSaveResult::Saved)
            return expectRefusal(expected == StockSaveResult::Failed);
        Written w{.kind = QueryKindId::LossOverflow, .table = "OrderBsBy", .code = d.orderCode};
        for (const auto& [p, q] : moves) {
            w.stock.push_back({p, loss ? -q : q});
            w.houses.push_back({{h.id, p}, loss ? -q : q});
        }
        record(w);
        stored = {"OrderBsBy", d.orderCode.trimmed(), d.empName.trimmed()};
        return expectMessage(QStringLiteral("单据保存成功！"));
    }

    // What one written document did to the book, so that voiding it can be checked too.
    struct Written {
        QueryKindId kind;
        QString table;
        QString code;
        std::vector<std::pair<long long, Decimal>> stock{}; // product, signed move
        std::vector<std::pair<std::pair<long long, long long>, Decimal>>
            houses{}; // (house, product)
        QString counterpartTable{};
        long long comp = 0;
        Decimal balance{};
        Decimal cash{};
    };
    void apply(const Written& w, int sign) {
        const Decimal s = Decimal::fromInt(sign);
        for (const auto& [p, q] : w.stock)
            stock[p] += s * q;
        for (const auto& [at, q] : w.houses)
            perHouse[at] += s * q;
        if (!w.counterpartTable.isEmpty())
            balances[w.counterpartTable][w.comp] += s * w.balance;
        cash += s * w.cash;
    }
    void record(Written w) {
        ++written;
        w.code = w.code.trimmed();
        codes[w.table].insert(key(w.code));
        apply(w, +1);
        posted.push_back(std::move(w));
    }

    // Voids a written document through the procedure the query windows call, now and then one
    // that is not there (voided already), which must change nothing.
    bool voidOne() {
        if (posted.empty() || chance(10)) {
            const QString code = newCode("XS");
            description = QStringLiteral("void the missing %1").arg(code);
            if (voidDocument(queryKind(QueryKindId::Sale), code))
                return fail(QStringLiteral("voided a document that was never written"));
            return true;
        }
        const std::size_t i = std::size_t(below(int(posted.size())));
        const Written w = posted[i];
        description = QStringLiteral("void %1 '%2'").arg(w.table, w.code.left(20));
        if (!voidDocument(queryKind(w.kind), w.code))
            return fail(QStringLiteral("the written document could not be voided"));
        apply(w, -1);
        codes[w.table].erase(key(w.code));
        posted.erase(posted.begin() + std::ptrdiff_t(i));
        ++voided;
        return true;
    }

    bool answer(StockSaveResult expected) {
        if (expected == StockSaveResult::Cancelled)
            messages_.answerCancel();
        else if (expected == StockSaveResult::Saved || expected == StockSaveResult::Failed)
            messages_.answerOk();
        return true;
    }
    bool expectMessage(const QString& text) {
        if (messages_.last() != text)
            return fail(
                QStringLiteral("last message '%1', expected '%2'").arg(messages_.last(), text));
        return true;
    }
    bool expectRefusal(bool failed) {
        ++refused;
        return failed ? expectMessage(QStringLiteral("单据保存出现异常！")) : true;
    }
    bool fail(const QString& why) {
        failure = why;
        return false;
    }

    // --- agreement ----------------------------------------------------------------------------
    bool differs(double claimed, const Decimal& model, int places) {
        return !(Decimal::fromDouble(claimed) - model).rounded(places).isZero();
    }

    bool agree() {
        for (const BooksDifference& d : checkBooks(sysData->myCon))
            failure += d.text() + u'\n';
        if (!failure.isEmpty())
            return false;
        TQuery q(sysData->myCon, "model");
        q.load("SELECT prodID, sumCount FROM Fproduct");
        for (q.open(); !q.eof(); q.next())
            if (differs(q.field(u"sumCount").asFloat(), stock[q.field(u"prodID").asInteger()], 6))
                return fail(QStringLiteral("stock of %1 is %2, model %3")
                                .arg(q.field(u"prodID").asText(), q.field(u"sumCount").asText(),
                                     stock[q.field(u"prodID").asInteger()].toString()));
        for (auto& [table, ids] : balances) {
            q.load(QStringLiteral("SELECT compID, exchMoney FROM %1").arg(table));
            for (q.open(); !q.eof(); q.next())
                if (differs(q.field(u"exchMoney").asFloat(), ids[q.field(u"compID").asInteger()],
                            2))
                    return fail(QStringLiteral("%1 %2 owes %3, model %4")
                                    .arg(table, q.field(u"compID").asText(),
                                         q.field(u"exchMoney").asText(),
                                         ids[q.field(u"compID").asInteger()].toString()));
        }
        q.load("SELECT je FROM VitemBank WHERE itmID=1");
        q.open();
        if (differs(q.field(u"je").asFloat(), cash, 2))
            return fail(
                QStringLiteral("cash %1, model %2").arg(q.field(u"je").asText(), cash.toString()));
        std::map<std::pair<long long, long long>, Decimal> held = perHouse;
        q.load("SELECT houseID, prodID, sumCount FROM VInveHouse");
        for (q.open(); !q.eof(); q.next()) {
            const std::pair<long long, long long> at{q.field(u"houseID").asInteger(),
                                                     q.field(u"prodID").asInteger()};
            if (differs(q.field(u"sumCount").asFloat(), held[at], 6))
                return fail(QStringLiteral("warehouse %1 holds %2 of %3, model %4")
                                .arg(at.first)
                                .arg(q.field(u"sumCount").asText())
                                .arg(at.second)
                                .arg(held[at].toString()));
            held.erase(at);
        }
        for (const auto& [at, quantity] : held)
            if (!quantity.rounded(6).isZero())
                return fail(QStringLiteral("warehouse %1 lost its %2 of %3")
                                .arg(at.first)
                                .arg(quantity.toString())
                                .arg(at.second));
        for (const auto& [table, taken] : codes)
            if (count(table) != static_cast<long long>(taken.size()))
                return fail(QStringLiteral("%1 holds %2 documents, model %3")
                                .arg(table)
                                .arg(count(table))
                                .arg(taken.size()));
        if (!stored.table.isEmpty()) {
            q.load(
                QStringLiteral("SELECT empName FROM %1 WHERE orderID=:orderID").arg(stored.table));
            q.bind(u"orderID", stored.code);
            q.open();
            if (q.field(u"empName").asText() != stored.empName)
                return fail(QStringLiteral("%1 stored its handler as '%2'")
                                .arg(stored.code, q.field(u"empName").asText().left(40)));
            stored = {};
        }
        return true;
    }

    std::mt19937_64 rng;
    std::vector<House> houses;
    std::vector<long long> products;
    std::map<QString, std::vector<long long>> counterparts;

    std::map<long long, Decimal> stock;
    std::map<std::pair<long long, long long>, Decimal> perHouse;
    std::map<QString, std::map<long long, Decimal>> balances;
    std::map<QString, std::set<QString>> codes;
    Decimal cash;
    struct Stored {
        QString table, code, empName;
    } stored;

    std::vector<Written> posted;
    int serial = 0;
    int written = 0;
    int voided = 0;
    int refused = 0;
    QString description;
    QString failure;
};

TEST_P(ModelRun, RandomOperationsKeepTheBooksAndTheModelInAgreement) {
    const int seed = envNumber("VESK_MODEL_FIRST_SEED", 1) + GetParam();
    const int steps = envNumber("VESK_MODEL_STEPS", 700);
    rng.seed(std::uint64_t(seed));
    for (const char* table :
         {"OrderPur", "OrderPurT", "OrderSale", "OrderSaleT", "OrderDB", "OrderBsBy"})
        codes[table];
    for (int step = 1; step <= steps; ++step) {
        const int choice = below(100);
        const bool ok = choice < 55   ? trade()
                        : choice < 72 ? transfer()
                        : choice < 88 ? lossOverflow()
                                      : voidOne();
        if (!ok || !agree()) {
            ADD_FAILURE() << "seed " << seed << ", step " << step << ": "
                          << description.toStdString() << "\n"
                          << failure.toStdString()
                          << "\nrepeat with VESK_MODEL_FIRST_SEED=" << seed - GetParam()
                          << " and this case";
            return;
        }
        messages_.clear();
    }
    std::cout << "seed " << seed << ": " << steps << " operations, " << written << " written, "
              << refused << " refused, " << voided
              << " voided, books and model agree after every one\n";
}

INSTANTIATE_TEST_SUITE_P(Seeds, ModelRun, ::testing::Range(0, 3));

} // namespace
