#include "masterdata/ui/productbrowser.h"

#include "core/messages.h"
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/ui/commonkeys.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/titlesort.h"
#include "core/ui/typedsearch.h"
#include "masterdata/productcatalog.h"
#include "masterdata/ui/pickerkeys.h"

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

namespace {

std::vector<SlotColumn> slotColumns(const std::vector<BrowserColumn>& columns) {
    std::vector<SlotColumn> out;
    for (const BrowserColumn& c : columns)
        out.push_back(c.column);
    return out;
}

QString quoted(const QString& text) {
    return u'"' + text + u'"';
}

} // namespace

ProductBrowser::ProductBrowser(const QString& caption, const QString& keyLabel, const QString& hint,
                               std::vector<BrowserColumn> columns, QWidget* parent)
    : TForm(parent), columns_(std::move(columns)) {
    setWindowTitle(caption);
    resize(1000, 620);

    auto* lblCategory = new QLabel(QStringLiteral("商品分类： "));
    tvCategory = new QTreeWidget;
    tvCategory->setObjectName("tvCategory");
    tvCategory->setHeaderHidden(true);
    tvCategory->installEventFilter(this);
    lblCategory->setBuddy(tvCategory);

    auto* lblKey = new QLabel(keyLabel);
    txtKey = new QLineEdit;
    txtKey->setObjectName("txtKey");
    txtKey->setMaxLength(kMaxSearchKeyLength);
    lblKey->setBuddy(txtKey);
    setCommonKey(*txtKey, CommonKey::FindBox);
    setCommonKey(*txtKey, CommonKey::Search);
    auto* lblHint = new QLabel(hint);

    dgProduct = new QTableView;
    dgProduct->setObjectName("dgProduct");
    products = showSlot(*dgProduct, sysData->QueryProduct, slotColumns(columns_));
    dgProduct->setColumnHidden(0, true);
    dgProduct->setAlternatingRowColors(true);
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
    filterRow = new QHBoxLayout;
    searchRow->addLayout(filterRow);
    searchRow->addWidget(lblKey);
    searchRow->addWidget(txtKey, 1);
    searchRow->addWidget(lblHint);
    rightLayout->addLayout(searchRow);
    rightLayout->addWidget(dgProduct);

    auto* splitter = new QSplitter;
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 800});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(status);

    connectGuarded(tvCategory, &QTreeWidget::currentItemChanged, this,
                   [this](QTreeWidgetItem* node, QTreeWidgetItem*) { tvCategoryChange(node); });
    // The list narrows as the person types; Enter searches at once.
    new TypedSearch(*txtKey, [this] { txtKeyKeyDown(); });
    // After Enter the key stays selected: the next code scanned replaces it.
    connect(txtKey, &QLineEdit::returnPressed, txtKey, &QLineEdit::selectAll);
    // The window opens with the tree focused, and a person at the counter scans at once.
    typeIntoSearchBox(*tvCategory, *txtKey);
    chooseByKeys(*txtKey, *dgProduct, [this] { chooseCurrent(); });
}

void ProductBrowser::SetHeader() {
    const std::vector<catalog::FieldCaption> captions = catalog::readFieldCaptions();
    std::vector<SlotColumn> shown = slotColumns(columns_);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (!columns_[i].captioned)
            continue;
        for (const catalog::FieldCaption& caption : captions)
            if (shown[i].field.compare(caption.fieldName, Qt::CaseInsensitive) == 0)
                shown[i].title = caption.textValue;
    }
    products->setColumns(std::move(shown));
}

void ProductBrowser::LoadCategory() {
    const QSignalBlocker quiet(tvCategory);
    tvCategory->clear();
    auto* root = new QTreeWidgetItem(tvCategory, {QStringLiteral("所有类别")});
    QIcon icon;
    icon.addPixmap(style()->standardPixmap(QStyle::SP_DirClosedIcon), QIcon::Normal);
    icon.addPixmap(style()->standardPixmap(QStyle::SP_DirOpenIcon), QIcon::Selected);
    root->setIcon(0, icon);
    try {
        TQuery& q = sysData->QueryCommon;
        catalog::loadCategories(q);
        for (; !q.eof(); q.next()) {
            auto* node = new QTreeWidgetItem(root, {q.field(u"cateName").asText()});
            node->setData(0, Qt::UserRole, q.field(u"cateID").asText());
            node->setIcon(0, icon);
        }
        q.close();
    } catch (const std::exception&) {
        sysData->QueryCommon.close();
        messages().plainNotice(QStringLiteral("查询出现异常！"), kInfoCaption);
    }
    tvCategory->expandAll();
    tvCategory->setCurrentItem(nullptr);
}

void ProductBrowser::LoadProducts() {
    catalog::loadProducts(sysData->QueryProduct, cateID_);
    showListed();
}

void ProductBrowser::showListed() {
    listedOpening_ = sysData->QueryProduct.openings();
    listedBySearch_ = false;
    status->showMessage(QStringLiteral("在") + quoted(cateName_) + QStringLiteral("，商品种类：") +
                        QString::number(sysData->QueryProduct.recordCount()));
}

void ProductBrowser::listOnShowing() {
    if (shownBefore_) {
        const TQuery& q = sysData->QueryProduct;
        // Another window's list of the same statement differs by its bound category or key.
        if (q.isOpen() && q.openings() == listedOpening_)
            return;
        if (listedBySearch_)
            txtKeyKeyDown();
        else
            LoadProducts();
        return;
    }
    shownBefore_ = true;
    tvCategory->setFocus();
    if (!tvCategory->currentItem() && tvCategory->topLevelItemCount() > 0)
        tvCategory->setCurrentItem(tvCategory->topLevelItem(0));
}

// A tree that takes the focus with no node selected selects its first node.
bool ProductBrowser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tvCategory && event->type() == QEvent::FocusIn && !tvCategory->currentItem() &&
        tvCategory->topLevelItemCount() > 0)
        tvCategory->setCurrentItem(tvCategory->topLevelItem(0));
    return TForm::eventFilter(watched, event);
}

void ProductBrowser::tvCategoryChange(QTreeWidgetItem* node) {
    if (!node)
        return;
    cateID_ = node->data(0, Qt::UserRole).toString();
    cateName_ = node->text(0);
    LoadProducts();
}

// The search ignores the tree and any warehouse: the quantities are the global ones.
void ProductBrowser::txtKeyKeyDown() {
    const QString key = txtKey->text().trimmed();
    catalog::searchProducts(sysData->QueryProduct, key);
    listedOpening_ = sysData->QueryProduct.openings();
    listedBySearch_ = true;
    status->showMessage(QStringLiteral("商品编号或名称与") + quoted(key) +
                        QStringLiteral("相似的商品种类数：") +
                        QString::number(sysData->QueryProduct.recordCount()));
}
