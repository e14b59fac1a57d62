#pragma once

#include "core/ui/tform.h"

class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;
class RowTint;

// "单据综合查询": the documents of every kind in a date range whose code begins with the
// typed fragment, newest first, with the lines of the row clicked.
class TfrmOrderTJ : public TForm {
    Q_OBJECT
public:
    explicit TfrmOrderTJ(QWidget* parent = nullptr);

protected:
    void FormShow() override;

private:
    void btnFindClick();
    void dgOrderTitleClick(int column);
    void dgOrderCellClick();

    QDateEdit* dtbegin;
    QDateEdit* dtEnd;
    QLineEdit* txtOrderID;
    QPushButton* btnFind;
    QTableView* dgOrder;
    QTableView* dgOrderDetails;
    RowTint* tint_;
    bool ascending_ = true; // the direction of the last title click
};
