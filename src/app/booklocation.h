#pragma once

#include <QString>

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
QString locate(const Places& places);

// Copies the template to the target through a temporary file beside it, renamed into place
// only when complete; false when any step fails or the target already exists.
bool copyTemplate(const QString& templateFile, const QString& target);

} // namespace booklocation
