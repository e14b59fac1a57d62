#include "masterdata/ui/tfrmproduct.h"

#include "core/dberror.h"
#include "core/messages.h"
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/ui/commonkeys.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "core/ui/titlesort.h"
#include "masterdata/masterimport.h"
#include "masterdata/productcatalog.h"
#include "masterdata/ui/listexporter.h"
#include "masterdata/ui/listwindowparts.h"
#include "masterdata/ui/pickerkeys.h"
#include "masterdata/ui/tfrmcatedialog.h"
#include "masterdata/ui/tfrmimport.h"
#include "masterdata/ui/tfrmproddialog.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

struct ListColumn {
    SlotColumn column;
    bool captioned; // its title comes from FConfig
};

// The list's columns in order. The prices sort by their fields but keep their own titles.
const std::vector<ListColumn>& listColumns() {
    static const std::vector<ListColumn> columns{
        {{"prodID", "prodID", Draw::Number, 0}, false},
        {{"cateName", "商品类别", Draw::Text, 80}, false},
        {{"prodBH", "商品编号", Draw::Text, 90}, true},
        {{"prodName", "商品名称", Draw::Text, 140}, true},
        {{"type", "规格/型号", Draw::Text, 90}, true},
        {{"unitName", "单位", Draw::Text, 45}, true},
        {{"company", "厂家", Draw::Text, 100}, true},
        {{"inprice", "进价", Draw::Money, 75}, false},
        {{"outprice", "售价", Draw::Money, 75}, false},
        {{"field1", "批号", Draw::Text, 70}, true},
        {{"field2", "有效期", Draw::Text, 70}, true},
        {{"remark", "备注", Draw::Text, 120}, true},
    };
    return columns;
}

std::vector<SlotColumn> fixedColumns() {
    std::vector<SlotColumn> columns;
    for (const ListColumn& c : listColumns())
        columns.push_back(c.column);
    return columns;
}

QString quoted(const QString& text) {
    return u'"' + text + u'"';
}

} // namespace

