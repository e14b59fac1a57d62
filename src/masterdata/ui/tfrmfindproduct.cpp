#include "masterdata/ui/tfrmfindproduct.h"

#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "masterdata/pickedproduct.h"

#include <QLineEdit>
#include <QTableView>

namespace {

// The list's columns; the ones with an FConfig row take their titles from it.
std::vector<BrowserColumn> productColumns() {
    return {{{"prodID", "prodID"}},
            {{"cateName", "商品类别", Draw::Text, 90}},
            {{"prodBH", "prodBH", Draw::Text, 100}},
            {{"prodName", "prodName", Draw::Text, 150}},
            {{"type", "type", Draw::Text, 90}},
            {{"unitName", "unitName", Draw::Text, 50}},
            {{"outprice", "outprice", Draw::Fixed2, 70}},
            {{"inprice", "inprice", Draw::Fixed2, 70}},
            {{"company", "company", Draw::Text, 110}},
            {{"field1", "field1", Draw::Text, 80}},
            {{"field2", "field2", Draw::Text, 80}},
            {{"remark", "remark", Draw::Text, 120}}};
}

} // namespace

TfrmFindProduct::TfrmFindProduct(QWidget* parent)
    : ProductBrowser(QStringLiteral("查找商品"), QStringLiteral("名称或编码："),
                     QStringLiteral("注：回车查询；双击选择。        "), productColumns(), parent) {
    setObjectName("frmFindProduct");
    resize(980, 560);
    connectGuarded(dgProduct, &QTableView::doubleClicked, this,
                   [this](const QModelIndex&) { dgProductDblClick(); });
}

void TfrmFindProduct::FormShow() {
    chosen_ = 0;
    SetHeader();
    LoadCategory();
    listOnShowing();
    // Then the person types at once: the search box takes the keys, last time's key selected
    // so that the first key replaces it.
    // Once the window is up, so that its activation leaves the focus and selection alone.
    QMetaObject::invokeMethod(
        this,
        [this] {
            txtKey->setFocus();
            txtKey->selectAll();
        },
        Qt::QueuedConnection);
}

void TfrmFindProduct::dgProductDblClick() {
    TQuery& q = sysData->QueryProduct;
    if (!q.isOpen() || q.recordCount() <= 0 || q.eof())
        return;
    values_ = pickedProduct(q, mode_);
    chosen_ = 1;
    close();
}
