#pragma once

// The statements of src/schema/*.sql, in order, as one text.
const char* schemaSql();
