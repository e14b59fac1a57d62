#pragma once

// The statements of src/schema/*.sql, in order, as one text.
const char* schemaSql();
// The statements that take a book of the version before to the given one; nullptr when there
// are none.
const char* upgradeSql(int version);
