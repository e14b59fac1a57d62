#include "documents/stockcount.h"

#include "core/dates.h"
#include "core/decimal.h"
#include "core/numbers.h"
#include "core/rowlock.h"
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "documents/afterbreak.h"
#include "documents/documentheader.h"
#include "documents/keptmove.h"

#include <algorithm>
#include <vector>

namespace stockcount {

namespace {

const QString kHouseProducts =
    QStringLiteral("SELECT prodID,prodBH,prodName,unitName,type,houseId,sumCount FROM VInveHouse "
                   "WHERE houseID=:houseID");

// QueryCommon is closed again however the statements end.
struct CommonSlot {
    TQuery& q = sysData->QueryCommon;
    ~CommonSlot() { q.close(); }
};

// A quantity as the exact decimal it was typed as; an empty book quantity counts as 0.
// Nothing for a number beyond what the stock totals can carry.
std::optional<QString> quantityText(const QString& text, bool emptyIsZero) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() && !emptyIsZero)
        return std::nullopt;
    const auto value = numbers::toDecimalOrZero(trimmed);
    if (!value || !numbers::fitsTheBook(*value))
        return std::nullopt;
    return value->toString();
}

// The same products with the same quantities, whatever their order.
bool sameLines(const std::vector<ShownLine>& book, const std::vector<ShownLine>& shown) {
    if (book.size() != shown.size())
        return false;
    const auto same = [](const QString& a, const QString& b) {
        const auto x = Decimal::parse(a.trimmed());
        const auto y = Decimal::parse(b.trimmed());
        return x && y ? *x == *y : a.trimmed() == b.trimmed();
    };
    return std::all_of(book.begin(), book.end(), [&](const ShownLine& line) {
        return std::any_of(shown.begin(), shown.end(), [&](const ShownLine& seen) {
            return seen.prodID.trimmed() == line.prodID.trimmed() && same(seen.book, line.book) &&
                   same(seen.counted, line.counted);
        });
    });
}

} // namespace

QString countCode(const QDateTime& moment) {
    return documents::documentCode(QStringLiteral("PD"), moment);
}

void loadCounts(TQuery& slot) {
    slot.load(QStringLiteral("SELECT orderID,OrderPD.houseID,houseName,OrderPD.remark,userName,"
                             "optDate FROM OrderPD,Fhouse WHERE OrderPD.houseID=Fhouse.houseID"));
    slot.open();
}

void loadCountDetails(TQuery& slot, const QString& orderID) {
    slot.load(QStringLiteral(
        "SELECT OrderPDD.prodID,cateName,prodBH,prodName,type,company,unitName,pcount,pdcount "
        "FROM OrderPDD,Fproduct,Fprodcate WHERE OrderPDD.prodID=Fproduct.prodID AND "
        "Fproduct.cateID=Fprodcate.cateID AND OrderPDD.orderID=:orderID"));
    slot.bind(u"orderID", orderID);
    slot.open();
}

void loadHouseProducts(TQuery& slot, const QString& houseID, const QString& cateID) {
    if (cateID.isEmpty()) {
        slot.load(kHouseProducts);
    } else {
        slot.load(kHouseProducts + QStringLiteral(" AND cateID=:cateID"));
        slot.bind(u"cateID", cateID);
    }
    slot.bind(u"houseID", houseID);
    slot.open();
}

void searchHouseProducts(TQuery& slot, const QString& houseID, const QString& name) {
    const QString column = QStringLiteral("prodName");
    slot.load(kHouseProducts + QStringLiteral(" AND ") + searchCondition(column, name));
    slot.bind(u"houseID", houseID);
    bindSearch(slot, column, name);
    slot.open();
}

void findHouseProductCode(TQuery& slot, const QString& houseID, const QString& code) {
    slot.load(kHouseProducts + QStringLiteral(" AND prodBH=:prodBH"));
    slot.bind(u"houseID", houseID);
    slot.bind(u"prodBH", code);
    slot.open();
}

QString bookQuantity(const QString& houseID, const QString& prodID) {
    CommonSlot common;
    TQuery& q = common.q;
    q.load(kHouseProducts + QStringLiteral(" AND prodID=:prodID"));
    q.bind(u"houseID", houseID);
    q.bind(u"prodID", prodID);
    q.open();
    return q.eof() ? QStringLiteral("0") : q.field(u"sumCount").asText();
}

