#pragma once

#include "core/decimal.h"

#include <QString>
#include <map>
#include <vector>

class Connection;

// One place where what the book claims differs from what its documents say.
struct BooksDifference {
    enum class Kind {
        Stock,   // Fproduct.sumCount against the product's stock over the warehouses
        Balance, // a counterpart's exchMoney against its documents' unsettled amounts
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

// What settlements took off the counterparts' balances, per table (Fsupplier, Fcustomer) and
// compID. A settlement moves exchMoney and records nothing else, so the book alone cannot
// tell it from a balance gone wrong: whoever checks must know them.
using Settlements = std::map<QString, std::map<long long, Decimal>>;

// Recomputes every running total from the documents (and the settlements given) and returns
// each place where the book disagrees: stock to six decimals, money to the cent. Empty when
// the books agree.
std::vector<BooksDifference> checkBooks(Connection& connection, const Settlements& settled = {});
