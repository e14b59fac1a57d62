#pragma once

#include <QString>

class Connection;

// The definition of the book: the tables, views and seed rows in src/schema/*.sql.
namespace schema {

inline constexpr int kApplicationId = 1447383883; // "VESK"
inline constexpr int kUserVersion = 2;

// Writes a new book to the path (which must not exist); throws DbError on failure.
void create(const QString& path);
// True when the open connection's file carries our application id.
bool isOurs(Connection& connection);

} // namespace schema
