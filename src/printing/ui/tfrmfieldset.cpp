#include "printing/ui/tfrmfieldset.h"

#include "core/messages.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/numberedit.h"
#include "printing/ui/tfrmfieldedit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const QString kYes = QStringLiteral("是");
const QString kNo = QStringLiteral("否");
const QString kDefaultMargin = QStringLiteral("10");

struct Box {
    const char* name;
    const char* caption;
};

// The switches in the order of printing::Switch.
const std::array<Box, printing::kSwitches> kSwitchBoxes{{
    {"chkHouse", "仓库名称"},
    {"chkOrder", "单据号"},
    {"chkComp", "单位名称"},
    {"chkOptDate", "日期"},
    {"chkyf", "应收/付金额"},
    {"chksf", "实收/付金额"},
    {"chkEmp", "经办人"},
    {"chkHj", "合计金额"},
}};

// The title boxes in the order of printing::titleColumns().
const std::array<Box, printing::kTitles> kTitleBoxes{{
    {"txtPur", "采购进货："},
    {"txtPurT", "采购退货："},
    {"txtSale", "商品销售："},
    {"txtSaleT", "顾客退货："},
    {"txtDB", "库存调拨："},
    {"txtBsby", "报损报溢："},
}};

QPushButton* button(const char* name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLabel* label(const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text);
    l->setBuddy(buddy);
    return l;
}

QLineEdit* marginBox(const char* name) {
    auto* box = new QLineEdit(kDefaultMargin);
    box->setObjectName(name);
    takeNumbers(*box);
    box->setMaximumWidth(80);
    return box;
}

} // namespace

