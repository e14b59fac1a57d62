#include "masterdata/ui/tfrmfindproduct.h"

#include "core/messages.h"
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "core/ui/titlesort.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>
#include <utility>
#include <vector>

namespace {

const QString kProducts =
    QStringLiteral("SELECT Fproduct.*,Fprodcate.CateName FROM Fproduct,Fprodcate WHERE "
                   "Fproduct.cateID=Fprodcate.cateID");

// The list's columns; the ones with an FConfig row take their titles from it.
std::vector<SlotColumn> productColumns() {
    return {{"prodID", "prodID"},
            {"cateName", "商品类别", Draw::Text, 90},
            {"prodBH", "prodBH", Draw::Text, 100},
            {"prodName", "prodName", Draw::Text, 150},
            {"type", "type", Draw::Text, 90},
            {"unitName", "unitName", Draw::Text, 50},
            {"outprice", "outprice", Draw::Number, 70},
            {"inprice", "inprice", Draw::Number, 70},
            {"company", "company", Draw::Text, 110},
            {"field1", "field1", Draw::Text, 80},
            {"field2", "field2", Draw::Text, 80},
            {"remark", "remark", Draw::Text, 120}};
}

QString quoted(const QString& text) {
    return u'"' + text + u'"';
}

} // namespace

TfrmFindProduct::TfrmFindProduct(QWidget* parent) : TForm(parent) {
    setObjectName("frmFindProduct");
    setWindowTitle(QStringLiteral("查找商品"));
    resize(980, 560);

    auto* lblCategory = new QLabel(QStringLiteral("商品分类： "));
    tvCategory = new QTreeWidget;
    tvCategory->setObjectName("tvCategory");
    tvCategory->setHeaderHidden(true);
    tvCategory->installEventFilter(this);
    lblCategory->setBuddy(tvCategory);

    auto* lblKey = new QLabel(QStringLiteral("名称或编码："));
    txtKey = new QLineEdit;
    txtKey->setObjectName("txtKey");
    lblKey->setBuddy(txtKey);
    auto* lblHint = new QLabel(QStringLiteral("注：回车查询；双击选择。        "));

    dgProduct = new QTableView;
    dgProduct->setObjectName("dgProduct");
    products = showSlot(*dgProduct, sysData->QueryProduct, productColumns());
    dgProduct->setColumnHidden(0, true);
    dgProduct->horizontalHeader()->setStretchLastSection(true);
    sortByTitleClicks(*dgProduct);

    status = new QStatusBar;
    status->setObjectName("StatusBar1");
    status->setSizeGripEnabled(false);

    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(lblCategory);
    leftLayout->addWidget(tvCategory);

    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(lblKey);
    searchRow->addWidget(txtKey, 1);
    searchRow->addWidget(lblHint);
    rightLayout->addLayout(searchRow);
    rightLayout->addWidget(dgProduct);

    auto* splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 780});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(status);

    connectGuarded(tvCategory, &QTreeWidget::currentItemChanged, this,
                   [this](QTreeWidgetItem* node, QTreeWidgetItem*) { tvCategoryChange(node); });
    connectGuarded(txtKey, &QLineEdit::returnPressed, this, [this] { search(); });
    connectGuarded(dgProduct, &QTableView::doubleClicked, this,
                   [this](const QModelIndex&) { dgProductDblClick(); });
}

void TfrmFindProduct::FormShow() {
    chosen_ = 0;
    SetHeader();
    LoadCategory();
    if (!shownBefore_) {
        shownBefore_ = true;
        tvCategory->setFocus();
        if (!tvCategory->currentItem() && tvCategory->topLevelItemCount() > 0)
            tvCategory->setCurrentItem(tvCategory->topLevelItem(0));
    }
}

// A tree that takes the focus with no node selected selects its first node, so coming back to
// the tree lists every product again.
bool TfrmFindProduct::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tvCategory && event->type() == QEvent::FocusIn && !tvCategory->currentItem() &&
        tvCategory->topLevelItemCount() > 0)
        tvCategory->setCurrentItem(tvCategory->topLevelItem(0));
    return TForm::eventFilter(watched, event);
}

