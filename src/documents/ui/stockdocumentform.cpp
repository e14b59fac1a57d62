#include "documents/ui/stockdocumentform.h"

#include "core/clock.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/commonkeys.h"
#include "core/ui/datebox.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/strayscans.h"
#include "documents/documentheader.h"
#include "documents/ui/documentgrid.h"
#include "documents/ui/documentlists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* labelFor(const QString& text, QWidget* box, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(box);
    return label;
}

} // namespace

StockDocumentForm::StockDocumentForm(const QString& caption, StockKindId shownKind,
                                     TfrmFindProduct& picker, QWidget* parent)
    : TForm(parent), shownKind_(shownKind) {
    setWindowTitle(caption);

    txtCaption = new QLineEdit(this);
    txtCaption->setObjectName("txtCaption");
    txtCaption->setAlignment(Qt::AlignCenter);
    txtCaption->setFrame(false);
    QFont big = txtCaption->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    txtCaption->setFont(big);

    cbHouseIn = new QComboBox(this);
    cbHouseIn->setObjectName("cbHouseIn");
    cbHouseIn->setMinimumWidth(140);
    lblHouseIn = labelFor(stockKind(shownKind).houseLabel, cbHouseIn, this);
    lblHouseIn->setObjectName("lblHouseIn");
    txtOrderCode = new QLineEdit(this);
    txtOrderCode->setObjectName("txtOrderCode");
    txtOrderCode->setStyleSheet("color: red");
    dtDate = new DateBox(QStringLiteral("dtDate"), this);
    lblDate = labelFor(stockKind(shownKind).dateLabel, dtDate, this);
    lblDate->setObjectName("lblDate");

    header = new QGridLayout;
    header->addWidget(labelFor("单  据  号：", txtOrderCode, this), 1, 0);
    header->addWidget(txtOrderCode, 1, 1);
    header->addWidget(lblDate, 1, 2);
    header->addWidget(dtDate, 1, 3);
    header->setColumnStretch(1, 1);
    header->setColumnStretch(3, 1);

    sgData = new DocumentGrid(picker, stockKind(shownKind).productMode, this);

    cbEMp = new QComboBox(this);
    cbEMp->setObjectName("cbEMp");
    cbEMp->setEditable(true);
    cbEMp->setInsertPolicy(QComboBox::NoInsert); // a typed name is this document's only
    cbEMp->setMinimumWidth(140);
    btnSave = new QPushButton("保存", this);
    btnSave->setObjectName("btnSave");
    btnSave->setDefault(true);
    setCommonKey(*btnSave, CommonKey::Save);
    btnClose = new QPushButton("关闭(&C)", this);
    btnClose->setObjectName("btnClose");

    auto* footer = new QHBoxLayout;
    footer->addWidget(labelFor("经办人：", cbEMp, this));
    footer->addWidget(cbEMp);
    footer->addStretch(1);
    footer->addWidget(btnSave);
    footer->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtCaption);
    layout->addLayout(header);
    layout->addWidget(sgData, 1);
    layout->addLayout(footer);
    resize(940, 540); // the ten rows and every shown column without scrolling

    // A code scanned into the date, or anywhere else outside the lines, becomes the next line.
    connect(dtDate, &DateBox::codeScanned, sgData, &DocumentGrid::enterScannedCode);
    new StrayScans(*this, {sgData},
                   [this](const QString& code) { sgData->enterScannedCode(code); });
    // Nothing is computed from the cells: the amount stays what the picker or the person put.
    connectGuarded(sgData, &DocumentGrid::cellEdited, this,
                   [this](int row, int column) { sgData->checkEditedCell(row, column); });
    connectGuarded(btnSave, &QPushButton::clicked, this, [this](bool) { btnSaveClick(); });
    connectGuarded(btnClose, &QPushButton::clicked, this, [this](bool) { close(); });
}

void StockDocumentForm::FormShow() {
    loadTitle();
    sgData->loadCaptions();
    LoadHouse();
    documents::loadEmployees(*cbEMp);
    // A document kept from the last showing keeps the date it was entered with.
    if (!holdsKeptLines())
        dtDate->setDate(environment::now().date());
    renewOrderCode(stockKind(shownKind_).prefix);
    documents::startWhereNeeded({firstHeaderBox_, cbHouseIn}, *sgData);
}

bool StockDocumentForm::holdsKeptLines() const {
    return sgData->anyText(DocumentGrid::ProdBH);
}

void StockDocumentForm::loadTitle() {
    if (const auto title = documents::documentTitle(stockKind(shownKind_).titleColumn))
        txtCaption->setText(*title);
}

void StockDocumentForm::renewOrderCode(const QString& prefix) {
    madeCode_ = documents::CodeOrigin{prefix, environment::now()};
    txtOrderCode->setText(documents::documentCode(prefix, madeCode_->moment));
}

std::optional<documents::CodeOrigin> StockDocumentForm::codeOrigin() const {
    return documents::unchangedOrigin(madeCode_, txtOrderCode->text());
}

void StockDocumentForm::setTabOrderFrom(QComboBox* firstHeaderBox) {
    firstHeaderBox_ = firstHeaderBox;
    QWidget* const order[] = {txtCaption, firstHeaderBox, cbHouseIn, txtOrderCode, dtDate,
                              sgData,     cbEMp,          btnSave,   btnClose};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void StockDocumentForm::readLines(DocumentLines& lines) const {
    for (int row = 1; row <= DocumentLines::kRows; ++row)
        for (int column = 1; column <= DocumentLines::kColumns; ++column)
            lines.cell(row, column) = sgData->text(row, column);
}

QWidget* StockDocumentForm::focusAfter(StockSaveResult result) {
    switch (result) {
    case StockSaveResult::NoHouseIn:
    case StockSaveResult::SameHouses:
        return cbHouseIn;
    case StockSaveResult::NoOrderCode:
        return txtOrderCode;
    default:
        return nullptr;
    }
}

bool StockDocumentForm::save() {
    sgData->finishEditing();
    const StockSaveResult result = saveDocument();
    if (result == StockSaveResult::UnknownProduct || result == StockSaveResult::BeyondRange) {
        DocumentLines lines;
        readLines(lines);
        if (result == StockSaveResult::UnknownProduct)
            sgData->editCell(lines.firstRowWithoutProduct(), DocumentGrid::ProdBH);
        else
            sgData->editCell(lines.firstRowBeyondRange(), DocumentGrid::Quantity);
    }
    if (QWidget* box = focusAfter(result))
        box->setFocus();
    if (result != StockSaveResult::Saved && result != StockSaveResult::NothingInserted)
        return false;
    sgData->clearLines();
    return true;
}

void StockDocumentForm::btnSaveClick() {
    if (save())
        close();
}

bool StockDocumentForm::FormClose() {
    sgData->finishEditing();
    // A row counts as filled by its product code, blanks included.
    if (!sgData->anyText(DocumentGrid::ProdBH))
        return true;
    if (confirmed("数据已经更改，放弃保存吗？"))
        sgData->clearLines();
    else
        save(); // whatever its outcome, the window closes; an unsaved grid waits for the next
                // showing
    return true;
}
