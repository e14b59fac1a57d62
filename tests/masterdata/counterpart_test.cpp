#include "core/sqltext.h"
#include "core/sysdata.h"
#include "masterdata/ui/tfrmcounterpart.h"
#include "masterdata/ui/tfrmcounterpartdialog.h"
#include "masterlists.h"
#include "support/booktest.h"
#include "support/drive.h"
#include "support/pacedkeys.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <functional>

namespace {

using namespace masterlists;

// One side of the twin windows, with the texts a person sees on it.
struct Side {
    const char* name;
    QString table;
    QString otherTable;
    TQuery TsysData::*slot;
    std::function<std::unique_ptr<TfrmCounterpart>()> make;
    QString addDialog, editDialog;
    QString listCaption, searchLabel, nameTitle, addCaption, editCaption, dialogNameLabel;
    QString casualName, casualOnEdit, casualOnDelete;
    QString emptyName, added, changed, nothingToEdit, nothingToDelete;
    QString openBalancePrefix, confirmPrefix, deleted, countPrefix;
};

const Side kSuppliers{
    "Suppliers",
    "Fsupplier",
    "Fcustomer",
    &TsysData::QuerySupplier,
    [] { return std::make_unique<TfrmSupplier>(); },
    "TfrmSupplierAdd",
    "TfrmSupplierEdit",
    "供应商管理",
    "供应商名称：",
    "供应商名称",
    "添加供应商",
    "编辑供应商",
    "供  应  商：",
    "普通供应商",
    "\"普通供应商\"作为零散提供商使用，请勿修改！",
    "\"普通供应商\"作为零散提供商使用，请勿删除！",
    "请输入供应商名称！",
    "供应商添加成功！",
    "供应商修改成功！",
    "请选择要修改的供应商！",
    "请选择要删除的供应商！",
    "供应商：",
    "确定要删除供应商：",
    "供应商删除成功！",
    "当前满足条件的供应商总数：",
};

const Side kCustomers{
    "Customers",
    "Fcustomer",
    "Fsupplier",
    &TsysData::QueryCustomer,
    [] { return std::make_unique<TfrmCustomer>(); },
    "TfrmCustAdd",
    "TfrmCustEdit",
    "客户管理",
    "客户名称：",
    "客户名称",
    "添加客户",
    "客户修改",
    "客户名称：",
    "普通客户",
    "\"普通客户\"作为零散客户使用，请勿修改！",
    "\"普通客户\"作为零散客户使用，请勿删除！",
    "请输入客户名称！",
    "客户添加成功！",
    "客户修改成功！",
    "请选择要修改的客户！",
    "请选择要删除的客户！",
    "客户：",
    "确定要删除客户：",
    "客户删除成功！",
    "当前满足条件的客户总数：",
};

class Counterparts : public BookTest, public ::testing::WithParamInterface<const Side*> {
protected:
    const Side& side() const { return *GetParam(); }

    void SetUp() override {
        BookTest::SetUp();
        window_ = side().make();
    }
    void TearDown() override {
        window_.reset();
        BookTest::TearDown();
    }

    TfrmCounterpart& open() {
        window_->show();
        return *window_;
    }
    QTableView& grid() { return drive::find<QTableView>(*window_, "dgData"); }
    QString status() { return drive::find<QStatusBar>(*window_, "StatusBar1").currentMessage(); }
    // Types the key and presses Enter, which searches.
    void search(const QString& key) {
        drive::type(*window_, "txtKey", key);
        QTest::keyClick(&drive::find<QLineEdit>(*window_, "txtKey"), Qt::Key_Return);
    }
    int rowOf(const QString& name) { return int(column(grid(), 0).indexOf(name)); }

