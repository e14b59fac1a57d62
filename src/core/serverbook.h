#pragma once

#include <QString>

class Connection;

namespace serverbook {

// Why the server database the connection is open on cannot be used as the book: not a book
// of this program, of a newer version, or of an older one (a server book is upgraded by the
// version of the program that wrote it). Empty when it is a book of this version.
QString refusal(Connection& connection);

// Opens the server book the string names and says why it cannot be used; empty when it can.
QString tryOpen(const QString& conninfo);

} // namespace serverbook
