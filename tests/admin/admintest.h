#pragma once

#include "core/passwords.h"
#include "core/session.h"
#include "core/sysdata.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QFile>

// A book with the administrator logged in.
class AdminTest : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        session::setUser("1", "管理员");
    }
    void TearDown() override {
        session::clear();
        BookTest::TearDown();
    }

    long long addUser(const QString& name, const QString& password) {
        exec(QStringLiteral("INSERT INTO Users(UserName, pwd) VALUES('%1', '%2')")
                 .arg(name, passwords::hash(password)));
        return scalar("SELECT last_insert_rowid()").toLongLong();
    }
    QString codesOf(long long userID) {
        return firstFields(QStringLiteral("SELECT perm FROM perms WHERE userID=%1 ORDER BY perm")
                               .arg(userID))
            .join(u',');
    }
    QString bookPath() const { return directory() + QStringLiteral("kestdata.db"); }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};
