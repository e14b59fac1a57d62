#include "admin/ui/tfrmuser.h"

#include "admin/ui/formparts.h"
#include "admin/ui/tfrmuseradd.h"
#include "admin/useraccounts.h"
#include "core/dberror.h"
#include "core/mainentries.h"
#include "core/messages.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/slotmodel.h"
#include "masterdata/ui/listwindowparts.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Item i of the check list is permission code i.
const QStringList kPermissionNames = {
    QStringLiteral("采购进货"),         QStringLiteral("采购退货"),
    QStringLiteral("进价查询"),         QStringLiteral("商品销售"),
    QStringLiteral("顾客退货"),         QStringLiteral("售价查询"),
    QStringLiteral("商品库存"),         QStringLiteral("库存盘点"),
    QStringLiteral("库存调拨"),         QStringLiteral("报损报溢"),
    QStringLiteral("应收应付"),         QStringLiteral("现金银行"),
    QStringLiteral("固定资产"),         QStringLiteral("营业统计"),
    QStringLiteral("商品采购统计"),     QStringLiteral("商品销售统计"),
    QStringLiteral("商品销售分析"),     QStringLiteral("单据综合查询"),
    QStringLiteral("仓库设置"),         QStringLiteral("商品设置"),
    QStringLiteral("供应商管理"),       QStringLiteral("客户管理"),
    QStringLiteral("员工管理"),         QStringLiteral("用户管理"),
    QStringLiteral("数据备份"),         QStringLiteral("数据还原"),
    QStringLiteral("系统初始化"),       QStringLiteral("当日营业统计"),
    QStringLiteral("本月营业统计"),     QStringLiteral("采购单据查询"),
    QStringLiteral("采购退货单据查询"), QStringLiteral("销售单据查询"),
    QStringLiteral("销售退货单据查询"), QStringLiteral("库存调拨单据查询"),
    QStringLiteral("报损报溢单据查询"),
};

const QString kAdministrator = QStringLiteral("管理员");
constexpr int kKeyColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kPermRows = (mainentries::kCodeCount + 1) / 2; // two columns

