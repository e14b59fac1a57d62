#pragma once

#include "core/ui/tform.h"
#include "masterdata/importkind.h"

class ImportPlanModel;
class QCheckBox;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

// The import of a spreadsheet into the book, for every kind of import: asks for the file,
// shows the rows as they will be stored with the reason each bad row cannot be and the
// counts, and writes the good rows in one transaction when the person says so.
class TfrmImport : public TForm {
    Q_OBJECT
public:
    explicit TfrmImport(QWidget* parent = nullptr);

    // Asks for the file and, when it can be read, shows its preview; true when rows were
    // written (the caller's list reloads then).
    bool run(const ImportKind& kind);

private:
    void showPlan();
    void btnImportClick();
    void chkBadOnlyClick();

    const ImportKind* kind_ = nullptr;
    Sheet sheet_;
    ImportPlan plan_;
    bool saved_ = false;

    QLabel* lblFile;
    QCheckBox* chkBadOnly;
    QTableView* dgRows;
    ImportPlanModel* model_;
    QSortFilterProxyModel* filter_;
    QLabel* lblCounts;
    QLabel* lblAbsent; // the columns the sheet does not have
    QCheckBox* chkSkipBad;
    QPushButton* btnImport;
};
