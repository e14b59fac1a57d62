#pragma once

#include "core/ui/tform.h"

#include <QString>

class QLabel;
class QLineEdit;
class QStatusBar;
class QTableView;
class SlotModel;

// The counterpart picker: suppliers (mode "1") or customers (any other mode) over the shared
// slot QueryCustomer. When chosen() is 1 the chosen row is the slot's current row.
class TfrmFindComp : public TForm {
    Q_OBJECT
public:
    explicit TfrmFindComp(QWidget* parent = nullptr);

    void setMode(const QString& mode) { mode_ = mode; }
    const QString& mode() const { return mode_; }
    int chosen() const { return chosen_; }
    // compID and compName of the slot's current row.
    QString compID() const;
    QString compName() const;

protected:
    void FormShow() override;

private:
    bool suppliers() const { return mode_ == u"1"; }
    void LoadCustomers();
    void dgSupplierDblClick();

    QString mode_;
    int chosen_ = 0;
    QString supplierKey_;
    QString customerKey_;

    QLabel* lblKey;
    QLineEdit* txtKey;
    QTableView* dgSupplier;
    QStatusBar* status;
    SlotModel* comps;
};
