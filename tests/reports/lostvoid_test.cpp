// Voiding whose connection to the server breaks: the person learns whether the document was
// voided, and the list shows the book as it is.
#include "core/rowlock.h"
#include "core/transaction.h"
#include "documents/tradekind.h"
#include "reportbook.h"
#include "reports/querykind.h"
#include "reports/ui/tfrmorderquery.h"
#include "reports/voiding.h"
#include "support/drive.h"
#include "support/lostsession.h"
#include "support/othercounter.h"

#include <QTableView>
#include <memory>

namespace {

const QString kVoidedAfterBreak = QStringLiteral("与服务器的连接曾中断，单据已作废。");
const QString kNotVoided = QStringLiteral("与服务器的连接已中断，单据未作废，请重新作废。");
const QString kNotKnown = QStringLiteral("与服务器的连接已中断，无法确认单据是否已作废。"
                                         "请稍后刷新单据列表核对后再决定是否重新作废。");

class LostVoid : public LostSessionOn<ReportBook> {
protected:
    void SetUp() override {
        LostSessionOn<ReportBook>::SetUp();
        unposted = totals();
        postTrade(TradeKindId::Purchase, "CJ1", QDate(2026, 3, 10), steelWorks,
                  {{pen, "12.5", "4"}}, "20");
        posted = totals();
        window = std::make_unique<TfrmOrderQuery>(queryKind(QueryKindId::Purchase));
        select(*window, "CJ1");
    }
    void TearDown() override {
        window.reset();
        LostSessionOn<ReportBook>::TearDown();
    }

    long long held() { return count("OrderPur WHERE orderID='CJ1'"); }
    // What the purchase moved: the pen's stock, the supplier's balance, the journal's rows.
    QStringList totals() {
        return records(QStringLiteral("SELECT (SELECT sumCount FROM Fproduct WHERE prodID=%1),"
                                      "(SELECT exchMoney FROM Fsupplier WHERE compID=%2),"
                                      "(SELECT COUNT(*) FROM FitemBank)")
                           .arg(pen)
                           .arg(steelWorks));
    }
    int listed() { return drive::find<QTableView>(*window, "dgOrder").model()->rowCount(); }

    QStringList unposted, posted;
    std::unique_ptr<TfrmOrderQuery> window;
};

TEST_F(LostVoid, AVoidingWhoseCommitGotThroughIsReportedDoneAndTheListReloaded) {
    nextCommitWaitsForItsAcknowledgement();
    {
        auto breaking = ender(kCommitMade);
        voidIt(*window);
        EXPECT_TRUE(breaking->ended());
    }
    EXPECT_EQ(messages_.last(), kVoidedAfterBreak);
    EXPECT_EQ(held(), 0);
    EXPECT_EQ(totals(), unposted);
    EXPECT_EQ(listed(), 0);
}

TEST_F(LostVoid, AVoidingBrokenBeforeItsCommitIsReportedUndoneAndVoidsOnceAgain) {
    {
        OtherCounter other(anotherCounter(), anotherCounter());
        other.hold("Fproduct", "prodID", pen, RowHold::Changed); // the voiding waits for it
        auto breaking = ender(kWaitingForALock);
        voidIt(*window);
        EXPECT_TRUE(breaking->ended());
    }
    EXPECT_EQ(messages_.last(), kNotVoided);
    EXPECT_EQ(held(), 1);
    EXPECT_EQ(totals(), posted);
    EXPECT_EQ(listed(), 1);

    select(*window, "CJ1");
    voidIt(*window);
    EXPECT_EQ(held(), 0);
    EXPECT_EQ(totals(), unposted);
}

TEST_F(LostVoid, AVoidingThatCannotBeLookedForAfterTheBreakIsLeftToThePerson) {
    nextCommitWaitsForItsAcknowledgement();
    {
        auto breaking = ender(kCommitMade);
        refuseNewSessions(true);
        voidIt(*window);
        EXPECT_TRUE(breaking->ended());
        refuseNewSessions(false);
    }
    EXPECT_EQ(messages_.last(), kNotKnown);
    EXPECT_EQ(listed(), 1) << "the list cannot be read again";
    // It did get through: the person is sent to look rather than told to void again.
    EXPECT_EQ(held(), 0);
    EXPECT_EQ(totals(), unposted);
}

// Cut off with its commit on the way, the voiding may still be running on the server, its
// deletion not yet seen by another session: the document still listed there is no sign that
// it was not voided, and "void it again" would be wrong once the commit gets through.
TEST_F(LostVoid, AVoidingTheServerIsStillRunningIsNeitherCalledDoneNorUndone) {
    const std::unique_ptr<Connection> cutOff = anotherCounter();
    QString id;
    {
        Transaction running(*cutOff);
        id = transactions::serverId(*cutOff);
        TQuery q(*cutOff, QStringLiteral("cutOff"));
        q.load("DELETE FROM OrderPur WHERE orderID='CJ1'");
        q.execute();
        EXPECT_EQ(held(), 1);
        EXPECT_EQ(voidedAfterBreak(id), documents::Found::Unknown);
        running.commit();
    }
    EXPECT_EQ(voidedAfterBreak(id), documents::Found::Ours);
}

} // namespace
