#include "accounts/assetregister.h"
#include "accounts/ui/tfrmasscatedialog.h"
#include "accounts/ui/tfrmassdialog.h"
#include "accounts/ui/tfrmgdzc.h"
#include "core/sysdata.h"
#include "masterdata/masterlists.h"
#include "support/booktest.h"
#include "support/drive.h"
#include "support/pacedkeys.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTreeWidget>

namespace {

using namespace masterlists;

class Assets : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        office_ = addAssCate("办公设备");
        vehicles_ = addAssCate("运输工具");
        window_ = std::make_unique<TfrmGDZC>();
    }
    void TearDown() override {
        window_.reset();
        BookTest::TearDown();
    }
    TfrmGDZC& open() {
        window_->show();
        return *window_;
    }
    long long addAssCate(const QString& name) {
        exec(QStringLiteral("INSERT INTO FassCate(cateName) VALUES('%1')").arg(name));
        return scalar("SELECT last_insert_rowid()").toLongLong();
    }
    long long addAsset(const QString& name, long long cateID, const QString& price = "100",
                       const QString& day = "2025-06-30") {
        exec(QStringLiteral("INSERT INTO Fasset(assName,cateID,purPrice,purDate,remark) "
                            "VALUES('%1',%2,%3,'%4','旧')")
                 .arg(name)
                 .arg(cateID)
                 .arg(price, day));
        return scalar("SELECT last_insert_rowid()").toLongLong();
    }
    QTreeWidget& tree() { return drive::find<QTreeWidget>(*window_, "tvCategory"); }
    QTableView& grid() { return drive::find<QTableView>(*window_, "DBGrid2"); }
    QStringList assetNames() { return column(grid(), 1); }
    QString status() { return drive::find<QStatusBar>(*window_, "StatusBar1").currentMessage(); }
    QStringList nodes() {
        QStringList texts;
        for (QTreeWidgetItemIterator it(&tree()); *it; ++it)
            texts << (*it)->text(0);
        return texts;
    }
    void choose(const QString& text) {
        const auto found = tree().findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        tree().scrollToItem(found.first());
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {},
                          tree().visualItemRect(found.first()).center());
    }
    void menu(const char* action) {
        auto* a = window_->findChild<QAction*>(action);
        ASSERT_NE(a, nullptr) << action;
        a->trigger();
    }

    long long office_ = 0;
    long long vehicles_ = 0;
    std::unique_ptr<TfrmGDZC> window_;
};

TEST_F(Assets, ShowingBuildsTheTreeAndListsEveryAssetBeforeAnyChoice) {
    addAsset("复印机", office_, "12000.5");
    addAsset("货车", vehicles_);
    addAsset("孤儿", 999); // its category is gone: not listed
    open();
    EXPECT_EQ(window_->windowTitle(), "固定资产");
    EXPECT_EQ(nodes(), QStringList({"所有类别", "办公设备", "运输工具"}));
    EXPECT_TRUE(tree().topLevelItem(0)->isExpanded());
    EXPECT_EQ(assetNames(), QStringList({"复印机", "货车"}));
    EXPECT_EQ(column(grid(), 0), QStringList({"办公设备", "运输工具"}));
    EXPECT_EQ(column(grid(), 2).first(), "￥12000.50");
    EXPECT_EQ(column(grid(), 3).first(), "2025-06-30");
    EXPECT_EQ(status(), "在\"\"，资产数量：2");
}

TEST_F(Assets, ChoosingACategoryListsItsAssetsAndTheRootListsThemAll) {
    addAsset("复印机", office_);
    addAsset("电脑", office_);
    addAsset("货车", vehicles_);
    open();
    choose("运输工具");
    EXPECT_EQ(assetNames(), QStringList({"货车"}));
    EXPECT_EQ(status(), "在\"运输工具\"，资产数量：1");
    choose("所有类别");
    EXPECT_EQ(assetNames().size(), 3);
    EXPECT_EQ(status(), "在\"所有类别\"，资产数量：3");
    menu("E1");
    menu("P1");
    EXPECT_EQ(messages_.texts(),
              QStringList({"请选择要修改的分类名称！", "请选择要删除的分类名称！"}));
}

