#include "reliability/counterlog.h"

#include "core/decimal.h"
#include "core/sysdata.h"
#include "reliability/bookmodel.h"
#include "reliability/counteropencounts.h"

#include <set>

namespace counters {

namespace {

using End = Operation::End;

constexpr QueryKindId kDocumentKinds[] = {QueryKindId::Purchase,       QueryKindId::Sale,
                                          QueryKindId::PurchaseReturn, QueryKindId::SaleReturn,
                                          QueryKindId::Transfer,       QueryKindId::LossOverflow};

Decimal dec(const QString& text) {
    return Decimal::parse(text).value_or(Decimal());
}

bool isPosting(const Operation& op) {
    return op.what == u"trade" || op.what == u"transfer" || op.what == u"loss" ||
           op.what == u"overflow";
}

// "p:q;p:q" as products and quantities; a correction's "p:book:counted" as its differences.
model::Moves moves(const QString& lines) {
    model::Moves result;
    for (const QString& line : lines.split(u';', Qt::SkipEmptyParts)) {
        const QStringList parts = line.split(u':');
        const Decimal quantity =
            parts.size() == 3 ? dec(parts[2]) - dec(parts[1]) : dec(parts.value(1));
        result.push_back({parts[0].toLongLong(), quantity});
    }
    return result;
}

// The kind an operation is counted under in the figures.
QString kindName(const Operation& op) {
    if (op.what == u"trade")
        return tradeKind(TradeKindId(op.word("kind").toInt())).caption;
    if (op.what == u"void" && op.end == End::Done && op.code == u"-")
        return QStringLiteral("void (gone already)");
    return op.what;
}

long long number(const QString& sql, const QString& value) {
    TQuery q(sysData->myCon, QStringLiteral("counters"));
    q.load(sql);
    q.bind(u"v", value);
    q.open();
    return q.eof() ? 0 : q.field(u"n").asInteger();
}

// A document in the book, found by the operation id in its lines' remarks ("<id> k/n").
struct Found {
    std::set<QString> tables, codes;
    int lines = 0;
    int of = 0; // the n of the remarks
    bool headerless = false;
};

std::map<QString, Found> documentsInTheBook() {
    std::map<QString, Found> found;
    TQuery q(sysData->myCon, QStringLiteral("counters"));
    for (const QueryKindId id : kDocumentKinds) {
        const QueryKind& kind = queryKind(id);
        q.load(QStringLiteral("SELECT d.orderID AS code, d.remark AS remark, (SELECT COUNT(*) "
                              "FROM %1 h WHERE h.orderID=d.orderID) AS n FROM %2 d")
                   .arg(kind.headerTable, kind.lineTable));
        for (q.open(); !q.eof(); q.next()) {
            const QString remark = q.field(u"remark").asText();
            if (!remark.contains(u'/')) // a correction's line, which carries no remark
                continue;
            Found& f = found[remark.section(u' ', 0, 0)];
            f.tables.insert(kind.headerTable);
            f.codes.insert(model::key(q.field(u"code").asText()));
            ++f.lines;
            f.of = remark.section(u' ', 1, 1).section(u'/', 1, 1).toInt();
            f.headerless = f.headerless || q.field(u"n").asInteger() == 0;
        }
    }
    return found;
}

// The model before any operation: every account and counterpart with nothing, no document.
model::BookModel emptyModel() {
    model::BookModel book;
    TQuery q(sysData->myCon, QStringLiteral("counters"));
    q.load(QStringLiteral("SELECT itmID FROM Fitem"));
    for (q.open(); !q.eof(); q.next())
        book.accounts[q.field(u"itmID").asInteger()] = Decimal();
    book.balances["Fsupplier"];
    book.balances["Fcustomer"];
    for (const QueryKindId id : kDocumentKinds)
        book.codes[queryKind(id).headerTable];
    return book;
}

model::Written written(const Operation& op, const QString& code) {
    const model::Moves lines = moves(op.word("lines"));
    if (op.what == u"trade")
        return model::tradeWritten(model::tradeEffect(TradeKindId(op.word("kind").toInt())), code,
                                   op.word("house").toLongLong(), op.word("comp").toLongLong(),
                                   lines, dec(op.word("due")), dec(op.word("paid")));
    if (op.what == u"transfer")
        return model::transferWritten(code, op.word("out").toLongLong(), op.word("in").toLongLong(),
                                      lines);
    return model::lossOverflowWritten(code, op.what == u"loss", op.word("house").toLongLong(),
                                      lines);
}

class Checker {
public:
    explicit Checker(const std::vector<Operation>& operations)
        : operations_(operations), found_(documentsInTheBook()), book_(emptyModel()) {
        for (const Operation& op : operations_) {
            if (op.what != u"void")
                continue;
            if (op.end == End::Done && op.code != u"-")
                voids_[op.word("of")].push_back(&op);
            else if (op.unsure())
                unsureVoids_[op.word("of")].push_back(&op);
        }
    }

