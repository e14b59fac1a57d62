#include "core/ui/strayscans.h"

#include "core/messages.h"
#include "core/ui/datebox.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <utility>

namespace {

QVariant heldBy(QWidget& box) {
    if (auto* line = qobject_cast<QLineEdit*>(&box))
        return line->text();
    if (auto* combo = qobject_cast<QComboBox*>(&box))
        return combo->isEditable() ? QVariant(combo->currentText())
                                   : QVariant(combo->currentIndex());
    return {};
}

void putBack(QWidget& box, const QVariant& held) {
    if (auto* line = qobject_cast<QLineEdit*>(&box)) {
        line->setText(held.toString());
    } else if (auto* combo = qobject_cast<QComboBox*>(&box)) {
        if (combo->isEditable())
            combo->setEditText(held.toString());
        else
            combo->setCurrentIndex(held.toInt());
    }
}

} // namespace

StrayScans::StrayScans(QWidget& window, std::vector<QWidget*> homes,
                       std::function<void(const QString&)> take)
    : QObject(&window), window_(window), homes_(std::move(homes)), take_(std::move(take)) {
    window.installEventFilter(this);
}

// The widgets a key typed in the window can reach: not the homes of codes, not the date box,
// and not the parts of a combo box or a spin box (their keys come through the box itself).
bool StrayScans::takesStrayKeys(const QWidget& widget) const {
    if (widget.focusPolicy() == Qt::NoFocus || qobject_cast<const DateBox*>(&widget))
        return false;
    for (const QWidget* home : homes_)
        if (&widget == home || home->isAncestorOf(&widget))
            return false;
    const QWidget* parent = widget.parentWidget();
    return !qobject_cast<const QComboBox*>(parent) &&
           !qobject_cast<const QAbstractSpinBox*>(parent);
}

void StrayScans::watchWindow() {
    watching_ = true;
    for (QWidget* widget : window_.findChildren<QWidget*>())
        if (takesStrayKeys(*widget))
            widget->installEventFilter(this);
}

bool StrayScans::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched == &window_ && !watching_)
        watchWindow();
    if (event->type() != QEvent::KeyPress || watched == &window_)
        return false;
    switch (pace_.hear(static_cast<const QKeyEvent&>(*event), watched)) {
    case ScannerPace::Heard::FirstKey:
        box_ = qobject_cast<QWidget*>(watched);
        before_ = heldBy(*box_);
        return false;
    case ScannerPace::Heard::Code:
        if (!box_ || box_ != watched)
            return false;
        putBack(*box_, before_);
        take_(pace_.code());
        return true;
    default:
        return false;
    }
}

void refuseScans(QWidget& window, std::vector<QWidget*> texts) {
    new StrayScans(window, std::move(texts), [](const QString& code) {
        notice(QStringLiteral("刚扫描的“%1”不能录入此处，未录入。").arg(code));
    });
}
