#include "accounts/ui/tfrmcash.h"
#include "accounts/ui/tfrminadd.h"
#include "accounts/ui/tfrmitm.h"
#include "core/sysdata.h"
#include "masterdata/masterlists.h"
#include "support/booktest.h"
#include "support/drive.h"
#include "support/pacedkeys.h"

#include <QComboBox>
#include <QDateEdit>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTest>

namespace {

using namespace masterlists;

class Cash : public OnEngines<BookTest> {
protected:
    void SetUp() override {
        BookTest::SetUp();
        window_ = std::make_unique<TfrmCash>();
    }
    void TearDown() override {
        window_.reset();
        BookTest::TearDown();
    }
    TfrmCash& open() {
        window_->show();
        return *window_;
    }
    QTableView& accounts() { return drive::find<QTableView>(*window_, "dgitm"); }
    QTableView& journal() { return drive::find<QTableView>(*window_, "dgBank"); }
    void pick(const QString& name) {
        const int row = int(column(accounts(), 0).indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        clickRow(accounts(), row);
    }
    QString balanceShown(const QString& name) {
        const auto row = column(accounts(), 0).indexOf(name);
        return row < 0 ? QString() : column(accounts(), 1).at(row);
    }
    long long addAccount(const QString& name) {
        exec(QStringLiteral("INSERT INTO Fitem(itmName,remark) VALUES('%1','')").arg(name));
        return scalar("SELECT last_insert_rowid()").toLongLong();
    }
    void journalRow(long long itmID, const QString& day, const QString& amount,
                    const QString& type = "现金进款") {
        exec(QStringLiteral("INSERT INTO FitemBank(optDate,orderType,sumMoney,empName,remark,itmID)"
                            " VALUES('%1','%2',%3,'','',%4)")
                 .arg(day, type, amount)
                 .arg(itmID));
    }
    // The entry dialog's script: the amount typed, then "添加(&A)".
    void enter(const char* button, const QString& amount, const QString& account = "现金") {
        modal_.expect<TfrmInAdd>([=](TfrmInAdd& d) {
            drive::choose(drive::find<QComboBox>(d, "cbItmName"), account);
            drive::type(d, "txtMoney", amount);
            drive::click(d, "btnOK");
        });
        drive::click(*window_, button);
    }

    std::unique_ptr<TfrmCash> window_;
};

TEST_P(Cash, ShowingListsEveryAccountWithItsBalanceAndSetsTheLastMonth) {
    const long long bank = addAccount("工商银行");
    addAccount("备用金");
    journalRow(1, "2026-03-01", "1000");
    journalRow(1, "2026-03-02", "-250.5", "现金出款");
    journalRow(bank, "2026-03-03", "0.1");
    journalRow(bank, "2026-03-03", "0.2");
    open();
    EXPECT_EQ(window_->windowTitle(), "现金银行");
    EXPECT_EQ(column(accounts(), 0), QStringList({"现金", "工商银行", "备用金"}));
    EXPECT_EQ(column(accounts(), 1), QStringList({"￥749.50", "￥0.30", "￥0.00"}));
    EXPECT_EQ(drive::find<QDateEdit>(*window_, "dtbegin").date(), QDate(2026, 2, 15));
    EXPECT_EQ(drive::find<QDateEdit>(*window_, "dtEnd").date(), QDate(2026, 3, 15));
    EXPECT_EQ(labelOf(*window_, "dtbegin"), "查询日期：");
    EXPECT_EQ(labelOf(*window_, "dtEnd"), "~");
    EXPECT_EQ(labelOf(*window_, "dgBank"), "现金明细");
}

TEST_P(Cash, TheJournalOfTheClickedAccountKeepsBothEndsOfTheRange) {
    const long long bank = addAccount("工商银行");
    journalRow(1, "2026-02-14", "1");
    journalRow(1, "2026-02-15", "2");
    journalRow(1, "2026-03-15", "3");
    journalRow(1, "2026-03-16", "4");
    journalRow(bank, "2026-03-01", "5");
    open();
    drive::click(*window_, "Button1");
    EXPECT_EQ(messages_.texts(), QStringList({"请先选择现金银行科目！"}));
    pick("现金");
    EXPECT_EQ(column(journal(), 3), QStringList({"￥2.00", "￥3.00"}));
    EXPECT_EQ(column(journal(), 0), QStringList({"2026-02-15", "2026-03-15"}));
    auto& begin = drive::find<QDateEdit>(*window_, "dtbegin");
    auto& end = drive::find<QDateEdit>(*window_, "dtEnd");
    begin.setDate(QDate(2026, 3, 16));
    end.setDate(QDate(2026, 3, 16));
    drive::click(*window_, "Button1");
    EXPECT_EQ(column(journal(), 3), QStringList({"￥4.00"}));
    pick("工商银行");
    EXPECT_TRUE(column(journal(), 0).isEmpty());
}

TEST_P(Cash, TheArrowKeysSelectTheAccountTheyMoveToAndEnterSearchesIt) {
    const long long bank = addAccount("工商银行");
    journalRow(1, "2026-03-01", "1");
    journalRow(bank, "2026-03-02", "2");
    open();
    accounts().setFocus();
    QTest::keyClick(&accounts(), Qt::Key_Return);
    EXPECT_EQ(messages_.texts(), QStringList({"请先选择现金银行科目！"}));
    QTest::keyClick(&accounts(), Qt::Key_Down);
    EXPECT_EQ(column(journal(), 3), QStringList({"￥2.00"}));
    QTest::keyClick(&accounts(), Qt::Key_Up);
    EXPECT_EQ(column(journal(), 3), QStringList({"￥1.00"}));
    // The journal searched is the highlighted account's, not one clicked before.
    journalRow(1, "2026-03-03", "3");
    QTest::keyClick(&accounts(), Qt::Key_Return);
    EXPECT_EQ(column(journal(), 3), QStringList({"￥1.00", "￥3.00"}));
    EXPECT_EQ(messages_.texts().size(), 1);
}

TEST_P(Cash, MoneyOutIsStoredNegatedAndShownInRed) {
    journalRow(1, "2026-03-01", "1000");
    addEmployee("王芳");
    open();
    pick("现金");
    modal_.expect<TfrmInAdd>([&](TfrmInAdd& d) {
        EXPECT_EQ(d.windowTitle(), "新增出款");
        EXPECT_EQ(labelOf(d, "cbItmName"), "出款账户：");
        EXPECT_EQ(labelOf(d, "txtMoney"), "出款金额：");
        EXPECT_EQ(labelOf(d, "cbEmp"), "经  办  人：");
        EXPECT_EQ(drive::find<QComboBox>(d, "cbItmName").currentText(), "现金");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtMoney").text(), "0");
        drive::type(d, "txtMoney", "250");
        drive::choose(drive::find<QComboBox>(d, "cbEmp"), "王芳");
        drive::type(d, "txtRemark", "房租");
        drive::click(d, "btnOK");
        EXPECT_FALSE(d.isVisible());
    });
    drive::click(*window_, "tlEdit");
    EXPECT_EQ(messages_.texts(), QStringList({"添加成功！"}));
    EXPECT_EQ(records("SELECT optDate,orderType,sumMoney,empName,remark,itmID,"
                      "CASE WHEN orderCode IS NULL AND compName IS NULL THEN 1 END "
                      "FROM FitemBank WHERE orderType='现金出款'"),
              QStringList{"2026-03-15|现金出款|-250|王芳|房租|1|1"});
    EXPECT_EQ(balanceShown("现金"), "￥750.00");
    ASSERT_EQ(column(journal(), 3), QStringList({"￥1000.00", "￥-250.00"}));
    QStyleOptionViewItem option;
    auto* delegate = qobject_cast<QStyledItemDelegate*>(journal().itemDelegateForColumn(3));
    ASSERT_NE(delegate, nullptr);
    option.initFrom(&journal());
    QModelIndex negative = journal().model()->index(1, 3);
    // Drawn at the right edge, the negative amount in red.
    struct Probe : QStyledItemDelegate {
        static void init(QStyledItemDelegate& d, QStyleOptionViewItem& o, const QModelIndex& i) {
            (d.*(&Probe::initStyleOption))(&o, i);
        }
    };
    Probe::init(*delegate, option, negative);
    EXPECT_EQ(option.palette.color(QPalette::Text), QColor(Qt::red));
    EXPECT_TRUE(option.displayAlignment & Qt::AlignRight);
}

TEST_P(Cash, MoneyInIntoAnotherAccountIsExactAndTheFormKeepsTheDefaultsForTheNext) {
    const long long bank = addAccount("工商银行");
    open();
    pick("工商银行");
    enter("tlAdd", "800.5", "工商银行");
    EXPECT_EQ(scalar(QStringLiteral("SELECT sumMoney FROM FitemBank WHERE itmID=%1").arg(bank)),
              "800.5");
    EXPECT_EQ(balanceShown("工商银行"), "￥800.50");
    EXPECT_EQ(column(journal(), 2), QStringList({"现金进款"}));
    modal_.expect<TfrmInAdd>([&](TfrmInAdd& d) {
        EXPECT_EQ(d.windowTitle(), "新增进款");
        EXPECT_EQ(labelOf(d, "cbItmName"), "进款账户：");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtMoney").text(), "0");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtRemark").text(), "");
        drive::click(d, "btnClose");
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(count("FitemBank"), 1);
}

TEST_P(Cash, TheEntryDialogRefillsItsEmployeesWithNoneChosen) {
    addEmployee("王芳");
    open();
    modal_.expect<TfrmInAdd>([&](TfrmInAdd& d) {
        drive::type(d, "txtMoney", "20");
        drive::type(*drive::find<QComboBox>(d, "cbEmp").lineEdit(), "临时工");
        drive::click(d, "btnOK");
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(scalar("SELECT empName FROM FitemBank"), "临时工");
    modal_.expect<TfrmInAdd>([&](TfrmInAdd& d) {
        auto& employee = drive::find<QComboBox>(d, "cbEmp");
        EXPECT_EQ(employee.currentText(), "");
        EXPECT_EQ(employee.count(), 1);
        drive::click(d, "btnClose");
    });
    drive::click(*window_, "tlEdit");
}

TEST_P(Cash, AnAmountThatIsNoNumberBecomesZeroAndZeroIsWritten) {
    open();
    modal_.expect<TfrmInAdd>([&](TfrmInAdd& d) {
        auto& amount = drive::find<QLineEdit>(d, "txtMoney");
        drive::type(amount, "abc");
        EXPECT_EQ(amount.text(), "0");
        drive::click(d, "btnOK");
    });
    drive::click(*window_, "tlAdd");
    // Written, but no account is selected to show it.
    EXPECT_EQ(messages_.texts(), QStringList({"添加成功！", "请先选择现金银行科目！"}));
    EXPECT_EQ(scalar("SELECT sumMoney FROM FitemBank"), "0");
}

TEST_P(Cash, AmountsNoEntryCanHoldAreRefusedAndTheDialogStaysOpen) {
    open();
    modal_.expect<TfrmInAdd>([&](TfrmInAdd& d) {
        auto& amount = drive::find<QLineEdit>(d, "txtMoney");
        amount.clear();
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "请输入金额！");
        amount.setText("-5"); // pasted
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "金额不能为负数！");
        amount.setText("1e300");
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "金额不是有效的数字！");
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(amount.hasFocus());
        drive::click(d, "btnClose");
    });
    drive::click(*window_, "tlEdit");
    EXPECT_EQ(count("FitemBank"), 0);
}

TEST_P(Cash, AnEntryIntoAnAccountDeletedAtAnotherCounterSaysSoAndKeepsTheAmount) {
    addAccount("工商银行");
    open();
    modal_.expect<TfrmInAdd>([&](TfrmInAdd& d) {
        auto& account = drive::find<QComboBox>(d, "cbItmName");
        drive::choose(account, "工商银行");
        drive::type(d, "txtMoney", "300");
        exec("DELETE FROM Fitem WHERE itmName='工商银行'");
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "所选账户已被其他用户删除，请重新选择账户！");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtMoney").text(), "300");
        // The list is the book's again: the account is no longer offered, and none is
        // chosen, so that the next Enter does not put the money into the first.
        EXPECT_EQ(account.findText("工商银行"), -1);
        EXPECT_TRUE(account.hasFocus());
        EXPECT_EQ(account.currentIndex(), -1);
        QTest::keyClick(&account, Qt::Key_Return);
        EXPECT_EQ(messages_.last(), "请选择账户！");
        EXPECT_EQ(count("FitemBank"), 0);
        drive::choose(account, "现金");
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "添加成功！");
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(count("FitemBank"), 1);
    EXPECT_EQ(scalar("SELECT sumMoney FROM FitemBank WHERE itmID=1"), "300");
}

TEST_P(Cash, ACodeScannedIntoTheAmountIsNotEntered) {
    open();
    modal_.expect<TfrmInAdd>([&](TfrmInAdd& d) {
        auto& amount = drive::find<QLineEdit>(d, "txtMoney");
        ASSERT_TRUE(amount.hasFocus());
        PacedKeys().send(amount, "69012345", 8);
        EXPECT_EQ(messages_.last(), "刚扫描的“69012345”不能录入此处，未录入。");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(amount.text(), "0");
        // A receipt's number scanned into the remark is taken as typed.
        drive::type(amount, "20");
        auto& remark = drive::find<QLineEdit>(d, "txtRemark");
        remark.setFocus();
        PacedKeys().send(remark, "NO12345678", 8);
        EXPECT_FALSE(d.isVisible());
    });
    drive::click(*window_, "tlAdd");
    modal_.expectAllShown();
    EXPECT_EQ(number("SELECT sumMoney FROM FitemBank"), 20);
    EXPECT_EQ(scalar("SELECT remark FROM FitemBank"), "NO12345678");
}

TEST_P(Cash, WithoutAnyAccountTheEntryAsksForOne) {
    exec("DELETE FROM Fitem");
    open();
    modal_.expect<TfrmInAdd>([&](TfrmInAdd& d) {
        drive::type(d, "txtMoney", "10");
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "请选择账户！");
        EXPECT_TRUE(drive::find<QComboBox>(d, "cbItmName").hasFocus());
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(count("FitemBank"), 0);
}

TEST_P(Cash, TheSelectedAccountSurvivesShowingAgainUnlessItWasDeleted) {
    const long long bank = addAccount("工商银行");
    journalRow(bank, "2026-03-10", "5");
    open();
    pick("工商银行");
    window_->close();
    open();
    drive::click(*window_, "Button1");
    EXPECT_EQ(column(journal(), 3), QStringList({"￥5.00"}));
    EXPECT_EQ(selectedRow(accounts()), 1);
    // The account management window deletes it; the list reloads afterwards.
    exec("DELETE FROM FitemBank");
    modal_.expect<TfrmItm>(
        [&](TfrmItm&) { exec(QStringLiteral("DELETE FROM Fitem WHERE itmID=%1").arg(bank)); });
    drive::click(*window_, "tlDel");
    EXPECT_EQ(column(accounts(), 0), QStringList({"现金"}));
    drive::click(*window_, "Button1");
    EXPECT_EQ(messages_.last(), "请先选择现金银行科目！");
}

INSTANTIATE_ON_BOTH_ENGINES(Cash);

} // namespace
