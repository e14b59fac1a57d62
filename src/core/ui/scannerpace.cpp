#include "core/ui/scannerpace.h"

#include <QKeyEvent>
#include <utility>

ScannerPace::Heard ScannerPace::hear(const QKeyEvent& key, QObject* into) {
    const unsigned long long at = key.timestamp();
    const bool paced =
        at != 0 && last_ != 0 && into == into_.data() && at >= last_ && at - last_ <= kScannerGapMs;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        code_ = std::exchange(keys_, QString());
        last_ = 0;
        return paced && code_.size() >= shortestCode_ ? Heard::Code : Heard::Other;
    }
    // A scanner presses Shift for each capital, as a keyboard does.
    if (key.key() == Qt::Key_Shift || key.key() == Qt::Key_CapsLock) {
        if (paced)
            last_ = at;
        return paced ? Heard::NextKey : Heard::Other;
    }
    if (key.text().isEmpty() || !key.text().front().isPrint()) {
        keys_.clear();
        last_ = 0;
        return Heard::Other;
    }
    if (!paced) {
        into_ = into;
        keys_.clear();
    }
    keys_ += key.text();
    last_ = at;
    return paced ? Heard::NextKey : Heard::FirstKey;
}
