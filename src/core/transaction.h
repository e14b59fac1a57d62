#pragma once

#include "core/dberror.h"

#include <QString>

class Connection;

// All or nothing for an operation of several statements: commit() at the end keeps them;
// leaving the scope without it (an exception, an early return) undoes every one.
// Transactions nest: an inner one is a savepoint of the outer.
class Transaction {
public:
    enum class Mode {
        // The outermost writing transaction holds the embedded book against every other
        // writer from its first statement (a second one waits), so that whatever it checks
        // still holds when it writes. On a server, rows are held where they are read
        // (see rowlock.h) and other counters go on writing.
        Writing,
        // One consistent view of the whole book for every statement, holding back nobody.
        Reading,
    };

    explicit Transaction(Connection& connection, Mode mode = Mode::Writing);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Connection& connection_;
    // The connection's opening the transaction began on: after a lost connection the next
    // statement opens a new session, where the statements run one by one outside it.
    unsigned generation_ = 0;
    bool outermost_ = false;
    bool done_ = false;
};

namespace transactions {

inline constexpr int kAttempts = 5;

// A short random pause, longer with each attempt, so that two counters that clashed do not
// clash again at once.
void pauseBeforeAttempt(int attempt);

// Whether a transaction is still open on the connection.
bool connectionBusy(const Connection& connection);

// What became of a transaction whose connection to the server broke before its commit was
// acknowledged.
enum class Fate { Committed, RolledBack, Unknown };
// The server's id of the open transaction, given one now if it has written nothing yet, by
// which a new session can learn its fate; empty on the embedded book, which loses no
// connection.
QString serverId(Connection& connection);
// Asks the book, on a new session, what became of the transaction of that id. An empty id
// broke before it was learned, long before the commit: RolledBack. Unknown when the book
// cannot be read or the server is still running the transaction.
Fate fateAfterBreak(Connection& connection, const QString& id);
// After a lost connection cut off the transaction of that id: true when the server says it was
// committed; otherwise the person is told to do it again, or to look before doing it again.
bool committedOrTold(Connection& connection, const QString& id);

// Runs work, which opens its own outermost Transaction, again when the book reports a
// conflict with another counter (a deadlock, a serialization failure, a book busy past the
// wait), up to kAttempts times in all. The person sees only the last outcome. Inside an
// outer transaction there is nothing to run again: the conflict goes to the caller.
template <typename Work> auto retryingConflicts(Connection& connection, Work&& work) {
    for (int attempt = 1;; ++attempt) {
        try {
            return work();
        } catch (const DbError& e) {
            if (!e.conflict() || attempt == kAttempts || connectionBusy(connection))
                throw;
        }
        pauseBeforeAttempt(attempt);
    }
}

} // namespace transactions
