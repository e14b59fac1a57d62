#include "documents/ui/tfrmprodcount.h"

#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "documents/stocklookup.h"
#include "documents/ui/celltint.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTreeWidget>

namespace {

constexpr int kStockColumn = 8;

std::vector<BrowserColumn> stockColumns() {
    return {{{"prodID", "prodID"}, false},
            {{"cateName", "商品类别", Draw::Text, 100}, false},
            {{"prodBH", "商品编号", Draw::Text, 110}},
            {{"prodName", "商品名称", Draw::Text, 150}},
            {{"type", "规格/型号", Draw::Text, 90}},
            {{"unitName", "单位", Draw::Text, 50}},
            {{"inprice", "进货价", Draw::Fixed2, 70}},
            {{"outprice", "销售价", Draw::Fixed2, 70}},
            {{"sumCount", "库存量", Draw::Number, 80}, false},
            {{"company", "生产厂家", Draw::Text, 130}}};
}

} // namespace

TfrmProdCount::TfrmProdCount(QWidget* parent)
    : ProductBrowser(QStringLiteral("商品库存"), QStringLiteral("名称或编码：  "),
                     QStringLiteral("注：回车查询.             "), stockColumns(), parent) {
    setObjectName("frmProdCount");
    dgProduct->setItemDelegateForColumn(kStockColumn,
                                        new CellTint(Qt::red, &CellTint::negative, dgProduct));

    cbHouseName = new QComboBox;
    cbHouseName->setObjectName("cbHouseName");
    cbHouseName->setMinimumWidth(140);
    cbHouseID = new QComboBox(this);
    cbHouseID->setObjectName("cbHouseID");
    cbHouseID->hide();
    auto* lblHouse = new QLabel(QStringLiteral("仓库："));
    lblHouse->setBuddy(cbHouseName);
    filterRow->addWidget(lblHouse);
    filterRow->addWidget(cbHouseName);
    filterRow->addSpacing(16);
    // The warehouse stands before the search box, and Tab reaches it there.
    setTabOrder(tvCategory, cbHouseName);
    setTabOrder(cbHouseName, txtKey);

    connectGuarded(cbHouseName, &QComboBox::currentIndexChanged, this,
                   [this](int index) { cbHouseNameChange(index); });
}

void TfrmProdCount::FormShow() {
    SetHeader();
    LoadCategory();
    selectRememberedCategory();
    LoadHouse();
    LoadProducts();
    listOnShowing();
}

// The list shows the remembered category, so the tree shows it selected.
void TfrmProdCount::selectRememberedCategory() {
    if (tvCategory->topLevelItemCount() == 0)
        return;
    QTreeWidgetItem* root = tvCategory->topLevelItem(0);
    QTreeWidgetItem* remembered = cateID().isEmpty() ? root : nullptr;
    for (int i = 0; !remembered && i < root->childCount(); ++i)
        if (root->child(i)->data(0, Qt::UserRole).toString() == cateID())
            remembered = root->child(i);
    const QSignalBlocker quiet(tvCategory);
    tvCategory->setCurrentItem(remembered);
}

void TfrmProdCount::LoadHouse() {
    const QSignalBlocker quietNames(cbHouseName);
    cbHouseName->clear();
    cbHouseID->clear();
    cbHouseName->addItem(QStringLiteral("所有仓库"));
    cbHouseID->addItem(QString());
    TQuery& q = sysData->QueryHouse;
    q.load(QStringLiteral("SELECT houseID,houseName FROM Fhouse"));
    q.open();
    for (; !q.eof(); q.next()) {
        cbHouseName->addItem(q.field(u"houseName").asText());
        cbHouseID->addItem(q.field(u"houseID").asText());
    }
    q.close();
    cbHouseName->setCurrentIndex(0);
    cbHouseID->setCurrentIndex(0);
}

void TfrmProdCount::cbHouseNameChange(int index) {
    cbHouseID->setCurrentIndex(index);
    LoadProducts();
}

void TfrmProdCount::LoadProducts() {
    stocklookup::loadStock(sysData->QueryProduct, cateID(), cbHouseID->currentText());
    showListed();
}