TfrmFieldSet::TfrmFieldSet(QWidget* parent) : TForm(parent), frmFieldEdit(new TfrmFieldEdit(this)) {
    setObjectName(QStringLiteral("frmFieldSet"));
    setWindowTitle(QStringLiteral("单据打印设置"));

    PageControl1 = new QTabWidget;
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->addTab(buildTablePage(), QStringLiteral("表格设置"));
    PageControl1->addTab(buildFieldPage(), QStringLiteral("字段设置"));
    PageControl1->addTab(buildTitlePage(), QStringLiteral("单据标题"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageControl1);
    resize(560, 460);

    connectGuarded(txtTop, &QLineEdit::textChanged, this, [this] { marginChange(txtTop); });
    connectGuarded(txtLeft, &QLineEdit::textChanged, this, [this] { marginChange(txtLeft); });
    connectGuarded(Button1, &QPushButton::clicked, this, [this](bool) { Button1Click(); });
    connectGuarded(Button3, &QPushButton::clicked, this, [this](bool) { close(); });
    connectGuarded(lsvField, &QTreeWidget::itemClicked, this, [this] { lsvFieldClick(); });
    connectGuarded(lsvField, &QTreeWidget::itemChanged, this, [this] { lsvFieldClick(); });
    connectGuarded(btnUp, &QPushButton::clicked, this, [this](bool) { move(-1); });
    connectGuarded(Button2, &QPushButton::clicked, this, [this](bool) { move(1); });
    connectGuarded(btnSave, &QPushButton::clicked, this, [this](bool) { btnSaveClick(); });
    connectGuarded(BitBtn3, &QPushButton::clicked, this, [this](bool) { BitBtn3Click(); });
    connectGuarded(Button4, &QPushButton::clicked, this, [this](bool) { Button4Click(); });
    connectGuarded(Button5, &QPushButton::clicked, this, [this](bool) { close(); });
}

QWidget* TfrmFieldSet::buildTablePage() {
    auto* page = new QWidget;
    txtTop = marginBox("txtTop");
    txtLeft = marginBox("txtLeft");
    auto* margins = new QGridLayout;
    margins->addWidget(label(QStringLiteral("上边距："), txtTop), 0, 0);
    margins->addWidget(txtTop, 0, 1);
    margins->addWidget(label(QStringLiteral("毫米"), txtTop), 0, 2);
    margins->addWidget(label(QStringLiteral("左边距："), txtLeft), 1, 0);
    margins->addWidget(txtLeft, 1, 1);
    margins->addWidget(label(QStringLiteral("毫米"), txtLeft), 1, 2);
    margins->setColumnStretch(3, 1);

    auto* group = new QGroupBox(QStringLiteral("是否打印"));
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* checks = new QGridLayout(group);
    for (int i = 0; i < printing::kSwitches; ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(kSwitchBoxes[std::size_t(i)].caption));
        box->setObjectName(kSwitchBoxes[std::size_t(i)].name);
        switches_[std::size_t(i)] = box;
        checks->addWidget(box, i / 4, i % 4, Qt::AlignLeft);
    }

    Button1 = button("Button1", QStringLiteral("保存(&C)"));
    Button3 = button("Button3", QStringLiteral("关闭(&C)"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button3);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(margins);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(buttons);
    return page;
}

QWidget* TfrmFieldSet::buildFieldPage() {
    auto* page = new QWidget;
    lsvField = new QTreeWidget;
    lsvField->setObjectName(QStringLiteral("lsvField"));
    lsvField->setRootIsDecorated(false);
    lsvField->setSelectionMode(QAbstractItemView::SingleSelection);
    lsvField->setSelectionBehavior(QAbstractItemView::SelectRows);
    lsvField->setAllColumnsShowFocus(true);
    lsvField->setHeaderLabels({QStringLiteral("是否打印"), QStringLiteral("字段名称"),
                               QStringLiteral("列宽(毫米)"), QStringLiteral("显示次序"),
                               QStringLiteral("fieldName")});
    lsvField->setColumnHidden(FieldName, true);
    lsvField->setColumnWidth(IsShow, 90);
    lsvField->setColumnWidth(Caption, 160);
    lsvField->setColumnWidth(Width, 100);
    lsvField->header()->setStretchLastSection(false);
    lsvField->header()->setSectionResizeMode(Sort, QHeaderView::Stretch);

    BitBtn3 = button("BitBtn3", QStringLiteral("修改(&M)"));
    btnUp = button("btnUp", QStringLiteral("上移(&U)"));
    Button2 = button("Button2", QStringLiteral("下移(&D)"));
    btnSave = button("btnSave", QStringLiteral("保存设置"));
    btnSave->setDefault(true);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(BitBtn3);
    buttons->addWidget(btnUp);
    buttons->addWidget(Button2);
    buttons->addStretch();
    buttons->addWidget(btnSave);

    auto* row = new QHBoxLayout;
    row->addWidget(lsvField, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(row);
    return page;
}

QWidget* TfrmFieldSet::buildTitlePage() {
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("标题设置"));
    group->setObjectName(QStringLiteral("GroupBox2"));
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < printing::kTitles; ++i) {
        auto* box = new QLineEdit;
        box->setObjectName(kTitleBoxes[std::size_t(i)].name);
        titles_[std::size_t(i)] = box;
        grid->addWidget(label(QString::fromUtf8(kTitleBoxes[std::size_t(i)].caption), box), i, 0);
        grid->addWidget(box, i, 1);
    }

    Button4 = button("Button4", QStringLiteral("设置(&S)"));
    Button5 = button("Button5", QStringLiteral("关闭(&C)"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button4);
    buttons->addWidget(Button5);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(group);
    layout->addStretch();
    layout->addLayout(buttons);
    return page;
}

void TfrmFieldSet::FormShow() {
    LoadField();
    if (const auto table = printing::loadTableSettings()) {
        txtTop->setText(QString::number(table->top));
        txtLeft->setText(QString::number(table->left));
        for (int i = 0; i < printing::kSwitches; ++i)
            switches_[std::size_t(i)]->setChecked(table->switches[std::size_t(i)]);
    }
    if (const auto titles = printing::loadTitles())
        for (int i = 0; i < printing::kTitles; ++i)
            titles_[std::size_t(i)]->setText((*titles)[std::size_t(i)]);
}

void TfrmFieldSet::LoadField() {
    const QSignalBlocker quiet(lsvField);
    lsvField->clear();
    for (const printing::FieldSetting& field : printing::loadFieldSettings()) {
        auto* item = new QTreeWidgetItem(lsvField);
        item->setText(IsShow, field.printed ? kYes : kNo);
        item->setText(Caption, field.caption);
        item->setText(Width, field.width);
        item->setText(Sort, field.sort);
        item->setText(FieldName, field.fieldName);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(IsShow, field.printed ? Qt::Checked : Qt::Unchecked);
    }
}

// A margin box holds a whole number at all times: anything else becomes 10 at once. The 10
// is chosen, so that the next key replaces it (an emptied box typed 5 must not read 105), and a
// lone sign stays as the start of a negative margin typed key by key.
void TfrmFieldSet::marginChange(QLineEdit* box) {
    const QString text = box->text().trimmed();
    if (text == u"-" || text == u"+" || printing::isWholeNumber(text))
        return;
    box->setText(kDefaultMargin);
    box->selectAll();
}

void TfrmFieldSet::Button1Click() {
    printing::TableSettings settings;
    const int limit = printing::kMaxMillimetres;
    const auto top = printing::millimetres(txtTop->text(), -limit, limit);
    if (!top) {
        notice(QStringLiteral("上边距必须是-%1到%1之间的整数（毫米）！").arg(limit));
        txtTop->setFocus();
        return;
    }
    const auto left = printing::millimetres(txtLeft->text(), -limit, limit);
    if (!left) {
        notice(QStringLiteral("左边距必须是-%1到%1之间的整数（毫米）！").arg(limit));
        txtLeft->setFocus();
        return;
    }
    settings.top = *top;
    settings.left = *left;
    for (int i = 0; i < printing::kSwitches; ++i)
        settings.switches[std::size_t(i)] = switches_[std::size_t(i)]->isChecked();
    if (printing::saveTableSettings(settings))
        notice(QStringLiteral("保存成功！"));
}

void TfrmFieldSet::lsvFieldClick() {
    if (marking_)
        return;
    marking_ = true;
    for (int i = 0; i < lsvField->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lsvField->topLevelItem(i);
        item->setText(IsShow, item->checkState(IsShow) == Qt::Checked ? kYes : kNo);
    }
    marking_ = false;
}

int TfrmFieldSet::selectedPosition() const {
    const auto selected = lsvField->selectedItems();
    return selected.isEmpty() ? -1 : lsvField->indexOfTopLevelItem(selected.front());
}

void TfrmFieldSet::swapEntries(QTreeWidgetItem* a, QTreeWidgetItem* b) {
    const QSignalBlocker quiet(lsvField);
    for (int column : {int(IsShow), int(Caption), int(Width), int(FieldName)}) {
        const QString text = a->text(column);
        a->setText(column, b->text(column));
        b->setText(column, text);
    }
    const Qt::CheckState state = a->checkState(IsShow);
    a->setCheckState(IsShow, b->checkState(IsShow));
    b->setCheckState(IsShow, state);
}

// btnUpClick (step -1) and Button2Click (step +1): the selection follows the moved field.
void TfrmFieldSet::move(int step) {
    const int position = selectedPosition();
    if (position < 0) {
        notice(QStringLiteral("请先现在要移动的字段！"));
        return;
    }
    const int target = position + step;
    if (target < 0 || target >= lsvField->topLevelItemCount())
        return;
    QTreeWidgetItem* moved = lsvField->topLevelItem(position);
    QTreeWidgetItem* neighbour = lsvField->topLevelItem(target);
    swapEntries(moved, neighbour);
    lsvField->setCurrentItem(neighbour);
    neighbour->setSelected(true);
}

// ChangeSort: each field takes the sort value of the place it now has.
void TfrmFieldSet::btnSaveClick() {
    std::vector<printing::FieldSetting> list;
    for (int i = 0; i < lsvField->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lsvField->topLevelItem(i);
        list.push_back({item->text(FieldName), item->text(Caption), item->text(Width),
                        item->text(Sort), item->checkState(IsShow) == Qt::Checked});
    }
    notice(printing::saveFieldList(list) ? QStringLiteral("设置保存成功！")
                                         : QStringLiteral("设置保存失败！"));
}

void TfrmFieldSet::BitBtn3Click() {
    const int position = selectedPosition();
    if (position < 0) {
        notice(QStringLiteral("请先现在要编辑的字段！"));
        return;
    }
    const QTreeWidgetItem* item = lsvField->topLevelItem(position);
    frmFieldEdit->setField(item->text(FieldName), item->text(Caption), item->text(Width));
    frmFieldEdit->showModal();
    LoadField();
}

void TfrmFieldSet::Button4Click() {
    printing::Titles texts;
    for (int i = 0; i < printing::kTitles; ++i)
        texts[std::size_t(i)] = titles_[std::size_t(i)]->text();
    if (printing::saveTitles(texts))
        notice(QStringLiteral("设置成功！"));
}
