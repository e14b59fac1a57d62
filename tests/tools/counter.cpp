// One of several counters working on one book at the same moment: for a bounded time it posts
// trade documents of every kind, transfers and loss/overflow reports, voids documents (its own
// or another counter's), counts stock line by line and corrects it, settles balances and enters
// cash, each through the procedure its window calls, on the few products, warehouses and
// counterparts the test put into the book. Most documents carry the code their window makes
// from the moment, so that counters opening one kind in one second collide.
//
//   counter <directory of kestdata.db>|server:<connection string> <seconds> <seed> <name>
//
// Every operation gets the id <name>-<serial>, carried in each line's remark ("<id> k/n"), the
// cash entry's remark and the count's remark, so that one cut off can be looked up in the book.
// It writes to stdout, one whole line per write:
//   B <id> <what>                  before the operation
//   D <id> <code> <what>           once it is done, with the code written ("-" when the
//                                  document to void was gone)
//   F <id> lost|held <message>     when it failed or was refused; "lost" when the connection
//                                  to the server is gone after it
// <what> is the kind of operation and key=value words: kind (trade), house, out, in, comp,
// due, paid, table, account, dir, amount, prod, book, counted, query, code, of, and
// lines=<prodID>:<quantity>;... (for a correction <prodID>:<book>:<counted>;...).
#include "accounts/cashbook.h"
#include "accounts/settlement.h"
#include "core/clock.h"
#include "core/silentmessages.h"
#include "documents/documentheader.h"
#include "documents/stockcount.h"
#include "documents/stockposting.h"
#include "documents/tradeposting.h"
#include "reports/querykind.h"
#include "reports/voiding.h"
#include "tools/toolbook.h"

#include <QDeadlineTimer>
#include <QThread>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <random>

namespace {

using toolbook::World;

// Answers every question with OK and keeps the last text shown, for the log.
class RememberingMessages : public SilentMessages {
public:
    void notice(const QString& text, const QString&) override { last = text; }
    void plainNotice(const QString& text, const QString&) override { last = text; }
    void errorReport(const QString& text) override { last = text; }
    QString last;
};

// The code the saving notice names when the window's code was taken; the shown one otherwise.
QString writtenCode(const QString& notice, const QString& shown) {
    const QString moved = QStringLiteral("本单据已存为 ");
    const qsizetype at = notice.indexOf(moved);
    if (at < 0)
        return shown;
    const qsizetype from = at + moved.size();
    return notice.mid(from, notice.indexOf(u'。', from) - from);
}

constexpr QueryKindId kVoidable[] = {QueryKindId::Purchase,       QueryKindId::Sale,
                                     QueryKindId::PurchaseReturn, QueryKindId::SaleReturn,
                                     QueryKindId::Transfer,       QueryKindId::LossOverflow};

class Counter {
public:
    Counter(std::uint64_t seed, QString name, World world, RememberingMessages& messages)
        : rng_(seed), name_(std::move(name)), world_(std::move(world)), messages_(messages) {}

    void step() {
        // How often each operation comes, out of 100.
        const std::pair<int, std::function<void()>> shares[] = {
            {34, [this] { trade(); }},        {10, [this] { transfer(); }},
            {10, [this] { lossOverflow(); }}, {12, [this] { voidOne(); }},
            {13, [this] { countLine(); }},    {5, [this] { correctCount(); }},
            {8, [this] { settle(); }},        {8, [this] { cashEntry(); }},
        };
        int choice = below(100);
        const auto* share = std::begin(shares);
        while (choice >= share->first)
            choice -= (share++)->first;
        share->second();
    }

private:
    int below(int n) { return int(rng_() % std::uint64_t(n)); }
    long long pick(const std::vector<long long>& v) { return v[std::size_t(below(int(v.size())))]; }
    static QString n(long long v) { return QString::number(v); }

    QString price() {
        return QStringLiteral("%1.%2").arg(1 + below(300)).arg(below(100), 2, 10, QChar(u'0'));
    }
    QString quantity() { return n(1 + below(9)) + (below(5) == 0 ? ".5" : ""); }

