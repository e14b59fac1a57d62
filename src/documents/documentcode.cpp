#include "documents/documentcode.h"

QString documentCode(const QString& prefix, const QDateTime& moment) {
    const QDate day = moment.date();
    const QTime time = moment.time();
    QString code = prefix;
    for (int part : {day.year(), day.month(), day.day(), time.hour(), time.minute(), time.second()})
        code += QString::number(part);
    return code;
}
