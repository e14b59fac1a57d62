#pragma once

#include <string>
#include <vector>

// The kept totals behind VInveHouse (FInveHouse) and VitemBank (FitemBalance): one description
// of the tables that move them, from which the triggers of both engines are written, so that
// the embedded and the server book cannot drift apart.
namespace schema {

enum class Engine { Embedded, Server };

// How the lines of a document move the stock of the warehouse named in a header column.
enum class Sign {
    Adds,
    Takes,
    ByLossType, // "报损" takes, every other type (报溢, 盘点) adds
};

struct Movement {
    const char* warehouse; // the header's column
    Sign sign;
};

// One kind of document: a header table and its line table, joined by orderID; each line
// moves its product's quantity pcount in every warehouse of its header's movements.
struct DocumentTable {
    const char* stem; // the triggers are named tr<stem>…
    const char* header;
    const char* lines;
    std::vector<Movement> movements;
};

// A journal whose amounts add up per account.
struct Journal {
    const char* stem;
    const char* table;
    const char* account; // the account column, also the key of the total
    const char* amount;
    const char* total; // the table that keeps the sums
};

const std::vector<DocumentTable>& documentTables();
const Journal& moneyJournal();

// The triggers (and on the server their functions) that keep both totals current.
std::string totalsTriggers(Engine engine);

// What the kept totals hold when the triggers have followed every row, computed at once from
// the documents and the journal with the engine's own arithmetic: the columns of FInveHouse,
// and those of FitemBalance (an account whose rows are all gone keeps a row of zeros there,
// which this leaves out).
std::string stockFromDocuments(Engine engine);
std::string balancesFromJournal(Engine engine);
// The balances FitemBalance keeps, summed over each account's slots, in the columns of
// balancesFromJournal.
std::string keptBalances();

// What removes the triggers of totalsTriggers, and what the totals hold once every document
// and journal row is gone: a book emptied with the triggers set aside is set so at once.
std::string dropTotalsTriggers(Engine engine);
std::string emptiedTotals();

// The money journal's triggers alone, and what removes them (a book's upgrade that changes
// the balances' table makes them anew).
std::string journalTotalsTriggers(Engine engine);
std::string dropJournalTotalsTriggers(Engine engine);

} // namespace schema