    // The code as the window shows it: made from the moment the window was shown (a second or
    // two ago), or now and then typed by the person, which never moves.
    QString code(const QString& prefix, std::optional<documents::CodeOrigin>& origin, QDate& date) {
        const QDateTime moment = environment::now().addSecs(-below(3));
        date = moment.date();
        if (below(100) < 12)
            return QStringLiteral("%1%2-%3").arg(prefix, name_.toUpper()).arg(serial_);
        origin = documents::CodeOrigin{prefix, moment};
        return documents::documentCode(prefix, moment);
    }

    // One to three lines on the first rows, each "<id> k/n" in its remark; the lines' words.
    QString fill(DocumentLines& d, const QString& id, Decimal* total) {
        const int count = 1 + below(3);
        QStringList words;
        for (int row = 1; row <= count; ++row) {
            const long long p = pick(world_.products);
            d.cell(row, 1) = n(p);
            d.cell(row, 2) = "BH-" + n(p);
            d.cell(row, 3) = "品名";
            d.cell(row, 6) = price();
            d.cell(row, 7) = quantity();
            const Decimal amount =
                (*Decimal::parse(d.cell(row, 6)) * *Decimal::parse(d.cell(row, 7))).cents();
            d.cell(row, 8) = amount.toString();
            d.cell(row, 9) = QStringLiteral("%1 %2/%3").arg(id).arg(row).arg(count);
            if (total)
                *total += amount;
            words << n(p) + u':' + d.cell(row, 7);
        }
        return QStringLiteral("lines=") + words.join(u';');
    }

    // Reports the operation, runs it and reports how it ended. The body gives the code written,
    // or nothing when the procedure refused or failed (its message is the last one shown).
    void attempt(const QString& id, const QString& what,
                 const std::function<std::optional<QString>()>& body) {
        toolbook::say(("B " + id + u' ' + what).toUtf8());
        messages_.last.clear();
        std::optional<QString> code;
        QString error;
        try {
            code = body();
        } catch (const std::exception& e) {
            error = QString::fromUtf8(e.what());
        }
        if (code)
            toolbook::say(("D " + id + u' ' + *code + u' ' + what).toUtf8());
        else
            failed(id, error.isEmpty() ? messages_.last : error);
    }

    void failed(const QString& id, const QString& message) {
        const bool lost = sysData->myCon.isServer() && !sysData->myCon.isOpen();
        toolbook::say(("F " + id + (lost ? " lost " : " held ") + message.simplified()).toUtf8());
        if (lost) // a person reads the message before trying again
            QThread::msleep(100);
    }

    QString nextId() { return name_ + u'-' + n(++serial_); }

    void trade() {
        const QString id = nextId();
        const auto kindId = TradeKindId(below(4));
        const TradeKind& kind = tradeKind(kindId);
        TradeDocument d;
        const long long house = pick(world_.houses);
        d.houseName = "库" + n(house);
        d.houseID = n(house);
        d.orderCode = code(kind.prefix, d.codeOrigin, d.date);
        const long long comp =
            pick(kind.counterpartMode == "1" ? world_.suppliers : world_.customers);
        d.compID = n(comp);
        d.compName = "往来";
        d.empName = "张三";
        const QString lines = fill(d, id, &d.runningTotal);
        d.sumMoney = d.runningTotal.cents().toString();
        const int paid = below(3);
        d.money = paid == 0 ? QStringLiteral("0") : paid == 1 ? d.sumMoney : price();
        const QString what = QStringLiteral("trade kind=%1 house=%2 comp=%3 due=%4 paid=%5 %6")
                                 .arg(int(kindId))
                                 .arg(house)
                                 .arg(comp)
                                 .arg(d.sumMoney, d.money, lines);
        attempt(id, what, [&]() -> std::optional<QString> {
            if (postTradeDocument(kind, d) != PostResult::Posted)
                return std::nullopt;
            return writtenCode(messages_.last, d.orderCode);
        });
    }

    void transfer() {
        const QString id = nextId();
        TransferDocument d;
        const long long out = pick(world_.houses);
        long long in = pick(world_.houses);
        while (in == out)
            in = pick(world_.houses);
        d.houseOutName = "库" + n(out);
        d.houseOutID = n(out);
        d.houseInName = "库" + n(in);
        d.houseInID = n(in);
        d.orderCode = code(stockKind(StockKindId::Transfer).prefix, d.codeOrigin, d.date);
        d.empName = "张三";
        const QString what =
            QStringLiteral("transfer out=%1 in=%2 %3").arg(out).arg(in).arg(fill(d, id, nullptr));
        attempt(id, what, [&]() -> std::optional<QString> {
            if (saveTransfer(d) != StockSaveResult::Saved)
                return std::nullopt;
            return writtenCode(messages_.last, d.orderCode);
        });
    }

