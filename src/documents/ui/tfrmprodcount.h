#pragma once

#include "masterdata/ui/productbrowser.h"

class QComboBox;

// "商品库存": each product's stock on hand, over all warehouses (Fproduct) or in the chosen
// one (VInveHouse); negative stock in red. Showing resets the warehouse to "所有仓库" and lists.
class TfrmProdCount : public ProductBrowser {
    Q_OBJECT
public:
    explicit TfrmProdCount(QWidget* parent = nullptr);

protected:
    void FormShow() override;
    void LoadProducts() override;

private:
    void LoadHouse();
    void cbHouseNameChange(int index);
    void selectRememberedCategory();

    QComboBox* cbHouseName;
    QComboBox* cbHouseID; // hidden, parallel to cbHouseName
};
