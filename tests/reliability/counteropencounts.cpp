#include "reliability/counteropencounts.h"

#include "core/decimal.h"
#include "core/sysdata.h"
#include "reliability/bookmodel.h"

#include <algorithm>

namespace counters {

namespace {

using End = Operation::End;

// A counted line's book and counted quantity, exactly.
struct Quantities {
    Decimal book, counted;

    bool operator==(const Quantities& other) const {
        return book == other.book && counted == other.counted;
    }
    QString text() const { return book.toString() + u':' + counted.toString(); }
};

Decimal dec(const QString& text) {
    return Decimal::parse(text).value_or(Decimal());
}

Quantities reported(const Operation& op) {
    return {dec(op.word("book")), dec(op.word("counted"))};
}

long long product(const Operation& op) {
    return op.word("prod").toLongLong();
}

// A count as the book holds it: its header, if any, and its lines by product.
struct BookCount {
    QString code;
    bool header = false;
    QString remark;
    long long house = 0;
    std::map<long long, std::vector<Quantities>> lines{};
    bool accounted = false; // claimed by a reported count
};

std::map<QString, BookCount> countsInTheBook() {
    std::map<QString, BookCount> counts;
    TQuery q(sysData->myCon, QStringLiteral("counters"));
    q.load(QStringLiteral("SELECT orderID, remark, houseID FROM OrderPD"));
    for (q.open(); !q.eof(); q.next()) {
        BookCount& c = counts[model::key(q.field(u"orderID").asText())];
        c.code = q.field(u"orderID").asText();
        c.header = true;
        c.remark = q.field(u"remark").asText().trimmed();
        c.house = q.field(u"houseID").asInteger();
    }
    q.load(QStringLiteral("SELECT orderID, prodID, pcount, pdcount FROM OrderPDD"));
    for (q.open(); !q.eof(); q.next()) {
        BookCount& c = counts[model::key(q.field(u"orderID").asText())];
        if (c.code.isEmpty())
            c.code = q.field(u"orderID").asText();
        c.lines[q.field(u"prodID").asInteger()].push_back(
            {dec(q.field(u"pcount").asText()), dec(q.field(u"pdcount").asText())});
    }
    return counts;
}

bool corrected(const QString& code) {
    TQuery q(sysData->myCon, QStringLiteral("counters"));
    q.load(QStringLiteral(
        "SELECT COUNT(*) AS n FROM OrderBsBy WHERE orderID=:v AND orderType='盘点'"));
    q.bind(u"v", code);
    q.open();
    return q.field(u"n").asInteger() > 0;
}

// A count as one counter reported it: the line that opened it, every line in order (the
// opening one first) and the correction that closed it, if one was tried.
struct ReportedCount {
    const Operation* opening;
    std::vector<const Operation*> lines;
    const Operation* correction = nullptr;
};

// What one product's line may hold: the quantities last reported done, or those of a later
// line whose end is not known (a counter begins a new count after any failure, so nothing
// follows it).
struct Expected {
    const Operation* done = nullptr;
    const Operation* unsure = nullptr;

    bool allows(const Quantities& q) const {
        return (done && reported(*done) == q) || (unsure && reported(*unsure) == q);
    }
};

class CountChecker {
public:
    explicit CountChecker(const std::vector<Operation>& operations) : book_(countsInTheBook()) {
        for (auto& [key, c] : book_)
            if (c.header)
                byRemark_[c.remark] = &c;
        for (const Operation& op : operations) {
            if (op.what == u"countline") {
                line(op);
                byLine_[{product(op), reported(op).text()}].push_back(&op);
            } else if (op.what == u"correct") {
                if (ReportedCount* c = named(op))
                    c->correction = &op;
            }
        }
    }

    QStringList run() {
        for (const ReportedCount& c : reported_)
            compare(c);
        for (const auto& [key, c] : book_)
            if (!c.accounted)
                faults_ << QStringLiteral("the book holds a count of no counter's operation: %1%2 "
                                          "with %3 products")
                               .arg(c.code, c.header
                                                ? QStringLiteral(" remarked \"%1\"").arg(c.remark)
                                                : QStringLiteral(" without a header"))
                               .arg(c.lines.size());
        return faults_;
    }

private:
    void line(const Operation& op) {
        if (op.word("code") == u"new") {
            reported_.push_back({&op, {&op}});
            if (op.end != End::Done)
                return;
            const auto [at, fresh] = byCode_.emplace(model::key(op.code), reported_.size() - 1);
            if (!fresh)
                faults_ << told(op) + QStringLiteral(" opened a count under the code of %1")
                                          .arg(reported_[at->second].opening->id);
            return;
        }
        if (ReportedCount* c = named(op))
            c->lines.push_back(&op);
    }

    // The count an operation names by its code.
    ReportedCount* named(const Operation& op) {
        const auto at = byCode_.find(model::key(op.word("code")));
        if (at == byCode_.end()) {
            faults_ << told(op) + QStringLiteral(" names the count %1, which no line opened")
                                      .arg(op.word("code"));
            return nullptr;
        }
        return &reported_[at->second];
    }

