#pragma once

#include <QString>
#include <QStringList>

class TQuery;
struct QueryKind;

// A document as its query window listed it. A posted document is never edited, only voided,
// so a document under the same code whose header or lines differ is another one: typed under
// that code after another counter voided the listed one, as when a wrong quantity is mended.
struct ListedDocument {
    QString orderID;
    QStringList own;   // the values of the kind's ownColumns, in their order
    QStringList lines; // each line's product, price, quantity and amount, sorted
};

// The document of the list's current row, with the lines shown for it (the kind's
// lineStatement, open on that document).
ListedDocument listedDocument(const QueryKind& kind, const TQuery& list, const TQuery& lines);

enum class ListedState {
    Same,
    Gone,    // voided
    Retyped, // voided, and its code now names another document
};

// What became of the listed document in the book.
ListedState stateOf(TQuery& q, const QueryKind& kind, const ListedDocument& listed);

// What the person is told, over the list loaded again, when the code now names another
// document.
QString retypedMessage(const QString& orderID);
