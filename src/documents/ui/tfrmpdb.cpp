#include "documents/ui/tfrmpdb.h"

#include "core/sysdata.h"
#include "core/ui/datebox.h"
#include "documents/ui/documentlists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

TfrmPDB::TfrmPDB(TfrmFindProduct& picker, QWidget* parent)
    : StockDocumentForm("库存调拨", StockKindId::Transfer, picker, parent) {
    cbHouseOut = new QComboBox(this);
    cbHouseOut->setObjectName("cbHouseOut");
    cbHouseOut->setMinimumWidth(140);
    auto* lblHouseOut = new QLabel("调出仓库：", this);
    lblHouseOut->setBuddy(cbHouseOut);
    header->addWidget(lblHouseOut, 0, 0);
    header->addWidget(cbHouseOut, 0, 1);
    header->addWidget(lblHouseIn, 0, 2);
    header->addWidget(cbHouseIn, 0, 3);
    setTabOrderFrom(cbHouseOut);
}

void TfrmPDB::LoadHouse() {
    documents::loadHouses(*cbHouseOut, sysData->QueryHouse);
    documents::loadHouses(*cbHouseIn, sysData->QueryHouseIn);
}

StockSaveResult TfrmPDB::saveDocument() {
    TransferDocument d;
    d.houseOutName = cbHouseOut->currentText();
    d.houseOutID = documents::chosenHouseID(*cbHouseOut);
    d.houseInName = cbHouseIn->currentText();
    d.houseInID = documents::chosenHouseID(*cbHouseIn);
    d.orderCode = txtOrderCode->text();
    d.codeOrigin = codeOrigin();
    d.empName = cbEMp->currentText();
    d.date = dtDate->date();
    readLines(d);
    return saveTransfer(d);
}

QWidget* TfrmPDB::focusAfter(StockSaveResult result) {
    if (result == StockSaveResult::NoHouseOut)
        return cbHouseOut;
    return StockDocumentForm::focusAfter(result);
}
