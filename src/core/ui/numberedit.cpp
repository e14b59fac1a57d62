#include "core/ui/numberedit.h"

#include "core/numbers.h"

NumberEdit::NumberEdit(const QString& replacement, QWidget* parent)
    : QLineEdit(parent), replacement_(replacement) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QLineEdit::textChanged, this, &NumberEdit::check);
}

void NumberEdit::check(const QString& text) {
    const QString trimmed = text.trimmed();
    if (!trimmed.isEmpty() && !numbers::isNumber(trimmed))
        setText(replacement_);
}
