// A cash entry or a settlement whose connection to the server breaks: the person learns
// whether it was made, so that making it again never counts the money twice.
#include "accounts/ui/tfrmcash.h"
#include "accounts/ui/tfrminadd.h"
#include "accounts/ui/tfrmjk.h"
#include "accounts/ui/tfrmysyf.h"
#include "masterdata/masterlists.h"
#include "support/drive.h"
#include "support/lostsession.h"
#include "support/othercounter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <memory>

namespace {

using namespace masterlists;

const QString kAdded = QStringLiteral("与服务器的连接曾中断，已添加。\n添加成功！");
const QString kNotAdded = QStringLiteral("与服务器的连接已中断，未添加，请重新添加。");
const QString kAddedUnknown = QStringLiteral("与服务器的连接已中断，无法确认是否已添加。"
                                             "请在现金银行明细中核对后再决定是否重新添加。");
const QString kSettled = QStringLiteral("与服务器的连接曾中断，结算已完成。\n结算成功！");
const QString kNotSettled = QStringLiteral("与服务器的连接已中断，未结算，请重新结款。");
const QString kSettledUnknown = QStringLiteral("与服务器的连接已中断，无法确认是否已结算。"
                                               "请核对欠款金额后再决定是否重新结款。");

class LostCash : public LostSessionTest {
protected:
    void TearDown() override {
        cash.reset();
        LostSessionTest::TearDown();
    }

    // The cash window with 现金 picked, whose "进款" dialog the script drives.
    void moneyIn(const std::function<void(TfrmInAdd&)>& script) {
        if (!cash) {
            cash = std::make_unique<TfrmCash>();
            cash->show();
            auto& accounts = drive::find<QTableView>(*cash, "dgitm");
            clickRow(accounts, int(column(accounts, 0).indexOf("现金")));
        }
        modal_.expect<TfrmInAdd>(script);
        drive::click(*cash, "tlAdd");
    }
    static void add(TfrmInAdd& d) { drive::click(d, "btnOK"); }
    static QString amountShown(TfrmInAdd& d) {
        return drive::find<QLineEdit>(d, "txtMoney").text();
    }
    std::unique_ptr<OtherCounter> holdingTheCashAccount() {
        auto other = std::make_unique<OtherCounter>(anotherCounter(), anotherCounter());
        other->hold("Fitem", "itmID", 1, RowHold::Removed);
        return other;
    }
    // The entries in the journal, as amount|remark.
    QStringList entries() { return records("SELECT sumMoney,remark FROM FitemBank"); }

