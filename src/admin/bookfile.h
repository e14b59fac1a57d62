#pragma once

#include "core/bookcopy.h"

#include <QDateTime>
#include <QString>

class Connection;

// Backup and restore of the book through the engine's online backup: a backup is a consistent
// copy even while the book is in use, and a restore replaces the book's content in one step
// that every connection on it, also of a second copy of the program, sees whole.
namespace bookfile {

// Year, month, day, hour and minute, each without leading zeros, joined (14:05 on 3 March
// 2010 gives "201033145").
QString timeStamp(const QDateTime& moment);
// The directory (ending in a separator), the time stamp and ".bak".
QString backupName(const QString& directory, const QDateTime& moment);

// Receives the percentage copied; the windows let their events run there.
using Progress = bookcopy::Progress;

// How a backup or a restore ended. A refused restore names its reason; a failed file step
// has none, and the window shows its own message.
struct Outcome {
    bool done = false;
    QString refusal;
    bool bookReplaced = false; // not done, yet the book is no longer what it was
};

// Writes a copy of the book to the target, replacing a file of that name only once the copy
// is complete. Not done when a file step fails; the target is then as it was. A book on a
// server is dumped by the server's own tools (serverbookfile), and restored likewise.
Outcome backUp(Connection& book, const QString& target, const Progress& progress);

// Whether the path names a file other than the book's own (and those the engine keeps beside
// it, which backUp and restore refuse): an earlier backup, to be kept or restored.
bool isAnotherFile(Connection& book, const QString& path);

// Replaces the book's content with the source's. Refused, with the book untouched, when the
// source is not an intact book of this program, is of a newer version, or has tables, views,
// triggers or indexes other than a book of its version (an older one is upgraded first, as
// at start).
Outcome restore(Connection& book, const QString& source, const Progress& progress);

// Why a backup of the version cannot be restored by this program (newer, or older than the
// oldest it upgrades from); empty when it can.
QString versionRefusal(int version, int oldest);

// Whether the file is a book of this program that passes the engine's integrity check; the
// file alone is read, nothing beside it is created or consulted.
bool isIntactBook(const QString& file);

} // namespace bookfile
