#include "masterdata/ui/listwindowparts.h"

#include "core/guard.h"
#include "core/ui/commonkeys.h"

#include <QBoxLayout>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace listparts {

namespace {

class KeyClicks final : public QObject {
public:
    KeyClicks(QTableView& list, std::function<void()> click)
        : QObject(&list), list_(list), click_(std::move(click)) {
        list.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &list_ || event->type() != QEvent::KeyPress)
            return false;
        // The list takes the key here, so that the click follows the row it moved to. A key it
        // leaves unaccepted (Enter, Escape) still goes on to the window.
        const int before = list_.currentIndex().row();
        static_cast<QObject&>(list_).event(event);
        if (list_.currentIndex().isValid() && list_.currentIndex().row() != before)
            runGuarded(click_);
        return true;
    }

private:
    QTableView& list_;
    std::function<void()> click_;
};

class EnterKey final : public QObject {
public:
    EnterKey(QTableView& list, std::function<void()> act)
        : QObject(&list), list_(list), act_(std::move(act)) {
        list.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &list_ || event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        runGuarded(act_);
        return true;
    }

private:
    QTableView& list_;
    std::function<void()> act_;
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
    view->setAlternatingRowColors(true);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setHighlightSections(false);
    return view;
}

void clickOnKeys(QTableView& list, std::function<void()> click) {
    new KeyClicks(list, std::move(click));
}

void enterAsDoubleClick(QTableView& list, std::function<void()> act) {
    new EnterKey(list, std::move(act));
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
