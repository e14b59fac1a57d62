#include "core/sysdata.h"
#include "masterdata/ui/tfrmhouse.h"
#include "masterdata/ui/tfrmhousedialog.h"
#include "masterlists.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QApplication>
#include <QPushButton>
#include <QTableView>

namespace {

using namespace masterlists;

class Houses : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        window_ = std::make_unique<TfrmHouse>();
    }
    void TearDown() override {
        window_.reset();
        BookTest::TearDown();
    }
    TfrmHouse& open() {
        window_->show();
        return *window_;
    }
    QTableView& grid() { return drive::find<QTableView>(*window_, "dgHouse"); }
    int rowOf(const QString& name) { return int(column(grid(), 0).indexOf(name)); }

    // Stock moved into the warehouse by a purchase line (and out again when returned).
    void purchaseInto(long long houseID, const QString& code, bool returnedAgain = false) {
        const long long prodID = addProduct(code);
        exec(QStringLiteral("INSERT INTO OrderPur(orderID,houseID,empName,compID,optDate,acMoney,"
                            "coMoney) VALUES('%1',%2,'',1,'2026-03-01',10,10)")
                 .arg(code)
                 .arg(houseID));
        exec(QStringLiteral("INSERT INTO OrderPurD(orderID,prodID,price,pcount,sumMoney,remark) "
                            "VALUES('%1',%2,10,1,10,'')")
                 .arg(code)
                 .arg(prodID));
        if (!returnedAgain)
            return;
        exec(QStringLiteral("INSERT INTO OrderPurT(orderID,houseID,empName,compID,optDate,"
                            "acMoney,coMoney) VALUES('T%1',%2,'',1,'2026-03-02',10,10)")
                 .arg(code)
                 .arg(houseID));
        exec(QStringLiteral("INSERT INTO OrderPurTD(orderID,prodID,price,pcount,sumMoney,remark) "
                            "VALUES('T%1',%2,10,1,10,'')")
                 .arg(code)
                 .arg(prodID));
    }

    std::unique_ptr<TfrmHouse> window_;
};

TEST_F(Houses, OpeningListsEveryWarehouseUnderItsTitles) {
    addHouse("一号仓");
    exec("UPDATE Fhouse SET address='东门路1号', resperson='王五', phone='13800000001', "
         "remark='主仓'");
    open();
    EXPECT_EQ(window_->windowTitle(), "仓库管理");
    QStringList titles;
    for (int c = 0; c < grid().model()->columnCount(); ++c)
        titles << grid().model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"仓库名称", "仓库地址", "负责人", "联系电话", "备注"}));
    QStringList row;
    for (int c = 0; c < 5; ++c)
        row << grid().model()->index(0, c).data().toString();
    EXPECT_EQ(row, QStringList({"一号仓", "东门路1号", "王五", "13800000001", "主仓"}));
}

