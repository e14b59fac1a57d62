#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// One sheet of a spreadsheet: headings in row 1, then one row per list row. A number column
// holds numbers (a cell that is not a number stays text); every other cell is text, so long
// codes such as bank cards keep every digit.
struct SheetData {
    QString name;
    QStringList headings;
    int boldHeadings = 0; // the first so many heading cells are bold
    std::vector<bool> numberColumns;
    std::vector<QStringList> rows;
};

// Writes the sheet as an .xlsx workbook, font size 9 throughout. The file appears under its
// name only when complete: on failure (false) whatever was there before is left untouched.
bool writeWorkbook(const QString& fileName, const SheetData& sheet);
