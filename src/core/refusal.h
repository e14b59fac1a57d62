#pragma once

#include <QString>
#include <stdexcept>

// A check made again inside the writing transaction found the book changed by another counter
// since the window looked. Carries what the person is told; the transaction writes nothing.
class Refusal : public std::runtime_error {
public:
    explicit Refusal(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};
