#pragma once

#include "documents/freecode.h"
#include "documents/posting.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

class TQuery;

// The stock count: its lists, its lines written as they are confirmed, and the correction
// that turns a count into a "盘点" record and moves the stock by counted minus book.
namespace stockcount {

// "PD" and the moment's year, month, day, hour, minute and second without leading zeros.
QString countCode(const QDateTime& moment);
// What the new-count window made its code from.
documents::CodeOrigin countOrigin(const QDateTime& moment);

// The counts, with their warehouse's name, into the slot (QueryPD); counts of a warehouse that
// is gone are not listed.
void loadCounts(TQuery& slot);
// The lines of one count with their product and category (QueryPDMX).
void loadCountDetails(TQuery& slot, const QString& orderID);
// The products the documents moved in the warehouse, with its book quantity sumCount
// (QueryP1); an empty cateID lists every category.
void loadHouseProducts(TQuery& slot, const QString& houseID, const QString& cateID);
// The products of the warehouse whose name contains the key.
void searchHouseProducts(TQuery& slot, const QString& houseID, const QString& name);
// The warehouse's products whose code is exactly this (letters in either case), as a code typed
// or scanned into the search box finds them.
void findHouseProductCode(TQuery& slot, const QString& houseID, const QString& code);
// The warehouse's book quantity of the product as it stands now: 0 when the warehouse holds
// no record of it (its last document voided at another counter since the list was loaded).
QString bookQuantity(const QString& houseID, const QString& prodID);
// The counted lines of one count (QueryP2).
void loadCountedLines(TQuery& slot, const QString& orderID);
// The counted lines with their difference pv = pdcount − pcount (QueryP2).
void loadDifferences(TQuery& slot, const QString& orderID);

// A count as the list window hands it to the edit and the differences windows.
struct OpenCount {
    QString orderID;
    QString houseID;
    QString houseName;
    QString userName;
    QString optDate;
    QString remark;
};

// What the new-count window writes with the first confirmed line.
struct CountHeader {
    QString houseID;
    QString remark;
    QString userName;
    QDate date;
    // The window's code is moved to the next free moment when taken; a header without one is
    // refused with CodeInUse instead.
    std::optional<documents::CodeOrigin> codeOrigin = std::nullopt;
};

// A counted line as a window lists it: the product and its book and counted quantities.
struct ShownLine {
    QString prodID;
    QString book;
    QString counted;
};

enum class LineResult {
    Saved,            // the line was written (and the header, when one was given)
    NotWritten,       // no row was written: nothing changed
    CodeInUse,        // another count or a correction already has this code: nothing written
    NotANumber,       // a quantity is not a number, or too large for the book: nothing written
    Gone,             // the count was corrected or deleted meanwhile: nothing written
    ProductGone,      // the product was deleted meanwhile: nothing written
    CountedElsewhere, // another open count of the warehouse holds the product: nothing written
    LineChanged,      // the line edited is no longer as listed (another counter's): nothing written
    Broken,           // the connection broke and the line is not known saved: the person was told
};

// Writes one counted line: a second count of the same product replaces its line. With a
// header, the count's header is written with it; both or neither. writtenCode receives the
// code the line was saved under, which differs from orderID when the header's code moved, or
// for CountedElsewhere the code of the count that holds the product. A product of a warehouse
// is in one open count at a time: corrected by two, its difference would be taken twice.
// A line edited as listed (asListed) must still be so: another counter's count of it, or its
// deletion, is not written over.
LineResult saveLine(const QString& orderID, const QString& prodID, const QString& pcount,
                    const QString& pdcount, const std::optional<CountHeader>& header,
                    QString* writtenCode = nullptr,
                    const std::optional<ShownLine>& asListed = std::nullopt);

enum class LineDeletion {
    Deleted,
    LineGone,  // not in the count (deleted already): nothing to do
    CountGone, // the count was corrected or deleted meanwhile: nothing written
};

// Deletes one line; the header stays, even with no lines left. A correction under way at
// another counter finishes first: it moves the stock by the line it read.
LineDeletion deleteLine(const QString& orderID, const QString& prodID);

// Deletes a count with all its lines; stock is untouched. True when the count was deleted,
// false when it was gone already; nothing when a lost connection left it not deleted or not
// known to be (the person has been told).
std::optional<bool> deleteCount(const QString& orderID);

// The lines of a slot loaded by loadDifferences, first to last; its current row stays.
std::vector<ShownLine> shownLines(TQuery& lines);

enum class CorrectionResult {
    Corrected, // stock moved, the "盘点" record written and the count deleted
    NoLines,   // nothing to correct: nothing written
    Gone,      // the count was corrected or deleted already: nothing written
    Changed,   // its lines are no longer those shown (another counter's): nothing written
};

// Corrects the stock by the count, all or nothing: an OrderBsBy row of type "盘点" with the
// count's code, warehouse and date, one OrderBsByD line per counted product holding its exact
// difference, each product's sumCount moved by that difference, and the count deleted. The
// correction cannot be undone, so it moves only the lines the person saw: shown must be the
// count's lines as they are in the book, or nothing is written.
CorrectionResult correctStock(const QString& orderID, const QString& houseID,
                              const QString& optDate, const std::vector<ShownLine>& shown);

// After the connection to the server broke while correcting by the count: Ours when the
// count's "盘点" record is in the book, Absent when the count is still open, Unknown when
// neither (deleted meanwhile) or the book cannot be read.
documents::Found correctedAfterBreak(const QString& orderID);

} // namespace stockcount