TEST_F(Houses, AddingStoresTheTrimmedBoxesReportsAndEmptiesTheDialog) {
    open();
    modal_.expect<TfrmHouseAdd>([&](TfrmHouseAdd& d) {
        EXPECT_EQ(d.windowTitle(), "添加仓库");
        EXPECT_EQ(drive::find<QPushButton>(d, "btnOK").text(), "添加(&O)");
        drive::type(d, "txtHouseName", "  二号仓 ");
        drive::type(d, "txtAddress", " 西湖路8号");
        drive::type(d, "txtResperson", "李四 ");
        drive::type(d, "txtphone", "0571-88886666");
        drive::type(d, "txtRemark", "冷库");
        drive::click(d, "btnOK");
        EXPECT_FALSE(d.isVisible());
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(messages_.texts(), QStringList({"添加成功！"}));
    EXPECT_EQ(scalar("SELECT houseName||'|'||address||'|'||resperson||'|'||phone||'|'||remark "
                     "FROM Fhouse"),
              "二号仓|西湖路8号|李四|0571-88886666|冷库");
    EXPECT_EQ(column(grid(), 0), QStringList({"二号仓"}));

    modal_.expect<TfrmHouseAdd>([&](TfrmHouseAdd& d) {
        for (const char* box :
             {"txtHouseName", "txtAddress", "txtResperson", "txtphone", "txtRemark"})
            EXPECT_EQ(drive::find<QLineEdit>(d, box).text(), "") << box;
    });
    drive::click(*window_, "tlAdd");
}

TEST_F(Houses, AnEmptyNameIsRefusedWithTheFocusOnTheNameBox) {
    open();
    modal_.expect<TfrmHouseAdd>([&](TfrmHouseAdd& d) {
        drive::type(d, "txtHouseName", "   ");
        drive::type(d, "txtAddress", "南路");
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "请输入仓库名称！");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), &drive::find<QLineEdit>(d, "txtHouseName"));
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtAddress").text(), "南路");
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(count("Fhouse"), 0);
}

TEST_F(Houses, ClosingTheAddDialogWithoutSavingStillReloadsTheList) {
    addHouse("甲仓");
    open();
    addHouse("乙仓"); // added elsewhere while the list was open
    modal_.expect<TfrmHouseAdd>([&](TfrmHouseAdd& d) { drive::click(d, "btnClose"); });
    drive::click(*window_, "tlAdd");
    EXPECT_TRUE(messages_.texts().isEmpty());
    EXPECT_EQ(column(grid(), 0), QStringList({"甲仓", "乙仓"}));
}

TEST_F(Houses, WhatWasTypedButNotSavedIsStillThereWhenTheDialogIsOpenedAgain) {
    open();
    modal_.expect<TfrmHouseAdd>([&](TfrmHouseAdd& d) {
        drive::type(d, "txtHouseName", "三号仓");
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
    });
    drive::click(*window_, "tlAdd");
    modal_.expect<TfrmHouseAdd>([&](TfrmHouseAdd& d) {
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtHouseName").text(), "三号仓");
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(count("Fhouse"), 0);
}

TEST_F(Houses, BeforeAnyRowIsClickedEditAndDeleteAskForASelection) {
    addHouse("甲仓");
    open();
    drive::click(*window_, "tlEdit");
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.texts(), QStringList({"请选择要修改的仓库！", "请选择要删除的仓库！"}));
    EXPECT_EQ(selectedRow(grid()), -1); // no row looks selected either
}

// Another counter deletes the clicked warehouse: 修改 and 删除 say so and the list shows the
// book as it now is. They asked the person to choose a warehouse, with the one gone still
// highlighted, and clicking it again changed nothing.
TEST_F(Houses, AWarehouseAnotherCounterDeletedIsSaidToBeGoneAndLeavesTheList) {
    addHouse("甲仓");
    const long long gone = addHouse("乙仓");
    open();
    clickRow(grid(), rowOf("乙仓"));
    exec(QStringLiteral("DELETE FROM Fhouse WHERE houseID=%1").arg(gone));
    drive::click(*window_, "tlEdit");
    EXPECT_EQ(messages_.texts(), QStringList({"该记录已被其他用户删除！"}));
    EXPECT_EQ(rowOf("乙仓"), -1);
    EXPECT_EQ(selectedRow(grid()), -1);

    addHouse("丙仓");
    clickRow(grid(), rowOf("甲仓"));
    exec("DELETE FROM Fhouse WHERE houseName='甲仓'");
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.last(), "该记录已被其他用户删除！");
    EXPECT_EQ(rowOf("甲仓"), -1);
    EXPECT_NE(rowOf("丙仓"), -1);
}

TEST_F(Houses, EditingShowsTheClickedWarehouseEvenAfterTheRowsWereSorted) {
    addHouse("乙仓");
    const long long b = addHouse("甲仓");
    addHouse("丙仓");
    exec(QStringLiteral("UPDATE Fhouse SET address='北路', phone='110' WHERE houseID=%1").arg(b));
    open();
    clickRow(grid(), rowOf("甲仓"));
    clickTitle(grid(), 0); // the rows move; the selection stays with 甲仓
    clickTitle(grid(), 0);
    EXPECT_EQ(selectedRow(grid()), rowOf("甲仓"));

    modal_.expect<TfrmHouseEdit>([&](TfrmHouseEdit& d) {
        EXPECT_EQ(d.windowTitle(), "编辑仓库");
        EXPECT_EQ(drive::find<QPushButton>(d, "btnOK").text(), "修改(&O)");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtHouseName").text(), "甲仓");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtAddress").text(), "北路");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtphone").text(), "110");
        drive::type(d, "txtHouseName", " 甲仓（新） ");
        drive::click(d, "btnOK");
    });
    drive::click(*window_, "tlEdit");
    EXPECT_EQ(messages_.texts(), QStringList({"修改成功！"}));
    EXPECT_EQ(scalar(QStringLiteral("SELECT houseName FROM Fhouse WHERE houseID=%1").arg(b)),
              "甲仓（新）");
    EXPECT_EQ(count("Fhouse WHERE houseName IN ('乙仓','丙仓')"), 2);
    EXPECT_EQ(rowOf("甲仓（新）") >= 0, true);
}

