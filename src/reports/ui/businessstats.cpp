#include "reports/ui/businessstats.h"

#include "core/numbers.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/titlesort.h"
#include "reports/businessfigures.h"
#include "reports/ui/periodbar.h"
#include "reports/ui/reportgrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

const BusinessStatsKind kTodayStats{QStringLiteral("当日营业统计"),
                                    [](QWidget* parent) { return new DayBar(parent); }};
const BusinessStatsKind kMonthStats{QStringLiteral("本月营业统计"),
                                    [](QWidget* parent) { return new MonthBar(parent); }};
const BusinessStatsKind kChosenStats{QStringLiteral("经营情况统计"),
                                     [](QWidget* parent) { return new ChosenBar(parent); }};

BusinessStats::BusinessStats(const BusinessStatsKind& kind, QWidget* parent) : TForm(parent) {
    setWindowTitle(kind.caption);
    resize(980, 520);
    period_ = kind.periodBar(this);
    connectGuarded(period_, &PeriodBar::queryRequested, this, [this] { LoadKM(); });

    lstItem = new QTreeWidget(this);
    lstItem->setObjectName(QStringLiteral("lstItem"));
    lstItem->setRootIsDecorated(false);
    lstItem->setColumnCount(2);
    lstItem->setHeaderLabels({QStringLiteral("科目"), QStringLiteral("金额")});
    lstItem->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    lstItem->setColumnWidth(0, 150);
    lstItem->setFixedWidth(290);
    for (const QString& caption : summaryCaptions()) {
        auto* item = new QTreeWidgetItem(lstItem, {caption, QString()});
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    }
    connectGuarded(lstItem, &QTreeWidget::currentItemChanged, this,
                   [this](QTreeWidgetItem* item, QTreeWidgetItem*) { lstItemChange(item); });

    auto* detailLabel = new QLabel(QStringLiteral("收支明细："), this);
    DBGrid2 = new QTableView(this);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    detailLabel->setBuddy(DBGrid2);
    (new JournalDetailModel(sysData->QueryKestData, DBGrid2))->showIn(*DBGrid2);
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    sortByTitleClicks(*DBGrid2);

    auto* detail = new QVBoxLayout;
    detail->addWidget(detailLabel);
    detail->addWidget(DBGrid2);
    auto* lists = new QHBoxLayout;
    lists->addWidget(lstItem);
    lists->addLayout(detail, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(period_);
    layout->addLayout(lists, 1);
}

void BusinessStats::FormShow() {
    period_->reset();
    // No figure is chosen on showing, so that choosing any one lists its journal rows.
    lstItem->setCurrentItem(nullptr);
    lstItem->clearSelection();
    // The journal rows are shared with the other statistics: none belong to this showing yet.
    sysData->QueryKestData.close();
    LoadKM();
    lstItem->setFocus();
}

void BusinessStats::LoadKM() {
    const BusinessFigures figures = loadBusinessFigures(sysData->QueryCommon, period_->period());
    const auto values = figures.rows();
    for (int row = 0; row < BusinessFigures::kRows; ++row)
        lstItem->topLevelItem(row)->setText(1, numbers::money(values[std::size_t(row)]));
    // The chosen figure's rows follow the period its figure now covers; a figure without rows
    // of its own (a heading, 【总利润】) keeps none of the period before beside it.
    if (QTreeWidgetItem* chosen = lstItem->currentItem();
        chosen && !loadJournalDetail(sysData->QueryKestData, lstItem->indexOfTopLevelItem(chosen),
                                     period_->period()))
        sysData->QueryKestData.close();
}

void BusinessStats::lstItemChange(QTreeWidgetItem* item) {
    if (item)
        loadJournalDetail(sysData->QueryKestData, lstItem->indexOfTopLevelItem(item),
                          period_->period());
}

TfrmTjToday::TfrmTjToday(QWidget* parent) : BusinessStats(kTodayStats, parent) {
    setObjectName(QStringLiteral("frmTjToday"));
}

TfrmTjMonth::TfrmTjMonth(QWidget* parent) : BusinessStats(kMonthStats, parent) {
    setObjectName(QStringLiteral("frmTjMonth"));
}

TfrmOpenTJ::TfrmOpenTJ(QWidget* parent) : BusinessStats(kChosenStats, parent) {
    setObjectName(QStringLiteral("frmOpenTJ"));
}