    void lossOverflow() {
        const QString id = nextId();
        LossOverflowDocument d;
        d.type = below(2) ? StockKindId::Loss : StockKindId::Overflow;
        const long long house = pick(world_.houses);
        d.houseName = "库" + n(house);
        d.houseID = n(house);
        d.orderCode = code(stockKind(d.type).prefix, d.codeOrigin, d.date);
        d.empName = "张三";
        const QString what = QStringLiteral("%1 house=%2 %3")
                                 .arg(d.type == StockKindId::Loss ? "loss" : "overflow")
                                 .arg(house)
                                 .arg(fill(d, id, nullptr));
        attempt(id, what, [&]() -> std::optional<QString> {
            if (saveLossOverflow(d) != StockSaveResult::Saved)
                return std::nullopt;
            return writtenCode(messages_.last, d.orderCode);
        });
    }

    // Voids a document the book holds, whoever wrote it, as its query window does; "of" names
    // the operation that wrote it, read from its line's remark.
    void voidOne() {
        const QueryKindId kindId = kVoidable[below(int(std::size(kVoidable)))];
        const QueryKind& kind = queryKind(kindId);
        QString orderID, of;
        try {
            TQuery& q = sysData->QueryOrder;
            q.load(QStringLiteral("SELECT h.orderID AS code, d.remark AS remark FROM %1 h JOIN %2 "
                                  "d ON d.orderID=h.orderID WHERE 1=1%3 ORDER BY random() LIMIT 1")
                       .arg(kind.headerTable, kind.lineTable, kind.headerCondition));
            q.open();
            if (!q.eof()) {
                orderID = q.field(u"code").asText();
                of = q.field(u"remark").asText().section(u' ', 0, 0);
            }
            q.close();
        } catch (const std::exception& e) {
            // The query window could not list the documents: the person is told.
            const QString id = nextId();
            toolbook::say(("B " + id + QStringLiteral(" void query=%1").arg(int(kindId))).toUtf8());
            failed(id, QString::fromUtf8(e.what()));
            return;
        }
        if (orderID.isEmpty())
            return;
        const QString what =
            QStringLiteral("void query=%1 code=%2 of=%3").arg(int(kindId)).arg(orderID, of);
        attempt(nextId(), what, [&]() -> std::optional<QString> {
            return voidDocument(kind, orderID) ? orderID : QStringLiteral("-");
        });
    }

    // Confirms one counted quantity of the open count, opening a new count with its first
    // line; the book quantity is the one the count window lists.
    void countLine() {
        const QString id = nextId();
        std::optional<stockcount::CountHeader> header;
        if (!count_) {
            const QDateTime moment = environment::now().addSecs(-below(3));
            count_ = OpenCount{stockcount::countCode(moment), pick(world_.houses), moment.date()};
            header = stockcount::CountHeader{n(count_->house), id, QStringLiteral("张三"),
                                             count_->date, stockcount::countOrigin(moment)};
        }
        const long long product = pick(world_.products);
        QString book = QStringLiteral("0");
        try {
            TQuery& p = sysData->QueryP1;
            stockcount::loadHouseProducts(p, n(count_->house), QString());
            for (; !p.eof(); p.next())
                if (p.field(u"prodID").asInteger() == product)
                    book = p.field(u"sumCount").asText();
            p.close();
        } catch (const std::exception&) {
            // Not listed: counted from nothing, as for a product the warehouse never held.
        }
        const QString counted = n(below(30)) + (below(4) == 0 ? ".25" : "");
        const QString what = QStringLiteral("countline code=%1 house=%2 prod=%3 book=%4 counted=%5")
                                 .arg(header ? QStringLiteral("new") : count_->code)
                                 .arg(count_->house)
                                 .arg(product)
                                 .arg(book, counted);
        auto result = stockcount::LineResult::NotWritten;
        attempt(id, what, [&]() -> std::optional<QString> {
            QString written;
            result =
                stockcount::saveLine(count_->code, n(product), book, counted, header, &written);
            if (result == stockcount::LineResult::CountedElsewhere)
                messages_.last = QStringLiteral("counted in another open count");
            if (result != stockcount::LineResult::Saved)
                return std::nullopt;
            count_->code = written;
            return written;
        });
        if (result != stockcount::LineResult::Saved) {
            // A person told that the product is counted elsewhere, or was deleted, goes on with
            // the count; one whose count is gone, was never written or is not known to be (a
            // broken connection) begins afresh.
            const bool countGoesOn =
                !header && (result == stockcount::LineResult::CountedElsewhere ||
                            result == stockcount::LineResult::ProductGone);
            if (!countGoesOn)
                count_.reset();
            return;
        }
        count_->lines[product] = book + u':' + counted;
    }

