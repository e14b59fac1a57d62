#pragma once

#include "core/ui/tform.h"

class QTableView;
class QToolButton;
class TfrmItmAdd;
class TfrmItmEdit;

// "科目管理": the money accounts with their balances; the cash account stays as it is.
class TfrmItm : public TForm {
    Q_OBJECT
public:
    explicit TfrmItm(QWidget* parent = nullptr);

protected:
    void FormShow() override;

private:
    void LoadItem();
    bool HasRows() const;
    void SetButtons(bool enabled);
    void dgitmCellClick();
    void tlAddClick();
    void tlEditClick();
    void tlDelClick();

    QToolButton* tlAdd;
    QToolButton* tlEdit;
    QToolButton* tlDel;
    QToolButton* tlClose;
    QTableView* dgitm;
    TfrmItmAdd* frmItmAdd;
    TfrmItmEdit* frmItmEdit;
};
