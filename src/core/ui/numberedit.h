#pragma once

#include <QLineEdit>

// Makes a line box one that takes numbers: the input method stays out of it (its keys arrive
// as typed), and the wide forms an input method or a pasted text still brings (１２．５, 12。5)
// become the digits and point they stand for as they arrive, before anyone judges the text;
// the commas and blanks that group digits are dropped as they arrive.
void takeNumbers(QLineEdit& box);

// A box for a number. What a person types on the way to a number ("-", ".", "1e-") stays as
// typed; the box judges its text when the person leaves it (Tab, a click elsewhere, Enter) or
// when the window saves: a text that is then not empty and not a number is replaced, without a
// message, by the box's replacement text ("0" or "0.0", as each window says). A text that can
// never become a number ("1x") is replaced at once.
class NumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberEdit(const QString& replacement = QStringLiteral("0"),
                        QWidget* parent = nullptr);
    void setReplacement(const QString& replacement) { replacement_ = replacement; }
    // A box of money: once judged, a number with at most two decimals shows exactly two
    // (20.5 as 20.50); one with more keeps them, so that the value is always what was typed.
    void setShowsCents(bool on) { showsCents_ = on; }

    // Replaces a text that is not a number, as leaving the box does.
    void judge();
    // Judges every number box of the window, before it reads them to save.
    static void judgeAll(QWidget& window);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void check(const QString& text);
    QString replacement_;
    bool showsCents_ = false;
};
