#pragma once

#include <QString>

// Every message the program shows goes through this interface: the program shows message
// boxes, the tests a scripted double that answers the questions.
class Messages {
public:
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    virtual ~Messages() = default;
    // OK button and information icon.
    virtual void notice(const QString& text, const QString& caption) = 0;
    // OK button, no icon.
    virtual void plainNotice(const QString& text, const QString& caption) = 0;
    // OK and Cancel, OK the default; returns kOk or kCancel (closing the box is Cancel).
    virtual int question(const QString& text, const QString& caption) = 0;
    // As question, but Cancel is the default.
    virtual int cautiousQuestion(const QString& text, const QString& caption) = 0;
    // An error no handler trapped: error icon, the application title as caption.
    virtual void errorReport(const QString& text) = 0;
};

inline const QString kInfoCaption = QStringLiteral("信息提示");
inline const QString kApplicationTitle = QStringLiteral("Vesk进销存软件");

Messages& messages();
void setMessages(Messages* messages);

// The shorthand most windows use: a notice captioned "信息提示".
inline void notice(const QString& text) {
    messages().notice(text, kInfoCaption);
}
inline bool confirmed(const QString& text) {
    return messages().question(text, kInfoCaption) == Messages::kOk;
}

// The error report's text: a "." is added when the last character sorts after ".".
QString errorReportText(const QString& text);
