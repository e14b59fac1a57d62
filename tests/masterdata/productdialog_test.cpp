#include "productwindow.h"

#include "support/pacedkeys.h"

#include <QComboBox>

namespace {

class ProductDialogs : public ProductWindow {
protected:
    void SetUp() override {
        ProductWindow::SetUp();
        drinks_ = addCategory("饮料");
        snacks_ = addCategory("零食");
        cola_ = addProduct("可乐", drinks_, "3", "4.5");
    }
    QString field(const QString& column, long long prodID) {
        return scalar(
            QStringLiteral("SELECT %1 FROM Fproduct WHERE prodID=%2").arg(column).arg(prodID));
    }
    long long drinks_ = 0, snacks_ = 0, cola_ = 0;
};

QString chosen(QWidget& w) {
    return drive::find<QComboBox>(w, "cbCate").currentText();
}
QString text(QWidget& w, const char* box) {
    return drive::find<QLineEdit>(w, QString::fromLatin1(box)).text();
}

TEST_F(ProductDialogs, AddingStoresTheTrimmedTextsAndEmptyPricesAsZero) {
    open();
    selectNode("零食");
    modal_.expect<TfrmProdAdd>([&](TfrmProdAdd& w) {
        EXPECT_EQ(w.windowTitle(), "添加商品");
        EXPECT_EQ(drive::find<QPushButton>(w, "btnOK").text(), "添加(&A)");
        EXPECT_EQ(chosen(w), "零食"); // preset to the selected category
        drive::type(w, "txtProdBH", " LS-01 ");
        drive::type(w, "txtProdName", " 饼干 ");
        drive::type(w, "txtType", "200g");
        drive::type(w, "txtunitName", "袋");
        drive::type(w, "txtCompany", "某食品厂");
        drive::type(w, "txtfield1", "B7");
        drive::type(w, "txtfield2", "2027-01");
        drive::type(w, "txtremark", "新品");
        drive::click(w, "btnOK");
        EXPECT_FALSE(w.isVisible()); // the dialog closes after every insert
    });
    drive::click(window(), "tlAdd");
    EXPECT_EQ(messages_.texts(), QStringList({"添加成功！"}));
    const long long id = scalar("SELECT MAX(prodID) FROM Fproduct").toLongLong();
    EXPECT_EQ(field("cateID", id), QString::number(snacks_));
    EXPECT_EQ(field("prodBH || '|' || prodName || '|' || type || '|' || unitName || '|' || company "
                    "|| '|' || field1 || '|' || field2 || '|' || remark",
                    id),
              "LS-01|饼干|200g|袋|某食品厂|B7|2027-01|新品");
    EXPECT_EQ(
        number(QStringLiteral("SELECT inprice + outprice FROM Fproduct WHERE prodID=%1").arg(id)),
        0);
    EXPECT_EQ(field("typeof(inprice)", id), "real");
    EXPECT_EQ(field("sumCount", id), "0");
    EXPECT_EQ(names(), QStringList({"饼干"}));

    // The boxes were emptied, the category kept.
    modal_.expect<TfrmProdAdd>([&](TfrmProdAdd& w) {
        EXPECT_EQ(chosen(w), "零食");
        EXPECT_EQ(text(w, "txtProdName"), "");
        EXPECT_EQ(text(w, "txtremark"), "");
        EXPECT_EQ(w.focusWidget()->objectName(), "txtProdBH");
    });
    drive::click(window(), "tlAdd");
}

TEST_F(ProductDialogs, PriceBoxesEmptyThemselvesWhenTheTextIsNoNumber) {
    open();
    selectNode("饮料");
    modal_.expect<TfrmProdAdd>([&](TfrmProdAdd& w) {
        auto& in = drive::find<QLineEdit>(w, "txtInprice");
        drive::type(in, "12.5");
        EXPECT_EQ(in.text(), "12.5");
        QTest::keyClicks(&in, "a");
        EXPECT_EQ(in.text(), "");
        drive::type(in, "1.2.");
        EXPECT_EQ(in.text(), ""); // the second point
        drive::type(in, "-");
        EXPECT_EQ(in.text(), "-"); // on the way to a number, until the box is left
        drive::type(w, "txtOutprice", "-3.25");
        EXPECT_EQ(in.text(), ""); // left as "-": no number
        drive::type(in, "1e2");
        EXPECT_EQ(in.text(), "1e2"); // "1e" on the way stays
        drive::type(in, "7.");
        drive::type(w, "txtProdName", "醋");
        drive::click(w, "btnOK");
    });
    drive::click(window(), "tlAdd");
    const long long id = scalar("SELECT MAX(prodID) FROM Fproduct").toLongLong();
    EXPECT_EQ(number(QStringLiteral("SELECT inprice FROM Fproduct WHERE prodID=%1").arg(id)), 7);
    EXPECT_EQ(number(QStringLiteral("SELECT outprice FROM Fproduct WHERE prodID=%1").arg(id)),
              -3.25); // the sign typed first is kept
}

// The code box was meant: the code went in as the price, and its Enter added the product.
TEST_F(ProductDialogs, ACodeScannedIntoAPriceIsNotTakenButOneScannedIntoTheCodeBoxIs) {
    open();
    selectNode("饮料");
    modal_.expect<TfrmProdAdd>([&](TfrmProdAdd& w) {
        drive::type(w, "txtProdName", "雪碧");
        auto& in = drive::find<QLineEdit>(w, "txtInprice");
        drive::type(in, "2.5");
        in.setFocus();
        PacedKeys().send(in, "69012345", 8);
        EXPECT_EQ(messages_.last(), "刚扫描的“69012345”不能录入此处，未录入。");
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(in.text(), "2.5");
        auto& code = drive::find<QLineEdit>(w, "txtProdBH");
        code.setFocus();
        PacedKeys().send(code, "69012345", 8);
        EXPECT_FALSE(w.isVisible());
    });
    drive::click(window(), "tlAdd");
    modal_.expectAllShown();
    EXPECT_EQ(scalar("SELECT prodBH FROM Fproduct WHERE prodName='雪碧'"), "69012345");
    EXPECT_EQ(number("SELECT inprice FROM Fproduct WHERE prodName='雪碧'"), 2.5);
}

TEST_F(ProductDialogs, AddingRefusesAMissingCategoryOrNameAndKeepsTheDialogOpen) {
    exec("UPDATE FConfig SET textValue='品名' WHERE fieldName='prodName'");
    open();
    modal_.expect<TfrmProdAdd>([&](TfrmProdAdd& w) {
        // Opened with the root selected and nothing chosen before: no category shown.
        EXPECT_EQ(chosen(w), "");
        drive::type(w, "txtProdName", "酱油");
        drive::click(w, "btnOK");
        EXPECT_EQ(messages_.last(), "请选择商品分类！");
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.focusWidget()->objectName(), "cbCate");
        drive::choose(drive::find<QComboBox>(w, "cbCate"), "零食");
        drive::type(w, "txtProdName", "   ");
        drive::click(w, "btnOK");
        EXPECT_EQ(messages_.last(), "品名：不能为空！");
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.focusWidget()->objectName(), "txtProdName");
        drive::type(w, "txtType", "500ml");
    });
    drive::click(window(), "tlAdd");
    EXPECT_EQ(count("Fproduct"), 1);
    // Nothing saved, so the list is not reloaded; the boxes keep what was typed.
    modal_.expect<TfrmProdAdd>([&](TfrmProdAdd& w) {
        EXPECT_EQ(chosen(w), "零食");
        EXPECT_EQ(text(w, "txtType"), "500ml");
    });
    drive::click(window(), "tlAdd");
}

