#pragma once

#include "core/ui/tform.h"
#include "masterdata/productcatalog.h"

#include <QString>
#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class SlotModel;
class TfrmCateAdd;
class TfrmCateEdit;
class TfrmImport;
class TfrmProdAdd;
class TfrmProdEdit;

// The product window: the category tree on the left (managed from its right-click menu), the
// products of the selected category or of a search on the right, with its four dialogs.
class TfrmProduct : public TForm {
    Q_OBJECT
public:
    TfrmProduct(TfrmProdAdd& prodAdd, TfrmProdEdit& prodEdit, TfrmCateAdd& cateAdd,
                TfrmCateEdit& cateEdit, QWidget* parent = nullptr);

protected:
    void FormShow() override;

private:
    void SetHeader();
    void LoadCategory();
    void LoadProducts();
    void tvCategoryChange(QTreeWidgetItem* node);
    void Button1Click();
    void tlAddClick();
    void tlEditClick();
    void tlDelClick();
    void tlExcelClick();
    void tlImportClick();
    void A1Click();
    void E1Click();
    void P1Click();
    bool hasProducts() const;
    QToolButton* addToolButton(const QString& name, const QString& text,
                               void (TfrmProduct::*handler)());

    TfrmProdAdd& prodAdd_;
    TfrmProdEdit& prodEdit_;
    TfrmCateAdd& cateAdd_;
    TfrmCateEdit& cateEdit_;
    TfrmImport* frmImport_;

    QTreeWidget* tvCategory_;
    QMenu* categoryMenu_;
    QLineEdit* txtKey_;
    QPushButton* Button1_;
    QTableView* dgProduct_;
    SlotModel* model_;
    QLabel* lblStatus_;

    // The selected category (its key empty for the root "所有类别"); kept across showings.
    QString cateID_;
    QString cateName_;
    // The field captions as read when the window was last shown.
    std::vector<catalog::FieldCaption> captions_;
};
