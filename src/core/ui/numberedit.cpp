#include "core/ui/numberedit.h"

#include "core/numbers.h"

#include <QKeyEvent>
#include <QSignalBlocker>
#include <QValidator>

namespace {

// Accepts every text (the boxes judge it themselves) after narrowing it and dropping the
// separators people write between groups of digits ("1,200", "1 200", "1，200"): the box takes
// the changed text in place of the typed one, with its cursor where it was. Kept, a separator
// would make the text no number and the box would replace what came before it.
class NarrowingValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& cursor) const override {
        input = numbers::narrowed(input);
        for (qsizetype i = input.size() - 1; i >= 0; --i) {
            if (input[i] != u',' && input[i] != u' ')
                continue;
            input.remove(i, 1);
            if (i < cursor)
                --cursor;
        }
        return Acceptable;
    }
};

} // namespace

void takeNumbers(QLineEdit& box) {
    box.setAttribute(Qt::WA_InputMethodEnabled, false);
    box.setValidator(new NarrowingValidator(&box));
}

NumberEdit::NumberEdit(const QString& replacement, QWidget* parent)
    : QLineEdit(parent), replacement_(replacement) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    takeNumbers(*this);
    connect(this, &QLineEdit::textChanged, this, &NumberEdit::check);
}

void NumberEdit::check(const QString& text) {
    if (!numbers::isOnTheWayToNumber(text.trimmed()))
        setText(replacement_);
}

void NumberEdit::judge() {
    const QString trimmed = text().trimmed();
    if (!trimmed.isEmpty() && !numbers::isNumber(trimmed))
        setText(replacement_);
    if (!showsCents_)
        return;
    const auto value = Decimal::parse(text().trimmed());
    if (value && value->cents() == *value && text() != numbers::fixed2(*value)) {
        // The same value in another form: nobody listening needs to judge it again.
        const QSignalBlocker quiet(this);
        setText(numbers::fixed2(*value));
    }
}

void NumberEdit::judgeAll(QWidget& window) {
    for (NumberEdit* box : window.findChildren<NumberEdit*>())
        box->judge();
}

void NumberEdit::focusOutEvent(QFocusEvent* event) {
    judge();
    QLineEdit::focusOutEvent(event);
}

// Enter also presses the window's default button: the box is judged before.
void NumberEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        judge();
    QLineEdit::keyPressEvent(event);
}