TEST_F(ProductDialogs, LabelsTakeTheirCaptionsFromFConfigExceptThePrices) {
    exec("UPDATE FConfig SET textValue='货号' WHERE fieldName='prodBH'");
    exec("UPDATE FConfig SET textValue='买入价' WHERE fieldName='inprice'");
    exec("UPDATE FConfig SET textValue='产地' WHERE fieldName='company'");
    open();
    auto check = [](QWidget& w) {
        EXPECT_EQ(drive::find<QLabel>(w, "lblProdBH").text(), "货号：");
        EXPECT_EQ(drive::find<QLabel>(w, "lblCompany").text(), "产地：");
        EXPECT_EQ(drive::find<QLabel>(w, "lblProdName").text(), "商品名称：");
        EXPECT_EQ(drive::find<QLabel>(w, "lblinprice").text(), "进价：");
        EXPECT_EQ(drive::find<QLabel>(w, "lbloutprice").text(), "售价：");
        EXPECT_EQ(drive::find<QLabel>(w, "lblfield1").text(), "批号：");
        EXPECT_EQ(drive::find<QLabel>(w, "lblProdBH").buddy()->objectName(), "txtProdBH");
    };
    modal_.expect<TfrmProdAdd>([&](TfrmProdAdd& w) { check(w); });
    drive::click(window(), "tlAdd");
    modal_.expect<TfrmProdEdit>([&](TfrmProdEdit& w) { check(w); });
    drive::click(window(), "tlEdit");
}