    long long add(const QString& name) {
        exec(QStringLiteral("INSERT INTO %1(compName,conperson,phone,address,bankName,bankCard,"
                            "remark) VALUES('%2','','','','','','')")
                 .arg(side().table, name));
        return scalar("SELECT last_insert_rowid()").toLongLong();
    }
    void setBalance(long long compID, const QString& balance) {
        exec(QStringLiteral("UPDATE %1 SET exchMoney=%2 WHERE compID=%3")
                 .arg(side().table, balance)
                 .arg(compID));
    }
    QString stored(long long compID, const QString& columns) {
        return scalar(QStringLiteral("SELECT %1 FROM %2 WHERE compID=%3")
                          .arg(columns, side().table)
                          .arg(compID));
    }

    std::unique_ptr<TfrmCounterpart> window_;
};

TEST_P(Counterparts, OpeningRunsNoSearchSoNothingCanBeEditedOrDeleted) {
    add("华东电子");
    open();
    EXPECT_EQ(window_->windowTitle(), side().listCaption);
    EXPECT_EQ(labelOf(*window_, "txtKey"), side().searchLabel);
    EXPECT_EQ(grid().model()->rowCount(), 0);
    drive::click(*window_, "tlEdit");
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.texts(), QStringList({side().nothingToEdit, side().nothingToDelete}));
}

TEST_P(Counterparts, TheSearchMatchesPartOfTheNameOnlyAndCountsTheRows) {
    const long long east = add("华东电子");
    add("华南电子");
    add("Abc五金");
    exec(QStringLiteral("UPDATE %1 SET address='电子路', conperson='电子' WHERE compID=%2")
             .arg(side().table)
             .arg(east));
    open();
    search(" 电子 ");
    EXPECT_EQ(column(grid(), 0), QStringList({"华东电子", "华南电子"}));
    EXPECT_EQ(status(), side().countPrefix + "2");
    search("ab"); // Latin letters match without regard to case
    EXPECT_EQ(column(grid(), 0), QStringList({"Abc五金"}));
    search("华%子"); // what the user types is a LIKE pattern
    EXPECT_EQ(grid().model()->rowCount(), 2);
    search("");
    EXPECT_EQ(column(grid(), 0),
              QStringList({side().casualName, "华东电子", "华南电子", "Abc五金"}));
    EXPECT_EQ(status(), side().countPrefix + "4");
    search("没有这个");
    EXPECT_EQ(status(), side().countPrefix + "0");
    // A name typed with the list focused goes into the key box and is searched for.
    search("");
    QApplication::setActiveWindow(window_.get());
    grid().setFocus();
    PacedKeys().sendToFocus("ab", 150);
    EXPECT_EQ(drive::find<QLineEdit>(*window_, "txtKey").text(), "ab");
    EXPECT_EQ(column(grid(), 0), QStringList({"Abc五金"}));
}

TEST_P(Counterparts, TheListShowsEachColumnUnderItsTitleAndLongNumbersAsTyped) {
    const long long id = add("华东电子");
    exec(QStringLiteral("UPDATE %1 SET conperson='张三', phone='013912345678', address='东路1号',"
                        " bankName='工商银行', bankCard='6222021234567890123', remark='老客' "
                        "WHERE compID=%2")
             .arg(side().table)
             .arg(id));
    open();
    search("华东");
    QStringList titles, row;
    for (int c = 0; c < grid().model()->columnCount(); ++c) {
        titles << grid().model()->headerData(c, Qt::Horizontal).toString();
        row << grid().model()->index(0, c).data().toString();
    }
    EXPECT_EQ(titles, QStringList({side().nameTitle, "联系人", "联系电话", "联系地址", "开户银行",
                                   "银行卡号", "备注"}));
    EXPECT_EQ(row, QStringList({"华东电子", "张三", "013912345678", "东路1号", "工商银行",
                                "6222021234567890123", "老客"}));
}

