// The document operations of the model-based test: trade documents, transfers, loss and
// overflow reports, each with random faults, and voiding.
#include "documents/stockposting.h"
#include "documents/tradeposting.h"
#include "reliability/modelrun.h"
#include "reliability/nastytexts.h"
#include "reports/voiding.h"

namespace model {

namespace {

void answer(ScriptedMessages& messages, StockSaveResult expected) {
    if (expected == StockSaveResult::Cancelled)
        messages.answerCancel();
    else if (expected == StockSaveResult::Saved || expected == StockSaveResult::Failed)
        messages.answerOk();
}

} // namespace

// Posts a random trade document; false (with the reason in failure) when the book or the
// procedure's answer disagrees with the model.
bool ModelRun::trade() {
    const TradeEffect& e = tradeEffect(TradeKindId(below(4)));
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
    Moves moves;
    const std::vector<int> rows = someRows();
    for (int row : rows) {
        const long long p = pickInto(d, row);
        const Decimal amount = (dec(d.cell(row, 6)) * dec(d.cell(row, 7))).cents();
        d.cell(row, 8) = amount.toString();
        d.runningTotal += amount;
        moves.push_back({p, dec(d.cell(row, 7))});
    }
    const Fault f = fault({NoHouse, NoCode, BlankCode, NoCounterpart, Duplicate, BadCell, BadMoney,
                           HandRow, ZeroTotal, Cancel});
    bool fails = false;
    if (f == HandRow) {
        // Typed into the grid by hand: a code but no product ID, a product the book does not
        // know. It counts in no total, and the document is refused with its row named.
        int row = 1;
        while (row < DocumentLines::kRows && !d.cell(row, 2).isEmpty())
            ++row;
        if (d.cell(row, 2).isEmpty()) {
            d.cell(row, 2) = "手写";
            d.cell(row, 3) = "手写品";
            d.cell(row, 6) = "2";
            d.cell(row, 7) = "3";
            d.cell(row, 8) = "6";
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
    case BadMoney:
        d.money = notANumber(false);
        fails = true;
        break;
    case ZeroTotal:
        d.runningTotal = Decimal();
        break;
    default:
        break;
    }
    if (book.codes[kind.headerTable].count(key(d.orderCode)))
        fails = true;

    PostResult expected = PostResult::Posted;
    if (d.houseName.isEmpty())
        expected = PostResult::NoHouse;
    else if (d.orderCode.trimmed().isEmpty())
        expected = PostResult::NoOrderCode;
    else if (d.compID.isEmpty())
        expected = PostResult::NoCounterpart;
    else if (d.firstRowWithoutProduct() != 0)
        expected = PostResult::UnknownProduct;
    else if (d.firstRowBeyondRange() != 0)
        expected = PostResult::BeyondRange;
    else if (d.runningTotal.isZero())
        expected = PostResult::NoLines;
    else if (f == Cancel)
        expected = PostResult::Cancelled;
    else if (fails)
        expected = PostResult::Failed;
    tally("trade document", expected != PostResult::Posted && expected != PostResult::Cancelled);
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
    book.record(tradeWritten(e, d.orderCode, h.id, comp, moves, dec(d.sumMoney), dec(d.money)));
    book.stored = {kind.headerTable, d.orderCode.trimmed(), d.empName.trimmed()};
    return expectMessage(QStringLiteral("单据保存成功！"));
}

bool ModelRun::transfer() {
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
    Moves moves;
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
    case HandRow: // no product ID: a product the book does not know, refused before writing
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
    if (book.codes["OrderDB"].count(key(d.orderCode)))
        fails = true;
    StockSaveResult expected = StockSaveResult::Saved;
    if (d.houseOutName.isEmpty())
        expected = StockSaveResult::NoHouseOut;
    else if (d.houseInName.isEmpty())
        expected = StockSaveResult::NoHouseIn;
    else if (d.houseOutName == d.houseInName)
        expected = StockSaveResult::SameHouses;
    else if (d.orderCode.trimmed().isEmpty())
        expected = StockSaveResult::NoOrderCode;
    else if (d.firstRowWithoutProduct() != 0)
        expected = StockSaveResult::UnknownProduct;
    else if (d.firstRowBeyondRange() != 0)
        expected = StockSaveResult::BeyondRange;
    else if (f == Cancel)
        expected = StockSaveResult::Cancelled;
    else if (fails)
        expected = StockSaveResult::Failed;
    tally("transfer", expected != StockSaveResult::Saved && expected != StockSaveResult::Cancelled);
    description = QStringLiteral("DB %1 %2->%3 fault %4, %5 lines")
                      .arg(d.orderCode)
                      .arg(out.id)
                      .arg(in.id)
                      .arg(int(f))
                      .arg(rows.size());
    answer(messages_, expected);
    const StockSaveResult got = saveTransfer(d);
    if (got != expected)
        return fail(QStringLiteral("result %1, expected %2").arg(int(got)).arg(int(expected)));
    if (expected != StockSaveResult::Saved)
        return expectRefusal(expected == StockSaveResult::Failed);
    book.record(transferWritten(d.orderCode, out.id, in.id, moves));
    book.stored = {"OrderDB", d.orderCode.trimmed(), d.empName.trimmed()};
    return expectMessage(QStringLiteral("单据保存成功！"));
}

bool ModelRun::lossOverflow() {
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
    Moves moves;
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
    if (book.codes["OrderBsBy"].count(key(d.orderCode)))
        fails = true;
    StockSaveResult expected = StockSaveResult::Saved;
    if (d.houseName.isEmpty())
        expected = StockSaveResult::NoHouseIn;
    else if (d.orderCode.trimmed().isEmpty())
        expected = StockSaveResult::NoOrderCode;
    else if (d.firstRowBeyondRange() != 0)
        expected = StockSaveResult::BeyondRange;
    else if (f == Cancel)
        expected = StockSaveResult::Cancelled;
    else if (fails)
        expected = StockSaveResult::Failed;
    tally("loss/overflow",
          expected != StockSaveResult::Saved && expected != StockSaveResult::Cancelled);
    description = QStringLiteral("%1 %2 fault %3, %4 lines")
                      .arg(loss ? "BS" : "BY", d.orderCode)
                      .arg(int(f))
                      .arg(rows.size());
    answer(messages_, expected);
    const StockSaveResult got = saveLossOverflow(d);
    if (got != expected)
        return fail(QStringLiteral("result %1, expected %2").arg(int(got)).arg(int(expected)));
    if (expected != StockSaveResult::Saved)
        return expectRefusal(expected == StockSaveResult::Failed);
    book.record(lossOverflowWritten(d.orderCode, loss, h.id, moves));
    book.stored = {"OrderBsBy", d.orderCode.trimmed(), d.empName.trimmed()};
    return expectMessage(QStringLiteral("单据保存成功！"));
}

// Voids a written document through the procedure the query windows call; now and then one
// that is not there (voided already) or a stock count's correction, which the loss/overflow
// query keeps out of reach: either must change nothing.
bool ModelRun::voidOne() {
    if (book.posted.empty() || chance(12)) {
        const bool correction = !corrections.empty() && chance(50);
        const QString code = correction ? pick(corrections) : newCode("XS");
        const QueryKindId kind = correction ? QueryKindId::LossOverflow : QueryKindId::Sale;
        description =
            QStringLiteral("void the %1 %2").arg(correction ? "correction" : "missing", code);
        tally("void", true);
        const long long before = changes();
        if (voidDocument(queryKind(kind), code))
            return fail(QStringLiteral("voided what no query window lists"));
        return expectUnchanged(before);
    }
    const std::size_t i = std::size_t(below(int(book.posted.size())));
    const Written w = book.posted[i];
    description = QStringLiteral("void %1 '%2'").arg(w.table, w.code.left(20));
    tally("void", false);
    if (!voidDocument(queryKind(w.kind), w.code))
        return fail(QStringLiteral("the written document could not be voided"));
    book.apply(w, -1);
    book.codes[w.table].erase(key(w.code));
    book.posted.erase(book.posted.begin() + std::ptrdiff_t(i));
    return true;
}

} // namespace model
