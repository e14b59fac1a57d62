#pragma once

#include "core/ui/tform.h"

class QTableView;
class QToolButton;
class TfrmPDAdd;
class TfrmPDEdit;
class TfrmPDChInve;

// "库存盘点": the open counts and the lines of the one clicked; from here counts are added,
// edited, deleted and corrected. The operator of a new count is the logged-in user.
class TfrmProductPD : public TForm {
    Q_OBJECT
public:
    TfrmProductPD(TfrmPDAdd& add, TfrmPDEdit& edit, TfrmPDChInve& differences,
                  QWidget* parent = nullptr);

protected:
    void FormShow() override;

private:
    void LoadCounts();
    void dgPDClick();
    void tlAddClick();
    void tlEditClick();
    void tlDelClick();
    void tlStartClick();

    TfrmPDAdd& add_;
    TfrmPDEdit& edit_;
    TfrmPDChInve& differences_;
    QToolButton* tlAdd;
    QToolButton* tlEdit;
    QToolButton* tlDel;
    QToolButton* tlStart;
    QToolButton* tlExit;
    QTableView* dgPD;
    QTableView* dgPDMX;
};
