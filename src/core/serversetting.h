#pragma once

#include <QString>

// Which book the program works on: without a setting the embedded book, with one the book on
// the PostgreSQL server that the libpq connection string (or "service=name") names. The
// setting lives in the user's configuration folder; a password never does.
namespace serversetting {

// The saved connection string; empty for the embedded book.
QString load();

// Saves the connection string (empty: back to the embedded book). Returns the reason it was
// refused, saving nothing: a string that holds a password or that libpq cannot read.
QString save(const QString& conninfo);

// The reason libpq cannot read the string; empty when it can (or when it is empty).
QString checkSyntax(const QString& conninfo);

// The string in libpq's key=value or address form: a bare word names a service of libpq's
// service file.
QString keyed(const QString& conninfo);

// The string without its password, which goes to *password ("" when it has none), so that a
// tool given the string on its command line never shows the password to the machine's other
// users.
QString withoutPassword(const QString& conninfo, QString* password);

// The string with a password added for this run only, quoted as libpq reads it.
QString withPassword(const QString& conninfo, const QString& password);

// How a failed connection begins its reason when the server asked for a password: none was
// given, or the server refused the connection all the same (mostly a password mistyped).
inline const QString kPasswordWanted = QStringLiteral("服务器要求输入密码：");
inline const QString kPasswordNotTaken = QStringLiteral("已给出密码，服务器仍拒绝连接：");

// True when the server asked for a password and the connection failed, so that one can be
// asked for (again).
bool needsPassword(const QString& serverError);

} // namespace serversetting
