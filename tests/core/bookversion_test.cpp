#include "core/clock.h"
#include "core/connection.h"
#include "core/dberror.h"
#include "core/schema.h"
#include "core/transaction.h"
#include "documents/bookscheck.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

// Books of every kind in a folder of their own: fresh ones, the kept books of earlier
// versions, and books spoilt on purpose.
class BookVersions : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("kestdata.db")) const {
        return dir_.path() + u'/' + name;
    }
    QString freshBook() {
        schema::create(path());
        return path();
    }
    QString keptBook(const QString& fixture) {
        EXPECT_TRUE(QFile::copy(QStringLiteral(VESK_FIXTURES "/") + fixture, path()));
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
        return path();
    }
    // Runs statements on a book outside the program.
    static void alter(const QString& file, const QByteArray& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
        char* error = nullptr;
        const int rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error);
        EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(db);
    }
    static QString first(Connection& c, const char* sql) {
        sqlite3_stmt* s = nullptr;
        QString text;
        if (sqlite3_prepare_v2(c.handle(), sql, -1, &s, nullptr) == SQLITE_OK &&
            sqlite3_step(s) == SQLITE_ROW)
            text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
        sqlite3_finalize(s);
        return text;
    }
    // How the engine would run the statement, its steps' descriptions joined.
    static std::string planOf(Connection& c, const QByteArray& sql) {
        sqlite3_stmt* s = nullptr;
        std::string plan;
        if (sqlite3_prepare_v2(c.handle(), ("EXPLAIN QUERY PLAN " + sql).constData(), -1, &s,
                               nullptr) == SQLITE_OK)
            while (sqlite3_step(s) == SQLITE_ROW)
                plan +=
                    reinterpret_cast<const char*>(sqlite3_column_text(s, 3)) + std::string("; ");
        sqlite3_finalize(s);
        return plan;
    }
    static QByteArray contents(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // What the kept book holds, read through a copy marked as of this version (not upgraded).
    QString businessAsKept(const QString& file);
    // Opens the kept book, which upgrades it, and checks what every upgrade leaves: a book of
    // this version and structure holding the business as it was kept, books that agree, and
    // a copy of the book as it was beside it.
    void expectUpgradedAsKept(Connection& book, const QString& before, int version);
    QStringList backupsBeside() const {
        return QDir(dir_.path()).entryList({QStringLiteral("kestdata.db.v*.bak")}, QDir::Files);
    }

    QTemporaryDir dir_;
};

// The tables of a shop's business.
constexpr const char* kBusiness[] = {"OrderPur",  "OrderPurD",  "OrderPurT",  "OrderPurTD",
                                     "OrderSale", "OrderSaleD", "OrderSaleT", "OrderSaleTD",
                                     "OrderDB",   "OrderDBD",   "OrderBsBy",  "OrderBsByD",
                                     "FitemBank", "Fproduct",   "Fsupplier",  "Fcustomer"};

// What a book holds of a shop's business, table by table, and every account's balance as the
// book shows it.
QString businessOf(Connection& c) {
    QString all;
    const auto add = [&](const QString& name, const QByteArray& sql) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(c.handle(), sql.constData(), -1, &s, nullptr);
        sqlite3_step(s);
        all += name + u'=' +
               QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, 0))) + u' ';
        sqlite3_finalize(s);
    };
    for (const char* table : kBusiness)
        add(QLatin1String(table),
            QByteArray("SELECT count(*) || ':' || total(rowid) FROM ") + table);
    add(QStringLiteral("balances"),
        "SELECT group_concat(itmID || ':' || ifnull(je, '-'), ' ') FROM VitemBank");
    return all;
}

QString BookVersions::businessAsKept(const QString& file) {
    QFile::copy(file, path("look.db"));
    alter(path("look.db"),
          QByteArray("PRAGMA user_version = " + QByteArray::number(schema::kUserVersion)));
    Connection look(path("look.db"));
    EXPECT_TRUE(look.open()) << look.lastError().toStdString();
    return businessOf(look);
}

TEST_F(BookVersions, ANewBookIsOfThisVersionAndHasExactlyTheStructureOfOne) {
    Connection book(freshBook());
    ASSERT_TRUE(book.open()) << book.lastError().toStdString();
    EXPECT_EQ(schema::versionOf(book.handle()), schema::kUserVersion);
    EXPECT_EQ(book.upgradedFrom(), 0);
    EXPECT_TRUE(schema::structureDifferences(book.handle()).isEmpty());
    EXPECT_TRUE(backupsBeside().isEmpty()) << "a book of this version is opened as it is";
}

