// How the book sits on disk: a log that survives a crash while the program runs, folded back
// into the one file when the connection closes, so that a backup copies a single whole file.
#include "core/sysdata.h"
#include "documents/bookscheck.h"
#include "documents/tradeposting.h"
#include "support/booktest.h"
#include "support/tradedocuments.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

class Durability : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        house = addHouse("总库");
        pen = addProduct("笔");
        supplier = addSupplier("甲公司");
    }
    void postPurchase(const QString& code) {
        const TradeDocument d =
            tradeDocument(code, {house, "总库"}, {supplier, "甲公司"}, {{pen, "2.5", "4"}});
        messages_.answerOk();
        ASSERT_EQ(postTradeDocument(tradeKind(TradeKindId::Purchase), d), PostResult::Posted);
    }
    QString book() const { return directory() + TsysData::fileName(); }

    long long house = 0, pen = 0, supplier = 0;
};

TEST_F(Durability, TheBookRunsWithALogAndWaitsForTheDiskAtEveryCommitAlsoAfterReopening) {
    EXPECT_EQ(scalar("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(scalar("PRAGMA synchronous"), "2"); // FULL
    data_->myCon.close();
    postPurchase("CJ1"); // the next statement opens the book again
    EXPECT_EQ(scalar("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(scalar("PRAGMA synchronous"), "2");
}

TEST_F(Durability, ClosingFoldsTheLogBackSoThatTheFileAloneIsTheWholeBook) {
    for (int i = 1; i <= 3; ++i)
        postPurchase(QStringLiteral("CJ%1").arg(i));
    // A list window keeps its slot open while the backup window closes the connection.
    sysData->QueryHouse.load("SELECT houseID,houseName FROM Fhouse");
    sysData->QueryHouse.open();
    ASSERT_TRUE(QFile::exists(book() + "-wal"));
    ASSERT_GT(QFile(book() + "-wal").size(), 0);

    data_->myCon.close();
    EXPECT_FALSE(QFile::exists(book() + "-wal"));
    EXPECT_FALSE(QFile::exists(book() + "-shm"));

    QTemporaryDir elsewhere;
    ASSERT_TRUE(QFile::copy(book(), elsewhere.filePath(TsysData::fileName())));
    TsysData copy(elsewhere.path() + u'/');
    ASSERT_TRUE(copy.connect()) << copy.myCon.lastError().toStdString();
    TQuery q(copy.myCon, "copy");
    q.load("PRAGMA integrity_check");
    q.open();
    EXPECT_EQ(q.field(u"integrity_check").asText(), "ok");
    q.load("SELECT COUNT(*) AS n, SUM(acMoney) AS due FROM OrderPur");
    q.open();
    EXPECT_EQ(q.field(u"n").asInteger(), 3);
    EXPECT_EQ(q.field(u"due").asFloat(), 30);
    q.load("SELECT sumCount FROM Fproduct WHERE prodID=:prodID");
    q.bind(u"prodID", pen);
    q.open();
    EXPECT_EQ(q.field(u"sumCount").asFloat(), 12);
    EXPECT_TRUE(checkBooks(copy.myCon).empty());
}

} // namespace
