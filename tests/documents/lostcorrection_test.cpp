// Correcting the stock by a count whose connection to the server breaks: the person learns
// whether the stock was corrected, never that nothing moved when it did.
#include "core/rowlock.h"
#include "countwindows.h"
#include "support/lostsession.h"
#include "support/othercounter.h"

namespace {

const QString kDone = QStringLiteral("修正库存完成!");
const QString kCorrectedAfterBreak = QStringLiteral("与服务器的连接曾中断，库存已修正。\n") + kDone;
const QString kNotCorrected = QStringLiteral("与服务器的连接已中断，库存未修正，请重新修正。");
const QString kNotKnown = QStringLiteral("与服务器的连接已中断，无法确认库存是否已修正。"
                                         "请在报损报溢单据查询中核对后再决定是否重新修正。");

class LostCorrection : public LostSessionOn<CountBook> {
protected:
    void SetUp() override {
        LostSessionOn<CountBook>::SetUp();
        countList();
        newCount("北库", {{"锤子", "3"}}); // 5 in 北库 and 7 in 南库: 2 fewer
    }
    // The hammer's stock, the open counts and the "盘点" records.
    QStringList state() {
        return {stockOf(hammer), QString::number(count("OrderPD")),
                QString::number(count("OrderBsBy WHERE orderType='盘点'"))};
    }
    const QStringList open{"12", "1", "0"};
    const QStringList corrected{"10", "0", "1"};
};

TEST_F(LostCorrection, ACorrectionWhoseCommitGotThroughIsReportedDone) {
    startCount([this](TfrmPDChInve& w) {
        nextCommitWaitsForItsAcknowledgement();
        auto breaking = ender(kCommitMade);
        correct(w);
        EXPECT_TRUE(breaking->ended());
        EXPECT_EQ(messages_.last(), kCorrectedAfterBreak);
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(state(), corrected);
}

TEST_F(LostCorrection, ACorrectionBrokenBeforeItsCommitIsReportedUndoneAndCorrectsOnceAgain) {
    startCount([this](TfrmPDChInve& w) {
        {
            OtherCounter other(anotherCounter(), anotherCounter());
            other.hold("Fproduct", "prodID", hammer, RowHold::Changed); // the correction waits
            auto breaking = ender(kWaitingForALock);
            correct(w);
            EXPECT_TRUE(breaking->ended());
        }
        EXPECT_EQ(messages_.last(), kNotCorrected);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(state(), open);
        correct(w);
        EXPECT_EQ(messages_.last(), kDone);
    });
    EXPECT_EQ(state(), corrected);
}

TEST_F(LostCorrection, ACorrectionThatCannotBeLookedForAfterTheBreakIsLeftToThePerson) {
    startCount([this](TfrmPDChInve& w) {
        nextCommitWaitsForItsAcknowledgement();
        auto breaking = ender(kCommitMade);
        refuseNewSessions(true);
        correct(w);
        EXPECT_TRUE(breaking->ended());
        refuseNewSessions(false);
        EXPECT_EQ(messages_.last(), kNotKnown);
        EXPECT_TRUE(w.isVisible());
    });
    // It did get through: the person is sent to look rather than told to correct again.
    EXPECT_EQ(state(), corrected);
}

} // namespace
