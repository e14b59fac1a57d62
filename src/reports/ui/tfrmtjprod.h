#pragma once

#include "core/ui/tform.h"

class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;

// "商品销售分析": per product, the quantity and amount sold in a range of days and the profit
// on it at the product's current purchase price, searched by a name fragment.
class TfrmTjProd : public TForm {
    Q_OBJECT
public:
    explicit TfrmTjProd(QWidget* parent = nullptr);

protected:
    void FormShow() override;

private:
    void btnFindClick();

    QDateEdit* dtbegin;
    QDateEdit* dtEnd;
    QLineEdit* txtKey;
    QPushButton* btnFind;
    QTableView* DBGrid1;
};
