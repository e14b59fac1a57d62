#pragma once

#include "core/ui/tform.h"

class QAction;
class QMenu;
class QStatusBar;
class QTableView;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TfrmAssAdd;
class TfrmAssCateAdd;
class TfrmAssCateEdit;
class TfrmAssEdit;

// "固定资产": the asset categories as a tree, the assets of the chosen one beside it.
class TfrmGDZC : public TForm {
    Q_OBJECT
public:
    explicit TfrmGDZC(QWidget* parent = nullptr);

protected:
    void FormShow() override;

private:
    void LoadCategory();
    void LoadAsset();
    void tvCategoryChange(QTreeWidgetItem* node);
    void A1Click();
    void E1Click();
    void P1Click();
    void tlInsertClick();
    void tlEditClick();
    void tlDelClick();
    bool HasAssets() const;

    QToolButton* tlInsert;
    QToolButton* tlEdit;
    QToolButton* tlDel;
    QToolButton* tlClose;
    QTreeWidget* tvCategory;
    QMenu* categoryMenu;
    QAction* A1;
    QAction* E1;
    QAction* P1;
    QTableView* DBGrid2;
    QStatusBar* StatusBar1;
    TfrmAssCateAdd* frmAssCateAdd;
    TfrmAssCateEdit* frmAssCateEdit;
    TfrmAssAdd* frmAssAdd;
    TfrmAssEdit* frmAssEdit;
    // The chosen category (empty for all of them) and its node's text; kept across showings.
    QString cateID_;
    QString cateText_;
};
