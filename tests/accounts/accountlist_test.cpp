#include "accounts/cashbook.h"
#include "accounts/ui/tfrmitm.h"
#include "accounts/ui/tfrmitmdialog.h"
#include "core/connection.h"
#include "core/sysdata.h"
#include "masterdata/masterlists.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

using namespace masterlists;

class AccountList : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        window_ = std::make_unique<TfrmItm>();
    }
    void TearDown() override {
        window_.reset();
        BookTest::TearDown();
    }
    TfrmItm& open() {
        window_->show();
        return *window_;
    }
    QTableView& grid() { return drive::find<QTableView>(*window_, "dgitm"); }
    QStringList names() { return column(grid(), 0); }
    void pick(const QString& name) {
        const int row = int(names().indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        clickRow(grid(), row);
    }
    QToolButton& button(const char* name) { return drive::find<QToolButton>(*window_, name); }
    long long addAccount(const QString& name) {
        exec(QStringLiteral("INSERT INTO Fitem(itmName,remark) VALUES('%1','旧备注')").arg(name));
        return scalar("SELECT last_insert_rowid()").toLongLong();
    }
    void journalRow(long long itmID, const QString& amount) {
        exec(QStringLiteral("INSERT INTO FitemBank(optDate,orderType,sumMoney,itmID) "
                            "VALUES('2026-03-01','现金进款',%1,%2)")
                 .arg(amount)
                 .arg(itmID));
    }

    std::unique_ptr<TfrmItm> window_;
};

TEST_F(AccountList, TheCashAccountCanBeNeitherEditedNorDeleted) {
    addAccount("工商银行");
    open();
    EXPECT_EQ(window_->windowTitle(), "科目管理");
    EXPECT_FALSE(button("tlEdit").isEnabled());
    EXPECT_FALSE(button("tlDel").isEnabled());
    pick("工商银行");
    EXPECT_TRUE(button("tlEdit").isEnabled());
    EXPECT_TRUE(button("tlDel").isEnabled());
    pick("现金");
    EXPECT_FALSE(button("tlEdit").isEnabled());
    EXPECT_FALSE(button("tlDel").isEnabled());
    // The arrow keys choose as a click does.
    grid().setFocus();
    QTest::keyClick(&grid(), Qt::Key_Down);
    EXPECT_TRUE(button("tlEdit").isEnabled());
    EXPECT_TRUE(button("tlDel").isEnabled());
    QTest::keyClick(&grid(), Qt::Key_Up);
    EXPECT_FALSE(button("tlEdit").isEnabled());
    EXPECT_FALSE(button("tlDel").isEnabled());
    // Whatever asks, the book refuses, the balance being checked first.
    EXPECT_EQ(accounts::updateAccount({&masterrows::kAccount, "1", {"现金", ""}}, "钱箱", ""),
              accounts::Write::Refused);
    EXPECT_FALSE(accounts::deleteAccount("1", "现金"));
    journalRow(1, "10");
    EXPECT_FALSE(accounts::deleteAccount("1", "现金"));
    EXPECT_EQ(messages_.texts(), QStringList({"科目：\"现金\"为系统默认科目，请勿修改！",
                                              "科目：\"现金\"为系统默认科目，请勿删除！",
                                              "科目：\"现金\"已经有业务发生,不能删除!"}));
    EXPECT_EQ(scalar("SELECT itmName FROM Fitem WHERE itmID=1"), "现金");
}

TEST_F(AccountList, ANewAccountIsListedAtOnceWithNoBalance) {
    open();
    modal_.expect<TfrmItmAdd>([&](TfrmItmAdd& d) {
        EXPECT_EQ(d.windowTitle(), "添加科目");
        EXPECT_EQ(drive::find<QPushButton>(d, "BitBtn1").text(), "添加(&A)");
        EXPECT_EQ(labelOf(d, "txtItmName"), "科目名称：");
        EXPECT_EQ(labelOf(d, "txtRemark"), "备         注：");
        drive::type(d, "txtItmName", "  ");
        drive::click(d, "BitBtn1");
        EXPECT_EQ(messages_.last(), "请输入科目名称！");
        EXPECT_TRUE(d.isVisible());
        drive::type(d, "txtItmName", " 建设银行 ");
        drive::type(d, "txtRemark", "基本户");
        drive::click(d, "BitBtn1");
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtItmName").text(), "");
    });
    drive::click(button("tlAdd"));
    EXPECT_EQ(messages_.texts(), QStringList({"请输入科目名称！", "添加成功！"}));
    EXPECT_EQ(names(), QStringList({"现金", "建设银行"}));
    EXPECT_EQ(column(grid(), 1), QStringList({"￥0.00", "￥0.00"}));
    EXPECT_EQ(column(grid(), 2).last(), "基本户");
}

