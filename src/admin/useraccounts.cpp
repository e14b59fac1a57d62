#include "admin/useraccounts.h"

#include "core/passwords.h"
#include "core/rowlock.h"
#include "core/sysdata.h"
#include "masterdata/masterrows.h"

#include <algorithm>

namespace useraccounts {

std::vector<User> list() {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT UserID,UserName FROM Users ORDER BY UserID"));
    q.open();
    std::vector<User> users;
    for (; !q.eof(); q.next())
        users.push_back({q.field(u"UserID").asText(), q.field(u"UserName").asText()});
    q.close();
    return users;
}

std::vector<long long> permissions(const QString& userKey) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT perm FROM perms WHERE userID=:userID"));
    q.bind(u"userID", userKey);
    q.open();
    std::vector<long long> codes;
    for (; !q.eof(); q.next())
        codes.push_back(q.field(u"perm").asInteger());
    q.close();
    return codes;
}

std::optional<bool> add(const QString& name, const QString& password) {
    // The look-up and the insert together, so that no namesake slips in between; another
    // counter adding the same name waits, and then finds it.
    return masterrows::writeChecked([&] {
        TQuery& q = sysData->QueryCommon;
        holdName(q, QStringLiteral("Users"), name);
        q.load(QStringLiteral("SELECT UserID FROM Users WHERE UserName=:UserName"));
        q.bind(u"UserName", name);
        q.open();
        const bool exists = !q.eof();
        q.close();
        if (exists)
            return false;
        q.load(QStringLiteral("INSERT INTO Users(UserName,pwd) VALUES(:UserName,:pwd)"));
        q.bind(u"UserName", name);
        q.bind(u"pwd", passwords::hash(password));
        q.execute();
        q.close();
        return true;
    });
}

bool remove(long long userID) {
    const QString key = QString::number(userID);
    return masterrows::writeChecked([&] {
               TQuery& q = sysData->QueryCommon;
               masterrows::deleteHeld(q, masterrows::kUser, key, [](TQuery&) {});
               q.load(QStringLiteral("DELETE FROM perms WHERE userID=:userID"));
               q.bind(u"userID", userID);
               q.execute();
               q.close();
               return true;
           })
        .has_value();
}

bool grant(const QString& userKey, const std::vector<int>& codes,
           const std::optional<std::vector<long long>>& shown) {
    return masterrows::writeChecked([&] {
               TQuery& q = sysData->QueryCommon;
               // Held, so that the rows granted never outlive a user deleted meanwhile.
               masterrows::hold(q, masterrows::kUser, userKey, RowHold::Changed);
               if (shown) {
                   auto now = permissions(userKey);
                   auto then = *shown;
                   std::sort(now.begin(), now.end());
                   std::sort(then.begin(), then.end());
                   if (now != then)
                       throw Refusal(
                           QStringLiteral("此用户的权限已被其他用户修改，请核对后重新授权！"));
               }
               q.load(QStringLiteral("DELETE FROM perms WHERE userID=:userID"));
               q.bind(u"userID", userKey);
               q.execute();
               q.load(QStringLiteral("INSERT INTO perms(userID,perm) VALUES(:userID,:perm)"));
               q.bind(u"userID", userKey);
               for (const int code : codes) {
                   q.bind(u"perm", code);
                   q.execute();
               }
               q.close();
               return true;
           })
        .has_value();
}

std::optional<bool> changePassword(const QString& userKey, const QString& oldPassword,
                                   const QString& newPassword) {
    // Held while the old password is compared, so that the same user changing it at another
    // counter meanwhile is waited for and then finds it changed.
    return masterrows::writeChecked([&] {
        TQuery& q = sysData->QueryCommon;
        masterrows::hold(q, masterrows::kUser, userKey, RowHold::Changed);
        q.load(QStringLiteral("SELECT pwd FROM Users WHERE UserID=:UserID"));
        q.bind(u"UserID", userKey);
        q.open();
        const bool known = passwords::matches(oldPassword, q.field(u"pwd").asText());
        q.close();
        if (!known)
            return false;
        q.load(QStringLiteral("UPDATE Users SET pwd=:pwd WHERE UserID=:UserID"));
        q.bind(u"pwd", passwords::hash(newPassword));
        q.bind(u"UserID", userKey);
        q.execute();
        q.close();
        return true;
    });
}

} // namespace useraccounts