void loadCountedLines(TQuery& slot, const QString& orderID) {
    slot.load(QStringLiteral("SELECT OrderPDD.prodID,prodBH,prodName,type,unitName,pcount,pdcount "
                             "FROM OrderPDD,Fproduct WHERE OrderPDD.prodID=Fproduct.prodID AND "
                             "OrderPDD.orderID=:orderID"));
    slot.bind(u"orderID", orderID.trimmed());
    slot.open();
}

void loadDifferences(TQuery& slot, const QString& orderID) {
    slot.load(QStringLiteral(
        "SELECT OrderPDD.prodID,prodBH,prodName,type,unitName,pcount,pdcount,"
        "(pdcount-pcount) AS pv FROM OrderPDD,Fproduct WHERE OrderPDD.prodID=Fproduct.prodID "
        "AND OrderPDD.orderID=:orderID"));
    slot.bind(u"orderID", orderID.trimmed());
    slot.open();
}

std::vector<ShownLine> shownLines(TQuery& lines) {
    std::vector<ShownLine> shown;
    const int current = lines.currentRow();
    for (lines.first(); !lines.eof(); lines.next())
        shown.push_back({lines.field(u"prodID").asText(), lines.field(u"pcount").asText(),
                         lines.field(u"pdcount").asText()});
    if (lines.recordCount() > 0)
        lines.setCurrentRow(current);
    return shown;
}

documents::CodeOrigin countOrigin(const QDateTime& moment) {
    return {QStringLiteral("PD"), moment};
}

namespace {

// The warehouse of a count, from its header.
QString houseOf(TQuery& q, const QString& code) {
    q.load(QStringLiteral("SELECT houseID FROM OrderPD WHERE orderID=:orderID"));
    q.bind(u"orderID", code);
    q.open();
    const QString house = q.eof() ? QString() : q.field(u"houseID").asText();
    q.close();
    return house;
}

// Another open count of the warehouse that holds the product, if any. The pair is held first,
// so that two counters counting it into two counts at once cannot both find none.
std::optional<QString> countHolding(TQuery& q, const QString& house, const QString& prodID,
                                    const QString& code) {
    holdName(q, QStringLiteral("OrderPDD"), house + u'/' + prodID);
    q.load(QStringLiteral("SELECT OrderPD.orderID AS orderID FROM OrderPD,OrderPDD WHERE "
                          "OrderPD.orderID=OrderPDD.orderID AND OrderPD.houseID=:houseID AND "
                          "OrderPDD.prodID=:prodID AND OrderPD.orderID<>:orderID"));
    q.bind(u"houseID", house);
    q.bind(u"prodID", prodID);
    q.bind(u"orderID", code);
    q.open();
    std::optional<QString> other;
    if (!q.eof())
        other = q.field(u"orderID").asText();
    q.close();
    return other;
}

LineResult saveLineWithin(const QString& orderID, const QString& prodID, const QString& book,
                          const QString& counted, const std::optional<CountHeader>& header,
                          QString* writtenCode, const std::optional<ShownLine>& asListed,
                          QString& transactionId) {
    QString code = orderID.trimmed();
    CommonSlot common;
    TQuery& q = common.q;
    Transaction transaction(sysData->myCon);
    transactionId = transactions::serverId(sysData->myCon);
    if (!holdRow(q, QStringLiteral("Fproduct"), QStringLiteral("prodID"), prodID,
                 RowHold::Referenced))
        return LineResult::ProductGone;
    // Looked for before anything is written: a refused line leaves the book as it was.
    const auto countedElsewhere = [&](const QString& house, const QString& own) {
        const auto other = countHolding(q, house, prodID.trimmed(), own);
        if (other && writtenCode)
            *writtenCode = *other;
        return other.has_value();
    };
    if (header) {
        // A code that two moments share must not slip this line into another count.
        if (!header->codeOrigin && documents::codeTaken(code))
            return LineResult::CodeInUse;
        if (countedElsewhere(header->houseID.trimmed(), QString()))
            return LineResult::CountedElsewhere;
        const auto written =
            documents::writeUnderFreeCode(code, header->codeOrigin, [&](const QString& c) {
                q.load(QStringLiteral("INSERT INTO OrderPD(orderID,houseID,remark,userName,"
                                      "optDate) VALUES(:orderID,:houseID,:remark,:userName,"
                                      ":optDate)"));
                q.bind(u"orderID", c);
                q.bind(u"houseID", header->houseID.trimmed());
                q.bind(u"remark", header->remark.trimmed());
                q.bind(u"userName", header->userName.trimmed());
                q.bind(u"optDate", dates::text(header->date));
                return q.execute() > 0;
            });
        if (!written)
            return LineResult::NotWritten;
        code = *written;
    } else if (!holdRow(q, QStringLiteral("OrderPD"), QStringLiteral("orderID"), code,
                        RowHold::Referenced)) {
        return LineResult::Gone; // another counter corrected or deleted it meanwhile
    } else if (countedElsewhere(houseOf(q, code), code)) {
        return LineResult::CountedElsewhere;
    }
    q.load(QStringLiteral("SELECT * FROM OrderPDD WHERE orderID=:orderID AND prodID=:prodID"));
    q.bind(u"orderID", code);
    q.bind(u"prodID", prodID.trimmed());
    q.open();
    const bool exists = q.recordCount() > 0;
    if (asListed && !(exists && sameLines({{prodID.trimmed(), q.field(u"pcount").asText(),
                                            q.field(u"pdcount").asText()}},
                                          {*asListed})))
        return LineResult::LineChanged;
    q.load(exists ? QStringLiteral("UPDATE OrderPDD SET pcount=:pcount,pdcount=:pdcount WHERE "
                                   "orderID=:orderID AND prodID=:prodID")
                  : QStringLiteral("INSERT INTO OrderPDD(orderID,prodID,pcount,pdcount) "
                                   "VALUES(:orderID,:prodID,:pcount,:pdcount)"));
    q.bind(u"orderID", code);
    q.bind(u"prodID", prodID.trimmed());
    q.bind(u"pcount", book);
    q.bind(u"pdcount", counted);
    if (q.execute() <= 0)
        return LineResult::NotWritten; // the header goes with it
    if (writtenCode)
        *writtenCode = code; // known before the commit, which a lost connection may hide
    transaction.commit();
    return LineResult::Saved;
}

} // namespace