TEST_F(AccountList, EditingRenamesTheAccount) {
    const long long id = addAccount("工商银行");
    open();
    pick("工商银行");
    modal_.expect<TfrmItmEdit>([&](TfrmItmEdit& d) {
        EXPECT_EQ(d.windowTitle(), "编辑科目");
        EXPECT_EQ(drive::find<QPushButton>(d, "BitBtn1").text(), "修改(&U)");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtItmName").text(), "工商银行");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtRemark").text(), "旧备注");
        drive::type(d, "txtItmName", "工商银行二");
        drive::click(d, "BitBtn1");
    });
    drive::click(button("tlEdit"));
    EXPECT_EQ(messages_.texts(), QStringList({"添加成功！"}));
    EXPECT_EQ(scalar(QStringLiteral("SELECT itmName FROM Fitem WHERE itmID=%1").arg(id)),
              "工商银行二");
    EXPECT_EQ(names(), QStringList({"现金", "工商银行二"}));
    // The reloaded list starts at the cash account, so nothing is offered until a click.
    EXPECT_FALSE(button("tlEdit").isEnabled());
    EXPECT_FALSE(button("tlDel").isEnabled());
}

TEST_F(AccountList, AnAccountWithABalanceIsRefusedByName) {
    const long long id = addAccount("工商银行");
    journalRow(id, "0.01");
    open();
    pick("工商银行");
    drive::click(button("tlDel"));
    EXPECT_EQ(messages_.texts(), QStringList({"科目：\"工商银行\"已经有业务发生,不能删除!"}));
    EXPECT_EQ(count("Fitem"), 2);
}

TEST_F(AccountList, AnAccountWhoseRowsAddUpToZeroIsDeletedWithoutAQuestion) {
    const long long id = addAccount("工商银行");
    // 0.1 + 0.2 - 0.3 misses 0 in floating point by far less than a cent.
    journalRow(id, "0.1");
    journalRow(id, "0.2");
    journalRow(id, "-0.3");
    open();
    pick("工商银行");
    drive::click(button("tlDel"));
    EXPECT_EQ(messages_.texts(), QStringList({"删除成功！"}));
    EXPECT_EQ(count("Fitem"), 1);
    EXPECT_EQ(count(QStringLiteral("FitemBank WHERE itmID=%1").arg(id)), 3); // the rows stay
    EXPECT_EQ(names(), QStringList({"现金"}));
    EXPECT_FALSE(button("tlEdit").isEnabled());
    EXPECT_FALSE(button("tlDel").isEnabled());
}

TEST_F(AccountList, AnAccountRenamedAtAnotherCounterWhileBeingEditedIsNotWrittenOver) {
    const long long id = addAccount("工商银行");
    open();
    pick("工商银行");
    modal_.expect<TfrmItmEdit>([&](TfrmItmEdit& d) {
        anotherCounter()->run(QStringLiteral("UPDATE Fitem SET itmName='工行' WHERE itmID=%1")
                                  .arg(id)
                                  .toUtf8()
                                  .constData());
        drive::type(d, "txtRemark", "基本户");
        drive::click(d, "BitBtn1");
        EXPECT_EQ(messages_.last(), "该记录已被其他用户修改，请关闭后重新打开再修改！");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtRemark").text(), "基本户");
    });
    drive::click(button("tlEdit"));
    EXPECT_EQ(records(QStringLiteral("SELECT itmName,remark FROM Fitem WHERE itmID=%1").arg(id)),
              QStringList({"工行|旧备注"}));
    EXPECT_EQ(names(), QStringList({"现金", "工行"}));
}

} // namespace
