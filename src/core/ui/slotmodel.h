#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

class QTableView;
class TQuery;

// How a column draws its field: as stored, as a number, to cents, as money ("￥" and cents), or
// as a unit price (its cents, or all its decimals when it has more).
enum class Draw { Text, Number, Fixed2, Money, Price };

struct SlotColumn {
    QString field;
    QString title;
    Draw draw = Draw::Text;
    int width = 0; // pixels; 0 leaves the view's default
};

// Shows a query slot's open result in a grid, one row per result row; the selected grid row
// is the slot's current row.
class SlotModel : public QAbstractTableModel {
    Q_OBJECT
public:
    SlotModel(TQuery& query, std::vector<SlotColumn> columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setColumns(std::vector<SlotColumn> columns);
    const std::vector<SlotColumn>& columns() const { return columns_; }
    TQuery& query() const { return query_; }

private:
    void reset();
    TQuery& query_;
    std::vector<SlotColumn> columns_;
    std::vector<int> fieldIndex_; // result column of each grid column, -1 when absent
};

// The view's title of the column its slot is sorted by shows the sort arrow; a reload, which
// returns the rows in the statement's order, takes it away.
void followSortArrow(QTableView& view, const SlotModel& model);

// Makes the view a list a person reads and picks rows from: whole rows, one at a time, never
// edited in place, rows of one height, no row numbers, and Tab going on to the next control.
void dressAsList(QTableView& view);

// Puts the model into the view dressed as a list, with its columns' widths; the selected row
// is the slot's current row.
void showAsList(QTableView& view, SlotModel& model);

// Who highlights a row of a shown slot.
enum class Highlight {
    CurrentRow, // the slot's current row, also the first row of every fresh result
    PersonOnly, // only the row the person selects; a fresh result shows none selected
};

// Puts the slot into the view: a model, whole-row selection, and the selected row made the
// slot's current row; with Highlight::CurrentRow the selection also follows the slot's current
// row. Returns the model (owned by the view).
SlotModel* showSlot(QTableView& view, TQuery& query, std::vector<SlotColumn> columns,
                    Highlight highlight = Highlight::CurrentRow);