    std::unique_ptr<TfrmCash> cash;
};

TEST_F(LostCash, AnEntryBrokenBeforeItsCommitIsReportedNotAddedAndAddsOnceAgain) {
    moneyIn([&](TfrmInAdd& d) {
        drive::type(d, "txtMoney", "800.5");
        drive::type(d, "txtRemark", "货款");
        {
            const auto other = holdingTheCashAccount(); // the entry waits for it
            auto breaking = ender(kWaitingForALock);
            add(d);
            EXPECT_TRUE(breaking->ended());
        }
        EXPECT_EQ(messages_.last(), kNotAdded);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(amountShown(d), "800.5");
        EXPECT_EQ(count("FitemBank"), 0);

        add(d);
        EXPECT_EQ(messages_.last(), "添加成功！");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(entries(), QStringList{"800.5|货款"});
}

TEST_F(LostCash, AnEntryWhoseCommitGotThroughIsReportedAddedOnce) {
    moneyIn([&](TfrmInAdd& d) {
        drive::type(d, "txtMoney", "800.5");
        nextCommitWaitsForItsAcknowledgement();
        auto breaking = ender(kCommitMade);
        add(d);
        EXPECT_TRUE(breaking->ended());
        EXPECT_EQ(messages_.last(), kAdded);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(entries(), QStringList{"800.5|"});
    moneyIn([&](TfrmInAdd& d) {
        EXPECT_EQ(amountShown(d), "0"); // cleared as after any entry added
        drive::click(d, "btnClose");
    });
}

TEST_F(LostCash, AnEntryThatCannotBeLookedForAfterTheBreakIsLeftToThePerson) {
    moneyIn([&](TfrmInAdd& d) {
        drive::type(d, "txtMoney", "800.5");
        nextCommitWaitsForItsAcknowledgement();
        {
            auto breaking = ender(kCommitMade);
            refuseNewSessions(true);
            add(d);
            EXPECT_TRUE(breaking->ended());
            refuseNewSessions(false);
        }
        EXPECT_EQ(messages_.last(), kAddedUnknown);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(amountShown(d), "800.5");
        drive::click(d, "btnClose");
    });
    // It did get through: the person is sent to look rather than told to add again.
    EXPECT_EQ(entries(), QStringList{"800.5|"});
}

class LostSettlement : public LostSessionTest {
protected:
    void SetUp() override {
        LostSessionTest::SetUp();
        supplier = addSupplier("华强电子");
        exec(QStringLiteral("UPDATE Fsupplier SET exchMoney=1500 WHERE compID=%1").arg(supplier));
    }
    void TearDown() override {
        window.reset();
        LostSessionTest::TearDown();
    }

    // The balances' window with 华强电子 picked, whose "结款" dialog the script drives.
    void settle(const std::function<void(TfrmJK&)>& script) {
        if (!window) {
            window = std::make_unique<Tfrmysyf>();
            window->show();
        }
        auto& grid = drive::find<QTableView>(*window, "dgSupplier");
        clickRow(grid, int(column(grid, 0).indexOf("华强电子")));
        modal_.expect<TfrmJK>(script);
        drive::click(*window, "tlAdd");
    }
    static void press(TfrmJK& d) { drive::click(d, "Button1"); }
    std::unique_ptr<OtherCounter> holdingTheSupplier() {
        auto other = std::make_unique<OtherCounter>(anotherCounter(), anotherCounter());
        other->hold("Fsupplier", "compID", supplier, RowHold::Changed);
        return other;
    }
    // The balance and the settlements recorded.
    QStringList book() {
        return QStringList{
            scalar(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(supplier)),
            QString::number(count("FSettle"))};
    }

    long long supplier = 0;
    std::unique_ptr<Tfrmysyf> window;
};

TEST_F(LostSettlement, ASettlementBrokenBeforeItsCommitIsReportedNotMadeAndSettlesOnceAgain) {
    settle([&](TfrmJK& d) {
        drive::type(d, "txtJK", "200");
        {
            const auto other = holdingTheSupplier(); // the settlement waits for it
            auto breaking = ender(kWaitingForALock);
            press(d);
            EXPECT_TRUE(breaking->ended());
        }
        EXPECT_EQ(messages_.last(), kNotSettled);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtJK").text(), "200");
        EXPECT_EQ(book(), (QStringList{"1500", "0"}));

        press(d);
        EXPECT_EQ(messages_.last(), "结算成功！");
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(book(), (QStringList{"1300", "1"}));
}

TEST_F(LostSettlement, ASettlementWhoseCommitGotThroughIsReportedDoneOnce) {
    settle([&](TfrmJK& d) {
        drive::type(d, "txtJK", "200");
        nextCommitWaitsForItsAcknowledgement();
        auto breaking = ender(kCommitMade);
        press(d);
        EXPECT_TRUE(breaking->ended());
        EXPECT_EQ(messages_.last(), kSettled);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(book(), (QStringList{"1300", "1"}));
    auto& grid = drive::find<QTableView>(*window, "dgSupplier");
    EXPECT_EQ(column(grid, 1).at(int(column(grid, 0).indexOf("华强电子"))), "￥1300.00");
}

TEST_F(LostSettlement, ASettlementThatCannotBeReadAfterTheBreakIsLeftToThePerson) {
    settle([&](TfrmJK& d) {
        drive::type(d, "txtJK", "200");
        nextCommitWaitsForItsAcknowledgement();
        {
            auto breaking = ender(kCommitMade);
            refuseNewSessions(true);
            press(d);
            EXPECT_TRUE(breaking->ended());
            refuseNewSessions(false);
        }
        EXPECT_EQ(messages_.last(), kSettledUnknown);
        EXPECT_TRUE(d.isVisible());
        // Pressed again, the shown balance no longer holds: it cannot be settled twice.
        press(d);
        EXPECT_EQ(messages_.last(), "欠款金额已被其他用户改为 1300，请核对后重新结款！");
        drive::click(d, "Button2");
    });
    EXPECT_EQ(book(), (QStringList{"1300", "1"}));
}

} // namespace