    QStringList run() {
        std::set<QString> postings;
        for (const Operation& op : operations_) {
            if (isPosting(op)) {
                posting(op);
                postings.insert(op.id);
            } else if (op.what == u"correct") {
                correction(op);
            } else if (op.what == u"cash") {
                cash(op);
            }
        }
        settlements();
        for (const auto& [id, f] : found_)
            if (!postings.count(id))
                faults_ << QStringLiteral("the book holds a document of no counter's operation: "
                                          "%1 in %2")
                               .arg(id, QStringList(f.codes.begin(), f.codes.end()).join(u','));
        codesGivenTwice();
        faults_ << openCountFaults(operations_);
        if (const QString totals = book_.totalsDisagreement(); !totals.isEmpty())
            faults_ << QStringLiteral("the kept totals differ from the model: ") + totals;
        return faults_;
    }

private:
    void posting(const Operation& op) {
        const auto at = found_.find(op.id);
        const bool present = at != found_.end();
        if (op.end == End::Failed && !op.lost) {
            if (present)
                faults_ << told(op) + QStringLiteral(" is in the book although refused");
            return;
        }
        const std::vector<const Operation*>& voided = voids_[op.id];
        const bool voidedUnsure = unsureVoids_.count(op.id) > 0;
        // Only a document in the book can be voided: a voiding names what was committed.
        const bool done = op.end == End::Done || present || !voided.empty() || voidedUnsure;
        if (!done)
            return;
        if (voided.size() > 1) {
            QStringList by;
            for (const Operation* v : voided)
                by << v->id;
            faults_ << told(op) + QStringLiteral(" was voided %1 times (a double reversal), by %2")
                                      .arg(voided.size())
                                      .arg(by.join(u','));
        }
        for (const Operation* v : voided)
            if (op.end == End::Done && model::key(v->code) != model::key(op.code))
                faults_ << told(op) + QStringLiteral(" was voided by %1 as %2").arg(v->id, v->code);
        if (!voided.empty() || (voidedUnsure && !present)) {
            if (present)
                faults_ << told(op) + QStringLiteral(" is in the book although voided");
            return;
        }
        if (!present) {
            faults_ << told(op) + QStringLiteral(" is missing from the book");
            return;
        }
        const Found& f = at->second;
        if (f.tables.size() != 1 || f.codes.size() != 1 || f.lines != f.of || f.headerless)
            faults_ << told(op) + QStringLiteral(" is in the book in part: %1 lines of %2 in %3 "
                                                 "under %4%5")
                                      .arg(f.lines)
                                      .arg(f.of)
                                      .arg(QStringList(f.tables.begin(), f.tables.end()).join(','),
                                           QStringList(f.codes.begin(), f.codes.end()).join(','),
                                           f.headerless ? ", without its header" : "");
        const QString code = *f.codes.begin();
        if (op.end == End::Done && code != model::key(op.code))
            faults_ << told(op) + QStringLiteral(" is in the book as %1").arg(code);
        book_.record(written(op, code));
    }

