#include "productwindow.h"

#include "core/sysdata.h"

#include <QApplication>

namespace {

class ProductList : public ProductWindow {
protected:
    void SetUp() override {
        ProductWindow::SetUp();
        drinks_ = addCategory("饮料");
        snacks_ = addCategory("零食");
        cola_ = addProduct("可乐", drinks_, "3", "4.5");
        tea_ = addProduct("绿茶", drinks_, "2.75", "3.8");
        chips_ = addProduct("薯片", snacks_, "12.5", "6");
    }
    long long drinks_ = 0, snacks_ = 0, cola_ = 0, tea_ = 0, chips_ = 0;
};

TEST_F(ProductList, OpeningSelectsTheRootAndListsEveryProduct) {
    addProduct("孤儿", 99); // its category is gone, so the join drops it
    open();
    EXPECT_EQ(nodes(), QStringList({"所有类别", "饮料", "零食"}));
    EXPECT_EQ(tree().currentItem()->text(0), "所有类别");
    EXPECT_EQ(names(), QStringList({"可乐", "绿茶", "薯片"}));
    EXPECT_EQ(column(1), QStringList({"饮料", "饮料", "零食"}));
    EXPECT_EQ(status(), "在\"所有类别\"，商品种类：3");
    EXPECT_TRUE(list().isColumnHidden(0));
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(ProductList, SelectingACategoryListsItsProducts) {
    open();
    selectNode("零食");
    EXPECT_EQ(names(), QStringList({"薯片"}));
    EXPECT_EQ(status(), "在\"零食\"，商品种类：1");
    addCategory("日用品");
    open(); // a new showing reloads the tree and lists everything again
    selectNode("日用品");
    EXPECT_TRUE(names().isEmpty());
    EXPECT_EQ(status(), "在\"日用品\"，商品种类：0");
}

TEST_F(ProductList, PricesAreShownAsMoneyWithTwoDecimals) {
    open();
    EXPECT_EQ(column(7), QStringList({"￥3.00", "￥2.75", "￥12.50"}));
    EXPECT_EQ(column(8), QStringList({"￥4.50", "￥3.80", "￥6.00"}));
}

TEST_F(ProductList, TitlesTakeTheCaptionsOfFConfigButThePricesKeepTheirOwn) {
    exec("UPDATE FConfig SET textValue='品名' WHERE fieldName='prodName'");
    exec("UPDATE FConfig SET textValue='货号' WHERE fieldName='prodBH'");
    exec("UPDATE FConfig SET textValue='买入价' WHERE fieldName='inprice'");
    exec("UPDATE FConfig SET textValue='生产日期' WHERE fieldName='field2'");
    open();
    EXPECT_EQ(title(1), "商品类别");
    EXPECT_EQ(title(2), "货号");
    EXPECT_EQ(title(3), "品名");
    EXPECT_EQ(title(4), "规格/型号");
    EXPECT_EQ(title(7), "进价");
    EXPECT_EQ(title(8), "售价");
    EXPECT_EQ(title(10), "生产日期");
    // A caption changed while the window is closed shows at the next opening.
    window().hide();
    exec("UPDATE FConfig SET textValue='备注说明' WHERE fieldName='remark'");
    open();
    EXPECT_EQ(title(11), "备注说明");
}

TEST_F(ProductList, SearchMatchesCodeOrNameInEveryCategoryAndKeepsTheTree) {
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='X100' WHERE prodID=%1").arg(chips_));
    open();
    selectNode("饮料");
    search("  x1 ");
    EXPECT_EQ(names(), QStringList({"薯片"}));
    EXPECT_EQ(status(), "商品编号或名称与\"x1\"相似的商品种类数：1");
    search("茶");
    EXPECT_EQ(names(), QStringList({"绿茶"}));
    search("");
    EXPECT_EQ(names(), QStringList({"可乐", "绿茶", "薯片"}));
    EXPECT_EQ(status(), "商品编号或名称与\"\"相似的商品种类数：3");
    search("_"); // any one character
    EXPECT_EQ(names().size(), 3);
    search("没有");
    EXPECT_TRUE(names().isEmpty());
    EXPECT_EQ(tree().currentItem()->text(0), "饮料");

    // Adding after a search reloads the selected category, not the search.
    modal_.expect<TfrmProdAdd>([](TfrmProdAdd& w) {
        drive::type(w, "txtProdName", "矿泉水");
        drive::click(w, "btnOK");
    });
    drive::click(window(), "tlAdd");
    EXPECT_EQ(names(), QStringList({"可乐", "绿茶", "矿泉水"}));
    EXPECT_EQ(status(), "在\"饮料\"，商品种类：3");
}

TEST_F(ProductList, EnterInTheKeyBoxSearches) {
    open();
    drive::type(window(), "txtKey", "可");
    QTest::keyClick(&drive::find<QLineEdit>(window(), "txtKey"), Qt::Key_Return);
    EXPECT_EQ(names(), QStringList({"可乐"}));
}

// The window opens with the tree focused; a code scanned there, or with the list focused, went
// to their look-ups by first letters and its Enter listed every product. It is searched for.
TEST_F(ProductList, ACodeScannedWithTheTreeOrTheListFocusedIsSearchedInTheKeyBox) {
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='6901234567892' WHERE prodID=%1").arg(tea_));
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='SN-7' WHERE prodID=%1").arg(chips_));
    open();
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    ASSERT_EQ(QApplication::focusWidget(), &tree());
    const auto scan = [](const QString& code) {
        for (QChar c : code)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1(),
                            c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    };
    QLineEdit& box = drive::find<QLineEdit>(window(), "txtKey");
    scan("6901234567892");
    EXPECT_EQ(QApplication::focusWidget(), &box);
    EXPECT_EQ(names(), QStringList({"绿茶"}));
    list().setFocus();
    scan("SN-7");
    EXPECT_EQ(box.text(), "SN-7");
    EXPECT_EQ(names(), QStringList({"薯片"}));
}

TEST_F(ProductList, TitleClicksSortTheLoadedRowsFirstDescendingThenAlternating) {
    open();
    clickTitle(3);
    EXPECT_EQ(names(), QStringList({"薯片", "绿茶", "可乐"}));
    clickTitle(7); // one flag for the list: the next click, on prices, sorts ascending
    EXPECT_EQ(column(7), QStringList({"￥2.75", "￥3.00", "￥12.50"}));
    clickTitle(8);
    EXPECT_EQ(column(8), QStringList({"￥6.00", "￥4.50", "￥3.80"}));
    // The flag outlives a reload and a closing of the window.
    window().hide();
    open();
    EXPECT_EQ(names(), QStringList({"可乐", "绿茶", "薯片"}));
    clickTitle(7);
    EXPECT_EQ(column(7), QStringList({"￥2.75", "￥3.00", "￥12.50"}));
}

TEST_F(ProductList, SortingKeepsTheSelectedProductSelected) {
    open();
    selectProduct("绿茶");
    clickTitle(8); // descending by sale price: 可乐 4.5, 绿茶 3.8, 薯片 6 → 薯片, 可乐, 绿茶
    EXPECT_EQ(names(), QStringList({"薯片", "可乐", "绿茶"}));
    EXPECT_EQ(sysData->QueryProduct.field(u"prodName").asText(), "绿茶");
    EXPECT_EQ(list().currentIndex().row(), 2);
    // Deleting now deletes the product the user sees selected.
    messages_.answerOk();
    drive::click(window(), "tlDel");
    EXPECT_EQ(messages_.shown().front().text, "确定要删除商品：\"绿茶\" 吗？");
    EXPECT_EQ(count(QStringLiteral("Fproduct WHERE prodID=%1").arg(tea_)), 0);
}

TEST_F(ProductList, ACategoryTreeThatCannotBeReadIsReported) {
    exec("DROP TABLE Fprodcate");
    open();
    ASSERT_FALSE(messages_.shown().empty());
    EXPECT_EQ(messages_.shown().front().form, ScriptedMessages::Form::PlainNotice);
    EXPECT_EQ(messages_.shown().front().text, "查询出现异常！");
    EXPECT_EQ(messages_.shown().front().caption, "信息提示");
}

} // namespace
