#include "documents/ui/tfrmbsby.h"

#include "core/sysdata.h"
#include "core/ui/datebox.h"
#include "core/ui/guardedconnect.h"
#include "documents/ui/documentlists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

TfrmBsBy::TfrmBsBy(TfrmFindProduct& picker, QWidget* parent)
    : StockDocumentForm("报损报溢", StockKindId::Loss, picker, parent) {
    cbOrderType = new QComboBox(this);
    cbOrderType->setObjectName("cbOrderType");
    for (StockKindId id : kLossOverflowTypes)
        cbOrderType->addItem(stockKind(id).orderType);
    auto* lblOrderType = new QLabel("单据类型：", this);
    lblOrderType->setBuddy(cbOrderType);
    header->addWidget(lblOrderType, 0, 0);
    header->addWidget(cbOrderType, 0, 1);
    header->addWidget(lblHouseIn, 0, 2);
    header->addWidget(cbHouseIn, 0, 3);
    setTabOrderFrom(cbOrderType);

    // A change of type renews the code; showing an empty window resets the type quietly.
    connectGuarded(cbOrderType, &QComboBox::currentIndexChanged, this,
                   [this](int) { cbOrderTypeChange(); });
}

void TfrmBsBy::FormShow() {
    StockDocumentForm::FormShow();
    if (holdsKeptLines()) {
        // Kept lines keep their type: shown as a loss, an overflow would be saved as one.
        renewOrderCode(stockKind(type()).prefix);
    } else {
        const QSignalBlocker quiet(cbOrderType);
        cbOrderType->setCurrentIndex(0);
    }
    showLabels();
}

void TfrmBsBy::LoadHouse() {
    documents::loadHouses(*cbHouseIn, sysData->QueryHouseIn);
}

StockKindId TfrmBsBy::type() const {
    return kLossOverflowTypes[std::size_t(std::max(cbOrderType->currentIndex(), 0))];
}

void TfrmBsBy::showLabels() {
    lblHouseIn->setText(stockKind(type()).houseLabel);
    lblDate->setText(stockKind(type()).dateLabel);
}

void TfrmBsBy::cbOrderTypeChange() {
    renewOrderCode(stockKind(type()).prefix);
    showLabels();
}

StockSaveResult TfrmBsBy::saveDocument() {
    LossOverflowDocument d;
    d.type = type();
    d.houseName = cbHouseIn->currentText();
    d.houseID = documents::chosenHouseID(*cbHouseIn);
    d.orderCode = txtOrderCode->text();
    d.codeOrigin = codeOrigin();
    d.empName = cbEMp->currentText();
    d.date = dtDate->date();
    readLines(d);
    return saveLossOverflow(d);
}
