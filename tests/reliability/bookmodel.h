#pragma once

// The model of the model-based test: what the book must hold after the operations so far,
// written apart from the program's procedures, and its comparison with the book.
#include "core/decimal.h"
#include "documents/bookscheck.h"
#include "documents/tradekind.h"
#include "reports/querykind.h"

#include <QDate>
#include <QString>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace model {

using Place = std::pair<long long, long long>; // (warehouse, product)

// Trimmed and uppercased: the book compares codes without regard to case.
QString key(const QString& code);

// What one written document did to the book, so that voiding it can be checked too.
struct Written {
    QueryKindId kind;
    QString table;
    QString code;
    std::vector<std::pair<long long, Decimal>> stock{}; // product, signed move
    std::vector<std::pair<Place, Decimal>> houses{};
    QString counterpartTable{};
    long long comp = 0;
    Decimal balance{};
    bool journalRow = false; // a trade writes one row into the cash account
    Decimal cash{};
};

// The model's own view of each trade kind, written independently of the kind table so that a
// wrong sign there shows up here.
struct TradeEffect {
    TradeKindId id;
    int stock;
    const char* counterpartTable;
    int balance;
    int journal;
    QueryKindId query; // the query window that voids it
};
const TradeEffect& tradeEffect(TradeKindId id);

// Each line's product and quantity as entered.
using Moves = std::vector<std::pair<long long, Decimal>>;

// What a document of each kind does to the book.
Written tradeWritten(const TradeEffect& e, const QString& code, long long house, long long comp,
                     const Moves& moves, const Decimal& due, const Decimal& settled);
Written transferWritten(const QString& code, long long out, long long in, const Moves& moves);
Written lossOverflowWritten(const QString& code, bool loss, long long house, const Moves& moves);

// A line of an open stock count.
struct CountedLine {
    Decimal book; // the book quantity it was counted against
    Decimal counted;
    bool known = true; // a line of a product that does not exist corrects nothing
};

struct OpenCount {
    QString code;
    long long house = 0;
    QDate date;
    std::map<long long, CountedLine> lines;
    // The lines a correction moves stock by.
    bool correctable() const;
};

struct BookModel {
    std::map<long long, Decimal> stock;
    std::map<Place, Decimal> perHouse;
    std::map<QString, std::map<long long, Decimal>> balances;
    std::map<QString, std::set<QString>> codes; // header table -> keys of its documents
    std::map<long long, Decimal> accounts;      // itmID -> balance
    long long journalRows = 0;
    std::map<QString, OpenCount> counts; // by key of the code
    std::vector<Written> posted;         // what voiding may take back
    struct Stored {
        QString table, code, empName;
    } stored;

    void apply(const Written& w, int sign);
    void record(Written w);

    // Every place where the book differs from the model, or the books check from the
    // documents; empty when there is none.
    QString disagreement();
    // The same for the kept totals, the journal and the documents alone, leaving the open
    // counts and the stored handler aside.
    QString totalsDisagreement();
};

} // namespace model
