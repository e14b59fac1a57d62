#pragma once

#include "core/ui/tform.h"

class QDateEdit;
class QLineEdit;
class QPushButton;
class QTableView;
class RowTint;
struct TradeStatsKind;

// The purchase or sale statistics: the documents and returns of one side of the trade in a
// date range, filtered by the counterpart's name, with their amounts due, settled and
// outstanding, and the lines of the row clicked. Returns are drawn in red.
class TfrmTradeStats : public TForm {
    Q_OBJECT
public:
    explicit TfrmTradeStats(const TradeStatsKind& kind, QWidget* parent = nullptr);

protected:
    void FormShow() override;

private:
    void btnFindClick();
    void dgOrderCellClick();

    const TradeStatsKind& kind_;
    QDateEdit* dtbegin;
    QDateEdit* dtEnd;
    QLineEdit* txtKey;
    QPushButton* btnFind;
    QTableView* dgOrder;
    QTableView* dgOrderDetails;
};
