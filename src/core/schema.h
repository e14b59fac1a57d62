#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

// The definition of the book: the tables, views and seed rows in src/schema/*.sql, and the
// steps that bring a book of an earlier version up to this one.
namespace schema {

inline constexpr int kApplicationId = 1447383883; // "VESK"
// The version of the book this program writes; user_version of every book says its own.
inline constexpr int kUserVersion = 6;
// The first version ever handed to a shop: every later one can be upgraded from it.
inline constexpr int kOldestVersion = 2;
// The first version of a book kept on a server: every later one can be upgraded from it.
inline constexpr int kOldestServerVersion = 3;

// Why a book of a newer version is refused, in the person's words.
QString newerVersionRefusal(int version);

// Writes a new book to the path (which must not exist); throws DbError on failure.
void create(const QString& path);

// The book's application id and version, as its header says.
int applicationIdOf(sqlite3* db);
int versionOf(sqlite3* db);

// Every table, view, trigger and index in which the book differs from a new book of this
// version (one line each, missing, extra or changed); empty when they are the same.
QStringList structureDifferences(sqlite3* db);

// Brings a book of an earlier version to this one in one transaction: every step, the new
// version and a look at the result's structure, or nothing at all. Throws DbError with the
// reason when a step fails or the result is not a book of this version.
void upgrade(sqlite3* db);

} // namespace schema
