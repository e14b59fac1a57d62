#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// The print layout as the book keeps it: FConfig (the product fields as columns), Ftbconfig
// (margins and the switches of the header and footer items) and Ftitle (document titles).
// Every table has its rows from the start; nothing here inserts or deletes.
namespace printing {

// One FConfig row. Width and position are the texts as stored.
struct FieldSetting {
    QString fieldName;
    QString caption; // textValue
    QString width;   // fieldwidth, millimetres
    QString sort;
    bool printed = false; // isShow is "是"
};

// The rows in sort order (read in QueryField).
std::vector<FieldSetting> loadFieldSettings();

// Writes each entry's position, switch and width, the position being the sort value of the
// entry's place in the list: all or nothing. False when the book refused one of them.
bool saveFieldList(const std::vector<FieldSetting>& list);

// Writes one field's caption and width; true when a row changed.
bool saveFieldCaption(const QString& fieldName, const QString& caption, int width);

// The Ftbconfig switches, in the order of the settings window.
enum class Switch { House, OrderID, CompName, OptDate, Due, Paid, Employee, Total };
inline constexpr int kSwitches = 8;
// Their columns, in that order.
const std::array<QString, kSwitches>& switchColumns();

struct TableSettings {
    long long top = 10; // millimetres
    long long left = 10;
    std::array<bool, kSwitches> switches{}; // only the exact text "是" counts as set

    bool on(Switch s) const { return switches[std::size_t(s)]; }
};

// The one Ftbconfig row; nothing when the table is empty.
std::optional<TableSettings> loadTableSettings();
// True when a row changed.
bool saveTableSettings(const TableSettings& settings);

// The Ftitle columns: purchase, purchase return, sale, sale return, transfer, loss/overflow.
inline constexpr int kTitles = 6;
const std::array<QString, kTitles>& titleColumns();
using Titles = std::array<QString, kTitles>;
// The one Ftitle row; nothing when the table is empty.
std::optional<Titles> loadTitles();
// Stores the texts as given; true when a row changed.
bool saveTitles(const Titles& titles);

// The largest margin or column width a page can have, in millimetres.
inline constexpr int kMaxMillimetres = 1000;
// The trimmed text as a whole number of millimetres within [min, max]: optional sign and
// decimal digits, nothing else.
std::optional<int> millimetres(QStringView text, int min, int max);
// Optional sign and decimal digits, nothing else (blanks trimmed).
bool isWholeNumber(QStringView text);

} // namespace printing
