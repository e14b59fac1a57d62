#pragma once

#include "core/ui/slotmodel.h"
#include "core/ui/tform.h"

#include <QString>
#include <vector>

class QHBoxLayout;
class QLineEdit;
class QStatusBar;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;

// A list column of a lookup window; a captioned column takes its title from FConfig when
// its field has a row there.
struct BrowserColumn {
    SlotColumn column;
    bool captioned = true;
};

// The browsing design of the product picker and the price and stock lookups: the category
// tree, the search box (typing or Enter searches code and name over every category), the product
// list over QueryProduct and a status line. The selected category and the search text survive.
// Text typed in the tree or the list goes to the search box; the arrows lead from the box to the
// list and back (chooseByKeys).
class ProductBrowser : public TForm {
    Q_OBJECT
protected:
    ProductBrowser(const QString& caption, const QString& keyLabel, const QString& hint,
                   std::vector<BrowserColumn> columns, QWidget* parent);

    // Column titles: the built-in ones, then FConfig's captions for captioned columns.
    void SetHeader();
    // Rebuilds the tree: the root "所有类别" and every category; no node is selected.
    void LoadCategory();
    // Lists the products of the selected category (every one for the root).
    virtual void LoadProducts();
    // "在"<category>"，商品种类：" and the count.
    void showListed();
    // The first showing gives the tree the focus, which selects the root and lists all. A later
    // one lists again what this window listed last, when another window has since put its own
    // list into the slot they share (another statement, perhaps without this list's fields).
    void listOnShowing();

    bool eventFilter(QObject* watched, QEvent* event) override;
    // Enter or Space on a row of the list: a picker takes it; a lookup only shows it.
    virtual void chooseCurrent() {}

    const QString& cateID() const { return cateID_; }

    QTreeWidget* tvCategory;
    QLineEdit* txtKey;
    QTableView* dgProduct;
    QStatusBar* status;
    SlotModel* products;
    QHBoxLayout* filterRow; // beside the search box, for a window's own filters

private:
    void tvCategoryChange(QTreeWidgetItem* node);
    void txtKeyKeyDown();

    std::vector<BrowserColumn> columns_;
    QString cateID_; // the selected category; empty for the root
    QString cateName_;
    bool shownBefore_ = false;
    unsigned long long listedOpening_ = 0; // the slot's opening that was this window's list
    bool listedBySearch_ = false;          // that list was a search of the key
};
