#pragma once

#include <QString>
#include <stdexcept>

// An error of the database or of reading a field, carrying the text the user is shown.
class DbError : public std::runtime_error {
public:
    // A conflict is another connection's doing (a deadlock, a serialization failure, a book
    // busy past the wait): the same work run again may well succeed. A lost connection to
    // the server leaves unknown whether a COMMIT sent before it got through.
    enum class Kind { Failure, Conflict, ConnectionLost };

    explicit DbError(const QString& text, Kind kind = Kind::Failure)
        : std::runtime_error(text.toStdString()), text_(text), kind_(kind) {}
    const QString& text() const { return text_; }
    bool conflict() const { return kind_ == Kind::Conflict; }
    bool connectionLost() const { return kind_ == Kind::ConnectionLost; }

private:
    QString text_;
    Kind kind_;
};
