#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>
#include <cstdlib>

// Ends the process the moment the awaited window is on screen, so that the time from the
// process's start to its end is the time a person waits for that window.
class ExposeExit : public QObject {
public:
    enum Awaited { AnyWindow, Dialog };
    explicit ExposeExit(Awaited awaited) : awaited_(awaited) {}

    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(object);
            if (window && window->isExposed() && awaited(window))
                std::_Exit(0);
        }
        return false;
    }

private:
    bool awaited(QWindow* window) const {
        if (awaited_ == AnyWindow)
            return true;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->windowHandle() == window && qobject_cast<QDialog*>(widget))
                return true;
        return false;
    }
    Awaited awaited_;
};
