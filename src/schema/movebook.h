#pragma once

#include <QString>
#include <functional>
#include <string>

// Moving an embedded book onto a PostgreSQL server, for a shop that outgrows one computer.
namespace bookmove {

// How a move ended: done, or the reason it was not, with the book file and the server's
// database both as they were.
struct Outcome {
    bool done = false;
    QString refusal;
};

// Receives the percentage of rows copied so far.
using Progress = std::function<void(int percent)>;

// Writes a new server book into the empty database that conninfo names and copies into it, in
// the same one transaction, every row of every table of the embedded book at bookPath with its
// keys, so that documents, lines and journal rows keep their links; the key generators then
// start after the largest key. The book file is only read: one of an earlier version is
// upgraded in a staging copy first. Refused when the file is not an intact book of this
// program or is of a newer version, when the database is not empty, or when the book's kept
// totals disagree with its documents.
Outcome moveToServer(const QString& bookPath, const std::string& conninfo,
                     const Progress& progress = {});

} // namespace bookmove
