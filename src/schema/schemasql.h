#pragma once

#include <string_view>

// The text of one of src/schema/*.sql by its file name ("views.sql"); nullptr for another.
const char* sqlFile(std::string_view name);
// The statements that make a new embedded book, in order, as one text: the SQL files with the
// kept totals' triggers made from their description.
const char* schemaSql();
// The statements that take a book of the version before to the given one; nullptr when there
// are none.
const char* upgradeSql(int version);