TEST_F(Assets, ACodeScannedIntoTheValueIsNotTakenButATagScannedIntoTheNameIs) {
    open();
    choose("办公设备");
    modal_.expect<TfrmAssAdd>([&](TfrmAssAdd& d) {
        auto& value = drive::find<QLineEdit>(d, "txtpurprice");
        drive::type(value, "3500");
        value.setFocus();
        PacedKeys().send(value, "69012345", 8);
        EXPECT_EQ(messages_.last(), "刚扫描的“69012345”不能录入此处，未录入。");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(value.text(), "3500");
        auto& name = drive::find<QLineEdit>(d, "txtAssName");
        name.setFocus();
        PacedKeys().send(name, "ZC0001", 8);
        EXPECT_FALSE(d.isVisible());
    });
    drive::click(*window_, "tlInsert");
    modal_.expectAllShown();
    EXPECT_EQ(scalar("SELECT assName FROM Fasset"), "ZC0001");
    EXPECT_EQ(number("SELECT purPrice FROM Fasset"), 3500);
}

TEST_F(Assets, AddingWithACategoryChosenPreselectsItAndTheListGrows) {
    addAsset("复印机", office_);
    open();
    choose("办公设备");
    modal_.expect<TfrmAssAdd>([&](TfrmAssAdd& d) {
        EXPECT_EQ(d.windowTitle(), "添加资产");
        EXPECT_EQ(drive::find<QComboBox>(d, "cbassCate").currentText(), "办公设备");
        EXPECT_EQ(drive::find<QDateEdit>(d, "dtpurDate").date(), QDate(2026, 3, 15));
        EXPECT_EQ(labelOf(d, "txtpurprice"), "入账价值：");
        auto& price = drive::find<QLineEdit>(d, "txtpurprice");
        EXPECT_EQ(price.text(), "0");
        drive::type(price, "12x");
        EXPECT_EQ(price.text(), "0");
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "请输入资产名称！");
        drive::type(d, "txtAssName", " 打印机 ");
        drive::type(price, "3500.75");
        drive::type(d, "txtRemark", "二楼");
        drive::click(d, "btnOK");
        EXPECT_FALSE(d.isVisible());
    });
    drive::click(*window_, "tlInsert");
    EXPECT_EQ(messages_.last(), "添加成功！");
    EXPECT_EQ(scalar("SELECT assName||'|'||cateID||'|'||purPrice||'|'||purDate||'|'||remark "
                     "FROM Fasset WHERE assName='打印机'"),
              QStringLiteral("打印机|%1|3500.75|2026-03-15|二楼").arg(office_));
    EXPECT_EQ(assetNames(), QStringList({"复印机", "打印机"}));
    EXPECT_EQ(status(), "在\"办公设备\"，资产数量：2");
    // The dialog is ready for the next one; an empty value is stored as 0.
    modal_.expect<TfrmAssAdd>([&](TfrmAssAdd& d) {
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtAssName").text(), "");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtpurprice").text(), "0");
        drive::type(d, "txtAssName", "碎纸机");
        drive::find<QLineEdit>(d, "txtpurprice").clear();
        drive::click(d, "btnOK");
    });
    drive::click(*window_, "tlInsert");
    EXPECT_EQ(number("SELECT purPrice FROM Fasset WHERE assName='碎纸机'"), 0);
}

