// Voiding on a server book while another counter's transaction holds the same rows, the two
// moments the counters test (counters_test.cpp) meets by chance, made to happen every time:
// the voiding waits for the other counter's lock, and what it does once the lock is released
// must take the other counter's committed work into account.
#include "core/sysdata.h"
#include "core/transaction.h"
#include "documents/tradeposting.h"
#include "reports/querykind.h"
#include "reports/voiding.h"
#include "support/booktest.h"

#include <QDeadlineTimer>
#include <QThread>
#include <future>
#include <libpq-fe.h>

namespace {

// Another counter's session on the same book, without the data module.
class OtherCounter {
public:
    explicit OtherCounter(const QString& conninfo)
        : connection_(PQconnectdb(conninfo.toUtf8().constData())) {}
    ~OtherCounter() { PQfinish(connection_); }
    OtherCounter(const OtherCounter&) = delete;
    OtherCounter& operator=(const OtherCounter&) = delete;

    // The server's error text, or "" when the statements ran.
    std::string run(const QString& sql) {
        PGresult* r = PQexec(connection_, sql.toUtf8().constData());
        const ExecStatusType status = PQresultStatus(r);
        PQclear(r);
        return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK
                   ? std::string()
                   : std::string(PQerrorMessage(connection_));
    }
    long long number(const QString& sql) {
        PGresult* r = PQexec(connection_, sql.toUtf8().constData());
        const long long n = PQntuples(r) > 0 ? QByteArray(PQgetvalue(r, 0, 0)).toLongLong() : -1;
        PQclear(r);
        return n;
    }

private:
    PGconn* connection_;
};

class ConcurrentVoidTest : public BookTest {
protected:
    BookEngine engine() const override { return BookEngine::Server; }

    void SetUp() override {
        BookTest::SetUp();
        if (HasFatalFailure())
            return;
        product_ = addProduct("笔");
        const long long house = addHouse("总库");
        TradeDocument d;
        d.houseName = "总库";
        d.houseID = QString::number(house);
        d.orderCode = kCode;
        d.compID = "1";
        d.date = QDate(2026, 3, 15);
        d.cell(1, 1) = QString::number(product_);
        d.cell(1, 6) = "2";
        d.cell(1, 7) = "10";
        d.cell(1, 8) = "20";
        d.sumMoney = "20";
        d.money = "0";
        Transaction t(sysData->myCon);
        ASSERT_TRUE(writeTradeDocument(tradeKind(TradeKindId::Purchase), d));
        t.commit();
    }

    // Voids the purchase on the data module's connection while the other counter holds a
    // transaction open with its statements run; commits that transaction once the voiding
    // waits for its lock. What the voiding answered.
    bool voidWhileHeld(const QString& statements) {
        OtherCounter other(data_->myCon.path()), watcher(data_->myCon.path());
        EXPECT_EQ(other.run("BEGIN; " + statements), "");
        auto voiding = std::async(std::launch::async, [] {
            return voidDocument(queryKind(QueryKindId::Purchase), kCode);
        });
        const QDeadlineTimer failsafe(30000);
        while (watcher.number("SELECT COUNT(*) FROM pg_stat_activity WHERE datname = "
                              "current_database() AND wait_event_type = 'Lock'") < 1 &&
               !failsafe.hasExpired())
            QThread::msleep(20);
        EXPECT_FALSE(failsafe.hasExpired()) << "the voiding never waited for the other counter";
        EXPECT_EQ(other.run("COMMIT"), "");
        return voiding.get();
    }

    double stock() {
        return number(
            QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(product_));
    }

    static inline const QString kCode = QStringLiteral("CJ1");
    long long product_ = 0;
};

TEST_F(ConcurrentVoidTest, AVoidingKeepsTheStockAnotherCounterPostedMeanwhile) {
    // The other counter posts 5 more of the product; its update holds the product's row.
    EXPECT_TRUE(voidWhileHeld(
        QStringLiteral("UPDATE Fproduct SET sumCount=sumCount+5 WHERE prodID=%1").arg(product_)));
    EXPECT_EQ(stock(), 5)
        << "a lost update: the voiding read the stock (10), waited for the other counter's "
           "posting of 5 to commit, then wrote back 10 − 10 = 0 over it; the total it takes the "
           "document's quantity from must be read under the row's lock, or moved relatively";
}

TEST_F(ConcurrentVoidTest, ADocumentTwoCountersVoidAtOnceIsTakenBackOnce) {
    // The other counter voids the same document; its deletion holds the header's row.
    EXPECT_FALSE(voidWhileHeld(
        QStringLiteral("DELETE FROM OrderPur WHERE orderID='%1'; DELETE FROM OrderPurD WHERE "
                       "orderID='%1'; UPDATE Fproduct SET sumCount=sumCount-10 WHERE prodID=%2")
            .arg(kCode)
            .arg(product_)))
        << "the second voiding reported a document the first had voided meanwhile as voided";
    EXPECT_EQ(stock(), 0)
        << "a double reversal: the second voiding read the document before the first deleted "
           "it, found no row left to delete once the lock was released, and took the stock "
           "back a second time";
}

} // namespace
