#include "core/ui/scannertabs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

void ScannerTabs::watchApplication() {
    static QPointer<ScannerTabs> watching;
    auto* application = QCoreApplication::instance();
    if (!application || watching)
        return;
    watching = new ScannerTabs(application);
    application->installEventFilter(watching);
}

bool ScannerTabs::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || sending_)
        return false;
    // A key goes to the widget with the focus first; heard again on its way up to the parents,
    // it would seem to go into another widget and break the run.
    if (watched != QApplication::focusWidget())
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const bool plainTab = key.key() == Qt::Key_Tab && !(key.modifiers() & ~Qt::KeypadModifier);
    if (!plainTab) {
        pace_.hear(key, watched);
        return false;
    }
    // The Tab is heard as an Enter would be: it ends the code if the keys before it came at pace.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, key.modifiers(), QStringLiteral("\r"));
    enter.setTimestamp(key.timestamp());
    if (pace_.hear(enter, watched) != ScannerPace::Heard::Code)
        return false;
    sending_ = true;
    QCoreApplication::sendEvent(watched, &enter);
    sending_ = false;
    return true;
}
