#pragma once

#include "core/ui/tform.h"

class QTableView;
class QToolButton;
class TfrmEmpAdd;
class TfrmEmpEdit;

// The employee list ("员工管理"): the handlers named on documents. Adds, edits and deletes
// the selected row through the two dialogs.
class TfrmEmployee : public TForm {
    Q_OBJECT
public:
    explicit TfrmEmployee(QWidget* parent = nullptr);

protected:
    void FormShow() override;

private:
    void LoadEmp();
    void tlAddClick();
    void tlEditClick();
    void tlDelClick();
    // True when the list holds rows to act on; the current one is the selected row.
    bool HasRows() const;

    QToolButton* tlAdd;
    QToolButton* tlEdit;
    QToolButton* tlDel;
    QTableView* dgEmp;
    TfrmEmpAdd* frmEmpAdd;
    TfrmEmpEdit* frmEmpEdit;
};
