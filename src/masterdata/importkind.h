#pragma once

#include "masterdata/sheet.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// One column of an import: its heading in the preview, the titles that name it in the sheet's
// row of titles (the first being the heading of the matching export), and whether a sheet must
// have it.
struct ImportColumn {
    QString heading;
    QStringList titles;
    bool required = false;
};

// One row of the sheet as it will be stored: a value per column, or the reason it cannot be.
struct ImportRow {
    int line = 0; // the row number in the sheet
    QStringList values;
    QString reason;

    bool ok() const { return reason.isEmpty(); }
};

// The rows of a sheet checked against the book, before anything is written.
struct ImportPlan {
    std::vector<ImportColumn> columns;
    std::vector<ImportRow> rows;
    QString error; // the sheet as a whole cannot be imported (a missing column)
    // The headings of the columns the sheet may have and does not, under any of their titles:
    // a column titled otherwise ("条码", "进货价") is not read, and its values stay empty.
    QStringList absent;

    int goodRows() const;
    int badRows() const { return int(rows.size()) - goodRows(); }
};

// What tells the imports apart (products, suppliers, customers, opening stock): texts, the
// columns, the checks against the book and the writing. One preview serves them all.
struct ImportKind {
    QString caption;      // the preview's title
    QString actionText;   // its default button
    QString confirmation; // asked before writing, %1 the rows to write; empty: nothing asked
    // True when nothing is written while a row is bad, unless the person chooses to skip them.
    bool badRowsStop = false;
    std::function<std::vector<ImportColumn>()> columns;
    // Turns each row's cells (trimmed, one per column) into the values to store and marks
    // the rows the book cannot take, reading the book as it stands.
    std::function<void(std::vector<ImportRow>&)> check;
    // Writes the good rows inside the caller's transaction; returns what to tell the person.
    std::function<QString(const std::vector<ImportRow>&)> write;
};

// How many of a sheet's first rows are looked through for the row of column titles.
inline constexpr std::size_t kTitleRowsSought = 10;

// Finds the row of column titles among the sheet's first rows, takes every row below it and
// checks it; rows above it are not imported.
ImportPlan planImport(const ImportKind& kind, const Sheet& sheet);

struct ImportOutcome {
    bool written = false;
    QString message;
};
// Writes the good rows of the sheet in one transaction, all or nothing. The rows are checked
// again inside it; if the book changed since the preview (shown) so that other rows would be
// written, nothing is.
ImportOutcome runImport(const ImportKind& kind, const Sheet& sheet, const ImportPlan& shown);

// The longest text a row may carry: what the edit boxes of the dialogs hold, so that editing
// an imported row later never cuts it short.
inline constexpr int kMaxImportText = 32767;

// Text in the book is compared without regard to the case of Latin letters (COLLATE NOCASE):
// the key under which two texts the book holds equal are equal.
QString bookKey(const QString& text);
