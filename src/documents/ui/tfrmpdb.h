#pragma once

#include "documents/ui/stockdocumentform.h"

// The stock transfer ("库存调拨"): goods moved from one warehouse to another. It moves no
// product's stock, no balance and no money.
class TfrmPDB : public StockDocumentForm {
    Q_OBJECT
public:
    explicit TfrmPDB(TfrmFindProduct& picker, QWidget* parent = nullptr);

protected:
    void LoadHouse() override;
    StockSaveResult saveDocument() override;
    QWidget* focusAfter(StockSaveResult result) override;

private:
    QComboBox* cbHouseOut;
};
