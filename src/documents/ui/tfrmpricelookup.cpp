#include "documents/ui/tfrmpricelookup.h"

#include "documents/ui/celltint.h"

#include <QTableView>

namespace {

const PriceLookupKind kInPrice{QStringLiteral("查询商品进货价格"), QStringLiteral("inprice"),
                               QStringLiteral("进价")};
const PriceLookupKind kOutPrice{QStringLiteral("查询商品销售价格"), QStringLiteral("outprice"),
                                QStringLiteral("售价")};

constexpr int kPriceColumn = 6;
const QString kHint = QStringLiteral("注：回车查询.             ");

std::vector<BrowserColumn> priceColumns(const PriceLookupKind& kind) {
    return {{{"prodID", "prodID"}, false},
            {{"cateName", "商品类别", Draw::Text, 100}, false},
            {{"prodBH", "商品编号", Draw::Text, 110}},
            {{"prodName", "商品名称", Draw::Text, 170}},
            {{"type", "规格/型号", Draw::Text, 100}},
            {{"unitName", "单位", Draw::Text, 60}},
            {{kind.priceField, kind.priceTitle, Draw::Number, 90}, false},
            {{"company", "生产厂家", Draw::Text, 140}}};
}

} // namespace

TfrmPriceLookup::TfrmPriceLookup(const PriceLookupKind& kind, QWidget* parent)
    : ProductBrowser(kind.caption, QStringLiteral("名称或编码："), kHint, priceColumns(kind),
                     parent) {
    dgProduct->setItemDelegateForColumn(kPriceColumn, new PriceCell(dgProduct));
}

void TfrmPriceLookup::FormShow() {
    SetHeader();
    LoadCategory();
    listOnShowing();
}

TfrmPInP::TfrmPInP(QWidget* parent) : TfrmPriceLookup(kInPrice, parent) {
    setObjectName("frmPInP");
}

TfrmPoutP::TfrmPoutP(QWidget* parent) : TfrmPriceLookup(kOutPrice, parent) {
    setObjectName("frmPoutP");
}
