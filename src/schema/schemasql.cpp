#include "schema/schemasql.h"

#include "schema/totals.h"

#include <string>

const char* schemaSql() {
    static const std::string text = [] {
        std::string sql;
        for (const char* file : {"schema.sql", "settlements.sql", "totals.sql"})
            sql += std::string(sqlFile(file)) + "\n";
        sql += schema::totalsTriggers(schema::Engine::Embedded) + "\n";
        for (const char* file : {"views.sql", "statistics.sql", "seed.sql"})
            sql += std::string(sqlFile(file)) + "\n";
        return sql;
    }();
    return text.c_str();
}
