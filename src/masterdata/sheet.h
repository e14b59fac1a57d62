#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// One row of a spreadsheet that holds something: its row number (from 1) and its cells from
// the first column, as text. Empty rows are left out.
struct SheetRow {
    int line = 0;
    QStringList cells;
};

// What a spreadsheet file gave: its rows, or why it could not be read.
struct Sheet {
    std::vector<SheetRow> rows;
    QString error;     // a sentence a person can act on; empty when the file was read
    QString sheetName; // the workbook's tab the rows come from; empty for a text file

    bool ok() const { return error.isEmpty(); }
};

// The limits a file is read within, so that a damaged or hostile file cannot exhaust memory.
namespace sheetlimits {
inline constexpr qsizetype kMaxFileBytes = 64 * 1024 * 1024;
inline constexpr qsizetype kMaxPartBytes = 256 * 1024 * 1024; // one unpacked part of a workbook
inline constexpr int kMaxColumns = 256;                       // cells further right are ignored
inline constexpr int kMaxRows = 1048576;                      // a worksheet's own limit
inline constexpr qsizetype kMaxCells = 4 * 1024 * 1024;       // empty cells left of a value count
inline const QString kTooLarge = QStringLiteral("表格太大，不能导入。");
} // namespace sheetlimits
