#pragma once

#include "core/engine.h"

#include <QByteArray>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The embedded book: one SQLite file of ours. It opens only an existing file of this program,
// upgrading a book of an earlier version after writing a copy of it beside it.
class SqliteEngine : public Engine {
public:
    explicit SqliteEngine(QString path) : path_(std::move(path)) {}
    ~SqliteEngine() override;

    bool open() override;
    void close() override;
    bool isOpen() const override { return db_ != nullptr; }
    bool inTransaction() const override;
    void run(const char* sql) override;
    std::unique_ptr<Statement> prepare(const QString& sql) override;

    sqlite3* handle() const { return db_; }
    int upgradedFrom() const { return upgradedFrom_; }
    const QString& upgradeBackup() const { return upgradeBackup_; }

    // Prepared statements the slots put back, kept for the next load of the same text: a
    // window loads the same few statements again and again, and posting loads five per
    // document. take() returns nullptr when none is kept.
    sqlite3_stmt* take(const QByteArray& sql);
    void putBack(const QByteArray& sql, sqlite3_stmt* statement);

private:
    void upgrade(int version);
    // A writing transaction just begun on a book that a newer program upgraded meanwhile (a
    // second copy, updated first) is rolled back and the book closed: this program's statements
    // may no longer fit its tables, and opening it again is refused.
    void refuseANewerBook();

    QString path_;
    sqlite3* db_ = nullptr;
    int upgradedFrom_ = 0;
    QString upgradeBackup_;
    std::vector<std::pair<QByteArray, sqlite3_stmt*>> kept_; // the most recently put back last
};
