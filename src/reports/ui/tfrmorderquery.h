#pragma once

#include "core/ui/tform.h"

#include <QString>

class QDateEdit;
class QLineEdit;
class QModelIndex;
class QPushButton;
class QTableView;
class QToolButton;
class TfrmPrintView;
struct QueryKind;

// A document query: finds the posted documents of one kind by date range and code
// fragment, shows the lines of the selected one and voids it. The selection is the document
// last clicked; it survives new searches and closing the window, and a voiding clears it.
class TfrmOrderQuery : public TForm {
    Q_OBJECT
public:
    // Touches no book: the purchase query is created before the data module.
    // The trade kinds reprint through the preview; without one the reprint stays disabled.
    explicit TfrmOrderQuery(const QueryKind& kind, TfrmPrintView* preview = nullptr,
                            QWidget* parent = nullptr);

protected:
    void FormShow() override;

private:
    void AttachGrids();
    void LoadOrders();
    void LoadDetails();
    void dgOrderCellClick(const QModelIndex& index);
    void tlDelClick();
    void tlPrintClick();

    const QueryKind& kind_;
    TfrmPrintView* preview_;
    QToolButton* tlDel;
    QToolButton* tlPrint = nullptr;
    QToolButton* tlExit;
    QDateEdit* dtbegin;
    QDateEdit* dtEnd;
    QLineEdit* txtOrderID;
    QPushButton* btnFind;
    QTableView* dgOrder;
    QTableView* dgOrderDetails;
    bool attached_ = false;
    QString selectedOrderID_;
};
