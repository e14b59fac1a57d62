#include "documents/ui/countentryform.h"

#include "core/messages.h"
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "core/ui/strayscans.h"
#include "core/ui/titlesort.h"
#include "documents/ui/tfrmprodpd.h"
#include "masterdata/ui/pickerkeys.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QLabel* labelFor(const QString& text, QWidget* box) {
    auto* label = new QLabel(text);
    label->setBuddy(box);
    return label;
}

// The product name (column 2) takes the room the numbers at the end do not need.
QTableView* listView(const QString& name, TQuery& slot, std::vector<SlotColumn> columns) {
    auto* view = new QTableView;
    view->setObjectName(name);
    showSlot(*view, slot, std::move(columns));
    view->setColumnHidden(0, true);
    view->setAlternatingRowColors(true);
    view->setTabKeyNavigation(false); // Tab goes on to the next box
    view->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    sortByTitleClicks(*view);
    return view;
}

QString currentText(TQuery& slot, const char16_t* field) {
    return slot.eof() ? QString() : slot.field(field).asText();
}

} // namespace

CountEntryForm::CountEntryForm(const QString& caption, TfrmProdPD& productCount, QWidget* parent)
    : TForm(parent), productCount_(productCount) {
    setWindowTitle(caption);
    resize(1000, 640);

    txtOrderID = new QLineEdit;
    txtOrderID->setObjectName("txtOrderID");
    txtOrderID->setReadOnly(true);
    txtOrderID->setStyleSheet("color: red");
    lblUserName = new QLabel;
    lblUserName->setObjectName("lblUserName");
    txtRemark = new QLineEdit;
    txtRemark->setObjectName("txtRemark");

    auto* infoGroup = new QGroupBox(QStringLiteral("单据信息"));
    info_ = new QGridLayout(infoGroup);
    info_->addWidget(labelFor(QStringLiteral("盘点单号："), txtOrderID), 0, 0);
    info_->addWidget(txtOrderID, 0, 1);
    info_->addWidget(labelFor(QStringLiteral("操  作  员："), lblUserName), 1, 2);
    info_->addWidget(lblUserName, 1, 3);
    info_->addWidget(labelFor(QStringLiteral("备         注："), txtRemark), 2, 0);
    info_->addWidget(txtRemark, 2, 1, 1, 3);
    info_->setColumnStretch(1, 1);
    info_->setColumnStretch(3, 1);

    cbCate = new QComboBox;
    cbCate->setObjectName("cbCate");
    cbCate->setMinimumWidth(140);
    txtName = new QLineEdit;
    txtName->setObjectName("txtName");
    txtName->setMaxLength(kMaxSearchKeyLength);
    auto* filters = new QHBoxLayout;
    filters->addWidget(labelFor(QStringLiteral("类别："), cbCate));
    filters->addWidget(cbCate);
    filters->addSpacing(16);
    filters->addWidget(labelFor(QStringLiteral("名称： "), txtName));
    filters->addWidget(txtName, 1);
    filters->addWidget(new QLabel(QStringLiteral("注：回车查询；双击盘点。")));

    dgProduct = listView("dgProduct", sysData->QueryP1,
                         {{"prodID", "prodID"},
                          {"prodBH", "商品编号", Draw::Text, 120},
                          {"prodName", "商品名称", Draw::Text, 200},
                          {"type", "规格/型号", Draw::Text, 120},
                          {"unitName", "单位", Draw::Text, 60},
                          {"sumCount", "库存量", Draw::Number, 90}});

    dgPD = listView("dgPD", sysData->QueryP2,
                    {{"prodID", "prodID"},
                     {"prodBH", "商品编号", Draw::Text, 120},
                     {"prodName", "商品名称", Draw::Text, 200},
                     {"type", "规格/型号", Draw::Text, 120},
                     {"unitName", "单位", Draw::Text, 60},
                     {"pcount", "库存量", Draw::Number, 90},
                     {"pdcount", "盘点数", Draw::Number, 90}});
    btnEdit = new QPushButton(QStringLiteral("编辑"));
    btnEdit->setObjectName("btnEdit");
    btnDelete = new QPushButton(QStringLiteral("删除"));
    btnDelete->setObjectName("btnDelete");
    btnDelete->setAutoDefault(false);
    btnEdit->setAutoDefault(false);
    auto* countedGroup = new QGroupBox(QStringLiteral("已盘商品"));
    auto* counted = new QHBoxLayout(countedGroup);
    counted->addWidget(dgPD, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnEdit);
    buttons->addWidget(btnDelete);
    buttons->addStretch(1);
    counted->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(infoGroup);
    layout->addLayout(filters);
    layout->addWidget(dgProduct, 3);
    layout->addWidget(countedGroup, 2);

    connectGuarded(cbCate, &QComboBox::currentIndexChanged, this, [this] { cbCateChange(); });
    connectGuarded(txtName, &QLineEdit::returnPressed, this, [this] { txtNameKeyDown(); });
    connectGuarded(dgProduct, &QTableView::doubleClicked, this, [this] { dgProductDblClick(); });
    // Enter on a product counts it as a double click does; a code typed or scanned with the
    // list focused goes to the name box and is looked up there, and so does one scanned into
    // any other box of the window.
    chooseByKeys(*txtName, *dgProduct, [this] { dgProductDblClick(); });
    new StrayScans(*this, {txtName, dgProduct},
                   [this](const QString& code) { takeScannedCode(code); });
    connectGuarded(btnEdit, &QPushButton::clicked, this, [this] { btnEditClick(); });
    connectGuarded(btnDelete, &QPushButton::clicked, this, [this] { btnDeleteClick(); });
}

