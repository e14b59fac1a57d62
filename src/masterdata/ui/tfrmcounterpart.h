#pragma once

#include "core/ui/tform.h"

class QLineEdit;
class QPushButton;
class QStatusBar;
class QTableView;
class QToolButton;
class MasterDialog;
class TfrmImport;
struct CounterpartKind;

// The list of one kind of counterpart ("供应商管理", "客户管理"), searched by name; adds, edits
// and deletes through the kind's dialogs. The two windows are this one design driven by the
// kind; the subclasses carry the class names.
class TfrmCounterpart : public TForm {
    Q_OBJECT
protected:
    // Takes the kind's add and edit dialogs as its children.
    TfrmCounterpart(const CounterpartKind& kind, MasterDialog* addDialog, MasterDialog* editDialog,
                    QWidget* parent);
    void FormShow() override;

private:
    // The search: every row of the kind whose name contains the key (LoadSupplier and
    // LoadCustomers of the two kinds).
    void LoadCounterparts();
    void Button1Click() { LoadCounterparts(); }
    void tlAddClick();
    void tlEditClick();
    void tlDelClick();
    void tlExcelClick();
    void tlImportClick();
    // True when the list holds rows to act on; the current one is the selected row.
    bool HasRows() const;

    const CounterpartKind& kind_;
    MasterDialog* frmAdd;
    MasterDialog* frmEdit;
    QToolButton* tlAdd;
    QToolButton* tlEdit;
    QToolButton* tlDel;
    QToolButton* tlExcel;
    QToolButton* tlImport;
    TfrmImport* frmImport;
    QLineEdit* txtKey;
    QPushButton* Button1;
    QTableView* dgData;
    QStatusBar* StatusBar1;
};

class TfrmSupplier : public TfrmCounterpart {
    Q_OBJECT
public:
    explicit TfrmSupplier(QWidget* parent = nullptr);
};

class TfrmCustomer : public TfrmCounterpart {
    Q_OBJECT
public:
    explicit TfrmCustomer(QWidget* parent = nullptr);
};
