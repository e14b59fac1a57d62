#include "core/ui/scannedkeys.h"

#include <QKeyEvent>
#include <utility>

ScannedKeys::Took ScannedKeys::take(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        code_ = std::exchange(keys_, QString());
        return Took::Code;
    }
    // A scanner presses Shift for each capital, as a keyboard does.
    switch (event.key()) {
    case Qt::Key_Shift:
    case Qt::Key_CapsLock:
        return Took::Key;
    default:
        break;
    }
    if (event.text().isEmpty() || !event.text().front().isPrint()) {
        keys_ = QString();
        return Took::Nothing;
    }
    keys_ += event.text();
    return Took::Key;
}