    // Done, or cut off and found in the book: whole. Refused: not in the book.
    bool settled(const Operation& op, long long present, const QString& rows) {
        if (op.end == End::Failed && !op.lost) {
            if (present > 0)
                faults_ << told(op) + QStringLiteral(" is in the book although refused");
            return false;
        }
        if (op.end == End::Done && present == 0)
            faults_ << told(op) + QStringLiteral(" is missing from the book");
        if (present > 1)
            faults_ << told(op) + QStringLiteral(" is in the book %1 times").arg(present);
        if (!rows.isEmpty())
            faults_ << told(op) + u' ' + rows;
        return op.end == End::Done || present > 0;
    }

    void correction(const Operation& op) {
        const QString code = op.word("code");
        const long long present =
            number(QStringLiteral("SELECT COUNT(*) AS n FROM OrderBsBy WHERE orderID=:v AND "
                                  "orderType='盘点'"),
                   code);
        const model::Moves lines = moves(op.word("lines"));
        QString rows;
        if (present > 0) {
            const long long held = number(
                QStringLiteral("SELECT COUNT(*) AS n FROM OrderBsByD WHERE orderID=:v"), code);
            if (held != static_cast<long long>(lines.size()))
                rows =
                    QStringLiteral("was written with %1 lines of %2").arg(held).arg(lines.size());
        }
        if (!settled(op, present, rows))
            return;
        const long long house = op.word("house").toLongLong();
        for (const auto& [p, difference] : lines) {
            book_.stock[p] += difference;
            book_.perHouse[{house, p}] += difference;
        }
        book_.codes["OrderBsBy"].insert(model::key(code));
    }

    void cash(const Operation& op) {
        const long long present =
            number(QStringLiteral("SELECT COUNT(*) AS n FROM FitemBank WHERE remark=:v"), op.id);
        if (!settled(op, present, QString()))
            return;
        const Decimal amount = dec(op.word("amount"));
        book_.accounts[op.word("account").toLongLong()] +=
            op.word("dir") == u"in" ? amount : -amount;
        ++book_.journalRows;
    }

    // A settlement carries no mark of its operation: those whose end is unknown are settled by
    // counting the book's settlements of the same counterpart and amount.
    void settlements() {
        struct Tally {
            long long done = 0, unsure = 0, book = 0;
        };
        std::map<std::tuple<QString, long long, QString>, Tally> tallies;
        for (const Operation& op : operations_) {
            if (op.what != u"settle" || (op.end == End::Failed && !op.lost))
                continue;
            Tally& t = tallies[{op.word("table"), op.word("comp").toLongLong(),
                                dec(op.word("amount")).rounded(2).toString()}];
            ++(op.end == End::Done ? t.done : t.unsure);
        }
        TQuery q(sysData->myCon, QStringLiteral("counters"));
        q.load(QStringLiteral("SELECT compTable, compID, sumMoney FROM FSettle"));
        for (q.open(); !q.eof(); q.next())
            ++tallies[{q.field(u"compTable").asText(), q.field(u"compID").asInteger(),
                       Decimal::fromDouble(q.field(u"sumMoney").asFloat()).rounded(2).toString()}]
                  .book;
        for (const auto& [key, t] : tallies) {
            const auto& [table, comp, amount] = key;
            if (t.book < t.done || t.book > t.done + t.unsure)
                faults_ << QStringLiteral("the book holds %1 settlements of %2 with %3 %4, the "
                                          "counters reported %5 done and %6 cut off")
                               .arg(t.book)
                               .arg(amount, table)
                               .arg(comp)
                               .arg(t.done)
                               .arg(t.unsure);
            book_.balances[table][comp] -= Decimal::fromInt(int(t.book)) * dec(amount);
        }
    }

