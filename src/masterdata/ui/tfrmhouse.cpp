#include "masterdata/ui/tfrmhouse.h"

#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "core/ui/titlesort.h"
#include "masterdata/masterdeletes.h"
#include "masterdata/masterrows.h"
#include "masterdata/ui/listwindowparts.h"
#include "masterdata/ui/tfrmhousedialog.h"

#include <QItemSelectionModel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kHouseColumns = QStringLiteral("houseID,houseName,resperson,phone,address,remark");

} // namespace

TfrmHouse::TfrmHouse(QWidget* parent)
    : TForm(parent), frmHouseAdd(new TfrmHouseAdd(this)), frmHouseEdit(new TfrmHouseEdit(this)) {
    setObjectName(QStringLiteral("frmHouse"));
    setWindowTitle(QStringLiteral("仓库管理"));
    resize(820, 480);

    auto* bar = new QHBoxLayout;
    const listparts::EditButtons edits = listparts::editButtons(*bar);
    tlAdd = edits.add;
    tlEdit = edits.edit;
    tlDel = edits.del;
    QToolButton* tlRefresh = listparts::refreshButton(*bar);
    bar->addStretch();

    dgHouse = listparts::listView(this, QStringLiteral("dgHouse"));
    showSlot(*dgHouse, sysData->QueryHouse,
             {{"houseName", "仓库名称", Draw::Text, 150},
              {"address", "仓库地址", Draw::Text, 200},
              {"resperson", "负责人", Draw::Text, 90},
              {"phone", "联系电话", Draw::Text, 120},
              {"remark", "备注"}},
             Highlight::PersonOnly);
    sortByTitleClicks(*dgHouse);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(dgHouse);

    connectGuarded(tlAdd, &QToolButton::clicked, this, [this](bool) { tlAddClick(); });
    connectGuarded(tlEdit, &QToolButton::clicked, this, [this](bool) { tlEditClick(); });
    connectGuarded(tlDel, &QToolButton::clicked, this, [this](bool) { tlDelClick(); });
    connectGuarded(tlRefresh, &QToolButton::clicked, this, [this](bool) { LoadHouse(); });
    // The highlighted row is the selected warehouse, reached by click or by the arrow keys.
    connectGuarded(dgHouse->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   [this] { dgHouseCellClick(); });
    listparts::actOnRow(*dgHouse, [this] { tlEditClick(); });
    // A reload or a sort reorders the rows: keep the highlight on the selected warehouse.
    connectGuarded(&sysData->QueryHouse, &TQuery::resultReset, this, [this] { ShowSelected(); });
}

void TfrmHouse::FormShow() {
    LoadHouse();
}

void TfrmHouse::LoadHouse() {
    TQuery& q = sysData->QueryHouse;
    q.load(QStringLiteral("SELECT %1 FROM Fhouse").arg(kHouseColumns));
    q.open();
}

void TfrmHouse::ShowSelected() {
    // The slot also feeds other windows' warehouse lists; only this window's own rows count.
    const TQuery& q = sysData->QueryHouse;
    if (!isVisible() || !q.isOpen())
        return;
    const int row = q.rowOf(u"houseID", selectedHouseID_);
    if (row < 0) {
        dgHouse->clearSelection();
        return;
    }
    sysData->QueryHouse.setCurrentRow(row);
    dgHouse->selectRow(row);
}

void TfrmHouse::dgHouseCellClick() {
    TQuery& q = sysData->QueryHouse;
    const QModelIndexList rows = dgHouse->selectionModel()->selectedRows();
    if (rows.isEmpty() || rows.first().row() >= q.recordCount()) {
        selectedHouseID_.clear();
        return;
    }
    q.setCurrentRow(rows.first().row());
    selectedHouseID_ = q.field(u"houseID").asText();
}

bool TfrmHouse::LoadSelected() {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT %1 FROM Fhouse WHERE houseID=:houseID").arg(kHouseColumns));
    q.bind(u"houseID", selectedHouseID_);
    q.open();
    if (q.eof()) {
        // Gone from the book since it was clicked, by another counter: the person is told,
        // and the list shows the book as it now is, with nothing selected.
        q.close();
        selectedHouseID_.clear();
        notice(masterrows::kRemovedText);
        LoadHouse();
        return false;
    }
    return true;
}

void TfrmHouse::tlAddClick() {
    frmHouseAdd->showModal();
    LoadHouse();
}

void TfrmHouse::tlEditClick() {
    if (selectedHouseID_.isEmpty()) {
        notice(QStringLiteral("请选择要修改的仓库！"));
        return;
    }
    if (!LoadSelected())
        return;
    frmHouseEdit->setRow(selectedHouseID_, sysData->QueryCommon);
    sysData->QueryCommon.close();
    frmHouseEdit->showModal();
    if (frmHouseEdit->saved() || frmHouseEdit->stale())
        LoadHouse();
}

void TfrmHouse::tlDelClick() {
    if (selectedHouseID_.isEmpty()) {
        notice(QStringLiteral("请选择要删除的仓库！"));
        return;
    }
    if (!LoadSelected())
        return;
    TQuery& q = sysData->QueryCommon;
    const QString name = q.field(u"houseName").asText();
    q.close();

    if (masterdeletes::houseHoldsStock(selectedHouseID_)) {
        notice(masterdeletes::kHouseHoldsStock);
        return;
    }
    if (!confirmed(QStringLiteral("确定要删除仓库\"%1\"吗？").arg(name)))
        return;
    const std::optional<int> deleted = masterdeletes::house(selectedHouseID_);
    if (!deleted) {
        // Another counter removed it or moved stock into it meanwhile: show the book as it is.
        LoadHouse();
        return;
    }
    if (*deleted > 0) {
        notice(QStringLiteral("删除成功！"));
        selectedHouseID_.clear();
        LoadHouse();
    }
}