TEST_F(ProductDialogs, EditingShowsTheRowAndSavesOverIt) {
    exec(QStringLiteral("UPDATE Fproduct SET type='330ml', remark='冰镇' WHERE prodID=%1")
             .arg(cola_));
    const long long tea = addProduct("绿茶", drinks_, "2.75", "3.8");
    open();
    selectNode("饮料");
    selectProduct("可乐");
    modal_.expect<TfrmProdEdit>([&](TfrmProdEdit& w) {
        EXPECT_EQ(w.windowTitle(), "修改商品");
        EXPECT_EQ(drive::find<QPushButton>(w, "btnOK").text(), " 修改(&S)");
        EXPECT_EQ(chosen(w), "饮料");
        EXPECT_EQ(text(w, "txtProdName"), "可乐");
        EXPECT_EQ(text(w, "txtType"), "330ml");
        EXPECT_EQ(text(w, "txtremark"), "冰镇");
        EXPECT_EQ(text(w, "txtInprice"), "3"); // a plain number, not money
        EXPECT_EQ(text(w, "txtOutprice"), "4.5");
        drive::choose(drive::find<QComboBox>(w, "cbCate"), "零食");
        drive::type(w, "txtProdName", "无糖可乐 ");
        drive::type(w, "txtInprice", "");
        drive::click(w, "btnOK");
        EXPECT_FALSE(w.isVisible());
        EXPECT_EQ(text(w, "txtProdName"), "无糖可乐 "); // the edit dialog keeps its boxes
    });
    drive::click(window(), "tlEdit");
    EXPECT_EQ(messages_.texts(), QStringList({"商品修改成功！"}));
    EXPECT_EQ(field("prodName", cola_), "无糖可乐");
    EXPECT_EQ(field("cateID", cola_), QString::number(snacks_));
    EXPECT_EQ(field("inprice", cola_), "0");
    EXPECT_EQ(field("type", cola_), "330ml");
    EXPECT_EQ(field("prodName", tea), "绿茶");
    // The selected category is reloaded: the product moved out of it.
    EXPECT_EQ(names(), QStringList({"绿茶"}));

    // A double click on a row edits it too; closing without saving reloads nothing.
    modal_.expect<TfrmProdEdit>([&](TfrmProdEdit& w) {
        EXPECT_EQ(text(w, "txtProdName"), "绿茶");
        EXPECT_EQ(text(w, "txtInprice"), "2.75");
        drive::click(w, "btnClose");
    });
    emit list().doubleClicked(list().model()->index(0, 3));
    EXPECT_EQ(messages_.shown().size(), 1u);
}

