#pragma once

// The ten-line grid `sgData` of every document window (trade documents, transfer,
// loss/overflow). How a window uses it:
//
//   sgData = new DocumentGrid(productPicker, kind.productMode);   // picker mode "1" or "2"
//   connectGuarded(sgData, &DocumentGrid::cellEdited, this, [this](int row, int column) {
//       if (!sgData->checkEditedCell(row, column))   // nameless row emptied, bad number "0"
//           return;
//       …recompute, if the window computes amounts…
//   });
//   connectGuarded(sgData, &DocumentGrid::productPicked, this, [this](int) { …totals… });
//   FormShow:  sgData->loadCaptions();                    // titles from FConfig, row numbers
//   saving:    sgData->text(row, DocumentGrid::ProdID)    // rows 1..10, columns 1..12
//   emptying:  sgData->clearLines();
//
// The rest of a document header comes from documents/documentheader.h (documentCode,
// documentTitle) and documents/ui/documentlists.h (loadHouses, chosenHouseID, loadEmployees).
// Tests work the grid through tests/documents/gridinput.h.
//
// A double click picks a product through the picker into the current row (all twelve columns)
// and puts the cell cursor on its quantity. cellEdited comes after every keystroke of the
// person editing a cell, never for text the program writes with setText.

#include <QString>
#include <QTableWidget>

class TfrmFindProduct;

class DocumentGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 10;
    static constexpr int kColumns = 12;
    // The data columns, counted as the window counts them (column 0 holds the row numbers).
    enum Column {
        ProdID = 1,
        ProdBH,
        ProdName,
        Type,
        UnitName,
        Price,
        Quantity,
        Amount,
        Remark,
        LotNumber,
        Expiry,
        Maker,
    };

    DocumentGrid(TfrmFindProduct& picker, const QString& pickerMode, QWidget* parent = nullptr);

    // Cells by data row 1..10 and column 1..12.
    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);
    void clearRow(int row);
    void clearLines(); // columns 1 to 12 of every row
    // True when some row's cell in this column holds text (blanks count).
    bool anyText(int column) const;

    // LoadSettings and SetHeader: the titles of columns 2 to 5 from FConfig (in Sort order;
    // a field without a row keeps its title), the fixed titles and the row numbers.
    void loadCaptions();

    // The rules every document applies to an edited cell: a row whose product name is empty
    // is emptied (returns false); a price, quantity or amount that is neither empty nor a
    // number becomes "0". Returns true when the row still has a product name.
    bool checkEditedCell(int row, int column);

    // The data row of the cell cursor, 0 when there is none.
    int currentLine() const;
    // Puts the cell cursor on a cell and opens it for typing, its text selected.
    void editCell(int row, int column);

signals:
    // The person changed a cell's text (each keystroke).
    void cellEdited(int row, int column);
    // A product was picked into this row.
    void productPicked(int row);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class DocumentGridDelegate;
    void editorTextChanged(const QModelIndex& index, const QString& text);
    void sgDataDblClick();
    QModelIndex nextCell(const QModelIndex& from, int step) const;
    void setFixedTitles();

    TfrmFindProduct& picker_;
    QString pickerMode_;
};
