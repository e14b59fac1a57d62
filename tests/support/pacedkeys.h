#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>
#include <vector>

// Keys as a device sends them, each the given milliseconds after the one before by the events'
// own times, then Enter (or the keys a scanner is set to end with): a scanner a few apart, a
// person a hundred or more. The clock carries on from one run to the next, also of another
// PacedKeys, so that two runs never seem to follow each other at pace and time never goes back
// (the program remembers the time of the last code's end).
class PacedKeys {
public:
    using Ends = std::vector<Qt::Key>;

    void send(QWidget& target, const QString& keys, unsigned long long gap,
              const Ends& ends = {Qt::Key_Return}) {
        sendTo([&target] { return &target; }, keys, gap, ends);
    }
    // Each key to the widget that has the focus when it comes, as the window system sends it:
    // a key that opens a cell's editor is followed by keys into the editor.
    void sendToFocus(const QString& keys, unsigned long long gap,
                     const Ends& ends = {Qt::Key_Return}) {
        sendTo([] { return QApplication::focusWidget(); }, keys, gap, ends);
    }

    // One key the given milliseconds after the last key sent, while that one is still being
    // handled: the second end of a code arriving while a window opened by the first is up.
    void sendAfterLast(QWidget& target, Qt::Key key, unsigned long long gap) {
        press([&target] { return &target; }, key, textOf(key), last_ + gap);
    }

private:
    template <typename Target>
    void sendTo(Target target, const QString& keys, unsigned long long gap, const Ends& ends) {
        const auto key = [&](int code, const QString& text) {
            last_ = clock_;
            press(target, code, text, clock_);
            clock_ += gap;
        };
        for (QChar c : keys)
            key(c.isDigit() ? Qt::Key_0 + c.digitValue() : c.toUpper().unicode(), QString(c));
        for (Qt::Key end : ends)
            key(end, textOf(end));
        clock_ += 10000;
    }
    static QString textOf(Qt::Key end) {
        return end == Qt::Key_Tab ? QStringLiteral("\t") : QStringLiteral("\r");
    }
    // The key pressed and let go at the time given, each to the widget the target names when
    // it comes (none: the key is lost, as when no window has the keyboard).
    template <typename Target>
    static void press(Target target, int code, const QString& text, unsigned long long at) {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, code, Qt::NoModifier, text);
            event.setTimestamp(at);
            if (QWidget* to = target())
                QApplication::sendEvent(to, &event);
        }
    }

    static inline unsigned long long clock_ = 100000;
    static inline unsigned long long last_ = 0;
};
