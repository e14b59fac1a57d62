#include "core/resultset.h"

#include "core/dberror.h"
#include "core/numbers.h"
#include "core/sqlitewords.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <libpq-fe.h>
#include <sqlite3.h>

ResultSet ResultSet::read(sqlite3_stmt* statement) {
    ResultSet result;
    int rows = 0;
    int n = 0;
    for (;;) {
        const int rc = sqlite3_step(statement);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
            const int code = rc & 0xff;
            throw DbError(failureText(sqlite3_db_handle(statement)),
                          code == SQLITE_BUSY || code == SQLITE_LOCKED ? DbError::Kind::Conflict
                                                                       : DbError::Kind::Failure);
        }
        // The columns are read after the first step: a statement prepared before the tables
        // changed is prepared again by that step, and "SELECT *" may then yield more columns.
        if (rows == 0 && result.columns_.isEmpty()) {
            n = sqlite3_column_count(statement);
            for (int c = 0; c < n; ++c)
                result.columns_ << QString::fromUtf8(sqlite3_column_name(statement, c));
        }
        if (rc == SQLITE_DONE)
            break;
        for (int c = 0; c < n; ++c) {
            Cell cell;
            switch (sqlite3_column_type(statement, c)) {
            case SQLITE_INTEGER:
                cell.type = Type::Integer;
                cell.integer = sqlite3_column_int64(statement, c);
                break;
            case SQLITE_FLOAT:
                cell.type = Type::Real;
                cell.real = sqlite3_column_double(statement, c);
                break;
            case SQLITE_NULL:
                break;
            default: {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, c));
                const int bytes = sqlite3_column_bytes(statement, c);
                cell.type = Type::Text;
                cell.offset = std::uint32_t(result.strings_.size());
                cell.length = std::uint32_t(bytes);
                result.strings_.append(text, bytes);
            }
            }
            result.cells_.push_back(cell);
        }
        ++rows;
    }
    result.order_.resize(std::size_t(rows));
    for (int i = 0; i < rows; ++i)
        result.order_[std::size_t(i)] = i;
    return result;
}

namespace {

// Type OIDs of the server's built-in types (pg_type.dat), fixed since their creation.
constexpr Oid kBool = 16, kInt8 = 20, kInt2 = 21, kInt4 = 23, kFloat4 = 700, kFloat8 = 701,
              kNumeric = 1700;

} // namespace

ResultSet ResultSet::read(const pg_result* result) {
    ResultSet set;
    const int rows = PQntuples(result);
    const int n = PQnfields(result);
    std::vector<Oid> types(std::size_t(n), 0);
    for (int c = 0; c < n; ++c) {
        set.columns_ << QString::fromUtf8(PQfname(result, c));
        types[std::size_t(c)] = PQftype(result, c);
    }
    set.cells_.reserve(std::size_t(rows) * std::size_t(n));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < n; ++c) {
            Cell cell;
            if (PQgetisnull(result, r, c)) {
                set.cells_.push_back(cell);
                continue;
            }
            const char* text = PQgetvalue(result, r, c);
            const int bytes = PQgetlength(result, r, c);
            switch (types[std::size_t(c)]) {
            case kInt2:
            case kInt4:
            case kInt8:
                cell.type = Type::Integer;
                std::from_chars(text, text + bytes, cell.integer);
                break;
            case kNumeric:
            case kFloat4:
            case kFloat8:
                // The server writes NaN and Infinity as words, which from_chars reads too.
                cell.type = Type::Real;
                std::from_chars(text, text + bytes, cell.real);
                break;
            case kBool:
                cell.type = Type::Integer;
                cell.integer = text[0] == 't' ? 1 : 0;
                break;
            default:
                cell.type = Type::Text;
                cell.offset = std::uint32_t(set.strings_.size());
                cell.length = std::uint32_t(bytes);
                set.strings_.append(text, bytes);
            }
            set.cells_.push_back(cell);
        }
    }
    set.order_.resize(std::size_t(rows));
    for (int i = 0; i < rows; ++i)
        set.order_[std::size_t(i)] = i;
    return set;
}

int ResultSet::column(QStringView name) const {
    for (int c = 0; c < columns_.size(); ++c)
        if (columns_[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

QString ResultSet::text(int row, int column) const {
    const Cell& c = cell(row, column);
    switch (c.type) {
    case Type::Null:
        return QString();
    case Type::Integer:
        return QString::number(c.integer);
    case Type::Real:
        return numbers::floatToStr(c.real);
    case Type::Text:
        return QString::fromUtf8(strings_.constData() + c.offset, c.length);
    }
    return QString();
}

double ResultSet::real(int row, int column) const {
    const Cell& c = cell(row, column);
    switch (c.type) {
    case Type::Null:
        return 0;
    case Type::Integer:
        return double(c.integer);
    case Type::Real:
        return c.real;
    case Type::Text: {
        const QString t = text(row, column);
        if (t.trimmed().isEmpty())
            return 0;
        const auto v = numbers::toFloat(t.trimmed());
        if (!v)
            throw DbError(QStringLiteral("“%1”不是有效的数值").arg(t));
        return *v;
    }
    }
    return 0;
}

long long ResultSet::integer(int row, int column) const {
    const Cell& c = cell(row, column);
    if (c.type == Type::Integer)
        return c.integer;
    return static_cast<long long>(std::llround(real(row, column)));
}

namespace {

int compareFolded(const char* a, std::uint32_t na, const char* b, std::uint32_t nb) {
    const std::uint32_t n = std::min(na, nb);
    for (std::uint32_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y + 32);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

} // namespace

int ResultSet::compare(const Cell& a, const Cell& b) const {
    const bool aNum = a.type == Type::Integer || a.type == Type::Real;
    const bool bNum = b.type == Type::Integer || b.type == Type::Real;
    if (a.type == Type::Null || b.type == Type::Null)
        return int(a.type != Type::Null) - int(b.type != Type::Null);
    if (aNum && bNum) {
        if (a.type == Type::Integer && b.type == Type::Integer)
            return a.integer < b.integer ? -1 : (a.integer > b.integer ? 1 : 0);
        const double x = a.type == Type::Integer ? double(a.integer) : a.real;
        const double y = b.type == Type::Integer ? double(b.integer) : b.real;
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (aNum != bNum)
        return aNum ? -1 : 1;
    return compareFolded(strings_.constData() + a.offset, a.length, strings_.constData() + b.offset,
                         b.length);
}

void ResultSet::sort(const QString& ordering) {
    const QStringList parts = ordering.simplified().split(u' ');
    const int c = parts.isEmpty() ? -1 : column(parts.first());
    if (c < 0)
        throw DbError(QStringLiteral("无法按“%1”排序：没有这个字段").arg(ordering));
    const bool descending =
        parts.size() > 1 && parts[1].compare(QStringLiteral("DESC"), Qt::CaseInsensitive) == 0;
    // The column's cells side by side, so that the comparisons stay in the cache.
    const std::size_t width = columns_.size();
    struct Key {
        Cell cell;
        int row;
    };
    std::vector<Key> keys;
    keys.reserve(order_.size());
    for (const int row : order_)
        keys.push_back({cells_[std::size_t(row) * width + std::size_t(c)], row});
    std::stable_sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        const int r = compare(a.cell, b.cell);
        return descending ? r > 0 : r < 0;
    });
    for (std::size_t i = 0; i < keys.size(); ++i)
        order_[i] = keys[i].row;
}

int ResultSet::rowOfSource(int source) const {
    const auto at = std::find(order_.begin(), order_.end(), source);
    return at == order_.end() ? 0 : int(at - order_.begin());
}
