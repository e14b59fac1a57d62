#include "documents/documentheader.h"

#include "core/sysdata.h"

namespace documents {

QString documentCode(const QString& prefix, const QDateTime& moment) {
    const QDate day = moment.date();
    const QTime time = moment.time();
    return prefix + QString::number(day.year()) + QString::number(day.month()) +
           QString::number(day.day()) + QString::number(time.hour()) +
           QString::number(time.minute()) + QString::number(time.second());
}

std::optional<QString> documentTitle(const QString& column) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT * FROM Ftitle"));
    q.open();
    std::optional<QString> title;
    for (; !q.eof(); q.next())
        title = q.field(column).asText();
    q.close();
    return title;
}

QStringList employeeNames() {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT empID,empName FROM Femployee"));
    q.open();
    QStringList names;
    for (; !q.eof(); q.next())
        names << q.field(u"empName").asText();
    q.close();
    return names;
}

} // namespace documents
