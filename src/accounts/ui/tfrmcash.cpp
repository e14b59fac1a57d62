#include "accounts/ui/tfrmcash.h"

#include "accounts/ui/moneydelegate.h"
#include "accounts/ui/tfrminadd.h"
#include "accounts/ui/tfrmitm.h"
#include "core/clock.h"
#include "core/dates.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/commonkeys.h"
#include "core/ui/datebox.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "core/ui/titlesort.h"
#include "masterdata/ui/listwindowparts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TfrmCash::TfrmCash(QWidget* parent)
    : TForm(parent), frmInAdd(new TfrmInAdd(this)), frmItm(new TfrmItm(this)) {
    setObjectName(QStringLiteral("frmCash"));
    setWindowTitle(QStringLiteral("现金银行"));
    resize(980, 640);

    auto* bar = new QHBoxLayout;
    tlAdd = listparts::toolButton(*bar, QStringLiteral("tlAdd"), QStringLiteral("进款"),
                                  QStyle::SP_ArrowDown);
    tlEdit = listparts::toolButton(*bar, QStringLiteral("tlEdit"), QStringLiteral("出款"),
                                   QStyle::SP_ArrowUp);
    tlDel = listparts::toolButton(*bar, QStringLiteral("tlDel"), QStringLiteral("科目管理"),
                                  QStyle::SP_FileDialogDetailedView);
    tlClose = listparts::toolButton(*bar, QStringLiteral("tlClose"), QStringLiteral("关闭"),
                                    QStyle::SP_DialogCloseButton);
    bar->addStretch();

    dgitm = listparts::listView(this, QStringLiteral("dgitm"));
    showSlot(*dgitm, sysData->QueryBankItm,
             {{"itmName", "科目名称", Draw::Text, 200},
              {"je", "累计金额", Draw::Money, 140},
              {"remark", "备注"}});
    drawMoney(*dgitm, 1);
    sortByTitleClicks(*dgitm);
    dgitm->setMaximumHeight(200);

    dgBank = listparts::listView(this, QStringLiteral("dgBank"));
    showSlot(*dgBank, sysData->QueryBank,
             {{"optDate", "操作日期", Draw::Text, 100},
              {"orderCode", "单据号", Draw::Text, 150},
              {"orderType", "单据类型", Draw::Text, 90},
              {"sumMoney", "金额", Draw::Money, 110},
              {"empName", "经办人", Draw::Text, 80},
              {"compName", "往来单位", Draw::Text, 160},
              {"remark", "备注"}});
    drawMoney(*dgBank, 3);
    sortByTitleClicks(*dgBank);

    auto* lblDetails = new QLabel(QStringLiteral("现金明细"));
    lblDetails->setBuddy(dgBank);
    dtbegin = new DateBox(QStringLiteral("dtbegin"));
    dtEnd = new DateBox(QStringLiteral("dtEnd"));
    auto* lblDate = new QLabel(QStringLiteral("查询日期："));
    lblDate->setBuddy(dtbegin);
    auto* lblTo = new QLabel(QStringLiteral("~"));
    lblTo->setBuddy(dtEnd);
    Button1 = new QPushButton(QStringLiteral("查询(&F)"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    setCommonKey(*Button1, CommonKey::Search);
    auto* range = new QHBoxLayout;
    range->addWidget(lblDetails);
    range->addSpacing(24);
    range->addWidget(lblDate);
    range->addWidget(dtbegin);
    range->addWidget(lblTo);
    range->addWidget(dtEnd);
    range->addWidget(Button1);
    range->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(dgitm);
    layout->addLayout(range);
    layout->addWidget(dgBank, 1);
    // Tab as the window reads: the accounts, the range of their journal, then the journal.
    setTabOrder(dgitm, dtbegin);
    setTabOrder(dtbegin, dtEnd);
    setTabOrder(dtEnd, Button1);
    setTabOrder(Button1, dgBank);

    connectGuarded(tlAdd, &QToolButton::clicked, this,
                   [this](bool) { AddEntry(QStringLiteral("1")); });
    connectGuarded(tlEdit, &QToolButton::clicked, this,
                   [this](bool) { AddEntry(QStringLiteral("2")); });
    connectGuarded(tlDel, &QToolButton::clicked, this, [this](bool) { tlDelClick(); });
    connectGuarded(tlClose, &QToolButton::clicked, this, [this](bool) { close(); });
    connectGuarded(Button1, &QPushButton::clicked, this, [this](bool) { LoadDetails(); });
    connectGuarded(dgitm, &QTableView::clicked, this,
                   [this](const QModelIndex&) { dgitmCellClick(); });
    listparts::clickOnKeys(*dgitm, [this] { dgitmCellClick(); });
}

void TfrmCash::FormShow() {
    const QDate today = environment::now().date();
    dtbegin->setDate(dates::monthBack(today));
    dtEnd->setDate(today);
    LoadItem();
}

void TfrmCash::LoadItem() {
    TQuery& q = sysData->QueryBankItm;
    // An account without journal rows has no sum; it shows as ￥0.00.
    q.load(QStringLiteral("SELECT itmID,itmName,remark,IFNULL(je,0) AS je FROM VitemBank"));
    q.open();
    // The selected account stays selected; one deleted meanwhile is no longer selected.
    if (q.locate(u"itmID", itmID_))
        return;
    itmID_.clear();
    q.first();
}

void TfrmCash::dgitmCellClick() {
    const TQuery& q = sysData->QueryBankItm;
    if (q.recordCount() <= 0)
        return;
    itmID_ = q.field(u"itmID").asText();
    LoadDetails();
}

void TfrmCash::LoadDetails() {
    if (itmID_.isEmpty()) {
        notice(QStringLiteral("请先选择现金银行科目！"));
        return;
    }
    TQuery& q = sysData->QueryBank;
    q.load(QStringLiteral("SELECT optDate,orderCode,orderType,sumMoney,empName,compName,remark "
                          "FROM FitemBank WHERE itmID=:itmID AND optDate>=:optDate1 AND "
                          "optDate<=:optDate2"));
    q.bind(u"itmID", itmID_);
    q.bind(u"optDate1", dates::text(dtbegin->date()));
    q.bind(u"optDate2", dates::text(dtEnd->date()));
    q.open();
}

void TfrmCash::AddEntry(const QString& mode) {
    frmInAdd->setMode(mode);
    frmInAdd->showModal();
    if (!frmInAdd->written())
        return;
    LoadItem();
    LoadDetails();
}

void TfrmCash::tlDelClick() {
    frmItm->showModal();
    LoadItem();
}