TEST_F(BookVersions, TheStructureCheckSeesATableGoneAViewChangedAndAnIndexAdded) {
    Connection book(freshBook());
    ASSERT_TRUE(book.open());
    book.run("DROP TABLE FSettle");
    book.run("DROP VIEW VitemBank; CREATE VIEW VitemBank AS SELECT 1 AS itmID");
    book.run("CREATE INDEX ixExtra ON Fhouse(houseName)");
    const QStringList found = schema::structureDifferences(book.handle());
    EXPECT_TRUE(found.contains("缺少 table FSettle")) << found.join('\n').toStdString();
    EXPECT_TRUE(found.contains("不同于本版本的 view VitemBank"));
    EXPECT_TRUE(found.contains("多出 index ixExtra"));
    // The index on FSettle went with its table.
    EXPECT_EQ(found.size(), 4);
}

void BookVersions::expectUpgradedAsKept(Connection& book, const QString& before, int version) {
    ASSERT_TRUE(book.open()) << book.lastError().toStdString();
    EXPECT_EQ(book.upgradedFrom(), version);
    EXPECT_EQ(schema::versionOf(book.handle()), schema::kUserVersion);
    EXPECT_TRUE(schema::structureDifferences(book.handle()).isEmpty())
        << schema::structureDifferences(book.handle()).join('\n').toStdString();
    EXPECT_EQ(businessOf(book), before);
    for (const BooksDifference& d : checkBooks(book))
        ADD_FAILURE() << d.text().toStdString();
    ASSERT_EQ(backupsBeside().size(), 1);
    EXPECT_TRUE(backupsBeside()[0].startsWith(QStringLiteral("kestdata.db.v%1-").arg(version)));
}

TEST_F(BookVersions, TheKeptBookOfVersionTwoIsUpgradedInPlaceKeepingEveryDocument) {
    const QString file = keptBook("kestdata-v2.db");
    const QString before = businessAsKept(file);
    Connection book(file);
    expectUpgradedAsKept(book, before, 2);
    // The settlements books of version 2 did not record are recorded to the cent (with which
    // the books agree, above).
    EXPECT_EQ(first(book, "SELECT group_concat(compTable || compID || ':' || sumMoney, ' ') "
                          "FROM FSettle"),
              "Fsupplier2:50.0 Fcustomer3:12.34");

    // The copy of the book as it was is complete and of version 2.
    ASSERT_EQ(backupsBeside().size(), 1);
    EXPECT_EQ(book.upgradeBackup(), path(backupsBeside()[0]));
    // It holds the users' password hashes as the book does: the owner's alone.
    EXPECT_EQ(QFileInfo(book.upgradeBackup()).permissions() &
                  (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
                   QFileDevice::WriteOther | QFileDevice::ReadOwner | QFileDevice::WriteOwner),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile::copy(book.upgradeBackup(), path("old.db"));
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path("old.db")).constData(), &raw), SQLITE_OK);
    EXPECT_EQ(schema::versionOf(raw), 2);
    sqlite3_close(raw);

    // Opening again finds a book of this version: nothing more is done.
    book.close();
    ASSERT_TRUE(book.open());
    EXPECT_EQ(backupsBeside().size(), 1);
}

TEST_F(BookVersions, TheKeptBookOfVersionThreeIsUpgradedAndFindsAProductByItsCodeAtOnce) {
    const QString file = keptBook("kestdata-v3.db");
    const QString before = businessAsKept(file);
    Connection book(file);
    expectUpgradedAsKept(book, before, 3);
    // A scanned code, in any case, is looked up rather than searched for among all products.
    EXPECT_THAT(planOf(book, "SELECT prodID FROM Fproduct WHERE prodBH='a-003' "
                             "ORDER BY prodID LIMIT 2"),
                ::testing::HasSubstr("ixProductCode"));
}

TEST_F(BookVersions, TheKeptBookOfVersionFourIsUpgradedKeepingEveryAccountsBalance) {
    const QString file = keptBook("kestdata-v4.db");
    const QString before = businessAsKept(file);
    ASSERT_THAT(before.toStdString(), ::testing::HasSubstr("balances=1:"));
    Connection book(file);
    expectUpgradedAsKept(book, before, 4);
}

TEST_F(BookVersions, TheKeptBookOfVersionFiveIsUpgradedAndListsAMonthsDocumentsUnsorted) {
    const QString file = keptBook("kestdata-v5.db");
    const QString before = businessAsKept(file);
    Connection book(file);
    expectUpgradedAsKept(book, before, 5);
    EXPECT_THAT(planOf(book,
                       "SELECT orderID,empName,orderType,optDate FROM VOrder WHERE "
                       "optDate>='2026-01-01' AND optDate<='2026-01-31' ORDER BY optDate DESC"),
                ::testing::Not(::testing::HasSubstr("TEMP B-TREE")));
}

TEST_F(BookVersions, AnUpgradeThatFailsLeavesTheBookAsItWasAndSaysWhereTheCopyIs) {
    const QString file = keptBook("kestdata-v2.db");
    // A table of the next version already there: the upgrade's first statement fails.
    alter(file, "CREATE TABLE FSettle(x)");
    const QByteArray before = contents(file);
    Connection book(file);
    EXPECT_FALSE(book.open());
    EXPECT_TRUE(book.lastError().startsWith("账簿升级失败，账簿未作改动"))
        << book.lastError().toStdString();
    EXPECT_TRUE(book.lastError().contains(backupsBeside().value(0)));
    EXPECT_FALSE(book.isOpen());
    EXPECT_EQ(contents(file), before);
}

