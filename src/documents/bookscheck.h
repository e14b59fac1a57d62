#pragma once

#include <QString>
#include <functional>
#include <vector>

class Connection;

// One place where what the book claims differs from what its documents say.
struct BooksDifference {
    enum class Kind {
        Stock,   // Fproduct.sumCount against the product's lines in the documents
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
    QString name; // the product's, counterpart's or account's name; a document's kind ("采购进货")
    QString code; // the product's code (prodBH); empty for the others

    // One line for a report or a failing test.
    QString text() const;
};

// Told how far the check has come, in percent (0 first, 100 last).
using BooksCheckProgress = std::function<void(int percent)>;

// Recomputes every running total from the documents (and, for balances, the recorded
// settlements) and returns each place where the book disagrees: stock to six decimals, money
// to the cent. Empty when the books agree. Reads one snapshot of the book, even while another
// connection writes.
std::vector<BooksDifference> checkBooks(Connection& connection,
                                        const BooksCheckProgress& progress = {});
