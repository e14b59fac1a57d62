// Posts documents into a book without end, through the procedures the windows call, and in
// between voids one of the documents in the book through the query windows' procedure. It
// writes to stdout "P <code>" once a posting committed, "v <code>" before voiding and
// "V <code>" once the voiding committed. The crash test kills it at random moments and then
// examines the book.
//
//   crashposter <directory of kestdata.db> <seed>
//   crashposter server:<connection string> <seed>     (a book on a server)
//
// VESK_CRASH_PRAGMAS, when set, holds statements run after opening (for comparing journal
// modes and sync settings, e.g. "PRAGMA synchronous=NORMAL").
//
// Every line's remark is "k/n" (line k of n), so that a document missing lines can be told.
#include "core/silentmessages.h"
#include "documents/stockposting.h"
#include "documents/tradeposting.h"
#include "reports/querykind.h"
#include "reports/voiding.h"
#include "tools/toolbook.h"

#include <cstdio>
#include <random>

namespace {

using toolbook::World;

// A document in the book and the query window that voids it.
struct Voidable {
    QueryKindId kind;
    QString code;
};

// The header table each query window voids from.
constexpr std::pair<QueryKindId, const char*> kHeaders[] = {
    {QueryKindId::Purchase, "OrderPur"}, {QueryKindId::PurchaseReturn, "OrderPurT"},
    {QueryKindId::Sale, "OrderSale"},    {QueryKindId::SaleReturn, "OrderSaleT"},
    {QueryKindId::Transfer, "OrderDB"},  {QueryKindId::LossOverflow, "OrderBsBy"},
};

// Every document the book holds, whichever run of the child wrote it.
std::vector<Voidable> documentsInTheBook() {
    std::vector<Voidable> found;
    TQuery& q = sysData->QueryCommon;
    for (const auto& [kind, table] : kHeaders) {
        q.load(QStringLiteral("SELECT orderID FROM %1").arg(table));
        for (q.open(); !q.eof(); q.next())
            found.push_back({kind, q.field(u"orderID").asText()});
    }
    q.close();
    return found;
}

bool say(char what, const QString& code) {
    return toolbook::say(what + (' ' + code.toUtf8()));
}

QueryKindId queryOf(TradeKindId id) {
    switch (id) {
    case TradeKindId::Purchase:
        return QueryKindId::Purchase;
    case TradeKindId::PurchaseReturn:
        return QueryKindId::PurchaseReturn;
    case TradeKindId::Sale:
        return QueryKindId::Sale;
    case TradeKindId::SaleReturn:
        break;
    }
    return QueryKindId::SaleReturn;
}

class Poster {
public:
    Poster(std::uint64_t seed, World world, std::vector<Voidable> written)
        : rng_(seed), world_(std::move(world)), written_(std::move(written)), seed_(seed) {}

    // Posts one document or, now and then, voids one; false when the procedure refused,
    // which for these valid documents is a fault.
    bool step() {
        if (!written_.empty() && below(10) < 3)
            return voidOne();
        Voidable posted = postOne();
        if (posted.code.isEmpty())
            return false;
        written_.push_back(posted);
        return say('P', posted.code);
    }

private:
    // Posts one document; its code when it was committed.
    Voidable postOne() {
        const int choice = below(10);
        if (choice < 6) {
            const auto id = TradeKindId(below(4));
            return {queryOf(id), trade(tradeKind(id))};
        }
        if (choice < 8)
            return {QueryKindId::Transfer, transfer()};
        return {QueryKindId::LossOverflow, lossOverflow()};
    }