TfrmProduct::TfrmProduct(TfrmProdAdd& prodAdd, TfrmProdEdit& prodEdit, TfrmCateAdd& cateAdd,
                         TfrmCateEdit& cateEdit, QWidget* parent)
    : TForm(parent), prodAdd_(prodAdd), prodEdit_(prodEdit), cateAdd_(cateAdd), cateEdit_(cateEdit),
      frmImport_(new TfrmImport(this)) {
    setWindowTitle(QStringLiteral("商品管理"));
    resize(1000, 640);

    // Left: the category tree with its hint and right-click menu.
    auto* hint = new QLabel(QStringLiteral("右击鼠标，管理分类。 "), this);
    hint->setObjectName(QStringLiteral("lblHint"));
    tvCategory_ = new QTreeWidget(this);
    tvCategory_->setObjectName(QStringLiteral("tvCategory"));
    tvCategory_->setHeaderHidden(true);
    tvCategory_->setContextMenuPolicy(Qt::CustomContextMenu);
    hint->setBuddy(tvCategory_);
    categoryMenu_ = new QMenu(this);
    categoryMenu_->setObjectName(QStringLiteral("pmCategory"));
    auto addMenuItem = [this](const char* name, const QString& text, void (TfrmProduct::*slot)()) {
        QAction* action = categoryMenu_->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connectGuarded(action, &QAction::triggered, this, [this, slot](bool) { (this->*slot)(); });
    };
    addMenuItem("A1", QStringLiteral("新增分类(&A)"), &TfrmProduct::A1Click);
    addMenuItem("E1", QStringLiteral("编辑分类(&E)"), &TfrmProduct::E1Click);
    addMenuItem("P1", QStringLiteral("删除分类(&D)"), &TfrmProduct::P1Click);
    connect(tvCategory_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        categoryMenu_->popup(tvCategory_->viewport()->mapToGlobal(at));
    });
    // A node the person selects (click or arrow keys) lists its products. The node Qt makes
    // current when a rebuilt tree takes the focus back is not selected and lists nothing.
    connectGuarded(tvCategory_, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> nodes = tvCategory_->selectedItems();
        if (!nodes.isEmpty())
            tvCategoryChange(nodes.first());
    });
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(hint);
    leftLayout->addWidget(tvCategory_);
    // A fresh book has no category: the way to the first one is in sight, not only in the menu.
    auto* btnAddCate = new QPushButton(QStringLiteral("添加分类"), this);
    btnAddCate->setObjectName(QStringLiteral("btnAddCate"));
    btnAddCate->setAutoDefault(false);
    connectGuarded(btnAddCate, &QPushButton::clicked, this, [this](bool) { A1Click(); });
    leftLayout->addWidget(btnAddCate);

    // Right: tool bar, search line and the product list.
    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->addWidget(addToolButton("tlAdd", QStringLiteral("添加"), &TfrmProduct::tlAddClick));
    toolBar->addWidget(addToolButton("tlEdit", QStringLiteral("修改"), &TfrmProduct::tlEditClick));
    toolBar->addWidget(addToolButton("tlDel", QStringLiteral("删除"), &TfrmProduct::tlDelClick));
    toolBar->addSeparator();
    toolBar->addWidget(
        addToolButton("tlExcel", QStringLiteral("导出Excel "), &TfrmProduct::tlExcelClick));
    toolBar->addWidget(
        addToolButton("tlImport", QStringLiteral("导入Excel"), &TfrmProduct::tlImportClick));

    auto* keyLabel = new QLabel(QStringLiteral("商品名称或编码："), this);
    keyLabel->setObjectName(QStringLiteral("lblKey"));
    txtKey_ = new QLineEdit(this);
    txtKey_->setObjectName(QStringLiteral("txtKey"));
    txtKey_->setMaxLength(kMaxSearchKeyLength);
    keyLabel->setBuddy(txtKey_);
    Button1_ = new QPushButton(QStringLiteral("查询(&Q)"), this);
    Button1_->setObjectName(QStringLiteral("Button1"));
    Button1_->setDefault(true); // Enter anywhere in the window searches
    setCommonKey(*txtKey_, CommonKey::FindBox);
    setCommonKey(*Button1_, CommonKey::Search);
    connectGuarded(Button1_, &QPushButton::clicked, this, [this](bool) { Button1Click(); });
    auto* search = new QHBoxLayout;
    search->addWidget(keyLabel);
    search->addWidget(txtKey_, 1);
    search->addWidget(Button1_);
    search->addStretch(1);

    dgProduct_ = new QTableView(this);
    dgProduct_->setObjectName(QStringLiteral("dgProduct"));
    model_ = showSlot(*dgProduct_, sysData->QueryProduct, fixedColumns());
    dgProduct_->setColumnHidden(0, true);
    sortByTitleClicks(*dgProduct_, FirstSort::Descending);
    listparts::actOnRow(*dgProduct_, [this] { tlEditClick(); });

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(toolBar);
    rightLayout->addLayout(search);
    rightLayout->addWidget(dgProduct_, 1);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 900});

    auto* statusBar = new QStatusBar(this);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->setSizeGripEnabled(false);
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    statusBar->addWidget(lblStatus_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addWidget(statusBar);

    // The window opens with the tree focused: a code scanned there, or in the list, is searched.
    typeIntoSearchBox(*tvCategory_, *txtKey_);
    typeIntoSearchBox(*dgProduct_, *txtKey_);

    setTabOrder(tvCategory_, txtKey_);
    setTabOrder(txtKey_, Button1_);
    setTabOrder(Button1_, dgProduct_);
}

QToolButton* TfrmProduct::addToolButton(const QString& name, const QString& text,
                                        void (TfrmProduct::*handler)()) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    if (handler)
        connectGuarded(button, &QToolButton::clicked, this,
                       [this, handler](bool) { (this->*handler)(); });
    return button;
}

void TfrmProduct::FormShow() {
    SetHeader();
    LoadCategory();
    // The tree takes the focus first and selects its first node, so all products are listed.
    tvCategory_->setFocus();
    if (tvCategory_->selectedItems().isEmpty() && tvCategory_->topLevelItemCount() > 0)
        tvCategory_->setCurrentItem(tvCategory_->topLevelItem(0));
}

void TfrmProduct::SetHeader() {
    captions_ = catalog::readFieldCaptions();
    const std::vector<catalog::FieldCaption>& captions = captions_;
    std::vector<SlotColumn> columns;
    for (const ListColumn& c : listColumns()) {
        SlotColumn column = c.column;
        if (c.captioned)
            for (const catalog::FieldCaption& caption : captions)
                if (column.field.compare(caption.fieldName, Qt::CaseInsensitive) == 0)
                    column.title = caption.textValue;
        columns.push_back(column);
    }
    model_->setColumns(std::move(columns));
}

void TfrmProduct::LoadCategory() {
    tvCategory_->clear();
    try {
        auto* root = new QTreeWidgetItem(tvCategory_, {QStringLiteral("所有类别")});
        TQuery& q = sysData->QueryCommon;
        catalog::loadCategories(q);
        for (; !q.eof(); q.next()) {
            auto* node = new QTreeWidgetItem(root, {q.field(u"cateName").asText()});
            node->setData(0, Qt::UserRole, q.field(u"cateID").asText());
        }
        q.close();
        tvCategory_->expandAll();
    } catch (const DbError&) {
        messages().plainNotice(QStringLiteral("查询出现异常！"), kInfoCaption);
    }
}

