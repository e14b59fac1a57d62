#include "core/connection.h"
#include "productwindow.h"

#include <QLineEdit>

// The product window's dialogs when another counter changes what they show: nothing is written
// over the other counter's work, the dialog keeps what was typed, the window shows the book anew.
namespace {

class StaleProducts : public ProductWindow {
protected:
    void SetUp() override {
        ProductWindow::SetUp();
        tools_ = addCategory("工具");
        hammer_ = addProduct("锤子", tools_);
    }
    // A statement committed at another counter.
    void elsewhere(const QString& sql) { anotherCounter()->run(sql.toUtf8().constData()); }
    QString text(QWidget& w, const char* box) {
        return drive::find<QLineEdit>(w, QString::fromLatin1(box)).text();
    }

    long long tools_ = 0;
    long long hammer_ = 0;
};

TEST_F(StaleProducts, AProductRepricedElsewhereWhileBeingEditedIsNotWrittenOver) {
    open();
    selectProduct("锤子");
    modal_.expect<TfrmProdEdit>([&](TfrmProdEdit& w) {
        elsewhere(QStringLiteral("UPDATE Fproduct SET inprice=12 WHERE prodID=%1").arg(hammer_));
        drive::type(w, "txtProdName", "羊角锤");
        drive::click(w, "btnOK");
        EXPECT_EQ(messages_.last(), "该记录已被其他用户修改，请关闭后重新打开再修改！");
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(text(w, "txtProdName"), "羊角锤");
    });
    drive::click(window(), "tlEdit");
    EXPECT_EQ(scalar(QStringLiteral("SELECT prodName FROM Fproduct WHERE prodID=%1").arg(hammer_)),
              "锤子");
    EXPECT_EQ(column(7), QStringList({"￥12.00"})); // the list shows the book again
    // Opened again, the dialog shows the book's values and saves.
    modal_.expect<TfrmProdEdit>([&](TfrmProdEdit& w) {
        EXPECT_EQ(text(w, "txtInprice"), "12");
        drive::type(w, "txtProdName", "羊角锤");
        drive::click(w, "btnOK");
    });
    drive::click(window(), "tlEdit");
    EXPECT_EQ(messages_.last(), "商品修改成功！");
    EXPECT_EQ(names(), QStringList({"羊角锤"}));
}

TEST_F(StaleProducts, AProductDeletedElsewhereIsReportedOnSavingAndOnDeleting) {
    open();
    selectProduct("锤子");
    elsewhere(QStringLiteral("DELETE FROM Fproduct WHERE prodID=%1").arg(hammer_));
    modal_.expect<TfrmProdEdit>([&](TfrmProdEdit& w) {
        drive::type(w, "txtremark", "新");
        drive::click(w, "btnOK");
        EXPECT_EQ(messages_.last(), "该记录已被其他用户删除！");
    });
    drive::click(window(), "tlEdit");
    EXPECT_EQ(count("Fproduct"), 0);
    EXPECT_TRUE(names().isEmpty());

    addProduct("钳子", tools_);
    drive::click(window(), "Button1"); // the search button shows it
    selectProduct("钳子");
    exec("DELETE FROM Fproduct");
    messages_.answerOk();
    drive::click(window(), "tlDel");
    EXPECT_EQ(messages_.last(), "该记录已被其他用户删除！");
    EXPECT_TRUE(names().isEmpty());
}

TEST_F(StaleProducts, AProductAddedToACategoryDeletedElsewhereIsRefusedAndTheTreeReloaded) {
    open();
    selectNode("工具");
    modal_.expect<TfrmProdAdd>([&](TfrmProdAdd& w) {
        elsewhere(QStringLiteral("DELETE FROM Fprodcate WHERE cateID=%1").arg(tools_));
        drive::type(w, "txtProdName", "扳手");
        drive::click(w, "btnOK");
        EXPECT_EQ(messages_.last(), "所选商品分类已被其他用户删除，请重新选择商品分类！");
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(text(w, "txtProdName"), "扳手");
        EXPECT_EQ(drive::find<QComboBox>(w, "cbCate").currentIndex(), -1);
    });
    drive::click(window(), "tlAdd");
    EXPECT_EQ(count("Fproduct WHERE prodName='扳手'"), 0);
    EXPECT_EQ(nodes(), QStringList({"所有类别"}));
}

TEST_F(StaleProducts, ACategoryRenamedElsewhereIsNotRenamedAgain) {
    open();
    selectNode("工具");
    modal_.expect<TfrmCateEdit>([&](TfrmCateEdit& w) {
        elsewhere(
            QStringLiteral("UPDATE Fprodcate SET cateName='五金' WHERE cateID=%1").arg(tools_));
        drive::type(w, "txtCateName", "工具类");
        drive::click(w, "btnAdd");
        EXPECT_EQ(messages_.last(), "该记录已被其他用户修改，请关闭后重新打开再修改！");
        EXPECT_EQ(text(w, "txtCateName"), "工具类");
    });
    menu("E1");
    EXPECT_EQ(nodes(), QStringList({"所有类别", "五金"}));
}

} // namespace
