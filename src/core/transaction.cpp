#include "core/transaction.h"

#include "core/connection.h"

Transaction::Transaction(Connection& connection) : connection_(connection) {
    connection_.run("SAVEPOINT vesk");
}

Transaction::~Transaction() {
    if (done_ || !connection_.isOpen())
        return;
    try {
        connection_.run("ROLLBACK TO vesk");
        connection_.run("RELEASE vesk");
    } catch (...) {
        // The connection is gone; the engine has rolled back already.
    }
}

void Transaction::commit() {
    connection_.run("RELEASE vesk");
    done_ = true;
}
