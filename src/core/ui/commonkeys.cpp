#include "core/ui/commonkeys.h"

#include "core/guard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>
#include <QWidget>

namespace {

constexpr const char* kProperty = "commonKey";

struct Binding {
    CommonKey key;
    QKeySequence sequence;
};

const Binding kBindings[] = {{CommonKey::Save, QKeySequence(Qt::CTRL | Qt::Key_S)},
                             {CommonKey::Print, QKeySequence(Qt::CTRL | Qt::Key_P)},
                             {CommonKey::FindBox, QKeySequence(Qt::CTRL | Qt::Key_F)},
                             {CommonKey::Search, QKeySequence(Qt::Key_F5)},
                             {CommonKey::PickCounterpart, QKeySequence(Qt::Key_F3)}};

int bit(CommonKey key) {
    return 1 << int(key);
}

// The window's control for the key that a person could use now.
QWidget* controlFor(QWidget& window, CommonKey key) {
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if ((child->property(kProperty).toInt() & bit(key)) && child->window() == &window &&
            child->isVisibleTo(&window) && child->isEnabled())
            return child;
    }
    return nullptr;
}

} // namespace

void setCommonKey(QWidget& control, CommonKey key) {
    control.setProperty(kProperty, control.property(kProperty).toInt() | bit(key));
}

bool triggerCommonKey(QWidget& window, CommonKey key) {
    QWidget* control = controlFor(window, key);
    if (!control)
        return false;
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->click();
        return true;
    }
    control->setFocus(Qt::ShortcutFocusReason);
    auto* box = qobject_cast<QLineEdit*>(control);
    if (key == CommonKey::FindBox) {
        if (box)
            box->selectAll();
    } else {
        // A search box searches on Enter: F5 presses it.
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(control, &enter);
    }
    return true;
}

void installCommonKeys(QWidget& window) {
    for (const Binding& b : kBindings) {
        auto* shortcut = new QShortcut(b.sequence, &window);
        QObject::connect(shortcut, &QShortcut::activated, &window, [&window, key = b.key] {
            runGuarded([&] { triggerCommonKey(window, key); });
        });
    }
}
