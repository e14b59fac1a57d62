#pragma once

#include "documents/posting.h"
#include "reports/listeddocument.h"

#include <QString>

struct QueryKind;

// Voids the posted document of this kind with this code, in one transaction: deletes its
// header and lines and takes back what posting did to the stock of each line's product, to
// the counterpart's balance and to the money journal, reading the document as it stands in
// the book. False, with nothing changed, when the book holds no such document (it was
// voided already). A database error rolls everything back and is thrown.
// transactionId receives the server's id of the voiding's transaction, by which its fate is
// asked after a lost connection.
bool voidDocument(const QueryKind& kind, const QString& orderID, QString* transactionId = nullptr);

enum class VoidResult {
    Voided,
    Gone,    // voided already
    Retyped, // voided at another counter, and its code now names another document
};

// Voids the document as its list showed it, as voidDocument does, unless its code names
// another document by now: then nothing is changed.
VoidResult voidListed(const QueryKind& kind, const ListedDocument& listed,
                      QString* transactionId = nullptr);

// After the connection to the server broke while voiding: Ours when the server committed the
// voiding's transaction, Absent when it rolled it back, Unknown when the book cannot be read
// or the server is still running it (its commit may yet get through: the document still
// listed by another session is no sign that it was not voided).
documents::Found voidedAfterBreak(const QString& transactionId);
