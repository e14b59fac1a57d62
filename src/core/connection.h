#pragma once

#include <QString>

struct sqlite3;

// The one connection to the book. It opens only an existing file of ours; after close()
// the next statement opens it again with the same path.
class Connection {
public:
    explicit Connection(QString path) : path_(std::move(path)) {}
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the file; false (with the engine's reason in lastError) when it is missing,
    // unreadable or not a book of this program.
    bool open();
    void close();
    bool isOpen() const { return db_ != nullptr; }
    // The open handle, reopening a closed connection first; throws DbError when it cannot.
    sqlite3* handle();
    // Counts openings, so that prepared statements of an earlier opening are never reused.
    unsigned generation() const { return generation_; }
    const QString& path() const { return path_; }
    const QString& lastError() const { return lastError_; }

    // Runs statements that take no parameters and return nothing (pragmas, transaction control).
    void run(const char* sql);

private:
    QString path_;
    QString lastError_;
    sqlite3* db_ = nullptr;
    unsigned generation_ = 0;
};
