#pragma once

#include "core/ui/tform.h"

#include <functional>

class JournalDetailModel;
class PeriodBar;
class QTableView;
class QTreeWidget;
class QTreeWidgetItem;

// What tells the three business statistics windows apart: their caption and their period.
struct BusinessStatsKind {
    QString caption;
    std::function<PeriodBar*(QWidget*)> periodBar;
};

extern const BusinessStatsKind kTodayStats;
extern const BusinessStatsKind kMonthStats;
extern const BusinessStatsKind kChosenStats;

// Income, expenses and profit of a period from the money journal, with the journal rows
// behind the figure the user selects. One design for the day, the month and a chosen range;
// the subclasses carry the class names.
class BusinessStats : public TForm {
    Q_OBJECT
protected:
    BusinessStats(const BusinessStatsKind& kind, QWidget* parent);
    void FormShow() override;

private:
    void LoadKM();
    void lstItemChange(QTreeWidgetItem* item);

    PeriodBar* period_;
    QTreeWidget* lstItem;
    QTableView* DBGrid2;
};

class TfrmTjToday : public BusinessStats {
    Q_OBJECT
public:
    explicit TfrmTjToday(QWidget* parent = nullptr);
};

class TfrmTjMonth : public BusinessStats {
    Q_OBJECT
public:
    explicit TfrmTjMonth(QWidget* parent = nullptr);
};

class TfrmOpenTJ : public BusinessStats {
    Q_OBJECT
public:
    explicit TfrmOpenTJ(QWidget* parent = nullptr);
};
