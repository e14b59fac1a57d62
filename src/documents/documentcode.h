#pragma once

#include <QDateTime>
#include <QString>

// A new document code: the prefix, then the moment's year, month, day, hour, minute and
// second, each without leading zeros (DB201039857 for 9 March 2010 at 08:05:07). Codes are
// not unique by construction; the book refuses a second document with the same code.
QString documentCode(const QString& prefix, const QDateTime& moment);
