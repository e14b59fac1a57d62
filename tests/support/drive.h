#pragma once

#include "support/printers.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPoint>
#include <QString>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

// Driving a window as a person would: find its controls by name, type, click.
namespace drive {

// The named child; fails the test when there is none.
template <typename T> T& find(QWidget& window, const QString& name) {
    T* child = window.findChild<T*>(name);
    if (!child) {
        ADD_FAILURE() << "no " << T::staticMetaObject.className() << " named " << name.toStdString()
                      << " in " << window.metaObject()->className();
        throw std::runtime_error("control not found");
    }
    return *child;
}

// Types the text key by key into the widget. QTest maps only ASCII to keys; any other
// character (Chinese, or a pair of surrogates such as 𠮷) comes as the text of a key event,
// as an input method delivers it.
inline void keys(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype n = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        if (n == 1 && text[i].unicode() < 0x80)
            QTest::keyClick(widget, text[i].toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, n),
                                Qt::NoModifier);
        i += n;
    }
}

// Empties the box and types the text, so that every change handler runs.
inline void type(QLineEdit& box, const QString& text) {
    box.setFocus();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    keys(&box, text);
}

// Press, release, double click, release: what a person's double click delivers, so that item
// views see the press on the item before the double click.
inline void doubleClick(QWidget* widget, QPoint at) {
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

inline void type(QWidget& window, const QString& name, const QString& text) {
    type(find<QLineEdit>(window, name), text);
}

inline void click(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton);
}

inline void click(QWidget& window, const QString& name) {
    click(find<QAbstractButton>(window, name));
}

// Chooses the entry with this text in a drop-down list; fails when there is none.
inline void choose(QComboBox& box, const QString& text) {
    const int i = box.findText(text);
    ASSERT_GE(i, 0) << "no entry " << text.toStdString() << " in "
                    << box.objectName().toStdString();
    box.setCurrentIndex(i);
}

} // namespace drive