// Two products under one code cannot be told apart by a scan: the second is asked about.
TEST_F(ProductDialogs, ACodeAnotherProductHasIsAskedAboutBeforeSaving) {
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='6901234567892' WHERE prodID=%1").arg(cola_));
    const long long tea = addProduct("绿茶", drinks_, "2", "3");
    const QString asked = "编号“6901234567892”已是商品“可乐”的编号，两个商品用同一编号，"
                          "扫描时须按F2选择。仍要保存吗？";
    open();
    selectNode("零食");
    modal_.expect<TfrmProdAdd>([&](TfrmProdAdd& w) {
        drive::type(w, "txtProdBH", "6901234567892 ");
        drive::type(w, "txtProdName", "雪碧");
        messages_.answerCancel();
        drive::click(w, "btnOK");
        EXPECT_EQ(messages_.last(), asked);
        EXPECT_EQ(messages_.lastShown()->form, ScriptedMessages::Form::CautiousQuestion);
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.focusWidget()->objectName(), "txtProdBH");
        EXPECT_EQ(count("Fproduct"), 2);
        // Meant so: saved.
        messages_.answerOk();
        drive::click(w, "btnOK");
    });
    drive::click(window(), "tlAdd");
    EXPECT_EQ(messages_.last(), "添加成功！");
    EXPECT_EQ(count("Fproduct WHERE prodBH='6901234567892'"), 2);

    // A product edited keeps its own code without a question; one given a taken code is asked.
    selectNode("饮料");
    selectProduct("可乐");
    messages_.clear();
    modal_.expect<TfrmProdEdit>([&](TfrmProdEdit& w) {
        drive::type(w, "txtType", "330ml");
        drive::click(w, "btnOK");
    });
    drive::click(window(), "tlEdit");
    EXPECT_EQ(messages_.texts(), QStringList({"商品修改成功！"}));
    selectProduct("绿茶");
    modal_.expect<TfrmProdEdit>([&](TfrmProdEdit& w) {
        drive::type(w, "txtProdBH", "6901234567892");
        messages_.answerCancel();
        drive::click(w, "btnOK");
        EXPECT_EQ(messages_.last(), asked);
        drive::click(w, "btnClose");
    });
    drive::click(window(), "tlEdit");
    EXPECT_EQ(field("prodBH", tea), "BH-绿茶");
}

TEST_F(ProductDialogs, EditingOrDeletingWithAnEmptyListAsksForAProduct) {
    open();
    selectNode("零食");
    drive::click(window(), "tlEdit");
    drive::click(window(), "tlDel");
    EXPECT_EQ(messages_.texts(), QStringList({"请选择要修改的商品！", "请选择要删除的商品！"}));
    EXPECT_EQ(messages_.shown().front().caption, "信息提示");
}

TEST_F(ProductDialogs, AProductWithStockAboveZeroCannotBeDeleted) {
    const long long none = addProduct("空瓶", drinks_);
    const long long owed = addProduct("欠货", drinks_);
    exec(QStringLiteral("UPDATE Fproduct SET sumCount=0.5 WHERE prodID=%1").arg(cola_));
    exec(QStringLiteral("UPDATE Fproduct SET sumCount=-2 WHERE prodID=%1").arg(owed));
    // What 30.3 bought and 10.1 and 20.2 sold left as binary fractions in an older book.
    exec(QStringLiteral("UPDATE Fproduct SET sumCount=3.552713678800501e-15 WHERE prodID=%1")
             .arg(none));
    open();
    selectNode("饮料");
    selectProduct("可乐");
    drive::click(window(), "tlDel");
    EXPECT_EQ(messages_.texts(), QStringList({"此商品库存量大于0，不能删除！"}));
    EXPECT_EQ(count("Fproduct"), 3);

    // Cancel keeps the product; OK deletes it and reloads the list.
    messages_.clear();
    selectProduct("空瓶");
    messages_.answerCancel();
    drive::click(window(), "tlDel");
    EXPECT_EQ(messages_.texts(), QStringList({"确定要删除商品：\"空瓶\" 吗？"}));
    EXPECT_EQ(messages_.shown().front().form, ScriptedMessages::Form::Question);
    EXPECT_EQ(count(QStringLiteral("Fproduct WHERE prodID=%1").arg(none)), 1);
    messages_.answerOk();
    drive::click(window(), "tlDel");
    EXPECT_EQ(messages_.last(), "商品删除成功！");
    EXPECT_EQ(count(QStringLiteral("Fproduct WHERE prodID=%1").arg(none)), 0);
    EXPECT_EQ(names(), QStringList({"可乐", "欠货"}));

    selectProduct("欠货"); // negative stock may go
    messages_.answerOk();
    drive::click(window(), "tlDel");
    EXPECT_EQ(count(QStringLiteral("Fproduct WHERE prodID=%1").arg(owed)), 0);
    EXPECT_EQ(status(), "在\"饮料\"，商品种类：1");
}

} // namespace
