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
        return;
    }
    connection_.run(beginning(connection_, mode));
    outermost_ = true;
}

Transaction::~Transaction() {
    if (done_ || !connection_.isOpen() || !connection_.inTransaction())
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