LineResult saveLine(const QString& orderID, const QString& prodID, const QString& pcount,
                    const QString& pdcount, const std::optional<CountHeader>& header,
                    QString* writtenCode, const std::optional<ShownLine>& asListed) {
    const auto book = quantityText(pcount, true);
    const auto counted = quantityText(pdcount, false);
    if (!book || !counted)
        return LineResult::NotANumber;
    QString transactionId;
    try {
        return transactions::retryingConflicts(sysData->myCon, [&] {
            transactionId.clear();
            return saveLineWithin(orderID, prodID, *book, *counted, header, writtenCode, asListed,
                                  transactionId);
        });
    } catch (const DbError& e) {
        if (!e.connectionLost())
            throw;
        // Saved again blindly, a count whose header got through would be made twice.
        return transactions::committedOrTold(sysData->myCon, transactionId) ? LineResult::Saved
                                                                            : LineResult::Broken;
    }
}

LineDeletion deleteLine(const QString& orderID, const QString& prodID) {
    return transactions::retryingConflicts(sysData->myCon, [&] {
        CommonSlot common;
        TQuery& q = common.q;
        Transaction transaction(sysData->myCon);
        if (!holdRow(q, QStringLiteral("OrderPD"), QStringLiteral("orderID"), orderID.trimmed(),
                     RowHold::Referenced))
            return LineDeletion::CountGone;
        q.load(QStringLiteral("DELETE FROM OrderPDD WHERE orderID=:orderID AND prodID=:prodID"));
        q.bind(u"orderID", orderID.trimmed());
        q.bind(u"prodID", prodID.trimmed());
        const bool deleted = q.execute() > 0;
        transaction.commit();
        return deleted ? LineDeletion::Deleted : LineDeletion::LineGone;
    });
}

std::optional<bool> deleteCount(const QString& orderID) {
    QString transactionId;
    try {
        return transactions::retryingConflicts(sysData->myCon, [&] {
            transactionId.clear();
            CommonSlot common;
            TQuery& q = common.q;
            Transaction transaction(sysData->myCon);
            transactionId = transactions::serverId(sysData->myCon);
            // Held first: a correction under way elsewhere finishes before this looks.
            if (!holdRow(q, QStringLiteral("OrderPD"), QStringLiteral("orderID"), orderID,
                         RowHold::Removed))
                return false;
            q.load(QStringLiteral("DELETE FROM OrderPD WHERE orderID=:orderID"));
            q.bind(u"orderID", orderID);
            if (q.execute() <= 0)
                return false;
            q.load(QStringLiteral("DELETE FROM OrderPDD WHERE orderID=:orderID"));
            q.bind(u"orderID", orderID);
            q.execute();
            transaction.commit();
            return true;
        });
    } catch (const DbError& e) {
        if (!e.connectionLost())
            throw;
        // Deleted again, a count whose deletion got through would be called gone by another.
        if (transactions::committedOrTold(sysData->myCon, transactionId))
            return true;
        return std::nullopt;
    }
}

