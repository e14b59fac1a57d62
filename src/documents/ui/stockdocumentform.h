#pragma once

#include "core/ui/tform.h"
#include "documents/stockkind.h"
#include "documents/stockposting.h"

class DocumentGrid;
class QComboBox;
class DateBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class TfrmFindProduct;

// What the transfer and the loss/overflow windows share: the title line, the code, the date,
// the employee, the ten-line grid with its product picking, saving and the closing question.
// Each window adds its warehouse boxes to the header and saves its own document.
class StockDocumentForm : public TForm {
    Q_OBJECT
protected:
    // The window shows the title line and the code of this kind when it is shown; products are
    // picked through the one product picker.
    StockDocumentForm(const QString& caption, StockKindId shownKind, TfrmFindProduct& picker,
                      QWidget* parent);

    void FormShow() override;
    bool FormClose() override;

    // Fills the warehouse list(s); choices made earlier stay chosen.
    virtual void LoadHouse() = 0;
    // Checks, confirms and saves the document as the window holds it.
    virtual StockSaveResult saveDocument() = 0;
    // The control a failed check puts the focus on; nullptr leaves it.
    virtual QWidget* focusAfter(StockSaveResult result);

    void btnSaveClick();
    void renewOrderCode(const QString& prefix);
    // Lines an unsaved document left in the grid when the window was closed.
    bool holdsKeptLines() const;
    // Where the code shown came from, while the person has not changed it.
    std::optional<documents::CodeOrigin> codeOrigin() const;
    // Tab walks the title, the window's first header box, then every other box in reading order.
    void setTabOrderFrom(QComboBox* firstHeaderBox);
    void readLines(DocumentLines& lines) const;

    QLineEdit* txtCaption;
    QLineEdit* txtOrderCode;
    DateBox* dtDate;
    QComboBox* cbEMp;
    QComboBox* cbHouseIn;
    QLabel* lblHouseIn;
    QLabel* lblDate;
    DocumentGrid* sgData;
    QPushButton* btnSave;
    QPushButton* btnClose;
    // The header: row 0 holds each window's warehouse (and type) boxes, row 1 code and date.
    QGridLayout* header;

private:
    // Saves, and empties the grid when the document was written (or its header wrote nothing).
    bool save();
    void loadTitle();
    StockKindId shownKind_;
    QComboBox* firstHeaderBox_ = nullptr;
    std::optional<documents::CodeOrigin> madeCode_;
};
