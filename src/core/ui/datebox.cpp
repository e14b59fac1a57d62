#include "core/ui/datebox.h"

#include "core/dates.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

DateBox::DateBox(const QString& name, QWidget* parent) : QDateEdit(parent) {
    setObjectName(name);
    setCalendarPopup(true);
    setDisplayFormat(dates::kFormat);
    lineEdit()->installEventFilter(this);
}

bool DateBox::isCode(const QString& typed) {
    constexpr int kDigitsOfADate = 8; // yyyyMMdd
    const auto digits =
        std::count_if(typed.begin(), typed.end(), [](QChar c) { return c.isDigit(); });
    return digits > kDigitsOfADate ||
           std::any_of(typed.begin(), typed.end(), [](QChar c) { return c.isLetter(); });
}

bool DateBox::focusNextPrevChild(bool next) {
    // The date box's own would step through its parts first.
    return QWidget::focusNextPrevChild(next);
}

void DateBox::focusInEvent(QFocusEvent* event) {
    typed_ = ScannedKeys();
    QDateEdit::focusInEvent(event);
}

bool DateBox::eventFilter(QObject* watched, QEvent* event) {
    // Typed at a bare cursor, "2016" inside "2026" makes no date and every key is refused. A
    // click that selected text itself (a double click, a drag) keeps its selection.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease &&
        !lineEdit()->hasSelectedText() && currentSection() != NoSection)
        setSelectedSection(currentSection());
    return QDateEdit::eventFilter(watched, event);
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    // Every key still does what it does in a date box; only a code's Enter is taken here.
    const bool scanned = pace_.hear(*event, this) == ScannerPace::Heard::Code;
    if (typed_.active() && typed_.take(*event) == ScannedKeys::Took::Code &&
        (scanned || isCode(typed_.code()))) {
        setDate(before_);
        event->accept();
        emit codeScanned(typed_.code());
        return;
    }
    if (!typed_.active() && !event->text().isEmpty() && event->text().front().isPrint()) {
        before_ = date();
        typed_.begin(event->text());
    }
    QDateEdit::keyPressEvent(event);
}
