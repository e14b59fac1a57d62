#pragma once

class Connection;

// All or nothing for an operation of several statements: commit() at the end keeps them;
// leaving the scope without it (an exception, an early return) undoes every one.
// Transactions nest: an inner one is a savepoint of the outer.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    Connection& connection_;
    bool done_ = false;
};
