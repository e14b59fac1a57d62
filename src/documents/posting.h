#pragma once

#include "documents/freecode.h"

#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class TQuery;

namespace documents {

// A document's header row as its posting writes it.
struct PostedHeader {
    QString table;
    // The columns but the code, with the texts written; each column's name is also its
    // parameter's name in the header statement.
    std::vector<std::pair<QString, QString>> values;
    // The code the header is being written under, set as it is written: after a move to a
    // free code, the moved one.
    QString code = {};

    // Binds every value but the code to the statement's parameter of the column's name.
    void bind(TQuery& q) const;
};

// Writes the header with the statement (its parameters: orderID and the values' columns)
// under the code, or the next free one as writeUnderFreeCode moves it, setting header.code to
// each code it writes under. The code written under; nothing when no row was written.
std::optional<QString> writeHeader(TQuery& q, PostedHeader& header, const QString& statement,
                                   const QString& code, const std::optional<CodeOrigin>& origin);

enum class Found { Ours, Absent, Unknown };

// What the person is told once the book has answered whether a write cut off by a lost
// connection got through.
struct AfterBreakTexts {
    QString done;    // the first line of the success notice that follows
    QString notDone; // the write may simply be made again
    QString unknown; // the person is sent to look before making it again
};
// For a write that got through, the first line (with its line break) of the success notice to
// show; otherwise shows notDone or unknown and returns nothing.
std::optional<QString> tellAfterBreak(Found found, const AfterBreakTexts& texts);

enum class PostingOutcome {
    Saved,          // the saved notice is shown
    NothingWritten, // the header wrote no row: nothing else was written, nothing is shown
    Failed,         // the failure is shown; the window keeps the document
};

// Runs write in one transaction, again on a conflict with another counter. write writes the
// whole document, setting header.code as it writes the header, and returns the code written
// under (nothing when the header wrote no row). When the connection to the server breaks on
// the way, the book is asked again whether the document is in it, and the person is told
// whether it was saved, was not, or cannot be known; only then may the person post again
// without counting it twice.
PostingOutcome post(PostedHeader& header, const QString& shownCode,
                    const std::function<std::optional<QString>()>& write);

} // namespace documents
