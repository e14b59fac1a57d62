// Master rows whose connection to the server breaks while they are written: the person learns
// whether the row was added, changed or deleted, so that adding again never makes a second
// row alike.
#include "accounts/amounts.h"
#include "accounts/cashbook.h"
#include "admin/useraccounts.h"
#include "masterdata/ui/tfrmemployee.h"
#include "masterdata/ui/tfrmhouse.h"
#include "masterdata/ui/tfrmhousedialog.h"
#include "masterlists.h"
#include "productwindow.h"
#include "support/lostsession.h"
#include "support/othercounter.h"

#include <QLineEdit>

namespace {

const QString kNotDone = QStringLiteral("与服务器的连接已中断，操作未完成，请重新操作。");
const QString kNotKnown = QStringLiteral("与服务器的连接已中断，无法确认操作是否已完成。"
                                         "请刷新列表核对后再决定是否重新操作。");

QString boxText(QWidget& w, const char* box) {
    return drive::find<QLineEdit>(w, QString::fromLatin1(box)).text();
}

class LostMaster : public LostSessionOn<ProductWindow> {
protected:
    void TearDown() override {
        houses.reset();
        LostSessionOn<ProductWindow>::TearDown();
    }
    TfrmHouse& houseWindow() {
        if (!houses) {
            houses = std::make_unique<TfrmHouse>();
            houses->show();
        }
        return *houses;
    }
    QStringList housesListed() {
        return masterlists::column(drive::find<QTableView>(houseWindow(), "dgHouse"), 0);
    }

    std::unique_ptr<TfrmHouse> houses;
};

TEST_F(LostMaster, AWarehouseWhoseCommitGotThroughIsReportedAddedAndListedOnce) {
    nextCommitWaitsForItsAcknowledgement();
    modal_.expect<TfrmHouseAdd>([&](TfrmHouseAdd& d) {
        drive::type(d, "txtHouseName", "二号仓");
        auto breaking = ender(kCommitMade);
        drive::click(d, "btnOK");
        EXPECT_TRUE(breaking->ended());
        EXPECT_FALSE(d.isVisible());
    });
    drive::click(houseWindow(), "tlAdd");
    EXPECT_EQ(messages_.texts(), QStringList({"添加成功！"}));
    EXPECT_EQ(records("SELECT houseName FROM Fhouse"), QStringList({"二号仓"}));
    EXPECT_EQ(housesListed(), QStringList({"二号仓"}));
}

// Saved again, the change would find the row no longer as the window showed it and call it
// another counter's.
TEST_F(LostMaster, AChangeWhoseCommitGotThroughIsReportedDone) {
    addHouse("一号仓");
    nextCommitWaitsForItsAcknowledgement();
    masterlists::clickRow(drive::find<QTableView>(houseWindow(), "dgHouse"), 0);
    modal_.expect<TfrmHouseEdit>([&](TfrmHouseEdit& d) {
        drive::type(d, "txtHouseName", "总仓");
        auto breaking = ender(kCommitMade);
        drive::click(d, "btnOK");
        EXPECT_TRUE(breaking->ended());
        EXPECT_FALSE(d.isVisible());
    });
    drive::click(houseWindow(), "tlEdit");
    EXPECT_EQ(messages_.texts(), QStringList({"修改成功！"}));
    EXPECT_EQ(housesListed(), QStringList({"总仓"}));
}

TEST_F(LostMaster, AProductBrokenBeforeItsCommitIsReportedNotAddedAndAddsOnceAgain) {
    const long long drinks = addCategory("饮料");
    open();
    selectNode("饮料");
    modal_.expect<TfrmProdAdd>([&](TfrmProdAdd& d) {
        drive::type(d, "txtProdBH", "YL-01");
        drive::type(d, "txtProdName", "可乐");
        {
            OtherCounter other(anotherCounter(), anotherCounter());
            other.hold("Fprodcate", "cateID", drinks, RowHold::Removed); // the add waits for it
            auto breaking = ender(kWaitingForALock);
            drive::click(d, "btnOK");
            EXPECT_TRUE(breaking->ended());
        }
        EXPECT_EQ(messages_.last(), kNotDone);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(boxText(d, "txtProdName"), "可乐");
        EXPECT_EQ(count("Fproduct"), 0);

        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "添加成功！");
        EXPECT_FALSE(d.isVisible());
    });
    drive::click(window(), "tlAdd");
    EXPECT_EQ(records("SELECT prodBH,prodName FROM Fproduct"), QStringList({"YL-01|可乐"}));
}

TEST_F(LostMaster, AnAddThatCannotBeLookedForAfterTheBreakIsLeftToThePerson) {
    nextCommitWaitsForItsAcknowledgement();
    modal_.expect<TfrmHouseAdd>([&](TfrmHouseAdd& d) {
        drive::type(d, "txtHouseName", "二号仓");
        {
            auto breaking = ender(kCommitMade);
            refuseNewSessions(true);
            drive::click(d, "btnOK");
            EXPECT_TRUE(breaking->ended());
            refuseNewSessions(false);
        }
        EXPECT_EQ(messages_.last(), kNotKnown);
        EXPECT_TRUE(d.isVisible()) << "what was typed stays for the person to decide";
        EXPECT_EQ(boxText(d, "txtHouseName"), "二号仓");
        d.close();
    });
    drive::click(houseWindow(), "tlAdd");
    // It did get through: the person is sent to look rather than told to add again.
    EXPECT_EQ(records("SELECT houseName FROM Fhouse"), QStringList({"二号仓"}));
    EXPECT_EQ(housesListed(), QStringList({"二号仓"}));
}

TEST_F(LostMaster, ADeletionWhoseCommitGotThroughIsReportedDone) {
    addEmployee("张三");
    TfrmEmployee employees;
    employees.show();
    nextCommitWaitsForItsAcknowledgement();
    messages_.answerOk();
    {
        auto breaking = ender(kCommitMade);
        drive::click(employees, "tlDel");
        EXPECT_TRUE(breaking->ended());
    }
    EXPECT_EQ(messages_.last(), "删除成功！");
    EXPECT_EQ(count("Femployee"), 0);
    EXPECT_TRUE(masterlists::column(drive::find<QTableView>(employees, "dgEmp"), 0).isEmpty());
}

TEST_F(LostMaster, AnAccountWhoseCommitGotThroughIsAddedOnce) {
    nextCommitWaitsForItsAcknowledgement();
    {
        auto breaking = ender(kCommitMade);
        EXPECT_EQ(accounts::insertAccount("工商银行", "基本户"), accounts::Write::Done);
        EXPECT_TRUE(breaking->ended());
    }
    EXPECT_EQ(messages_.last(), "添加成功！");
    EXPECT_EQ(count("Fitem WHERE itmName='工商银行'"), 1);
}

TEST_F(LostMaster, AUserWhoseCommitGotThroughIsAddedRatherThanFoundTaken) {
    nextCommitWaitsForItsAcknowledgement();
    {
        auto breaking = ender(kCommitMade);
        EXPECT_EQ(useraccounts::add("收银员", "123"), true);
        EXPECT_TRUE(breaking->ended());
    }
    EXPECT_EQ(count("Users WHERE UserName='收银员'"), 1);
}

} // namespace
