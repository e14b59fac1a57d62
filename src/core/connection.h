#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The one connection to the book. It opens only an existing file of ours; after close()
// the next statement opens it again with the same path.
class Connection {
public:
    explicit Connection(QString path) : path_(std::move(path)) {}
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the file; false, with the reason in lastError, when it is missing, cannot be
    // written, is not a book of this program, is of a newer version or is damaged. A book of
    // an earlier version is upgraded first, after a copy of it is written beside it.
    bool open();
    void close();
    bool isOpen() const { return db_ != nullptr; }
    // The open handle, reopening a closed connection first; throws DbError when it cannot.
    sqlite3* handle();
    // Counts openings, so that prepared statements of an earlier opening are never reused.
    unsigned generation() const { return generation_; }
    const QString& path() const { return path_; }
    const QString& lastError() const { return lastError_; }
    // The version the book had before this connection upgraded it (0: none), and where the
    // copy of that book was written.
    int upgradedFrom() const { return upgradedFrom_; }
    const QString& upgradeBackup() const { return upgradeBackup_; }

    // Runs statements that take no parameters and return nothing (pragmas, transaction control).
    void run(const char* sql);

    // Prepared statements the slots put back, kept for the next load of the same text: a
    // window loads the same few statements again and again, and posting loads five per
    // document. take() returns nullptr when none is kept.
    sqlite3_stmt* take(const QByteArray& sql);
    void putBack(const QByteArray& sql, sqlite3_stmt* statement);

private:
    void upgrade(int version);
    QString damaged(const QString& engineText) const;

    QString path_;
    QString lastError_;
    sqlite3* db_ = nullptr;
    unsigned generation_ = 0;
    int upgradedFrom_ = 0;
    QString upgradeBackup_;
    std::vector<std::pair<QByteArray, sqlite3_stmt*>> kept_; // the most recently put back last
};
