#pragma once

#include "core/decimal.h"
#include "masterdata/importkind.h"

#include <QHash>
#include <QString>
#include <optional>
#include <vector>

// The checks every import makes of its rows; each adds its reason to the row, so that a row
// with several faults names them all.
namespace importchecks {

void addReason(ImportRow& row, const QString& reason);

// A value that must not be empty.
void required(ImportRow& row, int column, const QString& heading);
// Texts longer than an edit box holds.
void lengths(ImportRow& row, const std::vector<ImportColumn>& columns);
// A code (barcode, account number) that Excel turned into a number with an exponent
// ("6.9012E+12") has lost its digits.
void longCode(ImportRow& row, int column, const QString& heading);
// A number by the number rule, within what the book carries; empty is the given default. Wide
// digits, thousands grouped by commas and a yuan sign before it are read as a sheet has them.
// Returns the exact value and puts its shortest text into the row, or marks the row.
std::optional<Decimal> number(ImportRow& row, int column, const QString& heading,
                              const QString& empty = QStringLiteral("0"));

// Marks the rows whose value in the column the book already holds, or an earlier row of the
// sheet has; empty values are not compared. Keys are bookKey()s.
class Unique {
public:
    Unique(int column, QString heading, QHash<QString, int> inBook)
        : column_(column), heading_(std::move(heading)), taken_(std::move(inBook)) {}
    void check(ImportRow& row);

private:
    int column_;
    QString heading_;
    QHash<QString, int> taken_; // key → the sheet row that has it, 0 for the book
};

// Every value of a column of a table, as bookKey()s (for Unique).
QHash<QString, int> valuesInBook(const QString& table, const QString& column);

} // namespace importchecks
