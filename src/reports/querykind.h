#pragma once

#include <QString>
#include <QStringList>
#include <vector>

struct TradeKind;

// How voiding takes a document back.
enum class VoidRule {
    Trade,        // stock, the counterpart's balance and the journal row
    Transfer,     // nothing but its rows: a transfer moves no total
    LossOverflow, // stock, by the sign of the document's own type
};

struct QueryColumn {
    QString field;
    QString title;
    bool money = false;
};

// Everything that differs between the six document query windows.
struct QueryKind {
    QString windowClass;
    QString caption;
    QString headerTable;
    QString lineTable;
    // Keeps the stock-count corrections that share the loss/overflow table out of reach.
    QString headerCondition;
    QString list; // the list, with %1 for its condition on the code
    // Binds optDate1, optDate2 and, for a code typed, orderID (bindSearch).
    QString listStatement(const QString& codeKey) const;
    std::vector<QueryColumn> columns;
    // The header's own columns, which the list also selects: the listed document is still
    // the one in the book while they are unchanged (see ListedDocument).
    QStringList ownColumns;
    VoidRule voidRule;
    const TradeKind* trade; // the posted kind of the four trade windows, null otherwise
    // Reprinting (trade kinds): the printed warehouse label, and the header of one document
    // (orderID) with its warehouse and counterpart names.
    QString reprintHouseLabel;
    QString documentStatement;

    // The lines of one document (orderID), with the product columns shown and printed.
    QString lineStatement() const;
    // Reprinting is offered for the trade kinds only.
    bool printable() const { return trade != nullptr; }
};

enum class QueryKindId { Purchase, Sale, PurchaseReturn, SaleReturn, Transfer, LossOverflow };

const QueryKind& queryKind(QueryKindId id);
