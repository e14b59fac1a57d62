#include "core/dates.h"

namespace dates {

QString text(const QDate& day) {
    return day.toString(kFormat);
}

QDate fromText(const QString& text) {
    return QDate::fromString(text.left(10), kFormat);
}

QDate monthBack(const QDate& day) {
    return day.addMonths(-1);
}

} // namespace dates
