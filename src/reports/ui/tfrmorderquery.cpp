#include "reports/ui/tfrmorderquery.h"

#include "core/dberror.h"
#include "core/messages.h"
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/ui/commonkeys.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "masterdata/ui/listwindowparts.h"
#include "printing/ui/tfrmprintview.h"
#include "reports/querykind.h"
#include "reports/reprint.h"
#include "reports/ui/queryparts.h"
#include "reports/voiding.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

TfrmOrderQuery::TfrmOrderQuery(const QueryKind& kind, TfrmPrintView* preview, QWidget* parent)
    : TForm(parent), kind_(kind), preview_(preview) {
    setObjectName(QStringLiteral("frm") + kind.windowClass.mid(4));
    setWindowTitle(kind.caption);
    resize(960, 620);

    auto* bar = new QHBoxLayout;
    tlDel = listparts::toolButton(*bar, QStringLiteral("tlDel"), QStringLiteral("单据作废"),
                                  QStyle::SP_TrashIcon);
    if (kind.printable()) {
        tlPrint = listparts::toolButton(*bar, QStringLiteral("tlPrint"), QStringLiteral("单据打印"),
                                        QStyle::SP_FileIcon);
        tlPrint->setEnabled(preview_ != nullptr);
        setCommonKey(*tlPrint, CommonKey::Print);
        connectGuarded(tlPrint, &QToolButton::clicked, this, [this] { tlPrintClick(); });
    }
    tlExit = listparts::toolButton(*bar, QStringLiteral("tlExit"), QStringLiteral("退出"),
                                   QStyle::SP_DialogCloseButton);
    bar->addStretch();

    const queryparts::FilterRow filter =
        queryparts::filterRow(*this, QStringLiteral("单据号："), QStringLiteral("txtOrderID"));
    dtbegin = filter.dtbegin;
    dtEnd = filter.dtEnd;
    txtOrderID = filter.key;
    btnFind = filter.btnFind;
    filter.layout->addStretch();

    dgOrder = listparts::listView(this, QStringLiteral("dgOrder"));
    dgOrderDetails = listparts::listView(this, QStringLiteral("dgOrderDetails"));

    queryparts::stackDocumentsOverLines(*this, {bar, filter.layout}, *dgOrder, *dgOrderDetails);

    connectGuarded(tlDel, &QToolButton::clicked, this, [this] { tlDelClick(); });
    connectGuarded(tlExit, &QToolButton::clicked, this, [this] { close(); });
    connectGuarded(btnFind, &QPushButton::clicked, this, [this] { LoadOrders(); });
}

void TfrmOrderQuery::AttachGrids() {
    if (attached_)
        return;
    attached_ = true;
    std::vector<SlotColumn> columns;
    for (const QueryColumn& c : kind_.columns)
        columns.push_back({c.field, c.title, c.money ? Draw::Fixed2 : Draw::Text,
                           c.field == u"orderID" ? 150 : 110});
    // Only the row the person selects is highlighted, and that row is the selected document.
    showSlot(*dgOrder, sysData->QueryOrder, std::move(columns), Highlight::PersonOnly);
    showSlot(*dgOrderDetails, sysData->QueryOrderDetails,
             queryparts::lineColumns(QStringLiteral("型号/规格"), Draw::Price, Draw::Fixed2),
             Highlight::PersonOnly);
    connectGuarded(dgOrder->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   [this] { dgOrderCellClick(); });
}

void TfrmOrderQuery::FormShow() {
    AttachGrids();
    queryparts::resetRange(*dtbegin, *dtEnd);
    LoadOrders();
}

void TfrmOrderQuery::LoadOrders() {
    TQuery& q = sysData->QueryOrder;
    q.load(kind_.listStatement(txtOrderID->text()));
    q.bind(u"optDate1", queryparts::dayOf(*dtbegin));
    q.bind(u"optDate2", queryparts::dayOf(*dtEnd));
    bindSearch(q, QStringLiteral("orderID"), txtOrderID->text());
    q.open();
    // A fresh list has no row selected, so no document is selected and no lines are shown.
    selected_ = {};
    LoadDetails();
}

void TfrmOrderQuery::LoadDetails() {
    TQuery& q = sysData->QueryOrderDetails;
    if (selected_.orderID.isEmpty()) {
        q.close();
        return;
    }
    q.load(kind_.lineStatement());
    q.bind(u"orderID", selected_.orderID);
    q.open();
}

// A row selected in the list, by click or by the arrow keys, selects its document.
void TfrmOrderQuery::dgOrderCellClick() {
    TQuery& q = sysData->QueryOrder;
    const QModelIndexList rows = dgOrder->selectionModel()->selectedRows();
    selected_ = {};
    if (!rows.isEmpty() && rows.first().row() < q.recordCount()) {
        q.setCurrentRow(rows.first().row());
        selected_.orderID = q.field(u"orderID").asText();
    }
    LoadDetails();
    if (!selected_.orderID.isEmpty())
        selected_ = listedDocument(kind_, q, sysData->QueryOrderDetails);
}

void TfrmOrderQuery::tlDelClick() {
    if (selected_.orderID.isEmpty()) {
        notice(QStringLiteral("请选择要作废的单据！"));
        return;
    }
    if (messages().cautiousQuestion(
            QStringLiteral("确定要作废单据：\"%1\" 吗？").arg(selected_.orderID), kInfoCaption) ==
        Messages::kCancel)
        return;
    QString transactionId;
    try {
        // A document gone from the book since it was clicked has nothing left to take back.
        switch (voidListed(kind_, selected_, &transactionId)) {
        case VoidResult::Voided:
            break;
        case VoidResult::Gone:
            notice(QStringLiteral("该单据已被其他用户作废，无需再作废！"));
            break;
        case VoidResult::Retyped:
            notice(retypedMessage(selected_.orderID));
            break;
        }
    } catch (const DbError& e) {
        if (!e.connectionLost())
            throw;
        // Voiding it twice is refused anyway; the person learns which it was.
        const documents::Found found = voidedAfterBreak(transactionId);
        if (const auto told = documents::tellAfterBreak(
                found, {QStringLiteral("与服务器的连接曾中断，单据已作废。"),
                        QStringLiteral("与服务器的连接已中断，单据未作废，请重新作废。"),
                        QStringLiteral("与服务器的连接已中断，无法确认单据是否已作废。"
                                       "请稍后刷新单据列表核对后再决定是否重新作废。")}))
            notice(told->trimmed());
        if (found == documents::Found::Unknown)
            return; // the book cannot be read: the list stays as it was
    }
    LoadOrders();
}

void TfrmOrderQuery::tlPrintClick() {
    if (selected_.orderID.isEmpty()) {
        notice(QStringLiteral("请选择要打印的单据！"));
        return;
    }
    // The lines shown are those of the selection (LoadDetails keeps them so), as long as the
    // code still names the document listed.
    if (stateOf(sysData->QueryCommon, kind_, selected_) == ListedState::Retyped) {
        notice(retypedMessage(selected_.orderID));
        LoadOrders();
        return;
    }
    const auto page = reprintPage(kind_, selected_.orderID, sysData->QueryOrderDetails);
    if (!page) {
        notice(QStringLiteral("单据\"%1\"已不在账中，无法打印！").arg(selected_.orderID));
        return;
    }
    preview_->showPage(*page);
}