TEST_P(Counterparts, AddingStoresTheTrimmedBoxesWithNoBalanceAndReloadsWithTheKey) {
    open();
    search("电子");
    modal_.expect(side().addDialog, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), side().addCaption);
        EXPECT_EQ(labelOf(d, "txtcompName"), side().dialogNameLabel);
        EXPECT_EQ(drive::find<QPushButton>(d, "btnOK").text(), "添加(&A)");
        drive::type(d, "txtcompName", "  西部电子 ");
        drive::type(d, "txtaddress", "西路2号");
        drive::type(d, "txtconperson", " 赵六");
        drive::type(d, "txtphone", "0086-28-00001111");
        drive::type(d, "txtbankName", "建设银行");
        drive::type(d, "txtbankCard", "6217000012345678901");
        drive::type(d, "txtremark", "月结");
        drive::click(d, "btnOK");
        EXPECT_FALSE(d.isVisible());
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(messages_.texts(), QStringList({side().added}));
    const long long id =
        scalar(QStringLiteral("SELECT MAX(compID) FROM %1").arg(side().table)).toLongLong();
    EXPECT_EQ(stored(id, "compName||'|'||address||'|'||conperson||'|'||phone||'|'||bankName||'|'"
                         "||bankCard||'|'||remark||'|'||exchMoney"),
              "西部电子|西路2号|赵六|0086-28-00001111|建设银行|6217000012345678901|月结|0.0");
    EXPECT_EQ(column(grid(), 0), QStringList({"西部电子"}));

    // The next add starts from empty boxes; a row that does not match the key is not listed.
    modal_.expect(side().addDialog, [&](QDialog& d) {
        for (const char* box : {"txtcompName", "txtaddress", "txtconperson", "txtphone",
                                "txtbankName", "txtbankCard", "txtremark"})
            EXPECT_EQ(drive::find<QLineEdit>(d, box).text(), "") << box;
        drive::type(d, "txtcompName", "北方五金");
        drive::click(d, "btnOK");
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(count(side().table + " WHERE compName='北方五金'"), 1);
    EXPECT_EQ(column(grid(), 0), QStringList({"西部电子"}));
    EXPECT_EQ(status(), side().countPrefix + "1");
}

TEST_P(Counterparts, AnEmptyNameIsRefusedWithTheFocusOnTheNameBox) {
    open();
    modal_.expect(side().addDialog, [&](QDialog& d) {
        drive::type(d, "txtcompName", "  ");
        drive::type(d, "txtphone", "123");
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), side().emptyName);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), &drive::find<QLineEdit>(d, "txtcompName"));
        drive::click(d, "btnClose");
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(count(side().table), 1);        // only the casual row
    EXPECT_EQ(grid().model()->rowCount(), 0); // nothing saved, so no search ran
}

TEST_P(Counterparts, EditingChangesTheSelectedRowButNeverItsBalance) {
    add("甲公司");
    const long long id = add("乙公司");
    exec(QStringLiteral("UPDATE %1 SET phone='111', bankCard='6222000000000000001' "
                        "WHERE compID=%2")
             .arg(side().table)
             .arg(id));
    setBalance(id, "50.5");
    open();
    search("公司");
    clickRow(grid(), rowOf("乙公司"));
    modal_.expect(side().editDialog, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), side().editCaption);
        EXPECT_EQ(drive::find<QPushButton>(d, "btnOK").text(), "修改(&S)");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtcompName").text(), "乙公司");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtphone").text(), "111");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtbankCard").text(), "6222000000000000001");
        drive::type(d, "txtcompName", "乙公司（总部） ");
        drive::type(d, "txtremark", "改过");
        drive::click(d, "btnOK");
    });
    drive::click(*window_, "tlEdit");
    EXPECT_EQ(messages_.texts(), QStringList({side().changed}));
    EXPECT_EQ(stored(id, "compName||'|'||remark||'|'||bankCard||'|'||exchMoney"),
              "乙公司（总部）|改过|6222000000000000001|50.5");
    EXPECT_EQ(stored(id - 1, "compName"), "甲公司");
    EXPECT_GE(rowOf("乙公司（总部）"), 0);
}

