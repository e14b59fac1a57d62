#pragma once

#include <QString>
#include <functional>

// Where the book lives. A book beside the program makes a portable copy (as in the build's
// bin/); otherwise the book is the user's, in the user's data folder, made on first start by
// copying the empty book that is installed with the program. A system folder never holds it.
namespace booklocation {

struct Places {
    QString applicationDirectory; // the executable's directory
    QString dataFolder;           // the user's data folder for this program
    QString templateFile;         // the empty book of a new installation
};

// The places of this run: the executable's directory, QStandardPaths' application data
// folder and the template under share/vesk beside the program's bin/.
Places standardPlaces();

// The full path of the book to open. When neither place holds one it copies the template into
// the data folder first; a failed copy leaves no file behind, and the path is returned all the
// same, so that opening it reports the missing book. An existing book is never replaced.
// A book this user's data folder held before and no longer holds (moved, deleted, a folder
// restored without it) is not silently replaced by an empty one, into which the shop would go
// on recording: makeAnew is asked with its path, and unless it says so nothing is made.
QString locate(const Places& places, const std::function<bool(const QString& lostBook)>& makeAnew);

// Copies the template to the target through a temporary file beside it, renamed into place
// only when complete; false when any step fails or the target already exists.
bool copyTemplate(const QString& templateFile, const QString& target);

} // namespace booklocation
