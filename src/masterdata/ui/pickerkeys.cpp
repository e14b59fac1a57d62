#include "masterdata/ui/pickerkeys.h"

#include "core/guard.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <algorithm>

namespace {

// Typed in a list or a tree, a code went to its own look-up by first letters, which jumped to
// the nearest row, and its Enter chose that row: another product. The box takes it instead,
// its old text replaced, and searches as if the person had typed it there.
class TypedIntoBox : public QObject {
public:
    TypedIntoBox(QWidget& from, QLineEdit& box) : QObject(&from), box_(box) {
        from.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (!startsSearch(key))
            return false;
        box_.setFocus(Qt::OtherFocusReason);
        box_.selectAll();
        QKeyEvent typed(QEvent::KeyPress, key.key(), key.modifiers(), key.text(),
                        key.isAutoRepeat(), ushort(key.count()));
        typed.setTimestamp(key.timestamp());
        QCoreApplication::sendEvent(&box_, &typed);
        return true;
    }

private:
    // A key that types text (a scanner sends Shift for each capital, as a keyboard does).
    static bool startsSearch(const QKeyEvent& key) {
        return !(key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) &&
               !key.text().isEmpty() && key.text().front().isPrint() &&
               !key.text().front().isSpace();
    }

    QLineEdit& box_;
};

class PickerKeys : public QObject {
public:
    PickerKeys(QLineEdit& box, QTableView& list, std::function<void()> choose)
        : QObject(&list), box_(box), list_(list), choose_(std::move(choose)) {
        box_.installEventFilter(this);
        list_.installEventFilter(this);
        typeIntoSearchBox(list_, box_);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        if (watched == &box_)
            return fromBox(key->key());
        if (watched == &list_)
            return fromList(key->key());
        return false;
    }

private:
    bool fromBox(int key) {
        if (key != Qt::Key_Down && key != Qt::Key_PageDown)
            return false;
        list_.setFocus(Qt::TabFocusReason);
        // The cursor goes on a shown cell of its row: on a hidden one the arrows would not move.
        if (list_.model() && list_.model()->rowCount() > 0) {
            const int row = std::max(0, list_.currentIndex().row());
            list_.setCurrentIndex(list_.model()->index(row, firstShownColumn()));
        }
        return true;
    }

    bool fromList(int key) {
        switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            runGuarded(choose_);
            return true;
        case Qt::Key_Up:
            if (list_.currentIndex().row() > 0)
                return false;
            box_.setFocus(Qt::BacktabFocusReason);
            return true;
        default:
            return false;
        }
    }

    int firstShownColumn() const {
        for (int c = 0; c < list_.model()->columnCount(); ++c)
            if (!list_.isColumnHidden(c))
                return c;
        return 0;
    }

    QLineEdit& box_;
    QTableView& list_;
    std::function<void()> choose_;
};

} // namespace

void typeIntoSearchBox(QWidget& from, QLineEdit& searchBox) {
    new TypedIntoBox(from, searchBox);
}

void chooseByKeys(QLineEdit& searchBox, QTableView& list, std::function<void()> choose) {
    new PickerKeys(searchBox, list, std::move(choose));
}
