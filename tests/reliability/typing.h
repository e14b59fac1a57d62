#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

// Types any text into a box one character at a time, as a keyboard or an input method would
// deliver it (QTest's key clicks know only ASCII): a surrogate pair arrives as one character.
inline void typeText(QWidget& box, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(&box, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(&box, &release);
    }
}

// Empties the box and types the text, so that every change handler runs.
inline void retype(QLineEdit& box, const QString& text) {
    box.setFocus();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    typeText(box, text);
}
