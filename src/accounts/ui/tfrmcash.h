#pragma once

#include "core/ui/tform.h"

class QDateEdit;
class QPushButton;
class QTableView;
class QToolButton;
class TfrmInAdd;
class TfrmItm;

// "现金银行": the money accounts with their balances and the journal of the chosen account
// over a date range; money in and out through TfrmInAdd, the accounts through TfrmItm.
class TfrmCash : public TForm {
    Q_OBJECT
public:
    explicit TfrmCash(QWidget* parent = nullptr);

protected:
    void FormShow() override;

private:
    void LoadItem();
    void LoadDetails();
    void dgitmCellClick();
    void AddEntry(const QString& mode);
    void tlDelClick();

    QToolButton* tlAdd;
    QToolButton* tlEdit;
    QToolButton* tlDel;
    QToolButton* tlClose;
    QTableView* dgitm;
    QDateEdit* dtbegin;
    QDateEdit* dtEnd;
    QPushButton* Button1;
    QTableView* dgBank;
    TfrmInAdd* frmInAdd;
    TfrmItm* frmItm;
    QString itmID_; // the selected account, kept across searches and showings
};
