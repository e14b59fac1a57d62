#pragma once

#include <QString>
#include <array>

// The ten grid rows of twelve columns a document window holds (1 product ID, 2 code, 3 name,
// 4 type, 5 unit, 6 price, 7 quantity, 8 amount, 9 remark, 10 lot number, 11 expiry,
// 12 maker), rows and columns counted from 1.
struct DocumentLines {
    static constexpr int kRows = 10;
    static constexpr int kColumns = 12;

    QString& cell(int row, int column) {
        return cells[std::size_t(row - 1)][std::size_t(column - 1)];
    }
    const QString& cell(int row, int column) const {
        return cells[std::size_t(row - 1)][std::size_t(column - 1)];
    }

    // The first row that holds a product code or name but no product ID (a product the book
    // does not know), 0 when there is none. Such a row is no line and counts in no total.
    int firstRowWithoutProduct() const;
    // The first row of a product whose quantity is a number the book cannot keep (a million
    // million or more either way), 0 when there is none.
    int firstRowBeyondRange() const;

    std::array<std::array<QString, kColumns>, kRows> cells;
};

// The message that refuses to save a document with such a row.
QString rowWithoutProductMessage(int row);
// The message that refuses to save a document with a quantity beyond the book's range.
QString rowBeyondRangeMessage(int row);
