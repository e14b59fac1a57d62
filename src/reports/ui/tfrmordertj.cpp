#include "reports/ui/tfrmordertj.h"

#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "documents/stockkind.h"
#include "documents/tradekind.h"
#include "masterdata/ui/listwindowparts.h"
#include "reports/ui/queryparts.h"
#include "reports/ui/rowtint.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace {

const std::vector<SlotColumn> kOrderColumns{{"optDate", "日期", Draw::Text, 110},
                                            {"orderID", "单据号", Draw::Text, 170},
                                            {"orderType", "单据类型", Draw::Text, 110},
                                            {"empName", "经办人"}};
constexpr int kTypeColumn = 2;

// The line table of a listed document's kind: the four trade kinds and the transfer by their
// names; losses, overflows and stock-count corrections all keep theirs in one table.
QString lineTableOf(const QString& orderType) {
    for (const TradeKind& kind : tradeKinds())
        if (kind.journalType == orderType)
            return kind.lineTable;
    if (orderType == QStringLiteral("库存调拨"))
        return stockKind(StockKindId::Transfer).lineTable;
    return stockKind(StockKindId::Loss).lineTable;
}

// Goods coming in and money going out: purchases and sale returns.
bool isRedKind(const QString& orderType) {
    return orderType == tradeKind(TradeKindId::Purchase).journalType ||
           orderType == tradeKind(TradeKindId::SaleReturn).journalType;
}

} // namespace

TfrmOrderTJ::TfrmOrderTJ(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("frmOrderTJ"));
    setWindowTitle(QStringLiteral("单据综合查询"));
    resize(860, 620);

    const queryparts::FilterRow filter =
        queryparts::filterRow(*this, QStringLiteral("单据号："), QStringLiteral("txtOrderID"));
    dtbegin = filter.dtbegin;
    dtEnd = filter.dtEnd;
    txtOrderID = filter.key;
    btnFind = filter.btnFind;
    const QString hint = QStringLiteral("例如，查询所有销售单据，输入XS即可。");
    txtOrderID->setToolTip(hint);
    auto* lblHint = queryparts::buddyLabel(hint, txtOrderID);
    lblHint->setObjectName(QStringLiteral("lblHint"));
    lblHint->setStyleSheet(QStringLiteral("color: gray"));
    filter.layout->addWidget(lblHint);
    filter.layout->addStretch();

    dgOrder = listparts::listView(this, QStringLiteral("dgOrder"));
    showSlot(*dgOrder, sysData->QueryOrder, kOrderColumns, Highlight::PersonOnly);
    dgOrder->horizontalHeader()->setSectionsClickable(true);
    tint_ = new RowTint(queryparts::orderTypeIs(isRedKind),
                        {{0, Qt::AlignCenter}, {kTypeColumn, Qt::AlignCenter}}, dgOrder);
    dgOrder->setItemDelegate(tint_);

    dgOrderDetails = listparts::listView(this, QStringLiteral("dgOrderDetails"));
    showSlot(*dgOrderDetails, sysData->QueryOrderDetails,
             queryparts::lineColumns(QStringLiteral("规格"), Draw::Money, Draw::Money),
             Highlight::PersonOnly);

    queryparts::stackDocumentsOverLines(*this, {filter.layout}, *dgOrder, *dgOrderDetails);

    connectGuarded(btnFind, &QPushButton::clicked, this, [this] { btnFindClick(); });
    connectGuarded(dgOrder->horizontalHeader(), &QHeaderView::sectionClicked, this,
                   [this](int column) { dgOrderTitleClick(column); });
    connectGuarded(dgOrder->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   [this] { dgOrderCellClick(); });
}

void TfrmOrderTJ::FormShow() {
    queryparts::resetRange(*dtbegin, *dtEnd);
    ascending_ = true; // the first title click after showing sorts descending
    btnFindClick();
}

void TfrmOrderTJ::btnFindClick() {
    TQuery& q = sysData->QueryOrder;
    q.load(QStringLiteral("SELECT orderID,empName,orderType,optDate FROM VOrder WHERE "
                          "optDate>=:optDate1 AND optDate<=:optDate2 AND orderID LIKE :orderID "
                          "ORDER BY optDate DESC"));
    q.bind(u"optDate1", queryparts::dayOf(*dtbegin));
    q.bind(u"optDate2", queryparts::dayOf(*dtEnd));
    // Only a prefix matches: "XS" lists the sales.
    q.bind(u"orderID", txtOrderID->text().trimmed() + u'%');
    q.open();
    sysData->QueryOrderDetails.close(); // a fresh list has no document selected
}

void TfrmOrderTJ::dgOrderTitleClick(int column) {
    TQuery& q = sysData->QueryOrder;
    if (!q.isOpen() || column < 0 || column >= int(kOrderColumns.size()))
        return;
    ascending_ = !ascending_;
    q.sort(kOrderColumns[std::size_t(column)].field + (ascending_ ? " ASC" : " DESC"));
    sysData->QueryOrderDetails.close(); // the reordered list has no row selected
}

// The lines of the document the person selected, by click or by the arrow keys, read from its
// kind's own line table: a code is unique within its kind only, and one typed by hand may be
// another kind's too.
void TfrmOrderTJ::dgOrderCellClick() {
    queryparts::listLinesOfSelected(*dgOrder, sysData->QueryOrder, [] {
        return QStringLiteral("SELECT prodBH,prodName,type,unitName,price,pcount,sumMoney,"
                              "%1.remark FROM %1,Fproduct WHERE Fproduct.prodID=%1.prodID AND "
                              "%1.orderID=:orderID")
            .arg(lineTableOf(sysData->QueryOrder.field(u"orderType").asText()));
    });
}
