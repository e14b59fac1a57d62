#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class QLineEdit;

// A search box whose list narrows as the person types, once the typing pauses: a scanner's
// code (keys a few milliseconds apart, then Enter) or a quickly typed word runs one search,
// not one a key, each of which may list a whole catalogue. Enter searches at once. Leaving the
// box by the keyboard runs a search still held back, so that the list one goes into is the
// one typed for; leaving it by the mouse drops it, so that the rows clicked are the rows seen.
class TypedSearch : public QObject {
public:
    static constexpr int kPauseMs = 250;

    TypedSearch(QLineEdit& box, std::function<void()> search);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void searchNow();

    QLineEdit& box_;
    std::function<void()> search_;
    QTimer pause_;
};
