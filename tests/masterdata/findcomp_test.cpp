#include "core/sysdata.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QLabel>
#include <QStatusBar>
#include <QTableView>
#include <memory>

namespace {

class FindComp : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        addSupplier("甲公司");
        addSupplier("乙_工厂");
        addCustomer("甲商店");
        picker = std::make_unique<TfrmFindComp>();
    }
    void TearDown() override {
        picker.reset();
        BookTest::TearDown();
    }

    QTableView& list() { return drive::find<QTableView>(*picker, "dgSupplier"); }
    QString status() { return drive::find<QStatusBar>(*picker, "StatusBar1").currentMessage(); }
    QStringList names() {
        QStringList out;
        for (int r = 0; r < list().model()->rowCount(); ++r)
            out << list().model()->index(r, 1).data().toString();
        return out;
    }
    void searchFor(const QString& key) {
        auto& box = drive::find<QLineEdit>(*picker, "txtKey");
        drive::type(box, key);
        QTest::keyClick(&box, Qt::Key_Return);
    }
    void doubleClickRow(int row) {
        drive::doubleClick(list().viewport(),
                           list().visualRect(list().model()->index(row, 1)).center());
    }
    void pick(const QString& mode, std::function<void()> script) {
        picker->setMode(mode);
        modal_.expect<TfrmFindComp>([&](TfrmFindComp&) { script(); });
        picker->showModal();
    }

    std::unique_ptr<TfrmFindComp> picker;
};

TEST_F(FindComp, ModeOneListsSuppliersUnderTheirOwnCaptions) {
    pick("1", [&] {
        EXPECT_EQ(picker->windowTitle(), "查找供应商");
        EXPECT_EQ(drive::find<QLabel>(*picker, "lblKey").text(), "供应商名称：");
        EXPECT_EQ(list().model()->headerData(1, Qt::Horizontal).toString(), "供应商名称");
        EXPECT_EQ(list().model()->headerData(2, Qt::Horizontal).toString(), "联系人");
        EXPECT_EQ(names(), QStringList({"普通供应商", "甲公司", "乙_工厂"}));
        EXPECT_EQ(status(), "当前满足条件的供应商总数：3");
        EXPECT_TRUE(list().isColumnHidden(0));
    });
}

TEST_F(FindComp, AnyOtherModeListsCustomers) {
    pick("2", [&] {
        EXPECT_EQ(picker->windowTitle(), "查找客户");
        EXPECT_EQ(list().model()->headerData(1, Qt::Horizontal).toString(), "客户名称");
        EXPECT_EQ(drive::find<QLabel>(*picker, "lblKey").text(), "客户名称：");
        EXPECT_EQ(names(), QStringList({"普通客户", "甲商店"}));
        EXPECT_EQ(status(), "当前满足条件的客户总数：2");
    });
}

TEST_F(FindComp, EnterSearchesAndUnderscoreMatchesAnyOneCharacter) {
    pick("1", [&] {
        searchFor(" 甲 ");
        EXPECT_EQ(names(), QStringList{"甲公司"});
        EXPECT_EQ(status(), "当前满足条件的供应商总数：1");
        searchFor("乙_工");
        EXPECT_EQ(names(), QStringList{"乙_工厂"});
        searchFor("公_");
        EXPECT_EQ(names(), QStringList{"甲公司"});
        searchFor("");
        EXPECT_EQ(names().size(), 3);
    });
}

TEST_F(FindComp, ADoubleClickChoosesTheRowForTheCallerToRead) {
    pick("1", [&] { doubleClickRow(1); });
    ASSERT_EQ(picker->chosen(), 1);
    EXPECT_EQ(picker->compName(), "甲公司");
    EXPECT_EQ(picker->compID(), scalar("SELECT compID FROM Fsupplier WHERE compName='甲公司'"));
}

TEST_F(FindComp, ClosingOtherwiseChoosesNothing) {
    pick("1", [&] { doubleClickRow(1); });
    pick("1", [&] { list().selectRow(2); });
    EXPECT_EQ(picker->chosen(), 0);
}

TEST_F(FindComp, SuppliersAndCustomersEachKeepTheirOwnSearchText) {
    pick("1", [&] { searchFor("乙"); });
    pick("2", [&] {
        EXPECT_EQ(picker->windowTitle(), "查找客户");
        EXPECT_EQ(drive::find<QLineEdit>(*picker, "txtKey").text(), "");
        EXPECT_EQ(names(), QStringList({"普通客户", "甲商店"}));
        searchFor("商店");
    });
    pick("1", [&] {
        EXPECT_EQ(drive::find<QLineEdit>(*picker, "txtKey").text(), "乙");
        EXPECT_EQ(names(), QStringList{"乙_工厂"});
    });
    pick("2", [&] { EXPECT_EQ(drive::find<QLineEdit>(*picker, "txtKey").text(), "商店"); });
}

TEST_F(FindComp, ADoubleClickOnAnEmptyListKeepsThePickerOpen) {
    pick("2", [&] {
        searchFor("无此人");
        drive::doubleClick(list().viewport(), QPoint(20, 10));
        EXPECT_TRUE(picker->isVisible());
    });
    EXPECT_EQ(picker->chosen(), 0);
}

} // namespace
