#pragma once

#include "masterdata/pickedproduct.h"
#include "masterdata/ui/productbrowser.h"

#include <QString>

// The product picker: a category tree and a product list over the shared slot QueryProduct.
// A caller sets the mode ("1" offers the purchase price, anything else the sale price),
// shows the picker and, when chosen() is 1, reads the twelve values in grid column order.
class TfrmFindProduct : public ProductBrowser {
    Q_OBJECT
public:
    explicit TfrmFindProduct(QWidget* parent = nullptr);

    void setMode(const QString& mode) { mode_ = mode; }
    const QString& mode() const { return mode_; }
    int chosen() const { return chosen_; }
    // prodID, prodBH, prodName, type, unitName, price, "1", price, remark, field1, field2,
    // company: valid when chosen() is 1.
    const PickedProduct& values() const { return values_; }

protected:
    void FormShow() override;
    void chooseCurrent() override { dgProductDblClick(); }

private:
    void dgProductDblClick();

    QString mode_;
    int chosen_ = 0;
    PickedProduct values_;
};
