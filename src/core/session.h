#pragma once

#include <QString>

// The logged-in user, handed over by the login and fixed until the program ends. Windows that
// record who did something (the stock count, the password change) read the name from here.
namespace session {

void setUser(const QString& userKey, const QString& userName);
void clear();
bool loggedIn();
// The user's UserID as text; empty before a login.
QString userKey();
QString userName();

} // namespace session
