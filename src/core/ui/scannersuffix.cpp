#include "core/ui/scannersuffix.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

bool isEnter(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

bool isPlainTab(const QKeyEvent& key) {
    return key.key() == Qt::Key_Tab && !(key.modifiers() & ~Qt::KeypadModifier);
}

} // namespace

void ScannerSuffix::watchApplication() {
    static QPointer<ScannerSuffix> watching;
    auto* application = QCoreApplication::instance();
    if (!application || watching)
        return;
    watching = new ScannerSuffix(application);
    application->installEventFilter(watching);
}

bool ScannerSuffix::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::KeyPress || !widget || event == ourEnter_)
        return false;
    // A key the widget leaves goes on to its parents: heard again there, it would seem to go
    // into another widget and break the run. (A list handing the key to the cell editor it
    // opens hands it down, and the run begins in the editor.) The window that has the keys is
    // not always the one the application holds active, so the focus cannot tell.
    const bool passedUp = event == lastKey_ && lastWidget_ && widget != lastWidget_ &&
                          widget->isAncestorOf(lastWidget_);
    lastKey_ = event;
    lastWidget_ = widget;
    if (passedUp)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const unsigned long long at = key.timestamp();
    if ((isEnter(key) || isPlainTab(key)) && codeEndedAt_ != 0 && at >= codeEndedAt_ &&
        at - codeEndedAt_ <= ScannerPace::kScannerGapMs) {
        codeEndedAt_ = 0;
        return true;
    }
    if (!isPlainTab(key)) {
        if (pace_.hear(key, watched) == ScannerPace::Heard::Code)
            codeEndedAt_ = at;
        return false;
    }
    // The Tab is heard as an Enter would be: it ends the code if the keys before it came at pace.
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, key.modifiers(), QStringLiteral("\r"));
    enter.setTimestamp(at);
    if (pace_.hear(enter, watched) != ScannerPace::Heard::Code)
        return false;
    codeEndedAt_ = at;
    // What the Enter sets off may take long (a message about the code): the next code's keys,
    // and a second end of this one, are heard meanwhile.
    ourEnter_ = &enter;
    QCoreApplication::sendEvent(watched, &enter);
    ourEnter_ = nullptr;
    return true;
}
