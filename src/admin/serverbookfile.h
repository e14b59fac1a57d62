#pragma once

#include "admin/bookfile.h"

#include <QString>
#include <string>

// Backup and restore of a server book through PostgreSQL's own tools, pg_dump and pg_restore,
// run with the book's connection parameters (libpq's password and service files apply; the
// tools never ask for a password). The file name of a backup is the embedded book's.
namespace serverbookfile {

// Called now and then while a tool runs, with 0 at the start and 100 when it is done, so that
// the window's events run meanwhile.
using Progress = bookfile::Progress;

// Writes a dump of the book as one moment (pg_dump's custom format) to the target, replacing
// a file of that name only once the dump is complete. When it is not done the refusal holds
// the reason and the target is as it was.
bookfile::Outcome backUp(const std::string& conninfo, const QString& target,
                         const Progress& progress);

// Replaces the book with the dump's content in one transaction. Refused, with the book
// untouched, when the file is not a whole dump of a server book of this program (one cut short
// included), is of a newer version or of one older than the first server book, or cannot be
// restored whole (another counter holding the book too long). Not done and no refusal when the
// file cannot be read at all. A dump of an earlier version is restored as it is: the book must
// be upgraded after (serverbook::open).
bookfile::Outcome restore(const std::string& conninfo, const QString& source,
                          const Progress& progress);

} // namespace serverbookfile