void TfrmFindProduct::SetHeader() {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT fieldName,textValue FROM FConfig"));
    q.open();
    std::array<std::pair<QString, QString>, kValues> captions;
    for (std::size_t i = 0; i < captions.size() && !q.eof(); ++i, q.next())
        captions[i] = {q.field(u"fieldName").asText(), q.field(u"textValue").asText()};
    q.close();

    std::vector<SlotColumn> columns = products->columns();
    for (SlotColumn& column : columns)
        for (const auto& [fieldName, textValue] : captions)
            if (!fieldName.isEmpty() && column.field.compare(fieldName, Qt::CaseInsensitive) == 0)
                column.title = textValue;
    products->setColumns(std::move(columns));
}

void TfrmFindProduct::LoadCategory() {
    const QSignalBlocker quiet(tvCategory);
    tvCategory->clear();
    auto* root = new QTreeWidgetItem(tvCategory, {QStringLiteral("所有类别")});
    QIcon icon;
    icon.addPixmap(style()->standardPixmap(QStyle::SP_DirClosedIcon), QIcon::Normal);
    icon.addPixmap(style()->standardPixmap(QStyle::SP_DirOpenIcon), QIcon::Selected);
    root->setIcon(0, icon);
    try {
        TQuery& q = sysData->QueryCommon;
        q.load(QStringLiteral("SELECT cateID,cateName FROM Fprodcate order by cateID"));
        q.open();
        for (; !q.eof(); q.next()) {
            auto* node = new QTreeWidgetItem(root, {q.field(u"cateName").asText()});
            node->setData(0, Qt::UserRole, q.field(u"cateID").asText());
            node->setIcon(0, icon);
        }
        q.close();
    } catch (const std::exception&) {
        messages().plainNotice(QStringLiteral("查询出现异常！"), kInfoCaption);
    }
    tvCategory->expandAll();
    tvCategory->setCurrentItem(nullptr);
}

void TfrmFindProduct::tvCategoryChange(QTreeWidgetItem* node) {
    if (!node)
        return;
    cateID_ = node->data(0, Qt::UserRole).toString();
    cateName_ = node->text(0);
    LoadProducts();
}

void TfrmFindProduct::LoadProducts() {
    TQuery& q = sysData->QueryProduct;
    if (cateID_.isEmpty()) {
        q.load(kProducts);
    } else {
        q.load(kProducts + QStringLiteral(" AND Fproduct.cateID=:cateID"));
        q.bind(u"cateID", cateID_);
    }
    q.open();
    status->showMessage(QStringLiteral("在") + quoted(cateName_) + QStringLiteral("，商品种类：") +
                        QString::number(q.recordCount()));
}

void TfrmFindProduct::search() {
    const QString key = txtKey->text().trimmed();
    TQuery& q = sysData->QueryProduct;
    q.load(kProducts + QStringLiteral(" AND ((prodBH LIKE :prodBH) OR (prodName LIKE :prodName))"));
    q.bind(u"prodBH", likePattern(key));
    q.bind(u"prodName", likePattern(key));
    q.open();
    status->showMessage(QStringLiteral("商品编号或名称与") + quoted(key) +
                        QStringLiteral("相似的商品种类数：") + QString::number(q.recordCount()));
}

void TfrmFindProduct::dgProductDblClick() {
    TQuery& q = sysData->QueryProduct;
    if (!q.isOpen() || q.recordCount() <= 0 || q.eof())
        return;
    const auto text = [&q](const char16_t* field) { return q.field(field).asText(); };
    const QString price = text(mode_ == u"1" ? u"inprice" : u"outprice");
    values_ = {text(u"prodID"),   text(u"prodBH"), text(u"prodName"),   text(u"type"),
               text(u"unitName"), price,           QStringLiteral("1"), price,
               text(u"remark"),   text(u"field1"), text(u"field2"),     text(u"company")};
    chosen_ = 1;
    close();
}
