#pragma once

#include <QDate>
#include <QString>

// The one text form of a calendar day, which sorts and compares chronologically.
namespace dates {

inline const QString kFormat = QStringLiteral("yyyy-MM-dd");

QString text(const QDate& day);
QDate fromText(const QString& text);
// One calendar month back, the day clamped to the end of the shorter month (03-31 → 02-28).
QDate monthBack(const QDate& day);

} // namespace dates
