#pragma once

#include <string>
#include <string_view>

typedef struct pg_conn PGconn;

// The server book: the embedded book's definition in PostgreSQL's spelling.
namespace schema {

// The whole script that writes a new server book into an empty database: tables, views, kept
// totals, indexes and seed rows.
std::string serverSql();

// Definitions written for the embedded engine (tables, indexes, seed rows) in the server's
// spelling: citext for text that ignores Latin case (plain text for dates), numeric for REAL,
// bigint for INTEGER, identity columns for AUTOINCREMENT keys, regular expressions for GLOB, and
// the book's header in VeskBook.
std::string serverSpelling(std::string_view embeddedSql);

// The views of views.sql as the server book has them: a view over a master table listed in the
// table's key order, as the embedded engine lists it and the windows rely on.
std::string inKeyOrder(const std::string& views);

// Writes a new server book within the transaction the connection has open, when the database
// holds no table or view. Returns the reason when it did not; empty on success.
std::string writeServerBook(PGconn* connection);

// Writes a new server book into the empty database that conninfo names, in one transaction.
// Returns the reason when it could not, having changed nothing; empty on success.
std::string createOnServer(const std::string& conninfo);

} // namespace schema