// Another counter deleted the chosen category while the asset was typed: nothing is written,
// what was typed stays, and the categories left are offered.
TEST_F(Assets, AnAssetWhoseCategoryWasDeletedMeanwhileKeepsWhatWasTypedForAnother) {
    open();
    choose("办公设备");
    modal_.expect<TfrmAssAdd>([&](TfrmAssAdd& d) {
        drive::type(d, "txtAssName", "打印机");
        drive::type(d, "txtpurprice", "3500.5");
        exec(QStringLiteral("DELETE FROM FassCate WHERE cateID=%1").arg(office_));
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), assets::kCategoryGone);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtAssName").text(), "打印机");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtpurprice").text(), "3500.5");
        QComboBox& categories = drive::find<QComboBox>(d, "cbassCate");
        EXPECT_EQ(categories.findText("办公设备"), -1);
        drive::choose(categories, "运输工具");
        drive::click(d, "btnOK");
        EXPECT_FALSE(d.isVisible());
    });
    drive::click(*window_, "tlInsert");
    EXPECT_EQ(scalar("SELECT assName||'|'||cateID||'|'||purPrice FROM Fasset"),
              QStringLiteral("打印机|%1|3500.5").arg(vehicles_));
    EXPECT_EQ(nodes().indexOf("办公设备"), -1);
}

TEST_F(Assets, AddingWithoutACategoryAsksForOneAndABadValueWritesNothing) {
    open();
    modal_.expect<TfrmAssAdd>([&](TfrmAssAdd& d) {
        EXPECT_EQ(drive::find<QComboBox>(d, "cbassCate").currentIndex(), -1);
        drive::type(d, "txtAssName", "打印机");
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "请选择资产分类！");
        drive::choose(drive::find<QComboBox>(d, "cbassCate"), "运输工具");
        drive::find<QLineEdit>(d, "txtpurprice").setText("1e300"); // pasted
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "入账价值不是有效的数字！");
        EXPECT_TRUE(d.isVisible());
        drive::click(d, "btnClose");
    });
    drive::click(*window_, "tlInsert");
    EXPECT_EQ(count("Fasset"), 0);
}

TEST_F(Assets, EditingWithoutTouchingTheDateKeepsTheStoredDate) {
    const long long id = addAsset("复印机", office_, "12000");
    open();
    modal_.expect<TfrmAssEdit>([&](TfrmAssEdit& d) {
        EXPECT_EQ(d.windowTitle(), "修改资产");
        EXPECT_EQ(drive::find<QPushButton>(d, "btnOK").text(), "保存(&S)");
        EXPECT_EQ(drive::find<QComboBox>(d, "cbassCate").currentText(), "办公设备");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtAssName").text(), "复印机");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtpurprice").text(), "12000");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtRemark").text(), "旧");
        drive::choose(drive::find<QComboBox>(d, "cbassCate"), "运输工具");
        drive::type(d, "txtpurprice", "11000.1");
        drive::click(d, "btnOK");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtAssName").text(), "复印机"); // not emptied
    });
    drive::click(*window_, "tlEdit");
    EXPECT_EQ(messages_.texts(), QStringList({"修改成功！"}));
    EXPECT_EQ(scalar(QStringLiteral("SELECT cateID||'|'||purPrice||'|'||purDate FROM Fasset "
                                    "WHERE assID=%1")
                         .arg(id)),
              QStringLiteral("%1|11000.1|2025-06-30").arg(vehicles_));
    EXPECT_EQ(column(grid(), 0), QStringList({"运输工具"}));
}

TEST_F(Assets, DeletingAnAssetAsksWithItsName) {
    addAsset("复印机", office_);
    open();
    messages_.answerCancel();
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.last(), "确定要删除资产：\"复印机\"吗？");
    EXPECT_EQ(count("Fasset"), 1);
    messages_.answerOk();
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.last(), "删除成功！");
    EXPECT_EQ(count("Fasset"), 0);
    EXPECT_TRUE(assetNames().isEmpty());
    drive::click(*window_, "tlDel");
    drive::click(*window_, "tlEdit");
    EXPECT_EQ(messages_.texts().mid(3),
              QStringList({"请选择要删除的资产！", "请选择要编辑的资产！"}));
}

TEST_F(Assets, ACategoryWithAssetsStaysAndOneWithoutGoesAfterTheQuestion) {
    addAsset("复印机", office_);
    open();
    choose("办公设备");
    menu("P1");
    EXPECT_EQ(messages_.texts(), QStringList({"此分类下存在资产信息，不能删除！"}));
    choose("运输工具");
    messages_.answerOk();
    menu("P1");
    EXPECT_EQ(messages_.texts().mid(1),
              QStringList({"确定要删除分类\"运输工具\"吗？", "删除成功！"}));
    EXPECT_EQ(nodes(), QStringList({"所有类别", "办公设备"}));
    EXPECT_EQ(count("FassCate"), 1);
}

