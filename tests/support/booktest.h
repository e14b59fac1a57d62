#pragma once

#include "support/scriptedfiledialogs.h"
#include "support/scriptedmessages.h"
#include "support/scriptedmodal.h"

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class Connection;
class ServerBook;
class TsysData;

// The two engines a book can be kept on.
enum class BookEngine { Embedded, Server };
void PrintTo(BookEngine engine, std::ostream* os);

// A test on a fresh book: its own database file in a temporary directory (which is also the
// program's directory), or a database of its own on the tests' server, the data module open
// on it, scripted messages and modal windows, and the clock fixed at kNow.
class BookTest : public ::testing::Test {
public:
    static inline const QDateTime kNow{QDate(2026, 3, 15), QTime(9, 5, 7)};

protected:
    BookTest();
    ~BookTest() override;
    void SetUp() override;
    void TearDown() override;

    // The engine this test's book is kept on; the embedded one unless a fixture says otherwise.
    virtual BookEngine engine() const { return BookEngine::Embedded; }
    bool onServer() const { return engine() == BookEngine::Server; }
    // The cluster a server book is made on, by the connection string of its own database;
    // the tests' shared cluster unless a fixture says otherwise.
    virtual QString cluster() const;

    // Runs SQL directly, outside the slots, to arrange or inspect the book.
    void exec(const QString& sql);
    // Makes writing to the table fail with the message, on either engine: event is INSERT,
    // DELETE or UPDATE (OF columns), when an optional condition on NEW or OLD. allow() ends it.
    void refuse(const QString& name, const QString& event, const QString& table,
                const QString& when = QString(), const QString& message = "refused");
    void allow(const QString& name, const QString& table);
    // The first field of the first row as text ("" when there is none).
    QString scalar(const QString& sql);
    // The first field of every row, in the query's order.
    QStringList firstFields(const QString& sql);
    // Every row, its fields joined by the separator, each read as the program reads it (so
    // that a number reads alike on either engine: 4.0 and 4 are "4").
    QStringList records(const QString& sql, QChar separator = u'|');
    double number(const QString& sql) { return scalar(sql).toDouble(); }
    long long count(const QString& tableOrWhere);
    // The stock the book keeps for a product: in all (Fproduct) and in one warehouse
    // (VInveHouse).
    double stockOf(long long product);
    double stockIn(long long house, long long product);

    // Arranging master rows; each returns the new key.
    long long addHouse(const QString& name);
    long long addCategory(const QString& name);
    long long addProduct(const QString& name, long long cateID = 1, const QString& inprice = "10",
                         const QString& outprice = "15");
    long long addSupplier(const QString& name);
    long long addCustomer(const QString& name);
    long long addEmployee(const QString& name);

    QString directory() const { return dir_.path() + u'/'; }
    // A connection of its own to this test's book, as another counter has.
    std::unique_ptr<Connection> anotherCounter() const;

    ScriptedMessages messages_;
    ScriptedModal modal_;
    ScriptedFileDialogs fileDialogs_;
    std::unique_ptr<TsysData> data_;

private:
    QTemporaryDir dir_;
    std::unique_ptr<ServerBook> server_;
};

// A fixture whose tests run once on each engine: its tests are TEST_P, and the file says
// INSTANTIATE_ON_BOTH_ENGINES(Fixture).
template <class Fixture>
class OnEngines : public Fixture, public ::testing::WithParamInterface<BookEngine> {
protected:
    BookEngine engine() const override { return this->GetParam(); }
};

std::string engineName(const ::testing::TestParamInfo<BookEngine>& info);

#define INSTANTIATE_ON_BOTH_ENGINES(Fixture)                                                       \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        Engines, Fixture, ::testing::Values(BookEngine::Embedded, BookEngine::Server), engineName)
