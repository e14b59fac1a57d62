#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The server's spelling of the statements the program writes for the embedded book.
namespace pgdialect {

struct Translated {
    QByteArray sql;         // UTF-8, with $1, $2… for the markers
    QStringList parameters; // the names without the colon; $n is parameters[n-1]
};

// Turns each :name marker into $n (the same name, the same number; "::" casts and anything
// inside literals, quoted names and comments left alone) and respells, outside literals,
// what the two dialects name differently:
//   ifnull(            → coalesce(      (two arguments: the same function)
//   last_insert_rowid( → lastval(       (the key the last insert drew from its sequence)
//   instr(             → strpos(        (same arguments, same 1-based result)
//   temp.              → pg_temp.       (the schema of this session's temporary tables)
//   COLLATE NOCASE     → (dropped)      (the server's text columns ignore case by type)
//   ==                 → =
// Throws DbError when the text holds more than one statement.
Translated translate(const QString& sql);

} // namespace pgdialect