QFrame* separator(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

TfrmUser::TfrmUser(TfrmUserAdd& frmUserAdd, QWidget* parent)
    : TForm(parent), frmUserAdd(frmUserAdd) {
    setObjectName(QStringLiteral("frmUser"));
    setWindowTitle(QStringLiteral("用户管理"));
    Q_ASSERT(kPermissionNames.size() == mainentries::kCodeCount);

    auto* bar = new QHBoxLayout;
    tlAdd = listparts::toolButton(*bar, QStringLiteral("tlAdd"), QStringLiteral("添加用户"),
                                  QStyle::SP_FileDialogNewFolder);
    tlDel = listparts::toolButton(*bar, QStringLiteral("tlDel"), QStringLiteral("删除用户"),
                                  QStyle::SP_TrashIcon);
    QToolButton* tlRefresh = listparts::refreshButton(*bar);
    bar->addWidget(separator(this));
    tlExit = listparts::toolButton(*bar, QStringLiteral("tlExit"), QStringLiteral("退出         "),
                                   QStyle::SP_DialogCloseButton);
    bar->addStretch();

    lsvUser = new QTableWidget(0, 2, this);
    lsvUser->setObjectName(QStringLiteral("lsvUser"));
    lsvUser->setHorizontalHeaderLabels({QStringLiteral("用户编号"), QStringLiteral("用户名称")});
    dressAsList(*lsvUser);
    lsvUser->setShowGrid(true);
    lsvUser->horizontalHeader()->setHighlightSections(false);
    lsvUser->horizontalHeader()->setStretchLastSection(true);
    lsvUser->setColumnWidth(kKeyColumn, 80);
    lsvUser->setMinimumWidth(260);

    lstPerm = new QListWidget(this);
    lstPerm->setObjectName(QStringLiteral("lstPerm"));
    lstPerm->setFlow(QListView::TopToBottom);
    lstPerm->setWrapping(true);
    lstPerm->setSelectionMode(QAbstractItemView::NoSelection);
    for (const QString& name : kPermissionNames) {
        auto* item = new QListWidgetItem(name, lstPerm);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    const int rowHeight = lstPerm->sizeHintForRow(0) + 4;
    lstPerm->setGridSize(QSize(160, rowHeight));
    lstPerm->setFixedSize(2 * 160 + 2 * lstPerm->frameWidth() + 6,
                          kPermRows * rowHeight + 2 * lstPerm->frameWidth() + 4);
    lstPerm->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstPerm->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    btnPerm = new QPushButton(QStringLiteral("授权(&P)"), this);
    btnPerm->setObjectName(QStringLiteral("btnPerm"));
    btnClose = new QPushButton(QStringLiteral("关闭(&C)"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));

    auto* perms = new QVBoxLayout;
    perms->addWidget(
        buddyLabel(this, QStringLiteral("lblPerm"), QStringLiteral("用户权限："), lstPerm));
    perms->addWidget(lstPerm);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnPerm);
    buttons->addWidget(btnClose);
    perms->addLayout(buttons);
    auto* body = new QHBoxLayout;
    body->addWidget(lsvUser, 1);
    body->addLayout(perms);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addLayout(body);
    resize(sizeHint()); // the user list grows with the window

    connectGuarded(tlAdd, &QToolButton::clicked, this, [this] { tlAddClick(); });
    connectGuarded(tlDel, &QToolButton::clicked, this, [this] { tlDelClick(); });
    connectGuarded(tlRefresh, &QToolButton::clicked, this, [this] { LoadUser(); });
    connectGuarded(tlExit, &QToolButton::clicked, this, [this] { close(); });
    // Arrow keys select as clicks do.
    connectGuarded(lsvUser, &QTableWidget::itemSelectionChanged, this, [this] {
        if (SelectedRow() >= 0)
            lsvUserClick(SelectedRow());
    });
    connectGuarded(btnPerm, &QPushButton::clicked, this, [this] { btnPermClick(); });
    connectGuarded(btnClose, &QPushButton::clicked, this, [this] { close(); });
}

void TfrmUser::FormShow() {
    LoadUser();
}

void TfrmUser::LoadUser() {
    const QSignalBlocker quiet(lsvUser);
    lsvUser->clearSelection();
    lsvUser->setRowCount(0);
    for (const useraccounts::User& user : useraccounts::list()) {
        const int row = lsvUser->rowCount();
        lsvUser->insertRow(row);
        lsvUser->setItem(row, kKeyColumn, new QTableWidgetItem(user.key));
        lsvUser->setItem(row, kNameColumn, new QTableWidgetItem(user.name));
    }
    lsvUser->setCurrentIndex(QModelIndex());
}

int TfrmUser::SelectedRow() const {
    const QModelIndexList rows = lsvUser->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString TfrmUser::SelectedKey() const {
    return lsvUser->item(SelectedRow(), kKeyColumn)->text();
}

bool TfrmUser::SelectedIsAdministrator() const {
    return lsvUser->item(SelectedRow(), kNameColumn)->text().trimmed() == kAdministrator;
}

void TfrmUser::lsvUserClick(int row) {
    btnPerm->setEnabled(!SelectedIsAdministrator());
    for (int i = 0; i < lstPerm->count(); ++i)
        lstPerm->item(i)->setCheckState(Qt::Unchecked);
    shownKey_ = lsvUser->item(row, kKeyColumn)->text();
    shownPerms_ = useraccounts::permissions(shownKey_);
    for (const long long code : shownPerms_)
        if (code >= 0 && code < lstPerm->count())
            lstPerm->item(static_cast<int>(code))->setCheckState(Qt::Checked);
}

void TfrmUser::tlAddClick() {
    frmUserAdd.showModal();
    LoadUser();
}

void TfrmUser::tlDelClick() {
    if (SelectedRow() < 0) {
        notice(QStringLiteral("请选择要删除的用户！"));
        return;
    }
    if (SelectedIsAdministrator()) {
        notice(QStringLiteral("管理员是系统默认用户，不能删除！"));
        return;
    }
    if (!confirmed(QStringLiteral("确定删除此用户吗？")))
        return;
    const bool removed = useraccounts::remove(SelectedKey().toLongLong());
    LoadUser();
    if (removed)
        notice(QStringLiteral("此用户删除成功！"));
}

void TfrmUser::btnPermClick() {
    if (SelectedRow() < 0) {
        notice(QStringLiteral("请选择用户后，再进行授权！"));
        return;
    }
    std::vector<int> codes;
    for (int i = 0; i < lstPerm->count(); ++i)
        if (lstPerm->item(i)->checkState() == Qt::Checked)
            codes.push_back(i);
    bool granted = false;
    try {
        // The ticks loaded from this user are compared with the book; others are as ticked.
        const auto shown = SelectedKey() == shownKey_
                               ? std::optional<std::vector<long long>>(shownPerms_)
                               : std::nullopt;
        granted = useraccounts::grant(SelectedKey(), codes, shown);
    } catch (const DbError&) {
        notice(QStringLiteral("此用户授权失败！请重新授权！"));
        return;
    }
    if (!granted) {
        // Removed by another counter meanwhile, or given other permissions there: the list and
        // the ticks show the book again.
        const QString key = SelectedKey();
        LoadUser();
        for (int row = 0; row < lsvUser->rowCount(); ++row)
            if (lsvUser->item(row, kKeyColumn)->text() == key) {
                lsvUser->selectRow(row);
                lsvUserClick(row);
            }
        return;
    }
    shownKey_ = SelectedKey();
    shownPerms_.assign(codes.begin(), codes.end());
    notice(QStringLiteral("此用户授权成功！"));
}
