// A counted line whose connection to the server breaks while it is saved: a count whose header
// got through is never made a second time, and what was typed is kept when nothing got through.
#include "core/rowlock.h"
#include "countwindows.h"
#include "support/lostsession.h"
#include "support/othercounter.h"

namespace {

class LostCount : public LostSessionOn<CountBook> {
protected:
    // "新增盘点单" of 北库; the script counts in the new count's window.
    void newCountOfTheNorth(const std::function<void(TfrmPDAdd&)>& script) {
        countList();
        modal_.expect<TfrmPDAdd>([&](TfrmPDAdd& w) {
            drive::choose(drive::find<QComboBox>(w, "cbHouse"), "北库");
            script(w);
        });
        drive::click(*productPD, "tlAdd");
    }
    void openProduct(TfrmPDAdd& w, const QString& name) {
        QTableView& products = list(w, "dgProduct");
        doubleClickRow(products, rowOf(products, 2, name));
    }
};

TEST_F(LostCount, AFirstLineWhoseCommitGotThroughKeepsItsCountAndTheNextLineJoinsIt) {
    newCountOfTheNorth([&](TfrmPDAdd& w) {
        nextCommitWaitsForItsAcknowledgement();
        {
            auto breaking = ender(kCommitMade);
            countProduct(w, "锤子", "4");
            EXPECT_TRUE(breaking->ended());
        }
        countProduct(w, "锯子", "2");
    });
    EXPECT_EQ(count("OrderPD"), 1) << "a second count under the next free code";
    EXPECT_EQ(records("SELECT prodID,pdcount FROM OrderPDD ORDER BY prodID"),
              QStringList({QStringLiteral("%1|4").arg(hammer), QStringLiteral("%1|2").arg(saw)}));
}

TEST_F(LostCount, ALineBrokenBeforeItsCommitKeepsWhatWasTypedAndSavesOnceAgain) {
    newCountOfTheNorth([&](TfrmPDAdd& w) {
        modal_.expect<TfrmProdPD>([&](TfrmProdPD& d) {
            drive::type(d, "txtPDCount", "4");
            {
                OtherCounter other(anotherCounter(), anotherCounter());
                other.hold("Fproduct", "prodID", hammer, RowHold::Removed); // the line waits
                auto breaking = ender(kWaitingForALock);
                drive::click(d, "btnOK");
                EXPECT_TRUE(breaking->ended());
            }
            EXPECT_EQ(messages_.last(), "与服务器的连接已中断，操作未完成，请重新操作。");
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(drive::find<QLineEdit>(d, "txtPDCount").text(), "4");
            EXPECT_EQ(count("OrderPD"), 0);
            drive::click(d, "btnOK");
            EXPECT_FALSE(d.isVisible());
        });
        openProduct(w, "锤子");
    });
    EXPECT_EQ(count("OrderPD"), 1);
    EXPECT_EQ(records("SELECT prodID,pdcount FROM OrderPDD"),
              QStringList({QStringLiteral("%1|4").arg(hammer)}));
}

TEST_F(LostCount, ADeletionWhoseCommitGotThroughIsNotCalledAnotherCountersWork) {
    newCount("北库", {{"锤子", "3"}});
    ASSERT_EQ(count("OrderPD"), 1);
    nextCommitWaitsForItsAcknowledgement();
    const int told = int(messages_.texts().size());
    messages_.answerOk();
    {
        auto breaking = ender(kCommitMade);
        drive::click(*productPD, "tlDel");
        EXPECT_TRUE(breaking->ended());
    }
    EXPECT_EQ(messages_.texts().mid(told), QStringList({"确定要删除选择的盘点单吗？"}));
    EXPECT_EQ(count("OrderPD"), 0);
    EXPECT_EQ(count("OrderPDD"), 0);
}

} // namespace
