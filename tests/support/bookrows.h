#pragma once

#include <QString>

// Every row of every table of a book file, in key order, as text: what a backup and its book
// must share (their bytes differ in the engine's own counters). Read through a connection of
// its own, so that a book's log is read too.
QString rowsOf(const QString& file);
