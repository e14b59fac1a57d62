#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

// What every document window loads into its header when it is shown.
namespace documents {

// The prefix followed by year, month, day, hour, minute and second, each without leading
// zeros: CJ201039857 for 2010-03-09 08:05:07. Two moments may give the same code.
QString documentCode(const QString& prefix, const QDateTime& moment);

// The title line from this column of Ftitle (the last row wins); nothing when it has no row.
std::optional<QString> documentTitle(const QString& column);

// The employee names, in the order the book returns them.
QStringList employeeNames();

} // namespace documents