TEST_F(Assets, ACategoryThatGainedAnAssetSinceTheListWasLoadedIsNotDeleted) {
    open();
    choose("运输工具");
    addAsset("货车", vehicles_); // after the list was loaded
    messages_.answerOk();
    menu("P1");
    EXPECT_EQ(messages_.last(), "此分类下存在资产信息，不能删除！");
    EXPECT_EQ(count("FassCate"), 2);
}

TEST_F(Assets, CategoriesAreAddedAndRenamedThroughTheTreeMenu) {
    open();
    modal_.expect<TfrmAssCateAdd>([&](TfrmAssCateAdd& d) {
        EXPECT_EQ(d.windowTitle(), "添加分类");
        drive::type(d, "txtCateName", "电子设备");
        drive::click(d, "btnAdd");
    });
    menu("A1");
    EXPECT_EQ(nodes(), QStringList({"所有类别", "办公设备", "运输工具", "电子设备"}));
    addAsset("复印机", office_);
    choose("办公设备");
    modal_.expect<TfrmAssCateEdit>([&](TfrmAssCateEdit& d) {
        EXPECT_EQ(d.windowTitle(), "修改分类");
        EXPECT_EQ(drive::find<QPushButton>(d, "btnAdd").text(), "保存(&S)");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtCateName").text(), "办公设备");
        drive::type(d, "txtCateName", "办公家具");
        drive::click(d, "btnAdd");
    });
    menu("E1");
    EXPECT_EQ(messages_.texts(), QStringList({"分类名称添加成功！", "分类名称修改成功！"}));
    EXPECT_EQ(nodes(), QStringList({"所有类别", "办公家具", "运输工具", "电子设备"}));
    // The list stays as it was loaded until a node is chosen again.
    EXPECT_EQ(column(grid(), 0), QStringList({"办公设备"}));
    EXPECT_EQ(status(), "在\"办公设备\"，资产数量：1");
}

TEST_F(Assets, DeletingACategoryLeavesTheAssetListAsItIs) {
    addAsset("复印机", office_);
    open();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    choose("运输工具");
    ASSERT_TRUE(assetNames().isEmpty());
    messages_.answerOk();
    menu("P1");
    ASSERT_EQ(messages_.last(), "删除成功！");
    // The message box gives the focus back to the tree, as it does when it closes.
    grid().setFocus();
    tree().setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_TRUE(assetNames().isEmpty());
    EXPECT_EQ(status(), "在\"运输工具\"，资产数量：0");
}

TEST_F(Assets, TheChosenCategorySurvivesShowingAgain) {
    addAsset("复印机", office_);
    addAsset("货车", vehicles_);
    open();
    choose("运输工具");
    window_->close();
    open();
    EXPECT_EQ(assetNames(), QStringList({"货车"}));
    EXPECT_EQ(status(), "在\"运输工具\"，资产数量：1");
    EXPECT_EQ(tree().currentItem()->text(0), "运输工具");
}

TEST_F(Assets, ACategoryTreeThatCannotBeReadIsReportedPlainly) {
    exec("ALTER TABLE FassCate RENAME TO FassCateGone");
    open();
    ASSERT_FALSE(messages_.shown().empty());
    const auto& first = messages_.shown().front();
    EXPECT_EQ(first.form, ScriptedMessages::Form::PlainNotice);
    EXPECT_EQ(first.text, "查询出现异常！");
    EXPECT_EQ(first.caption, "信息提示");
    EXPECT_EQ(nodes(), QStringList({"所有类别"}));
    // The asset list joins the categories too: its failure is the program-wide report.
    EXPECT_EQ(messages_.shown().back().form, ScriptedMessages::Form::ErrorReport);
}

} // namespace
