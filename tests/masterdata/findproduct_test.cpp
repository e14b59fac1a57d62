#include "core/sysdata.h"
#include "masterdata/ui/tfrmfindproduct.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QHeaderView>
#include <QStatusBar>
#include <QTableView>
#include <QTreeWidget>
#include <memory>

namespace {

class FindProduct : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        tools = addCategory("工具");
        paper = addCategory("纸品");
        hammer = addProduct("锤子", tools, "8", "12.5");
        exec("UPDATE Fproduct SET type='大号',unitName='把',remark='防滑',field1='L01',"
             "field2='2027-01-01',company='铁匠铺' WHERE prodID=" +
             QString::number(hammer));
        addProduct("螺丝刀", tools, "3", "5");
        addProduct("A4纸", paper, "20", "26");
        picker = std::make_unique<TfrmFindProduct>();
    }
    void TearDown() override {
        picker.reset();
        BookTest::TearDown();
    }

    QTreeWidget& tree() { return drive::find<QTreeWidget>(*picker, "tvCategory"); }
    QTableView& list() { return drive::find<QTableView>(*picker, "dgProduct"); }
    QString status() { return drive::find<QStatusBar>(*picker, "StatusBar1").currentMessage(); }
    int rows() { return list().model()->rowCount(); }
    QStringList names() {
        QStringList out;
        for (int r = 0; r < rows(); ++r)
            out << list().model()->index(r, 3).data().toString();
        return out;
    }
    void clickNode(const QString& text) {
        const auto found = tree().findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {},
                          tree().visualItemRect(found[0]).center());
    }
    void searchFor(const QString& key) {
        drive::type(drive::find<QLineEdit>(*picker, "txtKey"), key);
        QTest::keyClick(&drive::find<QLineEdit>(*picker, "txtKey"), Qt::Key_Return);
    }
    void doubleClickRow(int row) {
        QTableView& view = list();
        const QRect cell = view.visualRect(view.model()->index(row, 3));
        drive::doubleClick(view.viewport(), cell.center());
    }
    // Shows the picker with this mode; the script acts on it as the person would.
    void pick(const QString& mode, std::function<void()> script) {
        picker->setMode(mode);
        modal_.expect<TfrmFindProduct>([&](TfrmFindProduct&) { script(); });
        picker->showModal();
    }

    long long tools = 0, paper = 0, hammer = 0;
    std::unique_ptr<TfrmFindProduct> picker;
};

TEST_F(FindProduct, FirstShowingListsEveryProductUnderTheRoot) {
    pick("1", [&] {
        ASSERT_EQ(tree().topLevelItemCount(), 1);
        QTreeWidgetItem* root = tree().topLevelItem(0);
        EXPECT_EQ(root->text(0), "所有类别");
        ASSERT_EQ(root->childCount(), 2);
        EXPECT_EQ(root->child(0)->text(0), "工具");
        EXPECT_EQ(root->child(1)->text(0), "纸品");
        EXPECT_TRUE(root->isExpanded());
        EXPECT_EQ(rows(), 3);
        EXPECT_EQ(status(), "在\"所有类别\"，商品种类：3");
    });
}

TEST_F(FindProduct, ANodeListsItsCategoryOnly) {
    pick("1", [&] {
        clickNode("纸品");
        EXPECT_EQ(names(), QStringList{"A4纸"});
        EXPECT_EQ(status(), "在\"纸品\"，商品种类：1");
        clickNode("所有类别");
        EXPECT_EQ(rows(), 3);
    });
}

TEST_F(FindProduct, ASaleReceivesTheSalePriceAndAPurchaseThePurchasePrice) {
    pick("2", [&] { doubleClickRow(names().indexOf("锤子")); });
    ASSERT_EQ(picker->chosen(), 1);
    const std::array<QString, 12> sale{QString::number(hammer),
                                       "BH-锤子",
                                       "锤子",
                                       "大号",
                                       "把",
                                       "12.5",
                                       "1",
                                       "12.5",
                                       "防滑",
                                       "L01",
                                       "2027-01-01",
                                       "铁匠铺"};
    EXPECT_EQ(picker->values(), sale);

    pick("1", [&] { doubleClickRow(names().indexOf("锤子")); });
    ASSERT_EQ(picker->chosen(), 1);
    EXPECT_EQ(picker->values()[5], "8");
    EXPECT_EQ(picker->values()[6], "1");
    EXPECT_EQ(picker->values()[7], "8");
}

