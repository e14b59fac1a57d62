#pragma once

#include <QString>

class TQuery;
struct DocumentLines;

// What a document window chose, looked up again inside the writing transaction and held
// until it ends (core/rowlock.h), so that another counter cannot remove it meanwhile. Each
// throws Refusal with the person's message when it is no longer in the book.
namespace documents {

void holdHouse(TQuery& q, const QString& houseID);
void holdLineProducts(TQuery& q, const DocumentLines& lines);
// The counterpart's balance moved by a relative update: none moved means none is there.
void requireCounterpart(int rowsMoved);
// The counterpart of table (Fsupplier or Fcustomer) held when its balance does not move.
void holdCounterpart(TQuery& q, const QString& table, const QString& compID);

} // namespace documents
