#include "documents/ui/headerscans.h"

#include "documents/ui/documentgrid.h"

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

HeaderScans::HeaderScans(DocumentGrid& grid, std::initializer_list<QWidget*> boxes)
    : QObject(&grid), grid_(grid) {
    for (QWidget* box : boxes)
        box->installEventFilter(this);
}

bool HeaderScans::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto& key = static_cast<const QKeyEvent&>(*event);
    // Keys made by the program itself carry no time: never a scanner's.
    const unsigned long long at = key.timestamp();
    const bool paced = at != 0 && last_ != 0 && watched == box_.data() && at >= last_ &&
                       at - last_ <= kScannerGapMs;
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        const QString code = std::exchange(keys_, QString());
        last_ = 0;
        if (!paced || code.size() < kShortestCode || !box_)
            return false;
        putBack(*box_, before_);
        grid_.enterScannedCode(code);
        return true;
    }
    // A scanner presses Shift for each capital, as a keyboard does.
    if (key.key() == Qt::Key_Shift || key.key() == Qt::Key_CapsLock) {
        if (paced)
            last_ = at;
        return false;
    }
    if (key.text().isEmpty() || !key.text().front().isPrint()) {
        keys_.clear();
        last_ = 0;
        return false;
    }
    if (!paced) {
        box_ = qobject_cast<QWidget*>(watched);
        before_ = heldBy(*box_);
        keys_.clear();
    }
    keys_ += key.text();
    last_ = at;
    return false;
}