TEST_P(Counterparts, ADoubleClickEditsAndClosingUnsavedChangesNothing) {
    add("甲公司");
    open();
    search("");
    modal_.expect(side().editDialog, [&](QDialog& d) {
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtcompName").text(), "甲公司");
        drive::type(d, "txtcompName", "不存");
        drive::click(d, "btnClose");
    });
    doubleClickRow(grid(), rowOf("甲公司"));
    EXPECT_TRUE(messages_.texts().isEmpty());
    EXPECT_EQ(count(side().table + " WHERE compName='甲公司'"), 1);
}

TEST_P(Counterparts, TheCasualRowIsProtectedByItsExactNameOnly) {
    add(side().casualName + " "); // a trailing blank makes it an ordinary row
    open();
    search("");
    clickRow(grid(), 0);
    drive::click(*window_, "tlEdit");
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.texts(), QStringList({side().casualOnEdit, side().casualOnDelete}));
    EXPECT_EQ(count(side().table), 2);

    clickRow(grid(), 1);
    modal_.expectOpenClose(side().editDialog);
    drive::click(*window_, "tlEdit");
}

TEST_P(Counterparts, RenamingARowToTheCasualNameProtectsItFromThenOn) {
    const long long id = add("临时户");
    open();
    search("临时");
    modal_.expect(side().editDialog, [&](QDialog& d) {
        drive::type(d, "txtcompName", side().casualName);
        drive::click(d, "btnOK");
    });
    drive::click(*window_, "tlEdit");
    search("");
    clickRow(grid(), rowOf(side().casualName) == 0 ? 1 : 0);
    ASSERT_EQ(column(grid(), 0), QStringList({side().casualName, side().casualName}));
    messages_.clear();
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.texts(), QStringList({side().casualOnDelete}));
    EXPECT_EQ(count(QStringLiteral("%1 WHERE compID=%2").arg(side().table).arg(id)), 1);
}

TEST_P(Counterparts, AnyOpenBalanceBlocksTheDeletionAsItStandsInTheBook) {
    const long long owing = add("欠款户");
    const long long settled = add("结清户");
    setBalance(owing, "-0.01");
    setBalance(settled, "20");
    open();
    search("户");
    clickRow(grid(), rowOf("欠款户"));
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.last(), side().openBalancePrefix + "\"欠款户\"存在未结款项，不能删除！");

    // Settled after the list was loaded: the book's balance of 0 counts, not the list's 20.
    setBalance(settled, "0");
    clickRow(grid(), rowOf("结清户"));
    messages_.answerOk();
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.last(), side().deleted);
    // And the other way round: a balance that arose after loading blocks.
    setBalance(owing, "0");
    search("户");
    setBalance(owing, "300");
    clickRow(grid(), rowOf("欠款户"));
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.last(), side().openBalancePrefix + "\"欠款户\"存在未结款项，不能删除！");
    EXPECT_EQ(count(side().table + " WHERE compName='欠款户'"), 1);
    EXPECT_EQ(count(side().table + " WHERE compName='结清户'"), 0);
}

// Balances are kept by adding binary fractions: bought for 0.1 and 0.2 and settled with 0.3,
// the book holds 5.55e-17. It shows as 0.00 and the settlement says there is no debt, so the
// counterpart may go; 0.006 still blocks, as it shows as 0.01.
TEST_P(Counterparts, ABalanceThatShowsAsZeroIsNoOpenBalance) {
    const long long residue = add("余数户");
    const long long almostCent = add("近分户");
    setBalance(residue, "0.1");
    exec(QStringLiteral("UPDATE %1 SET exchMoney=exchMoney+0.2 WHERE compID=%2")
             .arg(side().table)
             .arg(residue));
    exec(QStringLiteral("UPDATE %1 SET exchMoney=exchMoney-0.3 WHERE compID=%2")
             .arg(side().table)
             .arg(residue));
    ASSERT_NE(number(QStringLiteral("SELECT exchMoney FROM %1 WHERE compID=%2")
                         .arg(side().table)
                         .arg(residue)),
              0.0);
    setBalance(almostCent, "-0.006");
    open();
    search("户");
    clickRow(grid(), rowOf("近分户"));
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.last(), side().openBalancePrefix + "\"近分户\"存在未结款项，不能删除！");
    clickRow(grid(), rowOf("余数户"));
    messages_.answerOk();
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.last(), side().deleted);
    EXPECT_EQ(count(side().table + " WHERE compName='余数户'"), 0);
}