    bool voidOne() {
        const std::size_t i = std::size_t(below(int(written_.size())));
        const Voidable chosen = written_[i];
        written_.erase(written_.begin() + std::ptrdiff_t(i));
        return say('v', chosen.code) && voidDocument(queryKind(chosen.kind), chosen.code) &&
               say('V', chosen.code);
    }

private:
    int below(int n) { return int(rng_() % std::uint64_t(n)); }
    long long pick(const std::vector<long long>& v) { return v[std::size_t(below(int(v.size())))]; }
    QString code(const QString& prefix) {
        return QStringLiteral("%1-%2-%3").arg(prefix).arg(seed_).arg(++serial_);
    }
    // 1 to 10 lines on the first rows, each "k/n" in its remark.
    int fill(DocumentLines& d, Decimal* total) {
        const int n = 1 + below(DocumentLines::kRows);
        for (int row = 1; row <= n; ++row) {
            const long long p = pick(world_.products);
            d.cell(row, 1) = QString::number(p);
            d.cell(row, 2) = "BH-" + QString::number(p);
            d.cell(row, 3) = "品名";
            const Decimal price = *Decimal::parse(QString::number(1 + below(500)) + ".25");
            const Decimal quantity = Decimal::fromInt(1 + below(9));
            d.cell(row, 6) = price.toString();
            d.cell(row, 7) = quantity.toString();
            const Decimal amount = (price * quantity).cents();
            d.cell(row, 8) = amount.toString();
            d.cell(row, 9) = QStringLiteral("%1/%2").arg(row).arg(n);
            if (total)
                *total += amount;
        }
        return n;
    }

    QString trade(const TradeKind& kind) {
        TradeDocument d;
        const long long house = pick(world_.houses);
        d.houseName = "库" + QString::number(house);
        d.houseID = QString::number(house);
        d.orderCode = code(kind.prefix);
        d.compID = QString::number(
            pick(kind.counterpartMode == "1" ? world_.suppliers : world_.customers));
        d.compName = "往来";
        d.empName = "张三";
        d.date = QDate(2026, 3, 15);
        fill(d, &d.runningTotal);
        d.sumMoney = d.runningTotal.cents().toString();
        d.money = QString::number(below(100));
        return postTradeDocument(kind, d) == PostResult::Posted ? d.orderCode : QString();
    }

    QString transfer() {
        TransferDocument d;
        const long long out = pick(world_.houses);
        long long in = pick(world_.houses);
        while (in == out)
            in = pick(world_.houses);
        d.houseOutName = "库" + QString::number(out);
        d.houseOutID = QString::number(out);
        d.houseInName = "库" + QString::number(in);
        d.houseInID = QString::number(in);
        d.orderCode = code("DB");
        d.date = QDate(2026, 3, 15);
        fill(d, nullptr);
        return saveTransfer(d) == StockSaveResult::Saved ? d.orderCode : QString();
    }

    QString lossOverflow() {
        LossOverflowDocument d;
        d.type = below(2) ? StockKindId::Loss : StockKindId::Overflow;
        const long long house = pick(world_.houses);
        d.houseName = "库" + QString::number(house);
        d.houseID = QString::number(house);
        d.orderCode = code(stockKind(d.type).prefix);
        d.date = QDate(2026, 3, 15);
        fill(d, nullptr);
        return saveLossOverflow(d) == StockSaveResult::Saved ? d.orderCode : QString();
    }

    std::mt19937_64 rng_;
    World world_;
    std::vector<Voidable> written_;
    std::uint64_t seed_;
    int serial_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: crashposter <directory>|server:<conninfo> <seed>\n");
        return 2;
    }
    SilentMessages silent;
    setMessages(&silent);
    const auto data = toolbook::open(QString::fromLocal8Bit(argv[1]));
    if (!data)
        return 1;
    if (const QByteArray pragmas = qgetenv("VESK_CRASH_PRAGMAS"); !pragmas.isEmpty())
        data->myCon.run(pragmas.constData());
    Poster poster(std::stoull(argv[2]), toolbook::readWorld(), documentsInTheBook());
    for (;;)
        if (!poster.step())
            return 3; // every document of this tool is valid and there: a refusal is a fault
}
