#include "accounts/ui/tfrmgdzc.h"

#include "accounts/assetregister.h"
#include "accounts/ui/tfrmasscatedialog.h"
#include "accounts/ui/tfrmassdialog.h"
#include "core/dates.h"
#include "core/dberror.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "core/ui/titlesort.h"
#include "masterdata/ui/listwindowparts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kCateID = Qt::UserRole;

// One picture for a node, another while it is selected.
QIcon nodeIcon(const QStyle& style) {
    QIcon icon = style.standardIcon(QStyle::SP_DirClosedIcon);
    icon.addPixmap(style.standardIcon(QStyle::SP_DirOpenIcon).pixmap(16), QIcon::Selected);
    return icon;
}

} // namespace

TfrmGDZC::TfrmGDZC(QWidget* parent)
    : TForm(parent), frmAssCateAdd(new TfrmAssCateAdd(this)),
      frmAssCateEdit(new TfrmAssCateEdit(this)), frmAssAdd(new TfrmAssAdd(this)),
      frmAssEdit(new TfrmAssEdit(this)) {
    setObjectName(QStringLiteral("frmGDZC"));
    setWindowTitle(QStringLiteral("固定资产"));
    resize(1000, 560);

    auto* bar = new QHBoxLayout;
    tlInsert = listparts::toolButton(*bar, QStringLiteral("tlInsert"), QStringLiteral("添加"),
                                     QStyle::SP_FileDialogNewFolder);
    tlEdit = listparts::toolButton(*bar, QStringLiteral("tlEdit"), QStringLiteral("修改"),
                                   QStyle::SP_FileDialogDetailedView);
    tlDel = listparts::toolButton(*bar, QStringLiteral("tlDel"), QStringLiteral("删除"),
                                  QStyle::SP_TrashIcon);
    QToolButton* tlRefresh = listparts::refreshButton(*bar);
    tlClose = listparts::toolButton(*bar, QStringLiteral("tlClose"), QStringLiteral("关闭"),
                                    QStyle::SP_DialogCloseButton);
    bar->addSpacing(24);
    bar->addWidget(new QLabel(QStringLiteral("右击鼠标，管理分类。")));
    bar->addStretch();

    tvCategory = new QTreeWidget;
    tvCategory->setObjectName(QStringLiteral("tvCategory"));
    tvCategory->setHeaderHidden(true);
    tvCategory->setContextMenuPolicy(Qt::CustomContextMenu);
    categoryMenu = new QMenu(this);
    A1 = categoryMenu->addAction(QStringLiteral("新增分类(&A)"));
    A1->setObjectName(QStringLiteral("A1"));
    E1 = categoryMenu->addAction(QStringLiteral("编辑分类(&E)"));
    E1->setObjectName(QStringLiteral("E1"));
    categoryMenu->addSeparator();
    P1 = categoryMenu->addAction(QStringLiteral("删除分类(&D)"));
    P1->setObjectName(QStringLiteral("P1"));

    DBGrid2 = listparts::listView(this, QStringLiteral("DBGrid2"));
    showSlot(*DBGrid2, sysData->QueryAsset,
             {{"cateName", "资产分类", Draw::Text, 110},
              {"assName", "资产名称", Draw::Text, 180},
              {"purPrice", "入账价值", Draw::Money, 110},
              {"purDate", "入账日期", Draw::Text, 100},
              {"remark", "备注"}});
    sortByTitleClicks(*DBGrid2);

    auto* split = new QSplitter;
    split->addWidget(tvCategory);
    split->addWidget(DBGrid2);
    split->setStretchFactor(1, 1);
    split->setSizes({220, 780});

    StatusBar1 = new QStatusBar;
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(split, 1);
    layout->addWidget(StatusBar1);

    connectGuarded(tlInsert, &QToolButton::clicked, this, [this](bool) { tlInsertClick(); });
    connectGuarded(tlEdit, &QToolButton::clicked, this, [this](bool) { tlEditClick(); });
    connectGuarded(tlDel, &QToolButton::clicked, this, [this](bool) { tlDelClick(); });
    connectGuarded(tlRefresh, &QToolButton::clicked, this, [this](bool) {
        LoadCategory();
        LoadAsset();
    });
    connectGuarded(tlClose, &QToolButton::clicked, this, [this](bool) { close(); });
    connectGuarded(A1, &QAction::triggered, this, [this](bool) { A1Click(); });
    connectGuarded(E1, &QAction::triggered, this, [this](bool) { E1Click(); });
    connectGuarded(P1, &QAction::triggered, this, [this](bool) { P1Click(); });
    // A node the person selects lists its assets; the node Qt makes current when a rebuilt
    // tree takes the focus back is not selected and lists nothing.
    connectGuarded(tvCategory, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> nodes = tvCategory->selectedItems();
        tvCategoryChange(nodes.isEmpty() ? nullptr : nodes.first());
    });
    connectGuarded(
        tvCategory, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& at) { categoryMenu->popup(tvCategory->viewport()->mapToGlobal(at)); });
}

void TfrmGDZC::FormShow() {
    LoadCategory();
    LoadAsset();
}

