#pragma once

#include <QString>

class Connection;

namespace serverbook {

// What every copy of the program calls its sessions on the server (libpq's application name,
// unless the connection string names them otherwise).
inline constexpr char kSessionName[] = "vesk";

// What became of the server book a connection was opened on.
struct Opening {
    // Why it cannot be used as the book: not a book of this program, of a newer version, or
    // of an older one that could not be upgraded. Empty when it can.
    QString refusal;
    // The version it had before this opening upgraded it; 0 when it was of this version.
    int upgradedFrom = 0;
};

// Takes the server database the connection is open on as the book: a book of an earlier
// version is upgraded first, in one transaction, so that it is of this version or unchanged.
// Upgrading cuts off the sessions of the older programs still at work on the book, whatever
// they were writing being rolled back: their statements may no longer fit its tables, and
// connecting again they are refused the newer book.
Opening open(Connection& connection);

// Opens the server book the string names and says why it cannot be used; empty when it can,
// as it is or once upgraded. It is not upgraded here.
QString tryOpen(const QString& conninfo);

} // namespace serverbook
