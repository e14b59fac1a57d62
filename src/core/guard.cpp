#include "core/guard.h"

#include "core/dberror.h"
#include "core/messages.h"

#include <exception>

bool runGuarded(const std::function<void()>& handler) {
    QString text;
    try {
        handler();
        return true;
    } catch (const DbError& e) {
        text = e.text();
    } catch (const std::exception& e) {
        text = QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("未知错误");
    }
    try {
        messages().errorReport(errorReportText(text));
    } catch (...) {
    }
    return false;
}