TEST_F(Houses, EditAndDeleteActOnTheRowTheArrowKeysHighlighted) {
    addHouse("一号仓");
    addHouse("二号仓");
    open();
    clickRow(grid(), rowOf("一号仓"));
    QTest::keyClick(&grid(), Qt::Key_Down);
    ASSERT_EQ(selectedRow(grid()), rowOf("二号仓"));
    modal_.expect<TfrmHouseEdit>([&](TfrmHouseEdit& d) {
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtHouseName").text(), "二号仓");
        drive::click(d, "btnClose");
    });
    drive::click(*window_, "tlEdit");

    QTest::keyClick(&grid(), Qt::Key_Up);
    messages_.answerOk();
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.shown().front().text, "确定要删除仓库\"一号仓\"吗？");
    EXPECT_EQ(scalar("SELECT group_concat(houseName) FROM Fhouse"), "二号仓");
}

TEST_F(Houses, TheSelectionSurvivesClosingAndReopeningTheWindow) {
    addHouse("甲仓");
    addHouse("乙仓");
    open();
    clickRow(grid(), 1);
    window_->close();
    open();
    EXPECT_EQ(selectedRow(grid()), 1);
    // A double click edits as 修改 does; closing the dialog unsaved changes nothing.
    modal_.expect<TfrmHouseEdit>([&](TfrmHouseEdit& d) {
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtHouseName").text(), "乙仓");
        drive::type(d, "txtHouseName", "改了也不存");
        drive::click(d, "btnClose");
    });
    doubleClickRow(grid(), 1);
    EXPECT_EQ(count("Fhouse WHERE houseName='乙仓'"), 1);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(Houses, AWarehouseThatTheDocumentsMovedStockThroughCannotBeDeleted) {
    const long long full = addHouse("满仓");
    const long long emptied = addHouse("清空仓");
    purchaseInto(full, "CJ1");
    purchaseInto(emptied, "CJ2", true); // its quantity is back at 0, its records remain
    open();
    for (const QString name : {"满仓", "清空仓"}) {
        clickRow(grid(), rowOf(name));
        drive::click(*window_, "tlDel");
        EXPECT_EQ(messages_.last(), "此仓库存在商品信息，不能删除！") << name.toStdString();
    }
    EXPECT_EQ(count("Fhouse"), 2);
}

TEST_F(Houses, DeletingAsksFirstAndThenClearsTheSelection) {
    addHouse("甲仓");
    const long long b = addHouse("乙仓");
    open();
    clickRow(grid(), rowOf("乙仓"));
    messages_.answerCancel();
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.lastShown()->form, ScriptedMessages::Form::Question);
    EXPECT_EQ(messages_.lastShown()->caption, "信息提示");
    EXPECT_EQ(messages_.last(), "确定要删除仓库\"乙仓\"吗？");
    EXPECT_EQ(count("Fhouse"), 2);

    messages_.answerOk();
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.last(), "删除成功！");
    EXPECT_EQ(count(QStringLiteral("Fhouse WHERE houseID=%1").arg(b)), 0);
    EXPECT_EQ(column(grid(), 0), QStringList({"甲仓"}));

    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.last(), "请选择要删除的仓库！");
}

TEST_F(Houses, AClickOnAColumnTitleSortsTheListOneWayThenTheOther) {
    for (const QString name : {"b仓", "C仓", "a仓"})
        addHouse(name);
    open();
    clickTitle(grid(), 0);
    EXPECT_EQ(column(grid(), 0), QStringList({"a仓", "b仓", "C仓"}));
    clickTitle(grid(), 0);
    EXPECT_EQ(column(grid(), 0), QStringList({"C仓", "b仓", "a仓"}));
}

} // namespace