    // The count's place in the book: under the code reported, or, for an opening whose code is
    // not known, under the one whose header carries its id.
    BookCount* held(const Operation& opening) {
        if (opening.end == End::Done) {
            if (const auto at = book_.find(model::key(opening.code)); at != book_.end())
                return &at->second;
        }
        const auto at = byRemark_.find(opening.id);
        if (at == byRemark_.end())
            return nullptr;
        if (opening.end == End::Done)
            faults_ << told(opening) +
                           QStringLiteral(" is in the book as %1").arg(at->second->code);
        return at->second;
    }

    bool isCorrected(const ReportedCount& c) const {
        const Operation* correction = c.correction;
        return correction && (correction->end == End::Done ||
                              (correction->unsure() && corrected(correction->word("code"))));
    }

    void compare(const ReportedCount& c) {
        const Operation& opening = *c.opening;
        BookCount* count = held(opening);
        if (opening.end == End::Failed && !opening.lost) {
            if (count) {
                faults_ << told(opening) +
                               QStringLiteral(" is in the book although refused, as the count %1")
                                   .arg(count->code);
                count->accounted = true;
            }
            return;
        }
        const bool closed = isCorrected(c);
        if (!count) {
            if (opening.end == End::Done && !closed)
                faults_ << told(opening) + QStringLiteral(" is missing from the book: no count %1")
                                               .arg(opening.code);
            return;
        }
        count->accounted = true;
        if (closed) {
            if (count->header)
                faults_ << told(*c.correction) + QStringLiteral(" left its count open");
            if (!count->lines.empty())
                faults_ << told(*c.correction) + QStringLiteral(" left %1 of its count's lines")
                                                     .arg(count->lines.size());
            return;
        }
        if (!count->header)
            faults_ << told(opening) +
                           QStringLiteral(" is in the book without its count's header: %1 lines")
                               .arg(count->lines.size());
        else if (count->remark != opening.id)
            faults_ << told(opening) + QStringLiteral(" opened the count %1 remarked \"%2\"")
                                           .arg(count->code, count->remark);
        else if (count->house != opening.word("house").toLongLong())
            faults_ << told(opening) +
                           QStringLiteral(" opened its count in warehouse %1").arg(count->house);
        lines(c, *count);
    }

    void lines(const ReportedCount& c, const BookCount& count) {
        std::map<long long, Expected> expected;
        for (const Operation* op : c.lines) {
            Expected& e = expected[product(*op)];
            // The count is in the book: the line that opened it was written with its header.
            if (op->end == End::Done || op == c.opening)
                e = {op, nullptr};
            else if (op->unsure())
                e.unsure = op;
        }
        for (const auto& line : count.lines)
            expected[line.first]; // a product no line reported done or cut off is looked at too
        for (const auto& [p, e] : expected) {
            const auto at = count.lines.find(p);
            const std::vector<Quantities> rows =
                at == count.lines.end() ? std::vector<Quantities>() : at->second;
            if (rows.size() > 1)
                faults_ << QStringLiteral("the count %1 holds %2 lines of product %3")
                               .arg(count.code)
                               .arg(rows.size())
                               .arg(p);
            bool found = false;
            for (const Quantities& row : rows) {
                if (e.allows(row))
                    found = true;
                else
                    faults_ << unreported(c, count, p, row);
            }
            if (e.done && !found)
                faults_ << told(*e.done) +
                               QStringLiteral(" is missing from the count %1%2")
                                   .arg(count.code,
                                        rows.empty() ? QString() : QStringLiteral(" (replaced)"));
        }
    }

    // Why a line the count holds is none it may hold: whose it is, as far as the reports say.
    QString unreported(const ReportedCount& c, const BookCount& count, long long p,
                       const Quantities& row) const {
        const auto at = byLine_.find({p, row.text()});
        const std::vector<const Operation*> none;
        const std::vector<const Operation*>& by = at == byLine_.end() ? none : at->second;
        for (auto op = by.rbegin(); op != by.rend(); ++op) {
            if (std::find(c.lines.begin(), c.lines.end(), *op) == c.lines.end())
                continue;
            if ((*op)->end == End::Failed)
                return told(**op) +
                       QStringLiteral(" is in the count %1 although refused").arg(count.code);
            return told(**op) +
                   QStringLiteral(" is still in the count %1, counted again since").arg(count.code);
        }
        const QString line = QStringLiteral("the count %1 holds product %2 as %3")
                                 .arg(count.code)
                                 .arg(p)
                                 .arg(row.text());
        if (by.empty())
            return line + QStringLiteral(", which no counter reported");
        QStringList whose;
        for (const Operation* op : by)
            whose << told(*op);
        return line + QStringLiteral(", reported for other counts by ") + whose.join(u", ");
    }

    std::map<QString, BookCount> book_;
    std::map<QString, BookCount*> byRemark_;
    std::vector<ReportedCount> reported_;
    std::map<QString, std::size_t> byCode_;
    std::map<std::pair<long long, QString>, std::vector<const Operation*>> byLine_;
    QStringList faults_;
};

} // namespace

QStringList openCountFaults(const std::vector<Operation>& operations) {
    return CountChecker(operations).run();
}

} // namespace counters
