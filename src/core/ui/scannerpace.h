#pragma once

#include <QPointer>
#include <QString>

class QKeyEvent;
class QObject;

// Tells a barcode scanner's keys from a person's by their pace: each key within a few
// milliseconds of the one before, by the key events' own times, into one widget, at least a
// few of them, ended by Enter. No person types so; a scanner always does. Keys the program
// makes itself carry no time and are never a scanner's.
class ScannerPace {
public:
    static constexpr unsigned long long kScannerGapMs = 35;
    static constexpr int kShortestCode = 4;

    // A box that takes no typing before its Enter (a message) hears a code of any length.
    explicit ScannerPace(int shortestCode = kShortestCode) : shortestCode_(shortestCode) {}

    enum class Heard {
        Other,    // a key of no code, or an Enter that ends none
        FirstKey, // the first key of a run: what the widget holds now is what it held before
        NextKey,  // a further key of the run under way
        Code,     // the Enter of a scanned code: code() holds it
    };
    Heard hear(const QKeyEvent& key, QObject* into);
    const QString& code() const { return code_; }

private:
    int shortestCode_;
    QPointer<QObject> into_;
    QString keys_;
    QString code_;
    unsigned long long last_ = 0;
};
