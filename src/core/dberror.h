#pragma once

#include <QString>
#include <stdexcept>

// An error of the database or of reading a field, carrying the text the user is shown.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};
