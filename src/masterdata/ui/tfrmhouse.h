#pragma once

#include "core/ui/tform.h"

#include <QString>

class QTableView;
class QToolButton;
class TfrmHouseAdd;
class TfrmHouseEdit;

// The warehouse list ("仓库管理"): adds, edits and deletes warehouses. The selected warehouse
// is the row last clicked; it survives closing the window and is cleared by a deletion.
class TfrmHouse : public TForm {
    Q_OBJECT
public:
    explicit TfrmHouse(QWidget* parent = nullptr);

protected:
    void FormShow() override;

private:
    void LoadHouse();
    void dgHouseCellClick();
    void tlAddClick();
    void tlEditClick();
    void tlDelClick();
    // Reads the selected warehouse's own row into QueryCommon; when it no longer exists, says
    // so, shows the list anew and gives false.
    bool LoadSelected();
    // Highlights the selected warehouse's row, or no row when none is selected.
    void ShowSelected();

    QToolButton* tlAdd;
    QToolButton* tlEdit;
    QToolButton* tlDel;
    QTableView* dgHouse;
    TfrmHouseAdd* frmHouseAdd;
    TfrmHouseEdit* frmHouseEdit;
    QString selectedHouseID_;
};
