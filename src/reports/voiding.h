#pragma once

#include <QString>

struct QueryKind;

// Voids the posted document of this kind with this code, in one transaction: deletes its
// header and lines and takes back what posting did to the stock of each line's product, to
// the counterpart's balance and to the money journal, reading the document as it stands in
// the book. False, with nothing changed, when the book holds no such document (it was
// voided already). A database error rolls everything back and is thrown.
bool voidDocument(const QueryKind& kind, const QString& orderID);
