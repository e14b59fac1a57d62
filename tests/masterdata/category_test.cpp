#include "productwindow.h"

#include "app/windowset.h"
#include "core/windowregistry.h"

namespace {

class Categories : public ProductWindow {
protected:
    void SetUp() override {
        ProductWindow::SetUp();
        drinks_ = addCategory("饮料");
        snacks_ = addCategory("零食");
        addProduct("可乐", drinks_);
    }
    QString categoryName(long long cateID) {
        return scalar(QStringLiteral("SELECT cateName FROM Fprodcate WHERE cateID=%1").arg(cateID));
    }
    long long drinks_ = 0, snacks_ = 0;
};

TEST_F(Categories, AddingACategoryNeedsANameAndReloadsTheTree) {
    open();
    modal_.expect<TfrmCateAdd>([&](TfrmCateAdd& w) {
        EXPECT_EQ(w.windowTitle(), "添加分类");
        EXPECT_EQ(drive::find<QPushButton>(w, "btnAdd").text(), "添加(&A)");
        drive::type(w, "txtCateName", "  ");
        drive::click(w, "btnAdd");
        EXPECT_EQ(messages_.last(), "请输入分类名称！");
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.focusWidget()->objectName(), "txtCateName");
        drive::type(w, "txtCateName", " 日用品 ");
        drive::click(w, "btnAdd");
        EXPECT_FALSE(w.isVisible());
    });
    menu("A1");
    EXPECT_EQ(messages_.last(), "分类名称添加成功！");
    EXPECT_EQ(scalar("SELECT cateName FROM Fprodcate ORDER BY cateID DESC LIMIT 1"), "日用品");
    EXPECT_EQ(nodes(), QStringList({"所有类别", "饮料", "零食", "日用品"}));
    EXPECT_EQ(tree().currentItem(), nullptr); // reloading selects no node

    // The same name again is allowed; closing without saving leaves the tree alone.
    modal_.expect<TfrmCateAdd>([&](TfrmCateAdd& w) {
        EXPECT_EQ(drive::find<QLineEdit>(w, "txtCateName").text(), "");
        drive::type(w, "txtCateName", "日用品");
        drive::click(w, "btnAdd");
    });
    menu("A1");
    EXPECT_EQ(count("Fprodcate WHERE cateName='日用品'"), 2);
    modal_.expectOpenClose("TfrmCateAdd");
    menu("A1");
    EXPECT_EQ(nodes().size(), 5);
}

TEST_F(Categories, EditingOrDeletingNeedsACategoryNotTheRoot) {
    open();
    menu("E1");
    menu("P1");
    EXPECT_EQ(messages_.texts(),
              QStringList({"请选择要修改的分类名称！", "请选择要删除的分类名称！"}));
    EXPECT_EQ(count("Fprodcate"), 2);
}

TEST_F(Categories, RenamingShowsTheNameAndSavesIt) {
    open();
    selectNode("零食");
    modal_.expect<TfrmCateEdit>([&](TfrmCateEdit& w) {
        EXPECT_EQ(w.windowTitle(), "编辑");
        EXPECT_EQ(drive::find<QPushButton>(w, "btnAdd").text(), "保存(&S)");
        EXPECT_EQ(drive::find<QLineEdit>(w, "txtCateName").text(), "零食");
        drive::type(w, "txtCateName", "");
        drive::click(w, "btnAdd");
        EXPECT_EQ(messages_.last(), "请输入分类名称！");
        drive::type(w, "txtCateName", "休闲零食");
        drive::click(w, "btnAdd");
    });
    menu("E1");
    EXPECT_EQ(messages_.last(), "分类名称修改成功！");
    EXPECT_EQ(categoryName(snacks_), "休闲零食");
    EXPECT_EQ(categoryName(drinks_), "饮料");
    EXPECT_EQ(nodes(), QStringList({"所有类别", "饮料", "休闲零食"}));
}

TEST_F(Categories, ACategoryWithProductsCannotBeDeleted) {
    open();
    selectNode("饮料");
    search("没有这种商品"); // the list now shows no product, the category still has one
    menu("P1");
    EXPECT_EQ(messages_.last(), "此分类下存在商品信息，不能删除！");
    EXPECT_EQ(count("Fprodcate"), 2);
}

TEST_F(Categories, AnEmptyCategoryIsDeletedAfterTheQuestion) {
    open();
    selectNode("零食");
    messages_.answerCancel();
    menu("P1");
    EXPECT_EQ(messages_.last(), "确定要删除分类\"零食\"吗？");
    EXPECT_EQ(count("Fprodcate"), 2);
    messages_.answerOk();
    menu("P1");
    EXPECT_EQ(messages_.last(), "删除成功！");
    EXPECT_EQ(count(QStringLiteral("Fprodcate WHERE cateID=%1").arg(snacks_)), 0);
    EXPECT_EQ(nodes(), QStringList({"所有类别", "饮料"}));
    // Nothing is selected any more: a second delete asks for a category.
    menu("P1");
    EXPECT_EQ(messages_.last(), "请选择要删除的分类名称！");
}

TEST_F(Categories, DeletingACategoryLeavesTheProductListAsItIs) {
    open();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    selectNode("零食");
    search("没有这种商品");
    const QString shown = status();
    ASSERT_TRUE(names().isEmpty());
    messages_.answerOk();
    menu("P1");
    ASSERT_EQ(messages_.last(), "删除成功！");
    // The message box gives the focus back to the tree, as it does when it closes.
    drive::find<QLineEdit>(window(), "txtKey").setFocus();
    tree().setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_TRUE(names().isEmpty());
    EXPECT_EQ(status(), shown);
}

TEST_F(Categories, TheProductDialogsOfferTheCategoriesInKeyOrder) {
    open();
    addCategory("日用品");
    modal_.expect<TfrmProdAdd>([&](TfrmProdAdd& w) {
        QStringList items;
        auto& list = drive::find<QComboBox>(w, "cbCate");
        for (int i = 0; i < list.count(); ++i)
            items << list.itemText(i);
        EXPECT_EQ(items, QStringList({"饮料", "零食", "日用品"}));
    });
    drive::click(window(), "tlAdd");
}

class ProductWindowEntry : public BookTest {};

TEST_F(ProductWindowEntry, TheMainWindowOpensTheProductWindowByItsName) {
    addCategory("饮料");
    WindowSet windows;
    modal_.expect<TfrmProduct>([](TfrmProduct& w) {
        EXPECT_EQ(w.windowTitle(), "商品管理");
        EXPECT_EQ(drive::find<QTreeWidget>(w, "tvCategory").topLevelItem(0)->childCount(), 1);
    });
    EXPECT_TRUE(windows::open("TfrmProduct"));
}

} // namespace
