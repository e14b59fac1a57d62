#pragma once

#include <sqlite3.h>
#include <stdexcept>
#include <string>

// A prepared statement bound by parameter name, for writing a large book quickly: the
// generator runs the program's own statements, prepared once and run millions of times.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v2(db, sql.c_str(), int(sql.size()), &statement_, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db) + (": " + sql));
    }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(const char* name, const std::string& text) {
        sqlite3_bind_text(statement_, index(name), text.data(), int(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& bind(const char* name, long long value) {
        sqlite3_bind_int64(statement_, index(name), value);
        return *this;
    }
    Statement& bind(const char* name, double value) {
        sqlite3_bind_double(statement_, index(name), value);
        return *this;
    }
    // Runs the statement; returns the rows it changed.
    int run() {
        const int rc = sqlite3_step(statement_);
        sqlite3_reset(statement_);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            throw std::runtime_error(sqlite3_errmsg(db_));
        return sqlite3_changes(db_);
    }

private:
    int index(const char* name) {
        const int i = sqlite3_bind_parameter_index(statement_, (std::string(":") + name).c_str());
        if (i == 0)
            throw std::runtime_error(std::string("no parameter ") + name);
        return i;
    }

    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

// Runs statements without parameters (pragmas, transaction control).
inline void runSql(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string text = error ? error : sqlite3_errmsg(db);
        sqlite3_free(error);
        throw std::runtime_error(text + ": " + sql);
    }
}
