#pragma once

#include "documents/ui/stockdocumentform.h"

// The loss/overflow report ("报损报溢"): goods found missing lower their product's stock,
// goods found in excess raise it, in one warehouse.
class TfrmBsBy : public StockDocumentForm {
    Q_OBJECT
public:
    explicit TfrmBsBy(TfrmFindProduct& picker, QWidget* parent = nullptr);

protected:
    void FormShow() override;
    void LoadHouse() override;
    StockSaveResult saveDocument() override;

private:
    void cbOrderTypeChange();
    StockKindId type() const;
    // The type's labels beside the warehouse and the date.
    void showLabels();

    QComboBox* cbOrderType;
};