    void codesGivenTwice() {
        QStringList tables{QStringLiteral("OrderPD")};
        for (const QueryKindId id : kDocumentKinds)
            tables << queryKind(id).headerTable;
        QStringList all;
        for (const QString& table : tables)
            all << QStringLiteral("SELECT upper(orderID) AS c FROM ") + table;
        TQuery q(sysData->myCon, QStringLiteral("counters"));
        q.load(QStringLiteral("SELECT c, COUNT(*) AS n FROM (%1) t GROUP BY c HAVING COUNT(*) > 1")
                   .arg(all.join(QStringLiteral(" UNION ALL "))));
        for (q.open(); !q.eof(); q.next())
            faults_ << QStringLiteral("the code %1 was given %2 times")
                           .arg(q.field(u"c").asText(), q.field(u"n").asText());
    }

    const std::vector<Operation>& operations_;
    std::map<QString, Found> found_;
    model::BookModel book_;
    std::map<QString, std::vector<const Operation*>> voids_, unsureVoids_;
    QStringList faults_;
};

} // namespace

QString told(const Operation& op) {
    const QString end = op.end == End::Done  ? QStringLiteral("done as ") + op.code
                        : op.end == End::Cut ? QStringLiteral("cut off")
                        : op.lost            ? QStringLiteral("failed, connection lost")
                                             : QStringLiteral("refused");
    return QStringLiteral("%1 (%2, %3)").arg(op.id, op.what, end);
}

QString Operation::word(const char* key) const {
    const auto at = words.find(QString::fromLatin1(key));
    return at == words.end() ? QString() : at->second;
}

std::vector<Operation> readLog(const QByteArray& output) {
    std::vector<Operation> operations;
    std::map<QString, std::size_t> at;
    const QList<QByteArray> lines = output.split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]);
        const QString tag = line.section(u' ', 0, 0);
        const QString id = line.section(u' ', 1, 1);
        if (tag == u"B") {
            Operation op;
            op.id = id;
            const QStringList parts = line.section(u' ', 2).split(u' ', Qt::SkipEmptyParts);
            op.what = parts.value(0);
            for (const QString& part : parts.mid(1))
                op.words[part.section(u'=', 0, 0)] = part.section(u'=', 1);
            at[id] = operations.size();
            operations.push_back(std::move(op));
            continue;
        }
        const auto begun = at.find(id);
        if (begun == at.end())
            continue;
        Operation& op = operations[begun->second];
        if (tag == u"D") {
            op.end = End::Done;
            op.code = line.section(u' ', 2, 2);
        } else if (tag == u"F") {
            op.end = End::Failed;
            op.lost = line.section(u' ', 2, 2) == u"lost";
            op.message = line.section(u' ', 3);
        }
    }
    return operations;
}

QString figures(const std::vector<Operation>& operations) {
    std::map<QString, int> done, failures;
    int cut = 0;
    for (const Operation& op : operations) {
        if (op.end == End::Done)
            ++done[kindName(op)];
        else if (op.end == End::Failed)
            ++failures[op.what + QStringLiteral(": ") + op.message.left(60)];
        else
            ++cut;
    }
    QStringList d, f;
    int total = 0;
    for (const auto& [kind, n] : done) {
        d << QStringLiteral("%1 %2").arg(kind).arg(n);
        total += n;
    }
    for (const auto& [message, n] : failures)
        f << QStringLiteral("%1× \"%2\"").arg(n).arg(message);
    return QStringLiteral("%1 operations done: %2\n%3 failed: %4\n%5 cut off by a kill")
        .arg(total)
        .arg(d.join(QStringLiteral(", ")))
        .arg(operations.size() - std::size_t(total) - std::size_t(cut))
        .arg(f.isEmpty() ? QStringLiteral("none") : f.join(QStringLiteral(", ")))
        .arg(cut);
}

QStringList check(const std::vector<Operation>& operations) {
    return Checker(operations).run();
}

} // namespace counters
