#include "core/ui/wheelguard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>

void WheelGuard::watchApplication() {
    qApp->installEventFilter(new WheelGuard(qApp));
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel)
        return false;
    auto* box = qobject_cast<QWidget*>(watched);
    if (!box || !(qobject_cast<QComboBox*>(box) || qobject_cast<QAbstractSpinBox*>(box)))
        return false;
    if (box->hasFocus())
        return false;
    event->ignore();
    return true;
}