TEST_P(Counterparts, DeletingAsksFirstThenReloadsTheListAndReports) {
    add("甲公司");
    const long long id = add("乙公司");
    add("丙商行");
    open();
    search("公司");
    clickRow(grid(), rowOf("乙公司"));
    messages_.answerCancel();
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.lastShown()->form, ScriptedMessages::Form::Question);
    EXPECT_EQ(messages_.lastShown()->caption, "信息提示");
    EXPECT_EQ(messages_.last(), side().confirmPrefix + "\"乙公司\"吗？");
    EXPECT_EQ(count(side().table), 4);

    messages_.answerOk();
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.last(), side().deleted);
    EXPECT_EQ(count(QStringLiteral("%1 WHERE compID=%2").arg(side().table).arg(id)), 0);
    EXPECT_EQ(column(grid(), 0), QStringList({"甲公司"}));
    EXPECT_EQ(status(), side().countPrefix + "1");
}

TEST_P(Counterparts, AClickOnAColumnTitleSortsTheListOneWayThenTheOther) {
    const long long b = add("b号");
    add("a号");
    const long long c = add("C号");
    exec(QStringLiteral("UPDATE %1 SET phone='3' WHERE compID=%2").arg(side().table).arg(b));
    exec(QStringLiteral("UPDATE %1 SET phone='1' WHERE compID=%2").arg(side().table).arg(c));
    open();
    search("号");
    clickTitle(grid(), 0);
    EXPECT_EQ(column(grid(), 0), QStringList({"a号", "b号", "C号"}));
    clickTitle(grid(), 0);
    EXPECT_EQ(column(grid(), 0), QStringList({"C号", "b号", "a号"}));
    clickTitle(grid(), 2);
    EXPECT_EQ(column(grid(), 0), QStringList({"a号", "C号", "b号"}));
    // The row acted on is the one selected after sorting.
    clickRow(grid(), 2);
    messages_.answerCancel();
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.last(), side().confirmPrefix + "\"b号\"吗？");
}

TEST_P(Counterparts, ReopeningShowsTheLastSearchUntilTheUserSearchesAgain) {
    add("甲公司");
    open();
    search("甲");
    window_->close();
    add("甲商行"); // not listed until the next search
    open();
    EXPECT_EQ(column(grid(), 0), QStringList({"甲公司"}));
    EXPECT_EQ(drive::find<QLineEdit>(*window_, "txtKey").text(), "甲");
    drive::click(*window_, "Button1");
    EXPECT_EQ(column(grid(), 0), QStringList({"甲公司", "甲商行"}));
}

TEST_P(Counterparts, RowsOfAnotherKindLeftInTheListSlotAreReplacedOnOpening) {
    // The counterpart picker shares a slot with the list: it may leave the other kind's
    // rows there, and editing or deleting those would hit this kind's row of the same key.
    const QString other = side().otherTable;
    exec(QStringLiteral("INSERT INTO %1(compName) VALUES('别家的户')").arg(other));
    add("自家的户");
    TQuery& slot = sysData->*side().slot;
    slot.load(QStringLiteral("SELECT compID,compName,exchMoney FROM %1").arg(other));
    slot.open();
    open();
    EXPECT_EQ(column(grid(), 0), QStringList({side().casualName, "自家的户"}));
}

INSTANTIATE_TEST_SUITE_P(BothKinds, Counterparts, ::testing::Values(&kSuppliers, &kCustomers),
                         [](const auto& info) { return std::string(info.param->name); });

} // namespace
