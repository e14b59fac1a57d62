#pragma once

#include "documents/posting.h"

#include <QString>

struct QueryKind;

// Voids the posted document of this kind with this code, in one transaction: deletes its
// header and lines and takes back what posting did to the stock of each line's product, to
// the counterpart's balance and to the money journal, reading the document as it stands in
// the book. False, with nothing changed, when the book holds no such document (it was
// voided already). A database error rolls everything back and is thrown.
bool voidDocument(const QueryKind& kind, const QString& orderID);

// After the connection to the server broke while voiding it: Ours when the document is gone
// from the book (the voiding got through, or another counter's did), Absent when it is still
// there, Unknown when the book cannot be read either.
documents::Found voidedAfterBreak(const QueryKind& kind, const QString& orderID);
