#pragma once

#include "core/ui/tform.h"

#include <vector>

class QListWidget;
class QPushButton;
class QTableWidget;
class QToolButton;
class TfrmUserAdd;

// The users ("用户管理"): lists them, adds and deletes them and grants each its permission
// codes. The administrator "管理员" can be neither deleted nor changed here.
class TfrmUser : public TForm {
    Q_OBJECT
public:
    TfrmUser(TfrmUserAdd& frmUserAdd, QWidget* parent = nullptr);

protected:
    void FormShow() override;

private:
    void LoadUser();
    void lsvUserClick(int row);
    void tlAddClick();
    void tlDelClick();
    void btnPermClick();
    // The list's selected row, or -1.
    int SelectedRow() const;
    QString SelectedKey() const;
    bool SelectedIsAdministrator() const;

    TfrmUserAdd& frmUserAdd;
    // The user whose permissions the ticks were loaded from, and those permissions.
    QString shownKey_;
    std::vector<long long> shownPerms_;
    QToolButton* tlAdd;
    QToolButton* tlDel;
    QToolButton* tlExit;
    QTableWidget* lsvUser;
    QListWidget* lstPerm;
    QPushButton* btnPerm;
    QPushButton* btnClose;
};
