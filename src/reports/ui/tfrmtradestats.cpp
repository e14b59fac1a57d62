#include "reports/ui/tfrmtradestats.h"

#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "documents/tradekind.h"
#include "masterdata/ui/listwindowparts.h"
#include "reports/tradestatskind.h"
#include "reports/ui/queryparts.h"
#include "reports/ui/rowtint.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

TfrmTradeStats::TfrmTradeStats(const TradeStatsKind& kind, QWidget* parent)
    : TForm(parent), kind_(kind) {
    setObjectName(QStringLiteral("frm") + kind.windowClass.mid(4));
    setWindowTitle(kind.caption);
    resize(1000, 620);

    const queryparts::FilterRow filter =
        queryparts::filterRow(*this, kind.nameLabel, QStringLiteral("txtKey"));
    dtbegin = filter.dtbegin;
    dtEnd = filter.dtEnd;
    txtKey = filter.key;
    btnFind = filter.btnFind;
    filter.layout->addStretch();

    dgOrder = listparts::listView(this, QStringLiteral("dgOrder"));
    showSlot(*dgOrder, sysData->QueryOrder,
             {{"optDate", "日期", Draw::Text, 100},
              {"orderID", "单据号", Draw::Text, 160},
              {"orderType", "单据类型", Draw::Text, 90},
              {"compName", "供应商", Draw::Text, 160},
              {"acMoney", "应付金额", Draw::Money, 100},
              {"coMoney", "已付金额", Draw::Money, 100},
              {"je", "欠款金额", Draw::Money, 100},
              {"empName", "经办人"}},
             Highlight::PersonOnly);
    const QString& returnType = kind.second.journalType;
    dgOrder->setItemDelegate(new RowTint(
        queryparts::orderTypeIs([returnType](const QString& type) { return type == returnType; }),
        {}, dgOrder));

    dgOrderDetails = listparts::listView(this, QStringLiteral("dgOrderDetails"));
    showSlot(*dgOrderDetails, sysData->QueryOrderDetails,
             queryparts::lineColumns(QStringLiteral("规格"), Draw::Money, Draw::Money),
             Highlight::PersonOnly);

    queryparts::stackDocumentsOverLines(*this, {filter.layout}, *dgOrder, *dgOrderDetails);

    connectGuarded(btnFind, &QPushButton::clicked, this, [this] { btnFindClick(); });
    connectGuarded(dgOrder->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   [this] { dgOrderCellClick(); });
}

void TfrmTradeStats::FormShow() {
    queryparts::resetRange(*dtbegin, *dtEnd);
    btnFindClick();
}

void TfrmTradeStats::btnFindClick() {
    TQuery& q = sysData->QueryOrder;
    q.load(kind_.listStatement(txtKey->text()));
    q.bind(u"optDate1", queryparts::dayOf(*dtbegin));
    q.bind(u"optDate2", queryparts::dayOf(*dtEnd));
    bindSearch(q, QStringLiteral("compName"), txtKey->text());
    q.open();
    sysData->QueryOrderDetails.close(); // a fresh list has no document selected
}

// The lines of the document the person selected, by click or by the arrow keys.
void TfrmTradeStats::dgOrderCellClick() {
    TQuery& q = sysData->QueryOrder;
    queryparts::listLinesOfSelected(
        *dgOrder, q, [this, &q] { return kind_.lineStatement(q.field(u"orderType").asText()); });
}
