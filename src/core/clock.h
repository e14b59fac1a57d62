#pragma once

#include <QDateTime>
#include <QString>

// What the program takes from its surroundings: the time and its own directory. Tests fix both.
namespace environment {

QDateTime now();
void setFixedNow(const QDateTime& moment); // an invalid moment returns to the real clock

// The directory of the executable, with a trailing separator.
QString applicationDirectory();
void setApplicationDirectory(const QString& directory); // empty returns to the real one

} // namespace environment
