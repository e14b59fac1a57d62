#pragma once

#include <QString>
#include <functional>

struct sqlite3;

// Copies between books through the engine's online backup, never as bytes of a file: another
// connection on either book, in this program or a second copy of it, sees the target whole
// before or whole after, and a source that is written meanwhile is still copied consistently.
namespace bookcopy {

// Receives the percentage copied so far; the windows let their events run there.
using Progress = std::function<void(int percent)>;

// Copies the whole of the source into the target, replacing what the target held, in one
// write transaction of the target. Throws DbError with the engine's text when a step fails
// (the target then is as it was) or when other connections keep the target busy too long.
void copy(sqlite3* source, sqlite3* target, const Progress& progress = {});

// Writes a new book file at the path (which must not exist) holding a copy of the open
// source, complete or not at all: it is written under a temporary name and renamed when done.
// The copy keeps no log beside it, so the file alone is the whole book. Throws DbError.
void writeFile(sqlite3* source, const QString& path, const Progress& progress = {});
// Whether writeFile can make its file at the path: the folder is there and takes the name.
// What fails after that is the writing itself.
bool canMakeFile(const QString& path);

// A name beside the target for a copy written before it is put in the target's place: one of
// its own, so that two copies to one target at once (two counters, one shared folder and one
// minute) never remove or rename each other's half-written file.
QString freshNameBeside(const QString& target);

} // namespace bookcopy
