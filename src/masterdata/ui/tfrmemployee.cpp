#include "masterdata/ui/tfrmemployee.h"

#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "core/ui/titlesort.h"
#include "masterdata/masterdeletes.h"
#include "masterdata/ui/listwindowparts.h"
#include "masterdata/ui/tfrmempdialog.h"

#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TfrmEmployee::TfrmEmployee(QWidget* parent)
    : TForm(parent), frmEmpAdd(new TfrmEmpAdd(this)), frmEmpEdit(new TfrmEmpEdit(this)) {
    setObjectName(QStringLiteral("frmEmployee"));
    setWindowTitle(QStringLiteral("员工管理"));
    resize(880, 480);

    auto* bar = new QHBoxLayout;
    const listparts::EditButtons edits = listparts::editButtons(*bar);
    tlAdd = edits.add;
    tlEdit = edits.edit;
    tlDel = edits.del;
    QToolButton* tlRefresh = listparts::refreshButton(*bar);
    bar->addStretch();

    dgEmp = listparts::listView(this, QStringLiteral("dgEmp"));
    showSlot(*dgEmp, sysData->QueryEmployee,
             {{"empName", "姓名", Draw::Text, 100},
              {"sex", "性别", Draw::Text, 50},
              {"birth", "出生日期", Draw::Text, 100},
              {"phone", "联系电话", Draw::Text, 120},
              {"address", "联系地址", Draw::Text, 200},
              {"rewdis", "提成(%)", Draw::Number, 70},
              {"remark", "备注"}});
    sortByTitleClicks(*dgEmp);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(dgEmp);

    connectGuarded(tlAdd, &QToolButton::clicked, this, [this](bool) { tlAddClick(); });
    connectGuarded(tlEdit, &QToolButton::clicked, this, [this](bool) { tlEditClick(); });
    connectGuarded(tlDel, &QToolButton::clicked, this, [this](bool) { tlDelClick(); });
    connectGuarded(tlRefresh, &QToolButton::clicked, this, [this](bool) { LoadEmp(); });
    listparts::actOnRow(*dgEmp, [this] { tlEditClick(); });
}

void TfrmEmployee::FormShow() {
    LoadEmp();
}

void TfrmEmployee::LoadEmp() {
    TQuery& q = sysData->QueryEmployee;
    q.load(QStringLiteral(
        "SELECT empID,empName,sex,birth,phone,address,rewdis,remark FROM Femployee"));
    q.open();
}

bool TfrmEmployee::HasRows() const {
    return sysData->QueryEmployee.isOpen() && sysData->QueryEmployee.recordCount() > 0;
}

void TfrmEmployee::tlAddClick() {
    frmEmpAdd->showModal();
    if (frmEmpAdd->saved())
        LoadEmp();
}

void TfrmEmployee::tlEditClick() {
    if (!HasRows()) {
        notice(QStringLiteral("请选择要修改的员工！"));
        return;
    }
    const TQuery& list = sysData->QueryEmployee;
    frmEmpEdit->setRow(list.field(u"empID").asText(), list);
    frmEmpEdit->showModal();
    if (frmEmpEdit->saved() || frmEmpEdit->stale())
        LoadEmp();
}

void TfrmEmployee::tlDelClick() {
    if (!HasRows()) {
        notice(QStringLiteral("请选择要删除的员工！"));
        return;
    }
    const TQuery& list = sysData->QueryEmployee;
    const QString empID = list.field(u"empID").asText();
    if (!confirmed(
            QStringLiteral("确定要删除员工：\"%1\"吗？").arg(list.field(u"empName").asText())))
        return;
    const std::optional<int> deleted = masterdeletes::employee(empID);
    if (!deleted)
        LoadEmp(); // removed by another counter meanwhile
    else if (*deleted > 0) {
        LoadEmp();
        notice(QStringLiteral("删除成功！"));
    }
}
