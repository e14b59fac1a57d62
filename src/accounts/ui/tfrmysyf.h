#pragma once

#include "core/ui/tform.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;
class TfrmJK;

// "应收应付": the suppliers' or the customers' outstanding balances, settled one counterpart
// at a time through TfrmJK.
class Tfrmysyf : public TForm {
    Q_OBJECT
public:
    explicit Tfrmysyf(QWidget* parent = nullptr);

protected:
    void FormShow() override;

private:
    bool suppliers() const;
    void btnFindClick();
    void dgSupplierTitleClick(int section);
    void tlAddClick();

    QToolButton* tlAdd;
    QToolButton* tlExcel;
    QToolButton* tlExit;
    QLineEdit* txtKey;
    QComboBox* cbType;
    QPushButton* btnFind;
    QTableView* dgSupplier;
    TfrmJK* frmJK;
    bool ascending_ = true; // the next title click; one flag for the whole grid
};
