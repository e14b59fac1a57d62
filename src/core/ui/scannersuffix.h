#pragma once

#include "core/ui/scannerpace.h"

#include <QObject>
#include <QPointer>

class QWidget;

// What a scanner sends after a code, as it is set: Enter, which every window takes a scanned
// code by; Tab, as for filling in forms; or Enter twice (CR and LF). Watching every key the
// program is given, this turns the Tab that ends a code arriving at a scanner's pace into that
// Enter, and drops an Enter or Tab that follows a code's end at once. Without it a code's Tab
// left the lines of a document, so that the next code landed in the amount settled, and a
// second Enter pressed whatever the first had opened: the count of a product saved its book
// quantity as counted, a message about an unknown code closed before it was seen.
class ScannerSuffix : public QObject {
public:
    // Watches the application's keys for as long as the application lives.
    static void watchApplication();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    ScannerPace pace_;
    unsigned long long codeEndedAt_ = 0; // the time of the last code's end
    const QEvent* ourEnter_ = nullptr;   // the Enter a Tab is delivered as, while it is
    // The key last heard and the widget it went to, so that the same key passed on to the
    // widget's parents is heard once.
    const QEvent* lastKey_ = nullptr;
    QPointer<QWidget> lastWidget_;
};
