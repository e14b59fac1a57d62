#include "core/transaction.h"

#include "core/connection.h"

#include <QRandomGenerator>
#include <chrono>
#include <thread>

namespace {

const char* beginning(const Connection& connection, Transaction::Mode mode) {
    if (mode == Transaction::Mode::Reading)
        return connection.isServer() ? "BEGIN ISOLATION LEVEL REPEATABLE READ, READ ONLY"
                                     : "BEGIN DEFERRED";
    return "BEGIN IMMEDIATE";
}

} // namespace

Transaction::Transaction(Connection& connection, Mode mode) : connection_(connection) {
    if (connection_.inTransaction()) {
        connection_.run("SAVEPOINT vesk");
    } else {
        connection_.run(beginning(connection_, mode));
        outermost_ = true;
    }
    generation_ = connection_.generation();
}

Transaction::~Transaction() {
    // On a session opened since, whatever is open there is not this transaction's.
    if (done_ || !connection_.isOpen() || !connection_.inTransaction() ||
        connection_.generation() != generation_)
        return;
    try {
        if (outermost_) {
            connection_.run("ROLLBACK");
        } else {
            connection_.run("ROLLBACK TO vesk");
            connection_.run("RELEASE vesk");
        }
    } catch (...) {
        // The connection is gone; the engine has rolled back already.
    }
}

void Transaction::commit() {
    // A COMMIT on the new session would find nothing to commit and report success.
    if (connection_.generation() != generation_)
        throw DbError(QStringLiteral("与服务器的连接已中断"), DbError::Kind::ConnectionLost);
    connection_.run(outermost_ ? "COMMIT" : "RELEASE vesk");
    done_ = true;
}

namespace transactions {

void pauseBeforeAttempt(int attempt) {
    const int longest = 10 * attempt;
    std::this_thread::sleep_for(
        std::chrono::milliseconds(1 + QRandomGenerator::global()->bounded(longest)));
}

bool connectionBusy(const Connection& connection) {
    return connection.inTransaction();
}

} // namespace transactions
