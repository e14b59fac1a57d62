#pragma once

#include "core/messages.h"

// The program's messages: modal QMessageBox boxes in the four forms.
class MessageBoxes : public Messages {
public:
    void notice(const QString& text, const QString& caption) override;
    void plainNotice(const QString& text, const QString& caption) override;
    int question(const QString& text, const QString& caption) override;
    int cautiousQuestion(const QString& text, const QString& caption) override;
    void errorReport(const QString& text) override;
};
