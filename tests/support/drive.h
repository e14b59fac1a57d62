#pragma once

#include "support/printers.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
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

// Empties the box and types the text key by key, so that every change handler runs.
inline void type(QLineEdit& box, const QString& text) {
    box.setFocus();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    // QTest maps only Latin-1 characters to keys; other characters (Chinese) are typed as
    // key events that carry the character's text.
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(&box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
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
