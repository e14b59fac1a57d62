#pragma once

#include <QString>
#include <optional>
#include <vector>

// Who may log in and what each user may open: the rows of Users and perms. Passwords are
// kept only as their hashes (core/passwords.h).
namespace useraccounts {

struct User {
    QString key; // UserID as text
    QString name;
};

// Every user, in the order they were added.
std::vector<User> list();
// The permission codes the user holds, as stored (duplicates and strays included).
std::vector<long long> permissions(const QString& userKey);

// Adds the user with the password's hash; false (nothing added) when a user of that name
// exists without regard to Latin case; name and password come trimmed. Nothing when a lost
// connection left it not added or not known to be (the person has been told).
std::optional<bool> add(const QString& name, const QString& password);
// Deletes the user and its permission rows, together, on the user held; false, with the
// person told, when another counter has removed the user already.
bool remove(long long userID);
// Replaces the user's permission rows by one row per code, together, on the user held: on an
// error nothing changes and the DbError goes on. False, with the person told, when another
// counter has removed the user meanwhile, or (with shown, the codes the window ticked when
// the user was chosen) changed the user's permissions since: the ticks would undo that.
bool grant(const QString& userKey, const std::vector<int>& codes,
           const std::optional<std::vector<long long>>& shown = std::nullopt);
// Sets the new password when the old one is the user's; false (nothing changed) otherwise.
// Nothing, with the person told, when another counter has removed the user meanwhile or a lost
// connection left it not changed or not known to be.
std::optional<bool> changePassword(const QString& userKey, const QString& oldPassword,
                                   const QString& newPassword);

} // namespace useraccounts
