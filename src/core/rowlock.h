#pragma once

#include <QString>
#include <optional>
#include <vector>

class Connection;
class TQuery;

// How firmly a writing transaction holds a row it read, until it ends. On a server each
// counter's transaction sees what others committed, so a check made on a row holds only
// while the row is held; on the embedded book the writing transaction holds the whole book
// (Transaction::Mode::Writing) and these only read whether the row is there.
enum class RowHold {
    Referenced, // others may change it, not remove it or its key (a warehouse a document names)
    Changed,    // no other may change or remove it (a product whose stock this one moves)
    Removed,    // no other may even reference it anew (a row this one removes)
};

// Whether the row of table whose keyColumn equals key is in the book, held as hold says.
// A second counter holding it firmly waits here until that counter's transaction ends, and
// then sees the row as that one left it.
bool holdRow(TQuery& q, const QString& table, const QString& keyColumn, const QString& key,
             RowHold hold);

// Holds a name within a scope (the table whose rows carry such names, or a kind of work)
// against every other counter holding the same name there, until the transaction ends: a check
// that no row carries the name yet holds only so, since there is no row to hold. Names
// differing only in Latin case are one name, as the book compares them. Nothing on the
// embedded book, whose one writer at a time holds everything.
void holdName(TQuery& q, const QString& scope, const QString& name);

// What a select appends to hold the rows it reads as hold says: nothing on the embedded book,
// whose one writer at a time holds everything it reads.
QString rowHoldClause(const Connection& connection, RowHold hold);

// Holds every product the lines move, in one order (their keys ascending), so that two
// counters moving the same products wait for one another instead of each holding what the
// other needs. Returns the first key that is no longer in the book, if any.
std::optional<QString> holdProducts(TQuery& q, std::vector<QString> prodIDs);
