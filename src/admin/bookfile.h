#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

class Connection;

// Backup and restore: plain byte copies of the book's file, made with its connection closed.
// A copy appears under its name complete or not at all.
namespace bookfile {

// Year, month, day, hour and minute, each without leading zeros, joined (14:05 on 3 March
// 2010 gives "201033145").
QString timeStamp(const QDateTime& moment);
// The directory (ending in a separator), the time stamp and ".bak".
QString backupName(const QString& directory, const QDateTime& moment);

// Receives the percentage copied, before each piece, and 0 at the end; the windows let their
// events run there.
using Progress = std::function<void(int percent)>;

// Copies the book to the target (overwriting it). False when the book's log is still
// outside the file or any file step fails; the target is then as it was.
bool backUp(Connection& book, const QString& target, const Progress& progress);
// Replaces the book with the source. False, with the book left as it was, when the source is
// not an intact book of this program or any file step fails.
bool restore(Connection& book, const QString& source, const Progress& progress);

// Whether the file is a book of this program that passes the engine's integrity check; the
// file alone is read, nothing beside it is created or consulted.
bool isIntactBook(const QString& file);

} // namespace bookfile