void CountEntryForm::placeHouseAndDate(QWidget* house, QWidget* date) {
    info_->addWidget(labelFor(QStringLiteral("盘点仓库："), house), 0, 2);
    info_->addWidget(house, 0, 3);
    info_->addWidget(labelFor(QStringLiteral("盘点日期："), date), 1, 0);
    info_->addWidget(date, 1, 1);
    // Tab as the header reads: the code, the warehouse, the date, then the remark (where the
    // two are labels, the focus passes them by).
    setTabOrder(txtOrderID, house);
    setTabOrder(house, date);
    setTabOrder(date, txtRemark);
}

void CountEntryForm::LoadCategories() {
    const QSignalBlocker quiet(cbCate);
    cbCate->clear();
    cbCate->addItem(QStringLiteral("所有类别"), QString());
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT cateID,cateName FROM Fprodcate"));
    q.open();
    for (; !q.eof(); q.next())
        cbCate->addItem(q.field(u"cateName").asText(), q.field(u"cateID").asText());
    q.close();
    cbCate->setCurrentIndex(0);
}

void CountEntryForm::LoadProducts() {
    stockcount::loadHouseProducts(sysData->QueryP1, houseID(),
                                  cbCate->currentIndex() > 0 ? cbCate->currentData().toString()
                                                             : QString());
}

void CountEntryForm::LoadCounted() {
    stockcount::loadCountedLines(sysData->QueryP2, txtOrderID->text());
}

void CountEntryForm::cbCateChange() {
    if (houseID().isEmpty()) {
        notice(QStringLiteral("请选择盘点仓库！"));
        return;
    }
    LoadProducts();
}

// A product code typed or scanned (the code, then Enter) counts that product at once; any other
// text searches the names, as before.
void CountEntryForm::txtNameKeyDown() {
    // What was looked for stays selected, so that the next scan replaces it rather than
    // adding to it.
    const auto selectKey = qScopeGuard([this] { txtName->selectAll(); });
    // Without a warehouse nothing can be found: a code scanned first would be told it names no
    // product, and the person might add it again.
    if (houseID().isEmpty()) {
        notice(QStringLiteral("请选择盘点仓库！"));
        return;
    }
    TQuery& p = sysData->QueryP1;
    const QString key = txtName->text().trimmed();
    if (!key.isEmpty()) {
        stockcount::findHouseProductCode(p, houseID(), key);
        if (p.recordCount() == 1) {
            dgProductDblClick();
            return;
        }
        // Products that share the code are listed for the person to choose: the search by name
        // that follows found none of them and said the code named no product.
        if (p.recordCount() > 1) {
            notice(QStringLiteral("编号为“%1”的商品不止一个，请在商品列表中双击选择！").arg(key));
            return;
        }
    }
    stockcount::searchHouseProducts(p, houseID(), key);
    if (p.recordCount() == 0 && !key.isEmpty())
        notice(QStringLiteral("找不到编号或名称为“%1”的商品！").arg(key));
}

void CountEntryForm::takeScannedCode(const QString& code) {
    txtName->setFocus();
    txtName->setText(code);
    runGuarded([this] { txtNameKeyDown(); });
}

// The book quantity is the warehouse's figure now, and proposed as the counted one: read
// afresh, since another counter may have sold from the warehouse since the list was loaded,
// and a count against the list's figure would correct the stock by that sale once more.
void CountEntryForm::dgProductDblClick() {
    TQuery& p = sysData->QueryP1;
    if (p.recordCount() <= 0 || p.eof())
        return;
    const QString book = stockcount::bookQuantity(houseID(), p.field(u"prodID").asText());
    const CountedProduct product{p.field(u"prodID").asText(),
                                 p.field(u"prodBH").asText(),
                                 p.field(u"prodName").asText(),
                                 p.field(u"type").asText(),
                                 p.field(u"unitName").asText(),
                                 book,
                                 book};
    if (!productCount_.countProduct(txtOrderID->text(), product, pendingHeader()))
        return;
    txtOrderID->setText(productCount_.orderID());
    lineSaved();
    LoadCounted();
}

// A counted line keeps the book quantity it was counted against.
void CountEntryForm::btnEditClick() {
    TQuery& lines = sysData->QueryP2;
    if (lines.recordCount() <= 0 || lines.eof())
        return;
    const CountedProduct product{currentText(lines, u"prodID"),   currentText(lines, u"prodBH"),
                                 currentText(lines, u"prodName"), currentText(lines, u"type"),
                                 currentText(lines, u"unitName"), currentText(lines, u"pcount"),
                                 currentText(lines, u"pdcount"),  true};
    // Reloaded saved or not: a line found changed meanwhile is shown as it is now.
    productCount_.countProduct(txtOrderID->text(), product);
    LoadCounted();
}

void CountEntryForm::btnDeleteClick() {
    TQuery& lines = sysData->QueryP2;
    if (lines.recordCount() <= 0 || lines.eof()) {
        notice(QStringLiteral("请选择要删除的盘点商品！"));
        return;
    }
    // Escape presses 删除: with 确定 the default, Escape and then Enter deleted a counted line.
    if (messages().cautiousQuestion(QStringLiteral("确定要删除的选择的盘点商品吗？"),
                                    QStringLiteral("提示")) != Messages::kOk)
        return;
    // Reloaded either way: a line found gone was taken by another counter or by this one's
    // deletion whose connection broke after it got through.
    if (stockcount::deleteLine(txtOrderID->text(), lines.field(u"prodID").asText()) ==
        stockcount::LineDeletion::CountGone)
        notice(QStringLiteral("该盘点单已被其他用户修正或删除！"));
    LoadCounted();
}

void CountEntryForm::reject() {
    runGuarded([this] { btnDeleteClick(); });
}
