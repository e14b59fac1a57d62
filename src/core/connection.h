#pragma once

#include <QString>
#include <memory>

struct sqlite3;
class Engine;
class SqliteEngine;
class Statement;

// The one connection to the book: the embedded file (the default) or a book on a PostgreSQL
// server. Callers do not know which; after close() the next statement opens it again.
class Connection {
public:
    // The embedded book at this path.
    explicit Connection(QString path);
    // A book on a server, from a libpq connection string (or a bare service name).
    static Connection server(QString conninfo);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the book; false, with the reason in lastError, when it cannot be. A file is
    // refused when it is missing, cannot be written, is not a book of this program, is of a
    // newer version or is damaged; a file of an earlier version is upgraded first, after a
    // copy of it is written beside it. A server gives the reason it cannot be reached.
    bool open();
    void close();
    bool isOpen() const;
    bool isServer() const { return sqlite_ == nullptr; }
    bool inTransaction() const;
    // The embedded file's handle, reopening a closed connection first; throws DbError when
    // it cannot, and on a server book.
    sqlite3* handle();
    // Counts openings, so that statements prepared under an earlier opening are never reused.
    unsigned generation() const;
    // The file's path, or the server's connection string.
    const QString& path() const { return path_; }
    // Where the book is, as any user may be shown it: the file's path in the system's form, or
    // the server's connection string without the password given for this run.
    QString shownPath() const;
    const QString& lastError() const;
    // The version the book had before this connection upgraded it (0: none), and where the
    // copy of that book was written.
    int upgradedFrom() const;
    QString upgradeBackup() const;

    // Runs statements that take no parameters and return nothing (transaction control,
    // settings the other engine absorbs).
    void run(const char* sql);
    // Makes a statement ready for a slot, reopening a closed connection first.
    std::unique_ptr<Statement> prepare(const QString& sql);

private:
    Connection(QString address, std::unique_ptr<Engine> engine);
    Engine& opened();

    QString path_;
    std::unique_ptr<Engine> engine_;
    SqliteEngine* sqlite_ = nullptr; // engine_ itself, when the book is the embedded file
};
