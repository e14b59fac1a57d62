#include "schema/totals.h"

namespace schema {

const std::vector<DocumentTable>& documentTables() {
    static const std::vector<DocumentTable> tables = {
        {"Pur", "OrderPur", "OrderPurD", {{"houseID", Sign::Adds}}},
        {"PurT", "OrderPurT", "OrderPurTD", {{"houseID", Sign::Takes}}},
        {"Sale", "OrderSale", "OrderSaleD", {{"houseID", Sign::Takes}}},
        {"SaleT", "OrderSaleT", "OrderSaleTD", {{"houseID", Sign::Adds}}},
        {"BsBy", "OrderBsBy", "OrderBsByD", {{"houseID", Sign::ByLossType}}},
        {"DB", "OrderDB", "OrderDBD", {{"houseOut", Sign::Takes}, {"houseIn", Sign::Adds}}},
    };
    return tables;
}

const Journal& moneyJournal() {
    static const Journal journal{"Bank", "FitemBank", "itmID", "sumMoney", "FitemBalance"};
    return journal;
}

namespace {

using std::string;

// A quantity or amount as whole millionths. The embedded engine holds doubles: their whole
// units and fraction are taken apart, since multiplied at once anything beyond 2^53 millionths
// would land on the nearest even double. The server's numeric is exact.
string millionths(Engine engine, const string& v) {
    if (engine == Engine::Server)
        return "coalesce(round(" + v + " * 1000000)::bigint, 0)";
    return "coalesce(CAST(" + v + " AS INTEGER) * 1000000\n           + CAST(round((" + v +
           " - CAST(" + v + " AS INTEGER)) * 1000000) AS INTEGER), 0)";
}

// 1 when the value is there, 0 when it is NULL (the server has no boolean arithmetic).
string present(Engine engine, const string& v) {
    return engine == Engine::Server ? "(" + v + " IS NOT NULL)::int" : v + " IS NOT NULL";
}
string presentTerm(Engine engine, const string& v) {
    return engine == Engine::Server ? present(engine, v) : "(" + v + " IS NOT NULL)";
}

// The change a line makes: header is the alias whose orderType decides a loss.
string signedAmount(Sign sign, const string& header, const string& amount) {
    switch (sign) {
    case Sign::Adds:
        return amount;
    case Sign::Takes:
        return "-" + amount;
    case Sign::ByLossType:
        return "(CASE WHEN " + header + ".orderType = '报损' THEN -1 ELSE 1 END)\n         * " +
               amount;
    }
    return amount;
}

// The stock with a line's change taken back.
string withdrawn(Sign sign, const string& header, const string& amount) {
    if (sign == Sign::Takes)
        return "qty + " + amount;
    return "qty - " + signedAmount(sign, header, amount);
}

string upsertStock(Engine engine) {
    const string t = engine == Engine::Server ? "FInveHouse." : "";
    return "  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = " + t + "qty + excluded.qty,\n" +
           "    lines = " + t + "lines + excluded.lines, counted = " + t +
           "counted + excluded.counted;\n";
}

// A line's quantity brought to the warehouse of its header, if the header is there.
string lineAdds(Engine engine, const DocumentTable& d, const Movement& m) {
    const string w = m.warehouse;
    return "  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)\n  SELECT h." + w +
           ", NEW.prodID, " + signedAmount(m.sign, "h", millionths(engine, "NEW.pcount")) +
           ", 1,\n         " + present(engine, "NEW.pcount") + "\n    FROM " + d.header +
           " h WHERE h.orderID = NEW.orderID AND h." + w +
           " IS NOT NULL\n     AND NEW.prodID IS NOT NULL\n" + upsertStock(engine);
}

string lineTakesBack(Engine engine, const DocumentTable& d, const Movement& m) {
    return "  UPDATE FInveHouse SET qty = " +
           withdrawn(m.sign, "h", millionths(engine, "OLD.pcount")) +
           ",\n         lines = lines - 1, counted = counted - " +
           presentTerm(engine, "OLD.pcount") + "\n    FROM " + d.header +
           " h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h." + m.warehouse +
           "\n     AND FInveHouse.prodID = OLD.prodID;\n";
}

// A header brings all its lines to its warehouse. The server adds them per product first: an
// upsert there may touch a row only once per statement.
string headerAdds(Engine engine, const DocumentTable& d, const Movement& m) {
    const string w = m.warehouse;
    const string amount = signedAmount(m.sign, "NEW", millionths(engine, "d.pcount"));
    const string where = " d WHERE d.orderID = NEW.orderID AND NEW." + w +
                         " IS NOT NULL\n     AND d.prodID IS NOT NULL";
    if (engine == Engine::Server)
        return "  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)\n  SELECT NEW." + w +
               ", d.prodID, SUM(" + amount + "), COUNT(*), COUNT(d.pcount)\n    FROM " + d.lines +
               where + " GROUP BY d.prodID\n" + upsertStock(engine);
    return "  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)\n  SELECT NEW." + w +
           ", d.prodID, " + amount + ", 1,\n         d.pcount IS NOT NULL\n    FROM " + d.lines +
           where + "\n" + upsertStock(engine);
}

string headerTakesBack(Engine engine, const DocumentTable& d, const Movement& m) {
    return "  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - "
           "m.c\n    FROM (SELECT d.prodID, SUM(" +
           signedAmount(m.sign, "OLD", millionths(engine, "d.pcount")) +
           ") AS moved,\n                 COUNT(*) AS n, COUNT(d.pcount) AS c\n            FROM " +
           d.lines + " d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m\n" +
           "   WHERE FInveHouse.houseID = OLD." + m.warehouse +
           " AND FInveHouse.prodID = m.prodID;\n";
}

// The header columns whose change moves stock.
string headerColumns(const DocumentTable& d) {
    string columns = "orderID";
    bool byType = false;
    for (const Movement& m : d.movements) {
        columns += string(", ") + m.warehouse;
        byType = byType || m.sign == Sign::ByLossType;
    }
    return byType ? columns + ", orderType" : columns;
}

using Part = string (*)(Engine, const DocumentTable&, const Movement&);
string forEachMovement(Engine engine, const DocumentTable& d, Part part) {
    string text;
    for (const Movement& m : d.movements)
        text += part(engine, d, m);
    return text;
}

string trigger(const string& name, const string& when, const string& body) {
    return "CREATE TRIGGER " + name + " " + when + " BEGIN\n" + body + "END;\n";
}

// One function per table on the server, taking back what the old row brought and bringing
// what the new one does.
string serverTrigger(const string& name, const string& events, const string& table,
                     const string& takeBack, const string& bring) {
    return "CREATE FUNCTION " + name + "() RETURNS trigger LANGUAGE plpgsql AS $$\nBEGIN\n" +
           "  IF TG_OP <> 'INSERT' THEN\n" + takeBack + "  END IF;\n" +
           "  IF TG_OP <> 'DELETE' THEN\n" + bring + "  END IF;\n  RETURN NULL;\nEND $$;\n" +
           "CREATE TRIGGER " + name + " AFTER INSERT OR DELETE OR UPDATE OF " + events + " ON " +
           table + "\n  FOR EACH ROW EXECUTE FUNCTION " + name + "();\n";
}

string documentTriggers(Engine engine, const DocumentTable& d) {
    const string tr = string("tr") + d.stem;
    const string lineColumns = "orderID, prodID, pcount";
    const string lineAdd = forEachMovement(engine, d, lineAdds);
    const string lineBack = forEachMovement(engine, d, lineTakesBack);
    const string headerAdd = forEachMovement(engine, d, headerAdds);
    const string headerBack = forEachMovement(engine, d, headerTakesBack);
    const string comment = string("-- ") + d.header + " and " + d.lines + "\n";
    if (engine == Engine::Server)
        return comment + serverTrigger(tr + "Line", lineColumns, d.lines, lineBack, lineAdd) +
               serverTrigger(tr, headerColumns(d), d.header, headerBack, headerAdd);
    return comment + trigger(tr + "LineInsert", string("AFTER INSERT ON ") + d.lines, lineAdd) +
           trigger(tr + "LineDelete", string("AFTER DELETE ON ") + d.lines, lineBack) +
           trigger(tr + "LineUpdate", "AFTER UPDATE OF " + lineColumns + " ON " + d.lines,
                   lineBack + lineAdd) +
           trigger(tr + "Insert", string("AFTER INSERT ON ") + d.header, headerAdd) +
           trigger(tr + "Delete", string("AFTER DELETE ON ") + d.header, headerBack) +
           trigger(tr + "Update", "AFTER UPDATE OF " + headerColumns(d) + " ON " + d.header,
                   headerBack + headerAdd);
}

// A row of FInveHouse that no document line counts in any more goes.
string emptyStockTrigger(Engine engine) {
    const string body =
        "  DELETE FROM FInveHouse WHERE houseID = NEW.houseID AND prodID = NEW.prodID;\n";
    if (engine == Engine::Server)
        return "CREATE FUNCTION trInveHouseEmpty() RETURNS trigger LANGUAGE plpgsql AS $$\n"
               "BEGIN\n" +
               body +
               "  RETURN NULL;\nEND $$;\n"
               "CREATE TRIGGER trInveHouseEmpty AFTER UPDATE OF lines ON FInveHouse\n"
               "  FOR EACH ROW WHEN (NEW.lines = 0) EXECUTE FUNCTION trInveHouseEmpty();\n";
    return trigger("trInveHouseEmpty", "AFTER UPDATE OF lines ON FInveHouse WHEN NEW.lines = 0",
                   body);
}

// Where a transaction adds to an account's balance. A server's transactions each add to the
// slot of their own number, so that counters posting at once do not wait on one row until each
// other's commit is on disk (transactions under way at one moment have numbers close together,
// hence different slots); the embedded book, written by one at a time, keeps one slot.
string balanceSlot(Engine engine) {
    return engine == Engine::Server ? "txid_current() % 64" : "0";
}

// What the journal row (NEW or OLD) adds to its account's balance, or takes back from it.
string addToBalance(Engine engine, const Journal& j, const string& row, bool takeBack) {
    const string key = row + "." + j.account, amount = row + "." + j.amount;
    const string sign = takeBack ? "-" : "";
    const string t = engine == Engine::Server ? string(j.total) + "." : "";
    return "  INSERT INTO " + string(j.total) + "(" + j.account + ", slot, amount, counted)\n" +
           "  SELECT " + key + ", " + balanceSlot(engine) + ", " + sign +
           millionths(engine, amount) + ",\n         " + sign + presentTerm(engine, amount) +
           "\n   WHERE " + key + " IS NOT NULL\n  ON CONFLICT (" + j.account +
           ", slot) DO UPDATE SET amount = " + t + "amount + excluded.amount,\n    counted = " + t +
           "counted + excluded.counted;\n";
}

string journalTriggers(Engine engine, const Journal& j) {
    const string tr = string("tr") + j.stem;
    const string takeBack = addToBalance(engine, j, "OLD", true);
    const string bring = addToBalance(engine, j, "NEW", false);
    if (engine == Engine::Server)
        return "-- " + string(j.table) + "\n" +
               serverTrigger(tr, string(j.account) + ", " + j.amount, j.table, takeBack, bring);
    return trigger(tr + "Insert", "AFTER INSERT ON " + string(j.table), bring) +
           trigger(tr + "Delete", "AFTER DELETE ON " + string(j.table), takeBack) +
           trigger(tr + "Update",
                   "AFTER UPDATE OF " + string(j.account) + ", " + j.amount + " ON " + j.table,
                   takeBack + bring);
}

} // namespace

std::string totalsTriggers(Engine engine) {
    // A line counts once its header exists and as long as both do: a header inserted, deleted
    // or changed brings or takes its lines' quantities; a line does so while its header is
    // there.
    string text = emptyStockTrigger(engine);
    for (const DocumentTable& d : documentTables())
        text += documentTriggers(engine, d);
    return text + journalTriggers(engine, moneyJournal());
}

std::string stockFromDocuments(Engine engine) {
    string parts;
    for (const DocumentTable& d : documentTables())
        for (const Movement& m : d.movements) {
            const string w = m.warehouse;
            parts += string(parts.empty() ? "" : "  UNION ALL\n") + "  SELECT h." + w +
                     " AS houseID, d.prodID, " +
                     signedAmount(m.sign, "h", millionths(engine, "d.pcount")) +
                     " AS qty, 1 AS lines,\n         " + presentTerm(engine, "d.pcount") +
                     " AS counted\n    FROM " + d.lines + " d JOIN " + d.header +
                     " h ON h.orderID = d.orderID\n   WHERE h." + w +
                     " IS NOT NULL AND d.prodID IS NOT NULL\n";
        }
    return "SELECT houseID, prodID, CAST(SUM(qty) AS bigint) AS qty, CAST(SUM(lines) AS bigint) "
           "AS lines,\n       CAST(SUM(counted) AS bigint) AS counted\n  FROM (\n" +
           parts + "  ) moved GROUP BY houseID, prodID";
}

std::string journalTotalsTriggers(Engine engine) {
    return journalTriggers(engine, moneyJournal());
}

std::string dropJournalTotalsTriggers(Engine engine) {
    const string tr = string("tr") + moneyJournal().stem;
    if (engine == Engine::Server)
        return "DROP FUNCTION " + tr + "() CASCADE;\n";
    return "DROP TRIGGER " + tr + "Insert;\nDROP TRIGGER " + tr + "Delete;\nDROP TRIGGER " + tr +
           "Update;\n";
}

std::string dropTotalsTriggers(Engine engine) {
    const bool server = engine == Engine::Server;
    string text =
        server ? "DROP FUNCTION trInveHouseEmpty() CASCADE;\n" : "DROP TRIGGER trInveHouseEmpty;\n";
    for (const DocumentTable& d : documentTables()) {
        const string tr = string("tr") + d.stem;
        if (server) {
            text +=
                "DROP FUNCTION " + tr + "Line() CASCADE;\nDROP FUNCTION " + tr + "() CASCADE;\n";
            continue;
        }
        for (const char* event :
             {"LineInsert", "LineDelete", "LineUpdate", "Insert", "Delete", "Update"})
            text += "DROP TRIGGER " + tr + event + ";\n";
    }
    return text + dropJournalTotalsTriggers(engine);
}

std::string emptiedTotals() {
    // No stock moved by any document; every account's rows sum to nothing, as the triggers
    // leave them when the last row goes.
    return "DELETE FROM FInveHouse;\nUPDATE " + string(moneyJournal().total) +
           " SET amount = 0, counted = 0;\n";
}

std::string keptBalances() {
    const Journal& j = moneyJournal();
    return string("SELECT ") + j.account +
           ", CAST(SUM(amount) AS bigint) AS amount, CAST(SUM(counted) AS bigint) AS counted\n"
           "  FROM " +
           j.total + " GROUP BY " + j.account;
}

std::string balancesFromJournal(Engine engine) {
    const Journal& j = moneyJournal();
    const string amount = string(j.amount);
    return string("SELECT ") + j.account + ", CAST(SUM(" + millionths(engine, amount) +
           ") AS bigint) AS amount,\n       CAST(SUM(" + presentTerm(engine, amount) +
           ") AS bigint) AS counted\n  FROM " + j.table + " WHERE " + j.account +
           " IS NOT NULL GROUP BY " + j.account;
}

} // namespace schema
