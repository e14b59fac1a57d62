#include "core/ui/typedsearch.h"

#include "core/guard.h"

#include <QFocusEvent>
#include <QLineEdit>

TypedSearch::TypedSearch(QLineEdit& box, std::function<void()> search)
    : QObject(&box), box_(box), search_(std::move(search)) {
    pause_.setSingleShot(true);
    pause_.setInterval(kPauseMs);
    connect(&pause_, &QTimer::timeout, this, [this] { runGuarded(search_); });
    connect(&box_, &QLineEdit::textEdited, &pause_, qOverload<>(&QTimer::start));
    connect(&box_, &QLineEdit::returnPressed, this, [this] { searchNow(); });
    box_.installEventFilter(this);
}

void TypedSearch::searchNow() {
    pause_.stop();
    runGuarded(search_);
}

bool TypedSearch::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &box_ || event->type() != QEvent::FocusOut || !pause_.isActive())
        return false;
    // By the mouse the rows clicked stay the rows seen; by the keyboard the list one goes into
    // is the one typed for; another window taking the focus leaves the pause to run out.
    if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason)
        pause_.stop();
    else if (box_.window()->isActiveWindow())
        searchNow();
    return false;
}
