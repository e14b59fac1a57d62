#pragma once

#include <QString>

class QKeyEvent;

// The keys of a code that a scanner sends where no code belongs (a quantity, all rows taken),
// from its first key to its Enter, so that none of them lands in the box or cell that has the
// focus and none presses a button.
class ScannedKeys {
public:
    enum class Took { Key, Code, Nothing };

    void begin(const QString& firstKey) { keys_ = firstKey; }
    bool active() const { return !keys_.isNull(); }
    // A key while active: one of the code's (Key), its Enter (Code: code() holds it, and this
    // is done), or another key, which ends it unheard (Nothing: the person moved on).
    Took take(const QKeyEvent& event);
    const QString& code() const { return code_; }

private:
    QString keys_;
    QString code_;
};
