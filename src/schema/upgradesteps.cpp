#include "schema/upgradesteps.h"

#include "schema/schemasql.h"
#include "schema/serverschema.h"

#include <stdexcept>

namespace schema {

namespace {

// One statement of a file of the book's definition as the file writes it: from its opening
// words to its semicolon.
std::string definitionIn(const char* file, const std::string& opening) {
    const std::string text = sqlFile(file);
    const std::size_t begin = text.find(opening);
    const std::size_t end = text.find(';', begin);
    if (begin == std::string::npos || end == std::string::npos)
        throw std::logic_error(opening + " is not in " + file);
    return text.substr(begin, end + 1 - begin) + "\n";
}

// Version 5: each money account's kept balance spread over slots. The table is made anew (its
// key changes) with what refers to it, the journal's triggers and the balances' view; what it
// held is the first slot.
std::string balancesInSlots(Engine engine) {
    const bool server = engine == Engine::Server;
    const std::string table = definitionIn("totals.sql", "CREATE TABLE FitemBalance");
    const std::string view = definitionIn("views.sql", "CREATE VIEW VitemBank");
    return dropJournalTotalsTriggers(engine) +
           "DROP VIEW VitemBank;\n"
           "CREATE TEMP TABLE FitemBalanceBefore AS SELECT itmID, amount, counted FROM "
           "FitemBalance;\n"
           "DROP TABLE FitemBalance;\n" +
           (server ? serverSpelling(table) : table) +
           "INSERT INTO FitemBalance(itmID, slot, amount, counted)\n"
           "  SELECT itmID, 0, amount, counted FROM FitemBalanceBefore;\n"
           "DROP TABLE FitemBalanceBefore;\n" +
           journalTotalsTriggers(engine) + (server ? inKeyOrder(view) : view);
}

// Version 6: the document headers' view made anew with its kinds typed as text, so that a list
// of the headers in date order merges their date indexes instead of sorting every row.
std::string headersInDateOrder() {
    return "DROP VIEW VOrder;\n" + definitionIn("views.sql", "CREATE VIEW VOrder AS");
}

} // namespace

std::string upgradeStep(Engine engine, int version) {
    if (version == 5)
        return balancesInSlots(engine);
    if (version == 6)
        return headersInDateOrder();
    const char* step = upgradeSql(version);
    if (!step)
        return std::string();
    return engine == Engine::Server ? serverSpelling(step) : std::string(step);
}

} // namespace schema
