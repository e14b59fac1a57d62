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
// A double click, F2, or Enter on an empty code cell picks a product through the picker into
// the current row (all twelve columns) and puts the cell cursor on its quantity; Enter there
// goes on to the code cell of the first row without a product. A code typed or
// scanned into the code cell (a scanner types the code, then Enter) is looked up when the person
// leaves the cell and fills the row as the picker would; an unknown code is said and leaves the
// row as it was. A code scanned while the cursor still waits on that quantity is the next
// product, never a quantity: one that begins with a letter goes to the next free row at once,
// a barcode of digits alone that is a product's code is asked about. Enter and the arrows walk the
// cells; Tab and Shift+Tab leave the grid.
//
// cellEdited comes after every keystroke of the person editing a cell, never for text the
// program writes with setText, nor for the code cell, which counts only when left. A number
// cell keeps what is typed on the way to a number ("-", ".5"); when the person leaves it, a
// text that is still not a number becomes "0" and cellEdited comes once more.

#include "core/ui/scannedkeys.h"

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

    // Ends the typing in an open cell as leaving it does, before the window reads the cells.
    void finishEditing();

    // The data row of the cell cursor, 0 when there is none.
    int currentLine() const;
    // A product's code scanned into another box of the window: the first row without a product
    // takes it as if it were scanned there; with all ten taken the person is told.
    void enterScannedCode(const QString& code);
    // Puts the cell cursor on a cell and opens it for typing, its text selected.
    void editCell(int row, int column);
    // Puts the focus and the cell cursor on the code cell of the first row without a product
    // (of the first row when all ten have one), where the next product is typed or scanned.
    void goToFreeLine();

signals:
    // The person changed a cell's text (each keystroke).
    void cellEdited(int row, int column);
    // A product was picked into this row.
    void productPicked(int row);

protected:
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class DocumentGridDelegate;
    void editorTextChanged(const QModelIndex& index, const QString& text);
    // The person left the cell's editor; moveOn when with Enter.
    void cellLeft(int row, int column, const QString& before, bool moveOn);
    void codeEntered(int row, const QString& code, const QString& before, bool moveOn);
    // The quantity cell of a product just entered by its code or the picker waits for its
    // quantity, "1" selected; a scanner not told otherwise sends the next code into it.
    void awaitQuantity(int row);
    bool awaitsQuantity(int row) const { return awaitedRow_ == row; }
    // After that quantity, the code cell of the first row without a product (with all ten
    // taken, the next cell as usual).
    void goToNextLine(int row);
    // A first key that can start no quantity (a letter) begins the next product's code in the
    // first row without a product.
    void beginNextCode(int row, const QString& firstKey);
    // A quantity typed that is a scanned product's code: the next product, which then goes into
    // the first row without a product, when the person says so or it is too large for any
    // quantity. True when it was.
    bool codeTypedAsQuantity(int row, const QString& before);
    // The first row without a product; 0 when all ten have one.
    int freeRow() const;
    void noFreeRowFor(const QString& code);
    void enterAtFreeRow(const QString& code);
    // F2, or Enter on an empty code cell, from the grid or from an open cell.
    bool opensPicker(const QKeyEvent& event, const QString& cellText) const;
    void leave(bool forward);
    void sgDataDblClick();
    QModelIndex nextCell(const QModelIndex& from, int step) const;
    void setFixedTitles();

    TfrmFindProduct& picker_;
    QString pickerMode_;
    int awaitedRow_ = 0;
    // A code coming in while all ten rows have products, until its Enter.
    ScannedKeys strayScan_;
};
