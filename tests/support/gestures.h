#pragma once

#include <QLineEdit>
#include <QPoint>
#include <QString>
#include <QTest>
#include <QWidget>

// Gestures QTest lacks: a whole double click and typing any text, Chinese included.
namespace drive {

// Press, release, double click, release: what a person's double click delivers, so that item
// views see the press on the item before the double click.
inline void doubleClick(QWidget* widget, QPoint at) {
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

// Types the text key by key into the widget; characters beyond Latin-1 come as the text of
// a key event, as an input method delivers them.
inline void keys(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Empties the box and types the text.
inline void typeAny(QLineEdit& box, const QString& text) {
    box.setFocus();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    keys(&box, text);
}

} // namespace drive
