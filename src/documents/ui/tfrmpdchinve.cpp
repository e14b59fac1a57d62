#include "documents/ui/tfrmpdchinve.h"

#include "core/dberror.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "core/ui/titlesort.h"
#include "documents/ui/celltint.h"
#include "documents/ui/tfrmprodpd.h"
#include "masterdata/ui/listwindowparts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

constexpr int kDifferenceColumn = 7;

QLabel* labelFor(const QString& text, QWidget* box) {
    auto* label = new QLabel(text);
    label->setBuddy(box);
    return label;
}

} // namespace

TfrmPDChInve::TfrmPDChInve(TfrmProdPD& productCount, QWidget* parent)
    : TForm(parent), productCount_(productCount) {
    setObjectName("frmPDChInve");
    setWindowTitle(QStringLiteral("盘盈盘亏"));
    resize(900, 560);

    txtOrderID = new QLineEdit;
    txtOrderID->setObjectName("txtOrderID");
    txtOrderID->setReadOnly(true);
    txtOrderID->setStyleSheet("color: red");
    lblHouseName = new QLabel;
    lblHouseName->setObjectName("lblHouseName");
    lblDate = new QLabel;
    lblDate->setObjectName("lblDate");
    auto* infoGroup = new QGroupBox(QStringLiteral("单据信息"));
    auto* info = new QGridLayout(infoGroup);
    info->addWidget(labelFor(QStringLiteral("盘点单号："), txtOrderID), 0, 0);
    info->addWidget(txtOrderID, 0, 1);
    info->addWidget(labelFor(QStringLiteral("盘点仓库："), lblHouseName), 0, 2);
    info->addWidget(lblHouseName, 0, 3);
    info->addWidget(labelFor(QStringLiteral("盘点日期："), lblDate), 0, 4);
    info->addWidget(lblDate, 0, 5);
    info->setColumnStretch(1, 1);
    info->setColumnStretch(3, 1);
    info->setColumnStretch(5, 1);

    dgData = new QTableView;
    dgData->setObjectName("dgData");
    showSlot(*dgData, sysData->QueryP2,
             {{"prodID", "prodID"},
              {"prodBH", "商品编号", Draw::Text, 120},
              {"prodName", "商品名称", Draw::Text, 200},
              {"type", "规格/型号", Draw::Text, 110},
              {"unitName", "单位", Draw::Text, 60},
              {"pcount", "库存量", Draw::Number, 90},
              {"pdcount", "盘点数", Draw::Number, 90},
              {"pv", "差数", Draw::Number, 90}});
    dgData->setColumnHidden(0, true);
    dgData->setAlternatingRowColors(true);
    dgData->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    dgData->setItemDelegateForColumn(kDifferenceColumn,
                                     new CellTint(Qt::red, &CellTint::nonZero, dgData));
    sortByTitleClicks(*dgData);

    btnModify = new QPushButton(QStringLiteral("修正库存(&M)"));
    btnModify->setObjectName("btnModify");
    btnClose = new QPushButton(QStringLiteral("关闭(&C)"));
    btnClose->setObjectName("btnClose");
    // The correction cannot be undone: Enter never presses it.
    btnModify->setAutoDefault(false);
    btnClose->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnModify);
    buttons->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(infoGroup);
    layout->addWidget(dgData, 1);
    layout->addLayout(buttons);

    listparts::actOnRow(*dgData, [this] { dgDataDblClick(); });
    connectGuarded(btnModify, &QPushButton::clicked, this, [this] { btnModifyClick(); });
    connectGuarded(btnClose, &QPushButton::clicked, this, [this] { close(); });
}

void TfrmPDChInve::FormShow() {
    txtOrderID->setText(count_.orderID);
    lblHouseName->setText(count_.houseName);
    lblDate->setText(count_.optDate);
    LoadLines();
}

void TfrmPDChInve::LoadLines() {
    stockcount::loadDifferences(sysData->QueryP2, count_.orderID);
}

void TfrmPDChInve::dgDataDblClick() {
    TQuery& lines = sysData->QueryP2;
    if (lines.recordCount() <= 0 || lines.eof())
        return;
    const auto text = [&lines](const char16_t* field) { return lines.field(field).asText(); };
    const CountedProduct product{
        text(u"prodID"),   text(u"prodBH"), text(u"prodName"), text(u"type"),
        text(u"unitName"), text(u"pcount"), text(u"pdcount"),  true};
    // Reloaded saved or not: a line found changed meanwhile is shown as it is now.
    productCount_.countProduct(count_.orderID, product);
    LoadLines();
}

void TfrmPDChInve::btnModifyClick() {
    if (messages().question(QStringLiteral("确定要修正库存吗？修正后将无法还原！"),
                            QStringLiteral("提示")) != Messages::kOk)
        return;
    if (sysData->QueryP2.recordCount() <= 0)
        return;
    stockcount::CorrectionResult result;
    QString brokeNotice;
    try {
        result = stockcount::correctStock(count_.orderID, count_.houseID, count_.optDate,
                                          stockcount::shownLines(sysData->QueryP2));
    } catch (const DbError& e) {
        if (!e.connectionLost())
            throw;
        // Pressed again after a correction that got through, it would say nothing was moved.
        const auto told = documents::tellAfterBreak(
            stockcount::correctedAfterBreak(count_.orderID),
            {QStringLiteral("与服务器的连接曾中断，库存已修正。"),
             QStringLiteral("与服务器的连接已中断，库存未修正，请重新修正。"),
             QStringLiteral("与服务器的连接已中断，无法确认库存是否已修正。"
                            "请在报损报溢单据查询中核对后再决定是否重新修正。")});
        if (!told)
            return;
        result = stockcount::CorrectionResult::Corrected;
        brokeNotice = *told;
    }
    switch (result) {
    case stockcount::CorrectionResult::Corrected:
        messages().notice(brokeNotice + QStringLiteral("修正库存完成!"), QStringLiteral("提示"));
        close();
        break;
    case stockcount::CorrectionResult::Gone:
        notice(QStringLiteral("该盘点单已修正或已删除，库存未作改动！"));
        close();
        break;
    case stockcount::CorrectionResult::Changed:
        notice(QStringLiteral("该盘点单已被其他用户修改，库存未作改动，请核对后重新修正！"));
        LoadLines();
        break;
    case stockcount::CorrectionResult::NoLines:
        break;
    }
}