    // Corrects the stock by the open count as its differences window does.
    void correctCount() {
        if (!count_ || count_->lines.empty())
            return countLine();
        const OpenCount count = *std::exchange(count_, std::nullopt);
        QStringList words;
        for (const auto& [product, line] : count.lines)
            words << n(product) + u':' + line;
        const QString what = QStringLiteral("correct code=%1 house=%2 lines=%3")
                                 .arg(count.code)
                                 .arg(count.house)
                                 .arg(words.join(u';'));
        std::vector<stockcount::ShownLine> shown;
        for (const auto& [product, line] : count.lines)
            shown.push_back({n(product), line.section(u':', 0, 0), line.section(u':', 1)});
        attempt(nextId(), what, [&]() -> std::optional<QString> {
            if (stockcount::correctStock(count.code, n(count.house),
                                         count.date.toString(Qt::ISODate),
                                         shown) != stockcount::CorrectionResult::Corrected)
                return std::nullopt;
            return count.code;
        });
    }

    void settle() {
        const bool suppliers = below(2) == 0;
        const long long comp = pick(suppliers ? world_.suppliers : world_.customers);
        const QString amount = price();
        const QString what = QStringLiteral("settle table=%1 comp=%2 amount=%3")
                                 .arg(suppliers ? "Fsupplier" : "Fcustomer")
                                 .arg(comp)
                                 .arg(amount);
        attempt(nextId(), what, [&]() -> std::optional<QString> {
            if (accounts::settleBalance(suppliers ? "1" : "2", n(comp), amount) !=
                accounts::Write::Done)
                return std::nullopt;
            return QStringLiteral("-");
        });
    }

    void cashEntry() {
        const QString id = nextId();
        accounts::CashEntry entry;
        entry.moneyIn = below(2) == 0;
        const long long account = pick(world_.accounts);
        entry.itmID = n(account);
        entry.amount = price();
        entry.empName = QStringLiteral("张三");
        entry.remark = id;
        const QString what = QStringLiteral("cash dir=%1 account=%2 amount=%3")
                                 .arg(entry.moneyIn ? "in" : "out")
                                 .arg(account)
                                 .arg(entry.amount);
        attempt(id, what, [&]() -> std::optional<QString> {
            if (accounts::addCashEntry(entry) != accounts::Write::Done)
                return std::nullopt;
            return QStringLiteral("-");
        });
    }

    // The count this counter has open: its code, warehouse, date and each product's
    // "<book>:<counted>".
    struct OpenCount {
        QString code;
        long long house;
        QDate date;
        std::map<long long, QString> lines{};
    };

    std::mt19937_64 rng_;
    QString name_;
    World world_;
    RememberingMessages& messages_;
    std::optional<OpenCount> count_;
    int serial_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr,
                     "usage: counter <directory>|server:<conninfo> <seconds> <seed> <name>\n");
        return 2;
    }
    RememberingMessages messages;
    setMessages(&messages);
    const auto data = toolbook::open(QString::fromLocal8Bit(argv[1]));
    if (!data)
        return 1;
    const QDeadlineTimer deadline(std::chrono::seconds(std::stoi(argv[2])));
    Counter counter(std::stoull(argv[3]), QString::fromLocal8Bit(argv[4]), toolbook::readWorld(),
                    messages);
    while (!deadline.hasExpired())
        counter.step();
    return 0;
}
