#include "accounts/ui/tfrmitm.h"

#include "accounts/cashbook.h"
#include "accounts/ui/moneydelegate.h"
#include "accounts/ui/tfrmitmdialog.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "core/ui/titlesort.h"
#include "masterdata/ui/listwindowparts.h"

#include <QHBoxLayout>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TfrmItm::TfrmItm(QWidget* parent)
    : TForm(parent), frmItmAdd(new TfrmItmAdd(this)), frmItmEdit(new TfrmItmEdit(this)) {
    setObjectName(QStringLiteral("frmItm"));
    setWindowTitle(QStringLiteral("科目管理"));
    resize(620, 420);

    auto* bar = new QHBoxLayout;
    const listparts::EditButtons edits = listparts::editButtons(*bar, QStringLiteral("编辑"));
    tlAdd = edits.add;
    tlEdit = edits.edit;
    tlDel = edits.del;
    QToolButton* tlRefresh = listparts::refreshButton(*bar);
    tlClose = listparts::toolButton(*bar, QStringLiteral("tlClose"), QStringLiteral("关闭"),
                                    QStyle::SP_DialogCloseButton);
    bar->addStretch();
    SetButtons(false);

    dgitm = listparts::listView(this, QStringLiteral("dgitm"));
    showSlot(*dgitm, sysData->QueryRe,
             {{"itmName", "科目名称", Draw::Text, 180},
              {"je", "金额", Draw::Money, 130},
              {"remark", "备注"}});
    drawMoney(*dgitm, 1);
    sortByTitleClicks(*dgitm);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(dgitm);

    connectGuarded(tlAdd, &QToolButton::clicked, this, [this](bool) { tlAddClick(); });
    connectGuarded(tlEdit, &QToolButton::clicked, this, [this](bool) { tlEditClick(); });
    connectGuarded(tlDel, &QToolButton::clicked, this, [this](bool) { tlDelClick(); });
    connectGuarded(tlRefresh, &QToolButton::clicked, this, [this](bool) { LoadItem(); });
    connectGuarded(tlClose, &QToolButton::clicked, this, [this](bool) { close(); });
    connectGuarded(dgitm, &QTableView::clicked, this,
                   [this](const QModelIndex&) { dgitmCellClick(); });
    listparts::clickOnKeys(*dgitm, [this] { dgitmCellClick(); });
}

void TfrmItm::FormShow() {
    LoadItem();
}

void TfrmItm::LoadItem() {
    SetButtons(false); // until a row is clicked again: the reloaded list starts at the cash account
    TQuery& q = sysData->QueryRe;
    // An account without journal rows has no sum; it shows as ￥0.00.
    q.load(QStringLiteral("SELECT itmID,itmName,remark,IFNULL(je,0) AS je FROM VitemBank"));
    q.open();
}

bool TfrmItm::HasRows() const {
    return sysData->QueryRe.recordCount() > 0;
}

void TfrmItm::SetButtons(bool enabled) {
    tlEdit->setEnabled(enabled);
    tlDel->setEnabled(enabled);
}

void TfrmItm::dgitmCellClick() {
    if (HasRows())
        SetButtons(sysData->QueryRe.field(u"itmID").asText() != accounts::kCashAccount);
}

void TfrmItm::tlAddClick() {
    frmItmAdd->showModal();
    if (frmItmAdd->saved())
        LoadItem();
}

void TfrmItm::tlEditClick() {
    if (!HasRows())
        return;
    const TQuery& q = sysData->QueryRe;
    const QString itmID = q.field(u"itmID").asText();
    if (itmID == accounts::kCashAccount) {
        notice(accounts::accountMessage(QStringLiteral("现金"),
                                        QStringLiteral("为系统默认科目，请勿修改！")));
        return;
    }
    frmItmEdit->setAccount(itmID, q.field(u"itmName").asText(), q.field(u"remark").asText());
    frmItmEdit->showModal();
    if (frmItmEdit->saved() || frmItmEdit->stale())
        LoadItem();
}

void TfrmItm::tlDelClick() {
    if (!HasRows())
        return;
    const TQuery& q = sysData->QueryRe;
    // Reloaded whatever came of it: a refusal may be another counter's change.
    accounts::deleteAccount(q.field(u"itmID").asText(), q.field(u"itmName").asText());
    LoadItem();
}