// No upgrade without the copy of the book as it was: when the copy cannot be written (here
// a folder stands where it is written), the book is left alone and the person told why.
TEST_F(BookVersions, AnUpgradeWhoseCopyCannotBeWrittenIsNotMadeAndSaysWhy) {
    const QString file = keptBook("kestdata-v5.db");
    const QDateTime moment(QDate(2026, 12, 11), QTime(9, 30, 5));
    environment::setFixedNow(moment);
    const auto realClock = qScopeGuard([] { environment::setFixedNow({}); });
    ASSERT_TRUE(QDir().mkpath(path("kestdata.db.v5-20261211093005.bak.part")));
    const QByteArray before = contents(file);
    Connection book(file);
    EXPECT_FALSE(book.open());
    EXPECT_TRUE(book.lastError().startsWith("升级前无法备份账簿（"))
        << book.lastError().toStdString();
    EXPECT_FALSE(book.isOpen());
    EXPECT_EQ(contents(file), before);
    EXPECT_TRUE(backupsBeside().isEmpty());
}

TEST_F(BookVersions, EachBookThatCannotBeOpenedSaysWhy) {
    Connection missing(path("nowhere.db"));
    EXPECT_FALSE(missing.open());
    EXPECT_EQ(missing.lastError(), "找不到账簿文件");

    const QString newer = freshBook();
    alter(newer, "PRAGMA user_version = 99");
    const QByteArray before = contents(newer);
    Connection book(newer);
    EXPECT_FALSE(book.open());
    EXPECT_EQ(book.lastError(),
              QStringLiteral("账簿由较新版本的程序建立（账簿版本 99，本程序为 %1），"
                             "请更新程序")
                  .arg(schema::kUserVersion));
    EXPECT_EQ(contents(newer), before) << "a newer book is not touched";

    const QString foreign = path("foreign.db");
    alter(foreign, "CREATE TABLE t(x)");
    Connection other(foreign);
    EXPECT_FALSE(other.open());
    EXPECT_EQ(other.lastError(), "不是本程序的账簿文件");

    const QString garbage = path("garbage.db");
    QFile g(garbage);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write(QByteArray(8192, 'x'));
    g.close();
    Connection damaged(garbage);
    EXPECT_FALSE(damaged.open());
    EXPECT_TRUE(damaged.lastError().startsWith("账簿文件已损坏或不是数据库文件"))
        << damaged.lastError().toStdString();

    const QString ancient = path("ancient.db");
    schema::create(ancient);
    alter(ancient, "PRAGMA user_version = 1");
    Connection old(ancient);
    EXPECT_FALSE(old.open());
    EXPECT_EQ(old.lastError(), "账簿版本 1 无法升级");
}

// A second copy of the program, updated first, upgrades the book this one has open: this one
// writes no more, its statements may no longer fit the tables.
TEST_F(BookVersions, ABookANewerProgramUpgradedWhileThisOneHadItOpenIsWrittenNoMore) {
    Connection book(freshBook());
    ASSERT_TRUE(book.open());
    {
        Transaction writing(book);
        book.run("INSERT INTO Fhouse(houseName) VALUES('一号仓')");
        writing.commit();
    }
    alter(path(), "PRAGMA user_version = " + QByteArray::number(schema::kUserVersion + 1));
    try {
        Transaction writing(book);
        book.run("INSERT INTO Fhouse(houseName) VALUES('二号仓')");
        writing.commit();
        FAIL() << "wrote into a book of a newer version";
    } catch (const DbError& e) {
        EXPECT_THAT(e.text().toStdString(), ::testing::HasSubstr("较新版本"));
    }
    EXPECT_THROW(book.run("INSERT INTO Fhouse(houseName) VALUES('三号仓')"), DbError);
    alter(path(), "PRAGMA user_version = " + QByteArray::number(schema::kUserVersion));
    ASSERT_TRUE(book.open());
    EXPECT_EQ(first(book, "SELECT group_concat(houseName) FROM Fhouse"), "一号仓");
}

TEST_F(BookVersions, ABookThatCannotBeWrittenIsRefusedBeforeAnythingIsDone) {
    const QString file = freshBook();
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadOther);
    // Root may write any file, so the book is opened as nobody, whom only the mode binds; the
    // folder lets nobody in and write, so that the file alone stands in the way.
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(setresgid(65534, 65534, 0), 0);
        ASSERT_EQ(setresuid(65534, 65534, 0), 0);
    }
    const auto back = qScopeGuard([root] {
        if (root && (setresuid(0, 0, 0) != 0 || setresgid(0, 0, 0) != 0))
            std::abort(); // the other tests must not run as nobody
    });
    Connection book(file);
    EXPECT_FALSE(book.open());
    EXPECT_EQ(book.lastError(), "账簿文件是只读的，不能记账");
}

} // namespace
