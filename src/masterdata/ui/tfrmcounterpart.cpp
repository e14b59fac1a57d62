#include "masterdata/ui/tfrmcounterpart.h"

#include "core/messages.h"
#include "core/numbers.h"
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/ui/commonkeys.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "core/ui/titlesort.h"
#include "masterdata/counterpartkind.h"
#include "masterdata/masterdeletes.h"
#include "masterdata/masterimport.h"
#include "masterdata/ui/listexporter.h"
#include "masterdata/ui/listwindowparts.h"
#include "masterdata/ui/pickerkeys.h"
#include "masterdata/ui/tfrmcounterpartdialog.h"
#include "masterdata/ui/tfrmimport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TfrmCounterpart::TfrmCounterpart(const CounterpartKind& kind, MasterDialog* addDialog,
                                 MasterDialog* editDialog, QWidget* parent)
    : TForm(parent), kind_(kind), frmAdd(addDialog), frmEdit(editDialog),
      frmImport(new TfrmImport(this)) {
    frmAdd->setParent(this, frmAdd->windowFlags());
    frmEdit->setParent(this, frmEdit->windowFlags());
    setWindowTitle(kind_.listCaption);
    resize(960, 520);

    auto* bar = new QHBoxLayout;
    const listparts::EditButtons edits = listparts::editButtons(*bar);
    tlAdd = edits.add;
    tlEdit = edits.edit;
    tlDel = edits.del;
    tlExcel = listparts::toolButton(*bar, QStringLiteral("tlExcel"), QStringLiteral("导出Excel "),
                                    QStyle::SP_DialogSaveButton);
    tlImport = listparts::toolButton(*bar, QStringLiteral("tlImport"), QStringLiteral("导入Excel"),
                                     QStyle::SP_DialogOpenButton);
    bar->addStretch();

    auto* search = new QHBoxLayout;
    txtKey = new QLineEdit;
    txtKey->setObjectName(QStringLiteral("txtKey"));
    txtKey->setMaxLength(kMaxSearchKeyLength);
    txtKey->setMaximumWidth(260);
    auto* lblKey = new QLabel(kind_.searchLabel());
    lblKey->setBuddy(txtKey);
    Button1 = new QPushButton(QStringLiteral("查询(&Q)"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true); // Enter searches
    setCommonKey(*txtKey, CommonKey::FindBox);
    setCommonKey(*Button1, CommonKey::Search);
    search->addWidget(lblKey);
    search->addWidget(txtKey);
    search->addWidget(Button1);
    search->addStretch();

    dgData = listparts::listView(this, QStringLiteral("dgData"));
    showSlot(*dgData, kind_.list(),
             {{"compName", kind_.nameTitle(), Draw::Text, 160},
              {"conperson", "联系人", Draw::Text, 80},
              {"phone", "联系电话", Draw::Text, 110},
              {"address", "联系地址", Draw::Text, 180},
              {"bankName", "开户银行", Draw::Text, 120},
              {"bankCard", "银行卡号", Draw::Text, 160},
              {"remark", "备注"}});
    sortByTitleClicks(*dgData);

    StatusBar1 = new QStatusBar;
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addLayout(search);
    layout->addWidget(dgData);
    layout->addWidget(StatusBar1);

    connectGuarded(tlAdd, &QToolButton::clicked, this, [this](bool) { tlAddClick(); });
    connectGuarded(tlEdit, &QToolButton::clicked, this, [this](bool) { tlEditClick(); });
    connectGuarded(tlDel, &QToolButton::clicked, this, [this](bool) { tlDelClick(); });
    connectGuarded(tlExcel, &QToolButton::clicked, this, [this](bool) { tlExcelClick(); });
    connectGuarded(tlImport, &QToolButton::clicked, this, [this](bool) { tlImportClick(); });
    connectGuarded(Button1, &QPushButton::clicked, this, [this](bool) { Button1Click(); });
    listparts::actOnRow(*dgData, [this] { tlEditClick(); });
    // A name typed with the list focused is searched for.
    typeIntoSearchBox(*dgData, *txtKey);
}

void TfrmCounterpart::FormShow() {
    // Opening runs no search: the list shows what its slot last held. The customer slot is
    // shared with the counterpart picker, which may have left other rows in it (even
    // suppliers); acting on those would edit or delete the wrong row, so they are replaced.
    TQuery& list = kind_.list();
    if (list.isOpen() && list.sql() != kind_.listStatement())
        LoadCounterparts();
    txtKey->setFocus();
}

void TfrmCounterpart::LoadCounterparts() {
    TQuery& list = kind_.list();
    list.load(kind_.listStatement());
    list.bind(u"compName", likePattern(txtKey->text()));
    list.open();
    StatusBar1->showMessage(kind_.countText(list.recordCount()));
}

bool TfrmCounterpart::HasRows() const {
    return kind_.list().isOpen() && kind_.list().recordCount() > 0;
}

void TfrmCounterpart::tlAddClick() {
    frmAdd->showModal();
    if (frmAdd->saved())
        LoadCounterparts();
}

void TfrmCounterpart::tlEditClick() {
    if (!HasRows()) {
        notice(kind_.nothingToEditText());
        return;
    }
    const TQuery& list = kind_.list();
    if (list.field(u"compName").asText() == kind_.casualName) {
        notice(kind_.casualOnEditText());
        return;
    }
    frmEdit->setRow(list.field(u"compID").asText(), list);
    frmEdit->showModal();
    if (frmEdit->saved() || frmEdit->stale())
        LoadCounterparts();
}

void TfrmCounterpart::tlDelClick() {
    if (!HasRows()) {
        notice(kind_.nothingToDeleteText());
        return;
    }
    const TQuery& list = kind_.list();
    const QString compID = list.field(u"compID").asText();
    const QString name = list.field(u"compName").asText();
    if (name == kind_.casualName) {
        notice(kind_.casualOnDeleteText());
        return;
    }
    // The balance as it stands now: documents may have moved it since the list was loaded.
    TQuery& q = sysData->QueryCommon;
    q.load(kind_.balanceStatement());
    q.bind(u"compID", compID);
    q.open();
    const double balance = q.field(u"exchMoney").asFloat();
    q.close();
    if (!numbers::isZeroToTheCent(balance)) {
        notice(kind_.openBalanceText(name));
        return;
    }
    if (!confirmed(kind_.confirmDeleteText(name)))
        return;
    const std::optional<int> deleted = masterdeletes::counterpart(kind_, compID);
    if (!deleted)
        LoadCounterparts(); // another counter changed or removed it meanwhile
    else if (*deleted > 0) {
        LoadCounterparts();
        notice(kind_.deletedText());
    }
}

void TfrmCounterpart::tlExcelClick() {
    // Before the first search the window shows no list; the slot may then hold nothing or
    // another window's rows, and only the headings are exported.
    TQuery& list = kind_.list();
    const bool shown = list.isOpen() && list.sql() == kind_.listStatement();
    exportList(*kind_.sheet, shown ? &list : nullptr);
}

void TfrmCounterpart::tlImportClick() {
    if (frmImport->run(counterpartImport(kind_)))
        LoadCounterparts();
}

TfrmSupplier::TfrmSupplier(QWidget* parent)
    : TfrmCounterpart(kSupplierKind, new TfrmSupplierAdd, new TfrmSupplierEdit, parent) {
    setObjectName(QStringLiteral("frmSupplier"));
}

TfrmCustomer::TfrmCustomer(QWidget* parent)
    : TfrmCounterpart(kCustomerKind, new TfrmCustAdd, new TfrmCustEdit, parent) {
    setObjectName(QStringLiteral("frmCustomer"));
}
