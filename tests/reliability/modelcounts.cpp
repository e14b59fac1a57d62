// The stock count operations of the model-based test: counted lines saved as the count windows
// save them, lines and counts deleted, and the stock corrected by a count.
#include "core/sysdata.h"
#include "documents/stockcount.h"
#include "reliability/modelrun.h"

namespace model {

namespace {

struct Listed {
    QString prodID;
    QString book; // the book quantity as the list shows it
};

// The products the count window lists for the warehouse, with their book quantity.
std::vector<Listed> listedProducts(long long house) {
    TQuery& p = sysData->QueryP1;
    stockcount::loadHouseProducts(p, QString::number(house), QString());
    std::vector<Listed> listed;
    for (; !p.eof(); p.next())
        listed.push_back({p.field(u"prodID").asText(), p.field(u"sumCount").asText()});
    p.close();
    return listed;
}

// The counted lines as the counted list shows them, with the book quantity each keeps.
std::vector<Listed> countedLines(const QString& code) {
    TQuery& p = sysData->QueryP2;
    stockcount::loadCountedLines(p, code);
    std::vector<Listed> lines;
    for (; !p.eof(); p.next())
        lines.push_back({p.field(u"prodID").asText(), p.field(u"pcount").asText()});
    p.close();
    return lines;
}

QString lineResult(stockcount::LineResult r) {
    return QString::number(int(r));
}

} // namespace

// Confirms one counted quantity: the first line of a new count (which writes the header with
// it), a product of the warehouse's list, or a counted line edited again.
bool ModelRun::countLine() {
    const bool fresh = book.counts.empty() || chance(35);
    OpenCount count;
    std::optional<stockcount::CountHeader> header;
    bool taken = false;
    if (fresh) {
        // Codes from moments a while apart: without leading zeros two of them may read alike.
        count.code = stockcount::countCode(kNow.addSecs(37LL * ++serial));
        count.house = pick(houses).id;
        count.date = QDate(2026, 3, 1).addDays(below(40));
        if (chance(8)) {
            const QString used =
                book.counts.empty() || chance(50)
                    ? takenCode("OrderBsBy")
                    : std::next(book.counts.begin(), below(int(book.counts.size())))
                          ->second.code.toLower();
            if (!used.isEmpty())
                count.code = used;
        }
        header = stockcount::CountHeader{QString::number(count.house), text(), text(), count.date};
        taken =
            book.counts.count(key(count.code)) || book.codes["OrderBsBy"].count(key(count.code));
    } else {
        count = std::next(book.counts.begin(), below(int(book.counts.size())))->second;
    }

    Listed product;
    bool known = true;
    const std::vector<Listed> lines = countedLines(count.code);
    const std::vector<Listed> listed = listedProducts(count.house);
    if (!fresh && !lines.empty() && chance(30)) {
        product = lines[std::size_t(below(int(lines.size())))];
    } else if (!listed.empty() && !chance(3)) {
        product = listed[std::size_t(below(int(listed.size())))];
        const Decimal held = book.perHouse[{count.house, product.prodID.toLongLong()}];
        if (!(dec(product.book) - held).rounded(6).isZero())
            return fail(QStringLiteral("the count lists %1 of %2 in warehouse %3, model %4")
                            .arg(product.book, product.prodID)
                            .arg(count.house)
                            .arg(held.toString()));
    } else {
        // A product that does not exist (gone since it was listed): the count says so.
        product = {QString::number(900 + below(50)), QString()};
        known = false;
    }

    QString counted;
    bool faulty = false;
    switch (below(12)) {
    case 0:
        counted = notANumber(true);
        faulty = true;
        break;
    case 1:
        counted = tooManyDigits();
        faulty = true;
        break;
    case 2:
    case 3:
        counted = product.book.isEmpty() ? QStringLiteral("0") : product.book;
        break;
    case 4:
        counted = "0";
        break;
    case 5:
        counted = u'-' + QString::number(1 + below(9));
        break;
    case 6:
        counted = QString::number(below(100000)) + u'.' + QString::number(below(1000));
        break;
    default:
        counted = quantity();
        break;
    }
    // A product of the warehouse is in one open count at a time.
    bool elsewhere = false;
    for (const auto& [code, other] : book.counts)
        elsewhere = elsewhere || (code != key(count.code) && other.house == count.house &&
                                  other.lines.count(product.prodID.toLongLong()) > 0);
    const stockcount::LineResult expected = faulty      ? stockcount::LineResult::NotANumber
                                            : !known    ? stockcount::LineResult::ProductGone
                                            : taken     ? stockcount::LineResult::CodeInUse
                                            : elsewhere ? stockcount::LineResult::CountedElsewhere
                                                        : stockcount::LineResult::Saved;
    tally("count line", expected != stockcount::LineResult::Saved);
    description = QStringLiteral("count %1 %2 of %3 in warehouse %4: book '%5', counted '%6'")
                      .arg(fresh ? "new" : "open", count.code, product.prodID)
                      .arg(count.house)
                      .arg(product.book, counted.left(30));
    const long long before = changes();
    const stockcount::LineResult got =
        stockcount::saveLine(count.code, product.prodID, product.book, counted, header);
    if (got != expected)
        return fail(
            QStringLiteral("result %1, expected %2").arg(lineResult(got), lineResult(expected)));
    if (!expectNoMessage())
        return false;
    if (expected != stockcount::LineResult::Saved)
        return expectUnchanged(before);
    OpenCount& kept = book.counts.try_emplace(key(count.code), count).first->second;
    kept.lines[product.prodID.toLongLong()] = {dec(product.book), dec(counted)};
    return true;
}

// Deletes a counted line, now and then one the count does not hold.
bool ModelRun::deleteCountLine() {
    if (book.counts.empty())
        return countLine();
    OpenCount& count = std::next(book.counts.begin(), below(int(book.counts.size())))->second;
    const bool held = !count.lines.empty() && !chance(15);
    const long long product =
        held ? std::next(count.lines.begin(), below(int(count.lines.size())))->first
             : pick(products);
    const bool exists = count.lines.count(product) > 0;
    tally("count line deleted", !exists);
    description =
        QStringLiteral("delete the line of %1 from count %2").arg(product).arg(count.code);
    const long long before = changes();
    using stockcount::LineDeletion;
    if (stockcount::deleteLine(count.code, QString::number(product)) !=
        (exists ? LineDeletion::Deleted : LineDeletion::LineGone))
        return fail(exists ? QStringLiteral("the line was not deleted")
                           : QStringLiteral("deleted a line the count did not hold"));
    if (!exists)
        return expectUnchanged(before);
    count.lines.erase(product);
    return true;
}

// A count's code: mostly an open count's, now and then one deleted or corrected already
// (which a later count may have taken again).
QString ModelRun::someCountCode() {
    if (!book.counts.empty() && !chance(20))
        return std::next(book.counts.begin(), below(int(book.counts.size())))->second.code;
    return goneCounts.empty() ? QStringLiteral("PD1") : pick(goneCounts);
}

// Deletes a count with its lines.
bool ModelRun::deleteCount() {
    const QString code = someCountCode();
    const bool open = book.counts.count(key(code)) > 0;
    tally("count deleted", !open);
    description = QStringLiteral("delete count %1").arg(code);
    const long long before = changes();
    if (stockcount::deleteCount(code) != open)
        return fail(open ? QStringLiteral("the count was not deleted")
                         : QStringLiteral("deleted a count that was gone"));
    if (!open)
        return expectUnchanged(before);
    book.counts.erase(key(code));
    goneCounts.push_back(code);
    return true;
}

// Corrects the stock by a count as the differences window does, and now and then once more:
// a correction applies once.
bool ModelRun::correctCount() {
    OpenCount count;
    count.code = someCountCode();
    count.house = pick(houses).id;
    count.date = QDate(2026, 3, 15);
    const bool open = book.counts.count(key(count.code)) > 0;
    if (open)
        count = book.counts[key(count.code)];
    using stockcount::CorrectionResult;
    const CorrectionResult expected = !open                 ? CorrectionResult::Gone
                                      : count.correctable() ? CorrectionResult::Corrected
                                                            : CorrectionResult::NoLines;
    tally("correction", expected != CorrectionResult::Corrected);
    description =
        QStringLiteral("correct by count %1 (%2 lines)").arg(count.code).arg(count.lines.size());
    const QString houseID = QString::number(count.house);
    const QString date = count.date.toString(Qt::ISODate);
    long long before = changes();
    // The lines as the person sees them listed: the model's own.
    std::vector<stockcount::ShownLine> shown;
    for (const auto& [product, line] : count.lines)
        shown.push_back({QString::number(product), line.book.toString(), line.counted.toString()});
    const CorrectionResult got = stockcount::correctStock(count.code, houseID, date, shown);
    if (got != expected)
        return fail(QStringLiteral("result %1, expected %2").arg(int(got)).arg(int(expected)));
    if (expected != CorrectionResult::Corrected)
        return expectUnchanged(before);

    TQuery q(sysData->myCon, "correction");
    for (const auto& [product, line] : count.lines) {
        const Place at{count.house, product};
        // Counted against what the warehouse still holds, the correction leaves it holding
        // exactly what was counted.
        const bool unmoved = (book.perHouse[at] - line.book).rounded(6).isZero();
        book.stock[product] += line.counted - line.book;
        book.perHouse[at] += line.counted - line.book;
        q.load("SELECT sumCount FROM VInveHouse WHERE houseID=:houseID AND prodID=:prodID");
        q.bind(u"houseID", count.house);
        q.bind(u"prodID", product);
        q.open();
        if (unmoved && !(Decimal::fromDouble(q.field(u"sumCount").asFloat()) - line.counted)
                            .rounded(6)
                            .isZero())
            return fail(QStringLiteral("warehouse %1 holds %2 of %3 after the correction, "
                                       "counted %4")
                            .arg(count.house)
                            .arg(q.field(u"sumCount").asText())
                            .arg(product)
                            .arg(line.counted.toString()));
    }
    q.load("SELECT orderType, houseID, optDate, (SELECT COUNT(*) FROM OrderBsByD d WHERE "
           "d.orderID=h.orderID) AS n FROM OrderBsBy h WHERE orderID=:orderID");
    q.bind(u"orderID", count.code);
    q.open();
    if (q.eof() || q.field(u"orderType").asText() != "盘点" ||
        q.field(u"houseID").asInteger() != count.house || q.field(u"optDate").asText() != date ||
        q.field(u"n").asInteger() != static_cast<long long>(count.lines.size()))
        return fail(QStringLiteral("the correction record is not as the count was"));
    book.codes["OrderBsBy"].insert(key(count.code));
    book.counts.erase(key(count.code));
    corrections.push_back(count.code);
    goneCounts.push_back(count.code);
    if (!chance(40))
        return true;
    tally("correction", true);
    before = changes();
    if (stockcount::correctStock(count.code, houseID, date, shown) != CorrectionResult::Gone)
        return fail(QStringLiteral("the count corrected the stock twice"));
    return expectUnchanged(before);
}

} // namespace model