void TfrmProduct::tvCategoryChange(QTreeWidgetItem* node) {
    cateID_ = node->data(0, Qt::UserRole).toString();
    cateName_ = node->text(0);
    LoadProducts();
}

void TfrmProduct::LoadProducts() {
    TQuery& q = sysData->QueryProduct;
    catalog::loadProducts(q, cateID_);
    lblStatus_->setText(QStringLiteral("在") + quoted(cateName_) + QStringLiteral("，商品种类：") +
                        QString::number(q.recordCount()));
}

void TfrmProduct::Button1Click() {
    const QString key = txtKey_->text().trimmed();
    TQuery& q = sysData->QueryProduct;
    catalog::searchProducts(q, key);
    lblStatus_->setText(QStringLiteral("商品编号或名称与") + quoted(key) +
                        QStringLiteral("相似的商品种类数：") + QString::number(q.recordCount()));
}

void TfrmProduct::tlExcelClick() {
    // The headings carry the captions read when the window was shown, as its list does.
    exportList(kProductExport, &sysData->QueryProduct, productHeadings(captions_));
}

void TfrmProduct::tlImportClick() {
    // New categories appear in the tree; the selected one lists its products anew.
    if (frmImport_->run(productImport())) {
        LoadCategory();
        LoadProducts();
    }
}

bool TfrmProduct::hasProducts() const {
    const TQuery& q = sysData->QueryProduct;
    return q.isOpen() && q.recordCount() > 0;
}

void TfrmProduct::tlAddClick() {
    if (!cateID_.isEmpty())
        prodAdd_.setCategory(cateID_);
    prodAdd_.showModal();
    if (prodAdd_.saved())
        LoadProducts();
    if (prodAdd_.stale())
        LoadCategory(); // the chosen category was deleted meanwhile
}

void TfrmProduct::tlEditClick() {
    if (!hasProducts()) {
        notice(QStringLiteral("请选择要修改的商品！"));
        return;
    }
    const TQuery& q = sysData->QueryProduct;
    auto text = [&q](const char16_t* name) { return q.field(name).asText(); };
    prodEdit_.setProduct(text(u"prodID"),
                         {text(u"cateID"), text(u"prodBH"), text(u"prodName"), text(u"type"),
                          text(u"company"), text(u"unitName"), text(u"inprice"), text(u"outprice"),
                          text(u"remark"), text(u"field1"), text(u"field2")});
    prodEdit_.showModal();
    if (prodEdit_.stale())
        LoadCategory();
    if (prodEdit_.saved() || prodEdit_.stale())
        LoadProducts();
}

void TfrmProduct::tlDelClick() {
    if (!hasProducts()) {
        notice(QStringLiteral("请选择要删除的商品！"));
        return;
    }
    const TQuery& q = sysData->QueryProduct;
    if (catalog::inStock(q.field(u"sumCount").asFloat())) {
        notice(catalog::kProductInStock);
        return;
    }
    if (!confirmed(QStringLiteral("确定要删除商品：") + quoted(q.field(u"prodName").asText()) +
                   QStringLiteral(" 吗？")))
        return;
    const std::optional<int> deleted = catalog::deleteProduct(q.field(u"prodID").asText());
    if (!deleted) {
        LoadProducts(); // another counter changed or removed it meanwhile
    } else if (*deleted > 0) {
        LoadProducts();
        notice(QStringLiteral("商品删除成功！"));
    }
}

void TfrmProduct::A1Click() {
    cateAdd_.showModal();
    if (cateAdd_.saved())
        LoadCategory();
}

void TfrmProduct::E1Click() {
    if (cateID_.isEmpty()) {
        notice(QStringLiteral("请选择要修改的分类名称！"));
        return;
    }
    cateEdit_.setCategory(cateID_, cateName_);
    cateEdit_.showModal();
    if (cateEdit_.saved() || cateEdit_.stale())
        LoadCategory();
}

void TfrmProduct::P1Click() {
    if (cateID_.isEmpty()) {
        notice(QStringLiteral("请选择要删除的分类名称！"));
        return;
    }
    // Asked of the book, not of the list: after a search the list shows other products.
    if (catalog::categoryHasProducts(cateID_)) {
        notice(catalog::kCategoryHasProducts);
        return;
    }
    if (!confirmed(QStringLiteral("确定要删除分类") + quoted(cateName_) + QStringLiteral("吗？")))
        return;
    const std::optional<int> deleted = catalog::deleteCategory(cateID_);
    if (!deleted) {
        // Removed, or given a product, by another counter meanwhile: show both as they are.
        LoadCategory();
        LoadProducts();
    } else if (*deleted > 0) {
        cateID_.clear();
        cateName_.clear();
        LoadCategory();
        notice(QStringLiteral("删除成功！"));
    }
}