namespace {

CorrectionResult correctWithin(const QString& code, const QString& houseID, const QString& optDate,
                               const std::vector<ShownLine>& shown) {
    CommonSlot common;
    TQuery& q = common.q;
    Transaction transaction(sysData->myCon);
    // Once corrected the count is gone: a second correction, here or at another counter that
    // waited for this one, finds nothing to move.
    if (!holdRow(q, QStringLiteral("OrderPD"), QStringLiteral("orderID"), code, RowHold::Removed))
        return CorrectionResult::Gone;

    struct Line {
        QString prodID;
        Decimal difference;
    };
    std::vector<Line> lines;
    loadDifferences(q, code);
    const std::vector<ShownLine> held = shownLines(q);
    for (const ShownLine& line : held) {
        // Counted minus book from the quantities as stored, exactly: 5.1 − 3 is 2.1.
        const auto book = Decimal::parse(line.book);
        const auto counted = Decimal::parse(line.counted);
        lines.push_back({line.prodID, counted.value_or(Decimal()) - book.value_or(Decimal())});
    }
    // A line counted again, added, deleted or whose product went since the window listed them.
    if (!sameLines(held, shown))
        return CorrectionResult::Changed;
    if (lines.empty())
        return CorrectionResult::NoLines;
    std::vector<QString> products;
    for (const Line& line : lines)
        products.push_back(line.prodID);
    holdProducts(q, std::move(products));

    q.load(QStringLiteral("INSERT INTO OrderBsBy(orderID,houseID,orderType,optDate) "
                          "VALUES(:orderID,:houseID,:orderType,:optDate)"));
    q.bind(u"orderID", code);
    q.bind(u"houseID", houseID.trimmed());
    q.bind(u"orderType", QStringLiteral("盘点"));
    q.bind(u"optDate", optDate.trimmed());
    q.execute();

    for (const Line& line : lines) {
        q.load(QStringLiteral("INSERT INTO OrderBsByD(orderID,prodID,pcount) "
                              "VALUES(:orderID,:prodID,:pcount)"));
        q.bind(u"orderID", code);
        q.bind(u"prodID", line.prodID);
        q.bind(u"pcount", line.difference.toDouble());
        if (q.execute() <= 0)
            continue;
        q.load(keptMove("Fproduct", "sumCount", u'+', "prodID"));
        q.bind(u"sumCount", line.difference.toDouble());
        q.bind(u"prodID", line.prodID);
        q.execute();
    }

    q.load(QStringLiteral("DELETE FROM OrderPD WHERE orderID=:orderID"));
    q.bind(u"orderID", code);
    if (q.execute() > 0) {
        q.load(QStringLiteral("DELETE FROM OrderPDD WHERE orderID=:orderID"));
        q.bind(u"orderID", code);
        q.execute();
    }
    transaction.commit();
    return CorrectionResult::Corrected;
}

} // namespace

CorrectionResult correctStock(const QString& orderID, const QString& houseID,
                              const QString& optDate, const std::vector<ShownLine>& shown) {
    return transactions::retryingConflicts(
        sysData->myCon, [&] { return correctWithin(orderID.trimmed(), houseID, optDate, shown); });
}

documents::Found correctedAfterBreak(const QString& orderID) {
    return documents::askAfterBreak([&](TQuery& q) {
        q.load(QStringLiteral("SELECT (SELECT COUNT(*) FROM OrderBsBy WHERE orderID=:orderID AND "
                              "orderType=:orderType) AS corrected,"
                              "(SELECT COUNT(*) FROM OrderPD WHERE orderID=:orderID) AS open"));
        q.bind(u"orderID", orderID.trimmed());
        q.bind(u"orderType", QStringLiteral("盘点"));
        q.open();
        if (q.field(u"corrected").asInteger() > 0)
            return documents::Found::Ours;
        return q.field(u"open").asInteger() > 0 ? documents::Found::Absent
                                                : documents::Found::Unknown;
    });
}

} // namespace stockcount
