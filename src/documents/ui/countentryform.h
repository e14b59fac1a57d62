#pragma once

#include "core/ui/tform.h"
#include "documents/stockcount.h"

#include <optional>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TfrmProdPD;

// The window a count is entered in, new or existing: the header group "单据信息", the
// products of the counted warehouse (QueryP1) with a category choice and a name search, and
// the counted lines (QueryP2) with "编辑" and "删除". A double click on a product counts it;
// every confirmed line is written at once, so there is no save button.
class CountEntryForm : public TForm {
    Q_OBJECT
protected:
    CountEntryForm(const QString& caption, TfrmProdPD& productCount, QWidget* parent);

    // The counted warehouse's key; empty while none is chosen.
    virtual QString houseID() const = 0;
    // The header to write with the next confirmed line; nothing once the count exists.
    virtual std::optional<stockcount::CountHeader> pendingHeader() const = 0;
    // A line was confirmed (and with it the header, when one was pending).
    virtual void lineSaved() {}

    // The warehouse and date widgets of the header group, different in the two windows.
    void placeHouseAndDate(QWidget* house, QWidget* date);
    // A code scanned anywhere in the window is looked up as if typed into the name box.
    void takeScannedCode(const QString& code);
    // "所有类别" and every category, "所有类别" selected.
    void LoadCategories();
    // The products of the warehouse in the chosen category.
    void LoadProducts();
    // The lines counted so far.
    void LoadCounted();
    void reject() override; // Escape presses "删除"

    QLineEdit* txtOrderID;
    QLabel* lblUserName;
    QLineEdit* txtRemark;
    QComboBox* cbCate;
    QLineEdit* txtName;
    QTableView* dgProduct;
    QTableView* dgPD;
    QPushButton* btnEdit;
    QPushButton* btnDelete;

private:
    void cbCateChange();
    void txtNameKeyDown();
    void dgProductDblClick();
    void btnEditClick();
    void btnDeleteClick();

    TfrmProdPD& productCount_;
    QGridLayout* info_;
};
