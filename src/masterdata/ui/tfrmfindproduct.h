#pragma once

#include "core/ui/tform.h"

#include <QString>
#include <array>

class QLabel;
class QLineEdit;
class QStatusBar;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;
class SlotModel;

// The product picker: a category tree and a product list over the shared slot QueryProduct.
// A caller sets the mode ("1" offers the purchase price, anything else the sale price),
// shows the picker and, when chosen() is 1, reads the twelve values in grid column order.
class TfrmFindProduct : public TForm {
    Q_OBJECT
public:
    static constexpr int kValues = 12;

    explicit TfrmFindProduct(QWidget* parent = nullptr);

    void setMode(const QString& mode) { mode_ = mode; }
    const QString& mode() const { return mode_; }
    int chosen() const { return chosen_; }
    // prodID, prodBH, prodName, type, unitName, price, "1", price, remark, field1, field2,
    // company: valid when chosen() is 1.
    const std::array<QString, kValues>& values() const { return values_; }

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetHeader();
    void LoadCategory();
    void tvCategoryChange(QTreeWidgetItem* node);
    void LoadProducts();
    void search();
    void dgProductDblClick();

    QString mode_;
    int chosen_ = 0;
    std::array<QString, kValues> values_;
    QString cateID_; // the selected category; empty for the root
    QString cateName_;
    bool shownBefore_ = false;

    QTreeWidget* tvCategory;
    QLineEdit* txtKey;
    QTableView* dgProduct;
    QStatusBar* status;
    SlotModel* products;
};
