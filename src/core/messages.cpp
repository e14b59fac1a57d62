#include "core/messages.h"

#include <stdexcept>

namespace {
Messages* current = nullptr;
} // namespace

Messages& messages() {
    if (!current)
        throw std::logic_error("no Messages installed");
    return *current;
}

void setMessages(Messages* messages) {
    current = messages;
}

QString errorReportText(const QString& text) {
    if (!text.isEmpty() && text.back() > u'.')
        return text + u'.';
    return text;
}
