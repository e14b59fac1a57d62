#pragma once

#include <QString>
#include <vector>

class Connection;

// One place where what the book claims differs from what its documents say.
struct BooksDifference {
    enum class Kind {
        Stock,   // Fproduct.sumCount against the product's stock over the warehouses
        Balance, // a counterpart's exchMoney against its documents less its settlements
        Account, // a money account's balance against its journal rows
        Journal, // a posted trade document against its one journal row
    };
    Kind kind;
    QString table;   // where the claim lives: Fproduct, Fsupplier, Fcustomer, Fitem, a header table
    QString key;     // prodID, compID, itmID or orderID
    QString claimed; // what the book holds ("" when the row is missing)
    QString recomputed; // what the documents say
    QString note;       // what is wrong, in a few words

    // One line for a report or a failing test.
    QString text() const;
};

// Recomputes every running total from the documents (and, for balances, the recorded
// settlements) and returns each place where the book disagrees: stock to six decimals, money
// to the cent. Empty when the books agree.
std::vector<BooksDifference> checkBooks(Connection& connection);
