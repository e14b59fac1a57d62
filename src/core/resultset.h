#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

struct sqlite3_stmt;
struct pg_result;

// The rows an opened statement returned, held compactly (a list of 100,000 products stays
// small) and sortable in place without running the statement again.
class ResultSet {
public:
    enum class Type : std::uint8_t { Null, Integer, Real, Text };

    // Steps the statement to its end, keeping every row.
    static ResultSet read(sqlite3_stmt* statement);
    // Takes the rows a server returned: whole numbers as Integer, numeric and floating
    // numbers as Real, booleans as 1 or 0, anything else as Text.
    static ResultSet read(const pg_result* result);

    int rowCount() const { return int(order_.size()); }
    int columnCount() const { return int(columns_.size()); }
    const QStringList& columns() const { return columns_; }
    // Column position by name without regard to case; -1 when there is none.
    int column(QStringView name) const;

    Type type(int row, int column) const { return cell(row, column).type; }
    QString text(int row, int column) const;
    double real(int row, int column) const;
    long long integer(int row, int column) const;

    // Orders the rows by "column ASC" or "column DESC" (ASC when no direction is given);
    // numbers compare as numbers, texts without regard to Latin letter case, NULL first.
    void sort(const QString& ordering);
    // The position a row had when read, and where the row read at that position is now.
    int sourceRow(int row) const { return order_[std::size_t(row)]; }
    int rowOfSource(int source) const;

private:
    struct Cell {
        Type type = Type::Null;
        std::uint32_t length = 0;
        union {
            long long integer;
            double real;
            std::uint32_t offset;
        };
        Cell() : integer(0) {}
    };
    const Cell& cell(int row, int column) const {
        return cells_[std::size_t(order_[std::size_t(row)]) * columns_.size() +
                      std::size_t(column)];
    }
    int compare(const Cell& a, const Cell& b) const;

    QStringList columns_;
    std::vector<Cell> cells_;
    QByteArray strings_; // UTF-8 texts of all text cells, one after another
    std::vector<int> order_;
};
