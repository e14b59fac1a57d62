#include "masterdata/ui/tfrmfindcomp.h"

#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/ui/commonkeys.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "core/ui/titlesort.h"
#include "core/ui/typedsearch.h"
#include "masterdata/ui/pickerkeys.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>
#include <vector>

namespace {

std::vector<SlotColumn> compColumns(const QString& nameTitle) {
    return {{"compID", "compID"},
            {"compName", nameTitle, Draw::Text, 200},
            {"conperson", QStringLiteral("联系人"), Draw::Text, 90},
            {"phone", QStringLiteral("联系电话"), Draw::Text, 120},
            {"address", QStringLiteral("联系地址"), Draw::Text, 220}};
}

} // namespace

TfrmFindComp::TfrmFindComp(QWidget* parent) : TForm(parent) {
    setObjectName("frmFindComp");
    resize(720, 480);

    lblKey = new QLabel;
    lblKey->setObjectName("lblKey");
    txtKey = new QLineEdit;
    txtKey->setObjectName("txtKey");
    txtKey->setMaxLength(kMaxSearchKeyLength);
    lblKey->setBuddy(txtKey);
    setCommonKey(*txtKey, CommonKey::FindBox);
    setCommonKey(*txtKey, CommonKey::Search);
    auto* lblHint = new QLabel(QStringLiteral("回车查询。"));

    dgSupplier = new QTableView;
    dgSupplier->setObjectName("dgSupplier");
    comps = showSlot(*dgSupplier, sysData->QueryCustomer, compColumns(QString()));
    dgSupplier->setColumnHidden(0, true);
    dgSupplier->horizontalHeader()->setStretchLastSection(true);
    sortByTitleClicks(*dgSupplier);

    status = new QStatusBar;
    status->setObjectName("StatusBar1");
    status->setSizeGripEnabled(false);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(lblKey);
    searchRow->addWidget(txtKey, 1);
    searchRow->addWidget(lblHint);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(dgSupplier, 1);
    layout->addWidget(status);

    // The list narrows as the person types; Enter searches at once.
    new TypedSearch(*txtKey, [this] { LoadCustomers(); });
    chooseByKeys(*txtKey, *dgSupplier, [this] { dgSupplierDblClick(); });
    connect(txtKey, &QLineEdit::textChanged, this,
            [this](const QString& text) { (suppliers() ? supplierKey_ : customerKey_) = text; });
    connectGuarded(dgSupplier, &QTableView::doubleClicked, this,
                   [this](const QModelIndex&) { dgSupplierDblClick(); });
}

QString TfrmFindComp::compID() const {
    return sysData->QueryCustomer.field(u"compID").asText();
}

QString TfrmFindComp::compName() const {
    return sysData->QueryCustomer.field(u"compName").asText();
}

void TfrmFindComp::FormShow() {
    chosen_ = 0;
    setWindowTitle(suppliers() ? QStringLiteral("查找供应商") : QStringLiteral("查找客户"));
    lblKey->setText(suppliers() ? QStringLiteral("供应商名称：") : QStringLiteral("客户名称："));
    comps->setColumns(
        compColumns(suppliers() ? QStringLiteral("供应商名称") : QStringLiteral("客户名称")));
    // Suppliers and customers each keep their own search: one kind's key finds none of the other.
    txtKey->setText(suppliers() ? supplierKey_ : customerKey_);
    LoadCustomers();
    // The person types at once: last time's key is selected, so the first key replaces it.
    // Once the window is up, so that its activation leaves the focus and selection alone.
    QMetaObject::invokeMethod(
        this,
        [this] {
            txtKey->setFocus();
            txtKey->selectAll();
        },
        Qt::QueuedConnection);
}

void TfrmFindComp::LoadCustomers() {
    TQuery& q = sysData->QueryCustomer;
    q.load(QStringLiteral("SELECT compID,compName,conperson,phone,address FROM %1 WHERE "
                          "compName LIKE :compName")
               .arg(suppliers() ? QStringLiteral("Fsupplier") : QStringLiteral("Fcustomer")));
    q.bind(u"compName", likePattern(txtKey->text()));
    q.open();
    status->showMessage((suppliers() ? QStringLiteral("当前满足条件的供应商总数：")
                                     : QStringLiteral("当前满足条件的客户总数：")) +
                        QString::number(q.recordCount()));
}

void TfrmFindComp::dgSupplierDblClick() {
    const TQuery& q = sysData->QueryCustomer;
    if (!q.isOpen() || q.recordCount() <= 0 || q.eof())
        return;
    chosen_ = 1;
    close();
}
