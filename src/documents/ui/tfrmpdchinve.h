#pragma once

#include "core/ui/tform.h"
#include "documents/stockcount.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TfrmProdPD;

// "盘盈盘亏": the lines of a count with their differences, counted minus book (red when not
// 0), and the correction of the stock by them.
class TfrmPDChInve : public TForm {
    Q_OBJECT
public:
    explicit TfrmPDChInve(TfrmProdPD& productCount, QWidget* parent = nullptr);

    void setCount(const stockcount::OpenCount& count) { count_ = count; }

protected:
    void FormShow() override;

private:
    void LoadLines();
    void dgDataDblClick();
    void btnModifyClick();

    TfrmProdPD& productCount_;
    stockcount::OpenCount count_;
    QLineEdit* txtOrderID;
    QLabel* lblHouseName;
    QLabel* lblDate;
    QTableView* dgData;
    QPushButton* btnModify;
    QPushButton* btnClose;
};
