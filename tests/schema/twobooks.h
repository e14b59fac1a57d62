#pragma once

#include "support/serverdb.h"

#include <QString>
#include <QStringList>

struct sqlite3;

// A query's column names (in lower case) and then its rows, sorted, each as its fields joined
// by '|' with numbers in their shortest form (1.50 and 1.5 read 1.5): on an embedded book, and
// from what a server yielded.
QStringList embeddedRowsOf(sqlite3* db, const QString& sql);
QStringList serverRowsOf(ServerDb& server, const QString& sql);

// The same new book on both engines, an embedded one in memory and a server one, so that the
// same plain SQL runs on both and what they yield can be compared.
class TwoBooks {
public:
    TwoBooks();
    ~TwoBooks();
    TwoBooks(const TwoBooks&) = delete;
    TwoBooks& operator=(const TwoBooks&) = delete;

    // Runs statements on the embedded book; its error text, or "" when they ran.
    QString execEmbedded(const QString& sql);
    // Runs statements on both books; what either engine refused, "" when both ran.
    QString exec(const QString& sql);

    // A query's column names (in lower case) and then its rows, sorted, each as its fields
    // joined by '|' with numbers in their shortest form (1.50 and 1.5 read 1.5), on each book.
    QStringList embeddedRows(const QString& sql);
    QStringList serverRows(const QString& sql);
    // The rows only one book yields, one line each; "" when both yield the same.
    QString differences(const QString& sql);

    // The names of the embedded book's objects of one type ("view", "table", "trigger").
    QStringList embeddedNames(const QString& type);

    ServerDb server;

private:
    sqlite3* embedded_ = nullptr;
};
