#pragma once

#include <QString>

struct sqlite3;

// What the engine says of its last failure on db (or engineText, when the engine gave its
// words another way), as the person is shown it: a fault of the disk or the file in the
// person's words, the engine's own after them.
QString failureText(sqlite3* db, const char* engineText = nullptr);
