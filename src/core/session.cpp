#include "core/session.h"

namespace session {

namespace {
struct User {
    QString key;
    QString name;
};
User& current() {
    static User user;
    return user;
}
} // namespace

void setUser(const QString& userKey, const QString& userName) {
    current() = {userKey, userName};
}

void clear() {
    current() = {};
}

bool loggedIn() {
    return !current().key.isEmpty();
}

QString userKey() {
    return current().key;
}

QString userName() {
    return current().name;
}

} // namespace session
