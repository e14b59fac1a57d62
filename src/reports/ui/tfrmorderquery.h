#pragma once

#include "core/ui/tform.h"
#include "reports/listeddocument.h"

#include <QString>

class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class TfrmPrintView;
struct QueryKind;

// A document query: finds the posted documents of one kind by date range and code
// fragment, shows the lines of the selected one and voids or reprints it. The selected
// document is the row the person selected in the list on screen; a fresh list (a search,
// showing the window, a voiding) has none.
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
    void dgOrderCellClick();
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
    ListedDocument selected_; // no code while none is selected
};