TEST_F(FindProduct, AnyModeButOneOffersTheSalePrice) {
    pick("3", [&] { doubleClickRow(names().indexOf("锤子")); });
    EXPECT_EQ(picker->values()[5], "12.5");
}

TEST_F(FindProduct, ClosingWithoutADoubleClickChoosesNothing) {
    pick("1", [&] { doubleClickRow(0); });
    ASSERT_EQ(picker->chosen(), 1);
    pick("1", [&] {
        list().selectRow(1);
        picker->close();
    });
    EXPECT_EQ(picker->chosen(), 0);
}

TEST_F(FindProduct, SearchMatchesCodeOrNameAcrossAllCategories) {
    pick("1", [&] {
        clickNode("纸品");
        searchFor(" 螺丝 ");
        EXPECT_EQ(names(), QStringList{"螺丝刀"});
        EXPECT_EQ(status(), "商品编号或名称与\"螺丝\"相似的商品种类数：1");
        searchFor("bh-a4");
        EXPECT_EQ(names(), QStringList{"A4纸"});
        searchFor("");
        EXPECT_EQ(rows(), 3);
        EXPECT_EQ(status(), "商品编号或名称与\"\"相似的商品种类数：3");
    });
}

TEST_F(FindProduct, UnderscoreAndPercentActAsWildcards) {
    pick("1", [&] {
        searchFor("锤_");
        EXPECT_EQ(names(), QStringList{"锤子"});
        searchFor("B%纸");
        EXPECT_EQ(names(), QStringList{"A4纸"});
    });
}

TEST_F(FindProduct, AProductWithoutItsCategoryIsNeverListed) {
    addProduct("孤儿", 999);
    pick("1", [&] {
        EXPECT_EQ(rows(), 3);
        searchFor("孤儿");
        EXPECT_EQ(rows(), 0);
    });
}

TEST_F(FindProduct, ADoubleClickOnAnEmptyListKeepsThePickerOpen) {
    pick("1", [&] {
        searchFor("没有这种东西");
        drive::doubleClick(list().viewport(), QPoint(20, 10));
        EXPECT_TRUE(picker->isVisible());
    });
    EXPECT_EQ(picker->chosen(), 0);
}

TEST_F(FindProduct, ColumnTitlesFollowTheFieldCaptions) {
    exec("UPDATE FConfig SET textValue='货号' WHERE fieldName='prodBH'");
    exec("UPDATE FConfig SET textValue='零售价' WHERE fieldName='outprice'");
    pick("1", [&] {
        QAbstractItemModel& m = *list().model();
        EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), "商品类别");
        EXPECT_EQ(m.headerData(2, Qt::Horizontal).toString(), "货号");
        EXPECT_EQ(m.headerData(6, Qt::Horizontal).toString(), "零售价");
        EXPECT_EQ(m.headerData(7, Qt::Horizontal).toString(), "进价");
        EXPECT_TRUE(list().isColumnHidden(0));
    });
}

TEST_F(FindProduct, ASearchSurvivesUntilTheNextShowingRebuildsTheTree) {
    pick("1", [&] { searchFor("纸"); });
    pick("1", [&] {
        EXPECT_EQ(drive::find<QLineEdit>(*picker, "txtKey").text(), "纸");
        EXPECT_EQ(tree().currentItem(), nullptr);
        EXPECT_EQ(names(), QStringList{"A4纸"});
    });
}

TEST_F(FindProduct, ABrokenCategoryTableIsReportedPlainly) {
    exec("ALTER TABLE Fprodcate RENAME TO FprodcateGone");
    pick("1", [&] {});
    ASSERT_FALSE(messages_.shown().empty());
    EXPECT_EQ(messages_.shown()[0].text, "查询出现异常！");
    EXPECT_EQ(messages_.shown()[0].form, ScriptedMessages::Form::PlainNotice);
    EXPECT_EQ(tree().topLevelItemCount(), 1);
}

} // namespace