void TfrmGDZC::LoadCategory() {
    const QSignalBlocker quiet(tvCategory);
    tvCategory->clear();
    const QIcon icon = nodeIcon(*style());
    auto* root = new QTreeWidgetItem(tvCategory, {QStringLiteral("所有类别")});
    root->setIcon(0, icon);
    QTreeWidgetItem* kept = nullptr;
    TQuery& q = sysData->QueryCommon;
    try {
        q.load(QStringLiteral("SELECT cateID,cateName FROM Fasscate order by cateID"));
        q.open();
        for (; !q.eof(); q.next()) {
            auto* node = new QTreeWidgetItem(root, {q.field(u"cateName").asText()});
            node->setData(0, kCateID, q.field(u"cateID").asText());
            node->setIcon(0, icon);
            if (!cateID_.isEmpty() && node->data(0, kCateID).toString() == cateID_)
                kept = node;
        }
    } catch (const DbError&) {
        messages().plainNotice(QStringLiteral("查询出现异常！"), kInfoCaption);
    }
    q.close();
    tvCategory->expandAll();
    // The kept category's node shows selected, its text as it now reads.
    if (kept) {
        tvCategory->setCurrentItem(kept);
        cateText_ = kept->text(0);
    }
}

void TfrmGDZC::tvCategoryChange(QTreeWidgetItem* node) {
    if (!node)
        return;
    cateID_ = node->data(0, kCateID).toString();
    cateText_ = node->text(0);
    LoadAsset();
}

void TfrmGDZC::LoadAsset() {
    TQuery& q = sysData->QueryAsset;
    if (cateID_.isEmpty()) {
        q.load(QStringLiteral("SELECT Fasset.*,FassCate.CateName FROM Fasset,FassCate "
                              "WHERE Fasset.cateID=FassCate.cateID"));
    } else {
        q.load(QStringLiteral("SELECT Fasset.*,FassCate.CateName FROM Fasset,FassCate "
                              "WHERE Fasset.cateID=FassCate.cateID AND Fasset.cateID=:cateID"));
        q.bind(u"cateID", cateID_);
    }
    q.open();
    StatusBar1->showMessage(
        QStringLiteral("在\"%1\"，资产数量：%2").arg(cateText_).arg(q.recordCount()));
}

bool TfrmGDZC::HasAssets() const {
    return sysData->QueryAsset.recordCount() > 0;
}

void TfrmGDZC::A1Click() {
    frmAssCateAdd->showModal();
    if (frmAssCateAdd->saved())
        LoadCategory();
}

void TfrmGDZC::E1Click() {
    if (cateID_.isEmpty()) {
        notice(QStringLiteral("请选择要修改的分类名称！"));
        return;
    }
    frmAssCateEdit->setCategory(cateID_, cateText_);
    frmAssCateEdit->showModal();
    if (!frmAssCateEdit->saved() && !frmAssCateEdit->stale())
        return;
    LoadCategory(); // the list stays as it is until a node is selected again
}

void TfrmGDZC::P1Click() {
    if (cateID_.isEmpty()) {
        notice(QStringLiteral("请选择要删除的分类名称！"));
        return;
    }
    if (HasAssets()) {
        notice(QStringLiteral("此分类下存在资产信息，不能删除！"));
        return;
    }
    if (!confirmed(QStringLiteral("确定要删除分类\"%1\"吗？").arg(cateText_)))
        return;
    if (!assets::deleteCategory(cateID_)) {
        // Removed, or given an asset, by another counter meanwhile: show both as they are.
        LoadCategory();
        LoadAsset();
        return;
    }
    cateID_.clear();
    cateText_.clear();
    LoadCategory();
    notice(QStringLiteral("删除成功！"));
}

void TfrmGDZC::tlInsertClick() {
    if (!cateID_.isEmpty())
        frmAssAdd->setCategory(cateID_);
    frmAssAdd->showModal();
    if (frmAssAdd->stale())
        LoadCategory(); // the chosen category was deleted meanwhile
    if (frmAssAdd->saved())
        LoadAsset();
}

void TfrmGDZC::tlEditClick() {
    if (!HasAssets()) {
        notice(QStringLiteral("请选择要编辑的资产！"));
        return;
    }
    const TQuery& q = sysData->QueryAsset;
    frmAssEdit->setAsset(masterrows::shownRow(masterrows::kAsset, q.field(u"assID").asText(), q),
                         q.field(u"cateID").asText(), q.field(u"assName").asText(),
                         q.field(u"purPrice").asText(), q.field(u"remark").asText(),
                         dates::fromText(q.field(u"purDate").asText()));
    frmAssEdit->showModal();
    if (frmAssEdit->stale())
        LoadCategory();
    if (frmAssEdit->saved() || frmAssEdit->stale())
        LoadAsset();
}

void TfrmGDZC::tlDelClick() {
    if (!HasAssets()) {
        notice(QStringLiteral("请选择要删除的资产！"));
        return;
    }
    const TQuery& q = sysData->QueryAsset;
    if (!confirmed(QStringLiteral("确定要删除资产：\"%1\"吗？").arg(q.field(u"assName").asText())))
        return;
    // Reloaded whatever came of it: a refusal is another counter's deletion.
    assets::deleteAsset(q.field(u"assID").asText());
    LoadAsset();
}
