#pragma once

#include <QLineEdit>

// A box for a number that checks itself on every change: a text that is not empty and not a
// number (by the program's one rule) is replaced at once, without a message, by the box's
// replacement text ("0" or "0.0", as each window says).
class NumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberEdit(const QString& replacement = QStringLiteral("0"),
                        QWidget* parent = nullptr);
    void setReplacement(const QString& replacement) { replacement_ = replacement; }

private:
    void check(const QString& text);
    QString replacement_;
};
