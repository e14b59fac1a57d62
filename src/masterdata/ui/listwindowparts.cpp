#include "masterdata/ui/listwindowparts.h"

#include "core/guard.h"
#include "core/ui/commonkeys.h"
#include "core/ui/slotmodel.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace listparts {

namespace {

// Hears the key presses of a list; the handler says whether it took the key.
class ListKeys final : public QObject {
public:
    using Handler = std::function<bool(QTableView&, QKeyEvent&)>;
    ListKeys(QTableView& list, Handler handle)
        : QObject(&list), list_(list), handle_(std::move(handle)) {
        list.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return watched == &list_ && event->type() == QEvent::KeyPress &&
               handle_(list_, *static_cast<QKeyEvent*>(event));
    }

private:
    QTableView& list_;
    Handler handle_;
};

} // namespace

QToolButton* toolButton(QBoxLayout& bar, const QString& name, const QString& text,
                        QStyle::StandardPixmap icon) {
    auto* button = new QToolButton;
    button->setObjectName(name);
    button->setText(text);
    button->setIcon(button->style()->standardIcon(icon));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setMinimumWidth(64);
    bar.addWidget(button);
    return button;
}

EditButtons editButtons(QBoxLayout& bar, const QString& editText) {
    return {toolButton(bar, QStringLiteral("tlAdd"), QStringLiteral("添加"),
                       QStyle::SP_FileDialogNewFolder),
            toolButton(bar, QStringLiteral("tlEdit"), editText, QStyle::SP_FileDialogDetailedView),
            toolButton(bar, QStringLiteral("tlDel"), QStringLiteral("删除"), QStyle::SP_TrashIcon)};
}

QToolButton* refreshButton(QBoxLayout& bar) {
    QToolButton* button = toolButton(bar, QStringLiteral("tlRefresh"), QStringLiteral("刷新"),
                                     QStyle::SP_BrowserReload);
    button->setToolTip(QStringLiteral("重新读取列表 (F5)"));
    setCommonKey(*button, CommonKey::Search);
    return button;
}

QTableView* listView(QWidget* parent, const QString& name) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    dressAsList(*view);
    view->setAlternatingRowColors(true);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setHighlightSections(false);
    return view;
}

void clickOnKeys(QTableView& list, std::function<void()> click) {
    new ListKeys(list, [click = std::move(click)](QTableView& view, QKeyEvent& key) {
        // The list takes the key here, so that the click follows the row it moved to. A key
        // it leaves unaccepted (Enter, Escape) still goes on to the window.
        const int before = view.currentIndex().row();
        static_cast<QObject&>(view).event(&key);
        if (view.currentIndex().isValid() && view.currentIndex().row() != before)
            runGuarded(click);
        return true;
    });
}

void actOnRow(QTableView& list, std::function<void()> act) {
    QObject::connect(&list, &QTableView::doubleClicked, &list,
                     [act](const QModelIndex&) { runGuarded(act); });
    new ListKeys(list, [act = std::move(act)](QTableView&, QKeyEvent& key) {
        if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter)
            return false;
        runGuarded(act);
        return true;
    });
}

QPushButton* dialogButton(QBoxLayout& row, const QString& name, const QString& text,
                          bool isDefault) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    button->setDefault(isDefault);
    button->setAutoDefault(isDefault);
    row.addWidget(button);
    return button;
}

} // namespace listparts
