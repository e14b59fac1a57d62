#include "documents/ui/tfrmproductpd.h"

#include "core/messages.h"
#include "core/session.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "core/ui/titlesort.h"
#include "documents/stockcount.h"
#include "documents/ui/tfrmpdadd.h"
#include "documents/ui/tfrmpdchinve.h"
#include "documents/ui/tfrmpdedit.h"
#include "masterdata/ui/listwindowparts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The count of the list's current row, as the other windows take it.
stockcount::OpenCount currentCount() {
    const TQuery& q = sysData->QueryPD;
    const auto text = [&q](const char16_t* field) { return q.field(field).asText(); };
    return {text(u"orderID"),  text(u"houseID"), text(u"houseName"),
            text(u"userName"), text(u"optDate"), text(u"remark")};
}

bool listEmpty() {
    const TQuery& q = sysData->QueryPD;
    return q.recordCount() <= 0 || q.eof();
}

} // namespace

TfrmProductPD::TfrmProductPD(TfrmPDAdd& add, TfrmPDEdit& edit, TfrmPDChInve& differences,
                             QWidget* parent)
    : TForm(parent), add_(add), edit_(edit), differences_(differences) {
    setObjectName("frmProductPD");
    setWindowTitle(QStringLiteral("库存盘点"));
    resize(1000, 640);

    auto* bar = new QHBoxLayout;
    tlAdd = listparts::toolButton(*bar, "tlAdd", QStringLiteral("新增盘点单"),
                                  QStyle::SP_FileDialogNewFolder);
    tlEdit = listparts::toolButton(*bar, "tlEdit", QStringLiteral("修改盘点单"),
                                   QStyle::SP_FileDialogDetailedView);
    tlDel =
        listparts::toolButton(*bar, "tlDel", QStringLiteral("删除盘点单"), QStyle::SP_TrashIcon);
    auto* separator = new QFrame;
    separator->setFrameShape(QFrame::VLine);
    separator->setFrameShadow(QFrame::Sunken);
    bar->addWidget(separator);
    tlStart = listparts::toolButton(*bar, "tlStart", QStringLiteral("开始盘点"),
                                    QStyle::SP_DialogApplyButton);
    QToolButton* tlRefresh = listparts::refreshButton(*bar);
    tlExit =
        listparts::toolButton(*bar, "tlExit", QStringLiteral("退出"), QStyle::SP_DialogCloseButton);
    bar->addStretch(1);

    dgPD = listparts::listView(this, "dgPD");
    showSlot(*dgPD, sysData->QueryPD,
             {{"orderID", "单据号", Draw::Text, 150},
              {"houseName", "仓库", Draw::Text, 140},
              {"remark", "备注", Draw::Text, 260},
              {"userName", "操作人", Draw::Text, 100},
              {"optDate", "操作日期", Draw::Text, 100}});
    sortByTitleClicks(*dgPD);

    dgPDMX = listparts::listView(this, "dgPDMX");
    showSlot(*dgPDMX, sysData->QueryPDMX,
             {{"prodID", "prodID"},
              {"cateName", "类别", Draw::Text, 100},
              {"prodBH", "商品编号", Draw::Text, 110},
              {"prodName", "商品名称", Draw::Text, 170},
              {"unitName", "单位", Draw::Text, 50},
              {"type", "规格/型号", Draw::Text, 100},
              {"company", "生产厂家", Draw::Text, 130},
              {"pcount", "库存数量", Draw::Number, 80},
              {"pdcount", "盘点数量", Draw::Number, 80}});
    dgPDMX->setColumnHidden(0, true);
    dgPDMX->horizontalHeader()->setStretchLastSection(false);
    dgPDMX->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    sortByTitleClicks(*dgPDMX);
    auto* lblLines = new QLabel(QStringLiteral("盘点商品明细："));
    lblLines->setBuddy(dgPDMX);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(dgPD, 1);
    layout->addWidget(lblLines);
    layout->addWidget(dgPDMX, 1);

    connectGuarded(dgPD, &QTableView::clicked, this, [this] { dgPDClick(); });
    listparts::clickOnKeys(*dgPD, [this] { dgPDClick(); });
    listparts::actOnRow(*dgPD, [this] { tlEditClick(); });
    connectGuarded(tlAdd, &QToolButton::clicked, this, [this] { tlAddClick(); });
    connectGuarded(tlEdit, &QToolButton::clicked, this, [this] { tlEditClick(); });
    connectGuarded(tlDel, &QToolButton::clicked, this, [this] { tlDelClick(); });
    connectGuarded(tlStart, &QToolButton::clicked, this, [this] { tlStartClick(); });
    connectGuarded(tlRefresh, &QToolButton::clicked, this, [this] { LoadCounts(); });
    connectGuarded(tlExit, &QToolButton::clicked, this, [this] { close(); });
}

void TfrmProductPD::FormShow() {
    LoadCounts();
}

// The count whose lines are shown stays the chosen one, its lines read again (修改盘点 changes
// them): the list reloaded made its first count current under the lines of another, and
// 删除盘点单 then deleted that first count. One gone meanwhile leaves no lines behind.
void TfrmProductPD::LoadCounts() {
    TQuery& counts = sysData->QueryPD;
    const QString chosen =
        sysData->QueryPDMX.isOpen() && !listEmpty() ? counts.field(u"orderID").asText() : QString();
    stockcount::loadCounts(counts);
    if (!counts.locate(u"orderID", chosen)) {
        sysData->QueryPDMX.close();
        return;
    }
    stockcount::loadCountDetails(sysData->QueryPDMX, chosen);
}

void TfrmProductPD::dgPDClick() {
    if (listEmpty())
        return;
    stockcount::loadCountDetails(sysData->QueryPDMX, sysData->QueryPD.field(u"orderID").asText());
}

void TfrmProductPD::tlAddClick() {
    add_.setUserName(session::userName());
    add_.showModal();
    LoadCounts();
}

void TfrmProductPD::tlEditClick() {
    if (listEmpty()) {
        notice(QStringLiteral("请选择要修改的盘点单！"));
        return;
    }
    edit_.setCount(currentCount());
    edit_.showModal();
    LoadCounts();
}

void TfrmProductPD::tlDelClick() {
    if (listEmpty()) {
        notice(QStringLiteral("请选择要删除的盘点单！"));
        return;
    }
    if (messages().question(QStringLiteral("确定要删除选择的盘点单吗？"), QStringLiteral("提示")) !=
        Messages::kOk)
        return;
    const std::optional<bool> deleted =
        stockcount::deleteCount(sysData->QueryPD.field(u"orderID").asText());
    if (deleted == false)
        notice(QStringLiteral("该盘点单已被其他用户修正或删除！"));
    LoadCounts();
}

void TfrmProductPD::tlStartClick() {
    if (listEmpty()) {
        notice(QStringLiteral("请选择盘点单！"));
        return;
    }
    differences_.setCount(currentCount());
    differences_.showModal();
    LoadCounts();
    sysData->QueryPDMX.close();
}
