#include "reports/ui/tfrmtjprod.h"

#include "core/clock.h"
#include "core/dates.h"
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/ui/commonkeys.h"
#include "core/ui/datebox.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/titlesort.h"
#include "reports/productsales.h"
#include "reports/ui/periodbar.h"
#include "reports/ui/reportgrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TfrmTjProd::TfrmTjProd(QWidget* parent) : TForm(parent) {
    setObjectName(QStringLiteral("frmTjProd"));
    setWindowTitle(QStringLiteral("商品销售分析"));
    resize(1000, 560);

    auto* dateLabel = new QLabel(QStringLiteral("查询日期："), this);
    dtbegin = new DateBox(QStringLiteral("dtbegin"), this);
    dateLabel->setBuddy(dtbegin);
    auto* toLabel = new QLabel(QStringLiteral("~"), this);
    dtEnd = new DateBox(QStringLiteral("dtEnd"), this);
    toLabel->setBuddy(dtEnd);
    auto* keyLabel = new QLabel(QStringLiteral("商品名称："), this);
    txtKey = new QLineEdit(this);
    txtKey->setObjectName(QStringLiteral("txtKey"));
    txtKey->setMaxLength(kMaxSearchKeyLength);
    txtKey->setMaximumWidth(200);
    keyLabel->setBuddy(txtKey);
    btnFind = new QPushButton(QStringLiteral("查询(&F)"), this);
    btnFind->setObjectName(QStringLiteral("btnFind"));
    btnFind->setDefault(true); // Enter in the name box searches
    setCommonKey(*txtKey, CommonKey::FindBox);
    setCommonKey(*btnFind, CommonKey::Search);
    connectGuarded(btnFind, &QPushButton::clicked, this, [this](bool) { btnFindClick(); });

    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    (new ProductSalesModel(sysData->QueryOrderDetails, DBGrid1))->showIn(*DBGrid1);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    sortByTitleClicks(*DBGrid1);

    auto* search = new QHBoxLayout;
    search->addWidget(dateLabel);
    search->addWidget(dtbegin);
    search->addWidget(toLabel);
    search->addWidget(dtEnd);
    search->addSpacing(16);
    search->addWidget(keyLabel);
    search->addWidget(txtKey);
    search->addWidget(btnFind);
    search->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(DBGrid1, 1);
}

void TfrmTjProd::FormShow() {
    const QDate today = environment::now().date();
    dtbegin->setDate(dates::monthBack(today));
    dtEnd->setDate(today);
    btnFindClick();
    txtKey->setFocus();
}

void TfrmTjProd::btnFindClick() {
    loadProductSales(sysData->QueryOrderDetails, dtbegin->date(), dtEnd->date(), txtKey->text());
}
