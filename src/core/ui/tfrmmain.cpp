#include "core/ui/tfrmmain.h"

#include "core/guard.h"
#include "core/mainentries.h"
#include "core/messages.h"
#include "core/productinfo.h"
#include "core/session.h"
#include "core/sysdata.h"
#include "core/ui/guardedconnect.h"
#include "core/ui/themeicon.h"
#include "core/windowregistry.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

using mainentries::Entry;

namespace {

const QString kIconArea = QStringLiteral(R"(
#icoArea { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #eef3f9, stop:1 #d9e4f1); }
#icoArea QGroupBox {
    background: #ffffff; border: 1px solid #b8c8dc; border-radius: 6px;
    margin-top: 14px; padding: 10px 8px 6px 8px;
    font-weight: bold; color: #1f4e8c;
}
#icoArea QGroupBox::title {
    subcontrol-origin: margin; subcontrol-position: top left; left: 10px; padding: 0 4px;
}
#icoArea QToolButton { font-weight: normal; color: #1c1c1c; border-radius: 4px; padding: 4px; }
#icoArea QToolButton:hover { background: #e3edf9; border: 1px solid #9bb8dd; }
#icoArea QToolButton:pressed { background: #cfe0f5; }
#icoArea QToolButton:disabled { color: #9a9a9a; }
)");

constexpr int kIconSize = 48;
constexpr int kIconButtonWidth = 104;
constexpr int kIconButtonHeight = 96;

} // namespace

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(productinfo::kMainCaption);
    resize(1024, 700);
}

void TfrmMain::Build() {
    CreateMenus();
    CreateToolBar();
    CreateIcons();
    CreateStatusBar();
}

QAction* TfrmMain::makeAction(const Entry& entry, const QString& text) {
    auto* action = new QAction(themeIcon(entry.picture), text, this);
    if (entry.code != mainentries::kAlwaysEnabled) {
        action->setEnabled(false);
        controlled_.push_back({entry.code, action});
    }
    connectGuarded(action, &QAction::triggered, this, [this, &entry] { Open(entry); });
    return action;
}

void TfrmMain::CreateMenus() {
    for (const mainentries::Group& group : mainentries::menus()) {
        QMenu* menu = menuBar()->addMenu(group.title);
        for (const QString& item : group.items) {
            if (item == mainentries::kSeparator)
                menu->addSeparator();
            else if (const Entry* entry = mainentries::byMenu(item))
                menu->addAction(makeAction(*entry, item));
        }
    }
}

void TfrmMain::CreateToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("工具栏"));
    bar->setObjectName(QStringLiteral("tlbMain"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (const QString& item : mainentries::toolBar()) {
        if (item == mainentries::kSeparator)
            bar->addSeparator();
        else if (const Entry* entry = mainentries::byTool(item))
            bar->addAction(makeAction(*entry, item));
    }
}

void TfrmMain::CreateIcons() {
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("icoArea"));
    area->setStyleSheet(kIconArea);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(18);
    const auto& groups = mainentries::iconGroups();
    for (std::size_t g = 0; g < groups.size(); ++g) {
        auto* box = new QGroupBox(groups[g].title, area);
        auto* row = new QHBoxLayout(box);
        row->setSpacing(6);
        for (const QString& name : groups[g].items) {
            const Entry* entry = mainentries::byIcon(name);
            if (!entry)
                continue;
            auto* icon = new QToolButton(box);
            icon->setDefaultAction(makeAction(*entry, entry->iconCaption));
            icon->setObjectName(name);
            icon->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
            icon->setIconSize(QSize(kIconSize, kIconSize));
            icon->setFixedSize(kIconButtonWidth, kIconButtonHeight);
            icon->setAutoRaise(true);
            row->addWidget(icon);
        }
        row->addStretch();
        // Two groups a row, the last one (the master data) across both columns.
        const int r = static_cast<int>(g) / 2;
        const int c = static_cast<int>(g) % 2;
        const bool last = g + 1 == groups.size();
        grid->addWidget(box, r, last ? 0 : c, 1, last && c == 0 ? 2 : 1);
    }
    auto* outer = new QHBoxLayout(area);
    outer->setContentsMargins(24, 20, 24, 20);
    outer->addStretch();
    auto* column = new QVBoxLayout;
    column->addStretch(1);
    column->addLayout(grid);
    column->addStretch(2);
    outer->addLayout(column);
    outer->addStretch();
    setCentralWidget(area);
}

void TfrmMain::CreateStatusBar() {
    auto* lblWelcome = new QLabel(QStringLiteral("欢迎您的体验！"), this);
    lblWelcome->setObjectName(QStringLiteral("lblWelcome"));
    lblWelcome->setMinimumWidth(220);
    lblUser = new QLabel(this);
    lblUser->setObjectName(QStringLiteral("lblUser"));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(lblWelcome);
    statusBar()->addWidget(lblUser, 1);
}

void TfrmMain::setVisible(bool visible) {
    if (visible && !loggedIn_ && !Login())
        return;
    QMainWindow::setVisible(visible);
}

bool TfrmMain::Login() {
    session::clear();
    windows::open(QStringLiteral("TfrmLogin"));
    if (!session::loggedIn())
        return false;
    loggedIn_ = true;
    Build();
    lblUser->setText(QStringLiteral("当前用户：【") + session::userName() + QStringLiteral("】"));
    setWindowState(windowState() | Qt::WindowMaximized);
    runGuarded([this] { SetPerm(); });
    return true;
}

bool TfrmMain::SetPerm(int asked) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT perm FROM perms WHERE userID=:userID"));
    q.bind(u"userID", session::userKey());
    q.open();
    bool granted = false;
    for (; !q.eof(); q.next()) {
        const long long code = q.field(u"perm").asInteger();
        granted = granted || code == asked;
        for (const Controlled& c : controlled_) {
            if (c.code == code)
                c.action->setEnabled(true);
        }
    }
    q.close();
    return granted;
}

void TfrmMain::Open(const Entry& entry) {
    if (entry.endsProgram()) {
        close();
        return;
    }
    // Permissions are granted and taken back at any counter while this one is logged in: an
    // entry opens only while the book still grants it, and the entries follow the book.
    if (entry.code != mainentries::kAlwaysEnabled) {
        for (const Controlled& c : controlled_)
            c.action->setEnabled(false);
        if (!SetPerm(entry.code)) {
            notice(QStringLiteral("您已没有使用此功能的权限，请与管理员联系！"));
            return;
        }
    }
    windows::open(entry.opens);
}
