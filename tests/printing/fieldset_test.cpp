// The print layout settings as a person works them.
#include "core/sysdata.h"
#include "printing/ui/tfrmfieldedit.h"
#include "printing/ui/tfrmfieldset.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

class FieldSet : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        window = std::make_unique<TfrmFieldSet>();
        window->show();
    }
    void TearDown() override {
        window.reset();
        BookTest::TearDown();
    }

    QTreeWidget& list() { return drive::find<QTreeWidget>(*window, "lsvField"); }
    QTreeWidgetItem* entry(int position) { return list().topLevelItem(position); }
    QString cell(int position, int column) { return entry(position)->text(column); }
    QStringList fieldOrder() {
        QStringList names;
        for (int i = 0; i < list().topLevelItemCount(); ++i)
            names << cell(i, TfrmFieldSet::FieldName);
        return names;
    }
    void select(int position) {
        list().setCurrentItem(entry(position));
        entry(position)->setSelected(true);
    }
    // A click on an entry's tick box.
    void tick(int position) {
        QTreeWidget& l = list();
        const QRect row = l.visualItemRect(entry(position));
        QTest::mouseClick(l.viewport(), Qt::LeftButton, {},
                          QPoint(row.left() + 12, row.center().y()));
    }
    // Replaces the box's text in one change, as pasting does (typing a minus sign alone
    // already turns the box into 10).
    void paste(const char* name, const QString& text) {
        QLineEdit& b = box(name);
        b.setFocus();
        b.selectAll();
        b.insert(text);
    }
    QCheckBox& check(const char* name) { return drive::find<QCheckBox>(*window, name); }
    QLineEdit& box(const char* name) { return drive::find<QLineEdit>(*window, name); }
    QString stored(const QString& column, const QString& field) {
        return scalar(
            QStringLiteral("SELECT %1 FROM FConfig WHERE fieldName='%2'").arg(column, field));
    }

    std::unique_ptr<TfrmFieldSet> window;
};

TEST_F(FieldSet, ShowingLoadsTheFieldsInTheirOrderTheMarginsSwitchesAndTitles) {
    EXPECT_EQ(window->windowTitle(), "单据打印设置");
    auto& pages = drive::find<QTabWidget>(*window, "PageControl1");
    EXPECT_EQ(pages.tabText(0), "表格设置");
    EXPECT_EQ(pages.tabText(1), "字段设置");
    EXPECT_EQ(pages.tabText(2), "单据标题");
    ASSERT_EQ(list().topLevelItemCount(), 12);
    EXPECT_EQ(list().headerItem()->text(0), "是否打印");
    EXPECT_EQ(list().headerItem()->text(3), "显示次序");
    EXPECT_TRUE(list().isColumnHidden(TfrmFieldSet::FieldName));
    EXPECT_EQ(fieldOrder().mid(0, 3), QStringList({"prodBH", "prodName", "type"}));
    EXPECT_EQ(cell(1, TfrmFieldSet::Caption), "商品名称");
    EXPECT_EQ(cell(1, TfrmFieldSet::Width), "40");
    EXPECT_EQ(cell(1, TfrmFieldSet::Sort), "2");
    EXPECT_EQ(cell(1, TfrmFieldSet::IsShow), "是");
    EXPECT_EQ(entry(1)->checkState(0), Qt::Checked);
    EXPECT_EQ(cell(4, TfrmFieldSet::IsShow), "否"); // company
    EXPECT_EQ(entry(4)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(box("txtTop").text(), "10");
    EXPECT_TRUE(check("chkHj").isChecked());
    EXPECT_EQ(check("chkyf").text(), "应收/付金额");
    EXPECT_EQ(box("txtSaleT").text(), "顾客退货单");
    EXPECT_EQ(box("txtBsby").text(), "报损报溢单");
    EXPECT_TRUE(drive::find<QPushButton>(*window, "btnSave").isDefault());
}

TEST_F(FieldSet, ShowingAgainReflectsTheBook) {
    exec("UPDATE Ftbconfig SET mtop=25, mleft=7, emp='否'");
    exec("UPDATE Ftitle SET pur='进货单（一）'");
    window->hide();
    window->show();
    EXPECT_EQ(box("txtTop").text(), "25");
    EXPECT_EQ(box("txtLeft").text(), "7");
    EXPECT_FALSE(check("chkEmp").isChecked());
    EXPECT_TRUE(check("chkHouse").isChecked());
    EXPECT_EQ(box("txtPur").text(), "进货单（一）");
}

TEST_F(FieldSet, MarginBoxesTakeOnlyWholeNumbers) {
    drive::type(*window, "txtTop", "1a");
    EXPECT_EQ(box("txtTop").text(), "10");
    paste("txtLeft", "-5");
    EXPECT_EQ(box("txtLeft").text(), "-5");
    paste("txtLeft", "2.5");
    EXPECT_EQ(box("txtLeft").text(), "10");
    box("txtTop").clear();
    EXPECT_EQ(box("txtTop").text(), "10");
    EXPECT_TRUE(messages_.texts().isEmpty());
}

// Key by key, as a person types: emptying the box shows 10, and the next key replaces it.
TEST_F(FieldSet, MarginsTypedKeyByKeyAreWhatWasTyped) {
    drive::type(*window, "txtTop", "25");
    EXPECT_EQ(box("txtTop").text(), "25");
    drive::type(*window, "txtLeft", "-5");
    EXPECT_EQ(box("txtLeft").text(), "-5");
    QLineEdit& top = box("txtTop");
    top.setFocus();
    top.end(false);
    QTest::keyClick(&top, Qt::Key_Backspace);
    QTest::keyClick(&top, Qt::Key_Backspace);
    EXPECT_EQ(top.text(), "10");
    QTest::keyClick(&top, Qt::Key_5);
    EXPECT_EQ(top.text(), "5");
    drive::type(*window, "txtLeft", "-x");
    EXPECT_EQ(box("txtLeft").text(), "10");
    drive::type(*window, "txtTop", "－２５"); // an input method's wide forms
    EXPECT_EQ(box("txtTop").text(), "-25");
    drive::type(*window, "txtTop", "5");

    // A lone sign is no margin: saving says so and keeps the book's.
    drive::type(*window, "txtLeft", "-");
    drive::click(*window, "Button1");
    EXPECT_EQ(messages_.last(), "左边距必须是-1000到1000之间的整数（毫米）！");
    EXPECT_EQ(scalar("SELECT mleft FROM Ftbconfig"), "10");
    drive::type(*window, "txtLeft", "-5");
    drive::click(*window, "Button1");
    EXPECT_EQ(messages_.last(), "保存成功！");
    EXPECT_EQ(scalar("SELECT mtop FROM Ftbconfig"), "5");
    EXPECT_EQ(scalar("SELECT mleft FROM Ftbconfig"), "-5");
}

TEST_F(FieldSet, SavingTheFirstPageWritesMarginsAndEverySwitch) {
    paste("txtTop", "15");
    paste("txtLeft", "-5");
    for (const char* name :
         {"chkHouse", "chkOrder", "chkComp", "chkOptDate", "chkyf", "chksf", "chkEmp", "chkHj"})
        drive::click(*window, name);
    for (const char* name :
         {"chkHouse", "chkOrder", "chkComp", "chkOptDate", "chkyf", "chksf", "chkEmp", "chkHj"})
        EXPECT_FALSE(check(name).isChecked()) << name;
    drive::click(*window, "Button1");
    EXPECT_EQ(messages_.last(), "保存成功！");
    EXPECT_EQ(scalar("SELECT mtop||','||mleft FROM Ftbconfig"), "15,-5");
    EXPECT_EQ(count("Ftbconfig WHERE house='否' AND orderID='否' AND compName='否' AND "
                    "optdate='否' AND ys='否' AND ss='否' AND emp='否' AND hj='否'"),
              1);
    drive::click(*window, "chksf");
    drive::click(*window, "Button1");
    EXPECT_EQ(scalar("SELECT ss||hj FROM Ftbconfig"), "是否");
}

TEST_F(FieldSet, AMarginBeyondAnyPageIsRefusedWithAMessage) {
    paste("txtLeft", "99999999999999999999");
    drive::click(*window, "Button1");
    EXPECT_EQ(messages_.last(), "左边距必须是-1000到1000之间的整数（毫米）！");
    EXPECT_EQ(window->focusWidget(), &box("txtLeft"));
    EXPECT_EQ(scalar("SELECT mleft FROM Ftbconfig"), "10");
}

TEST_F(FieldSet, MovingTheFirstUpOrTheLastDownDoesNothing) {
    const QStringList before = fieldOrder();
    select(0);
    drive::click(*window, "btnUp");
    select(11);
    drive::click(*window, "Button2");
    EXPECT_EQ(fieldOrder(), before);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(FieldSet, MovingWithoutASelectionAsksForOne) {
    drive::click(*window, "btnUp");
    EXPECT_EQ(messages_.last(), "请先现在要移动的字段！");
    drive::click(*window, "BitBtn3");
    EXPECT_EQ(messages_.last(), "请先现在要编辑的字段！");
}

TEST_F(FieldSet, AFieldMovedTwoDownTakesThatPlacesSortValueWhenSaved) {
    select(0); // prodBH, sort 1
    drive::click(*window, "Button2");
    drive::click(*window, "Button2");
    EXPECT_EQ(fieldOrder().mid(0, 3), QStringList({"prodName", "type", "prodBH"}));
    EXPECT_EQ(list().selectedItems().front(), entry(2)); // the selection follows the field
    EXPECT_EQ(cell(2, TfrmFieldSet::Caption), "商品编号");
    EXPECT_EQ(cell(2, TfrmFieldSet::Width), "30"); // its own width, not the place's
    EXPECT_EQ(cell(0, TfrmFieldSet::Sort), "1");   // sort values stay with the places
    EXPECT_EQ(stored("sort", "prodBH"), "1");      // nothing written yet
    drive::click(*window, "btnSave");
    EXPECT_EQ(messages_.last(), "设置保存成功！");
    EXPECT_EQ(stored("sort", "prodBH"), "3");
    EXPECT_EQ(stored("sort", "prodName"), "1");
    EXPECT_EQ(stored("sort", "type"), "2");
    EXPECT_EQ(stored("textValue", "prodBH"), "商品编号");
}

TEST_F(FieldSet, TickingAnEntrySetsItsFirstColumnAndSavingStoresIt) {
    tick(4); // company, not printed
    EXPECT_EQ(entry(4)->checkState(0), Qt::Checked);
    EXPECT_EQ(cell(4, TfrmFieldSet::IsShow), "是");
    tick(0);
    EXPECT_EQ(cell(0, TfrmFieldSet::IsShow), "否");
    drive::click(*window, "btnSave");
    EXPECT_EQ(stored("isShow", "company"), "是");
    EXPECT_EQ(stored("isShow", "prodBH"), "否");
}

TEST_F(FieldSet, AFailedListSaveChangesNoRowAtAll) {
    exec("UPDATE FConfig SET fieldwidth=NULL WHERE fieldName='field2'"); // the last place
    window->hide();
    window->show();
    select(0);
    drive::click(*window, "Button2");
    tick(3);
    drive::click(*window, "btnSave");
    EXPECT_EQ(messages_.last(), "设置保存失败！");
    EXPECT_EQ(stored("sort", "prodBH"), "1");
    EXPECT_EQ(stored("isShow", "unitName"), "是");
}

TEST_F(FieldSet, EditingAFieldStoresCaptionAndWidthAndReloadsTheList) {
    tick(4); // not saved: lost by the reload after editing
    select(2);
    modal_.expect<TfrmFieldEdit>([](TfrmFieldEdit& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "修改字段名称");
        EXPECT_EQ(dialog.fieldName(), "type");
        EXPECT_EQ(drive::find<QLineEdit>(dialog, "txtField").text(), "规格/型号");
        EXPECT_EQ(drive::find<QLineEdit>(dialog, "txtFieldWidth").text(), "25");
        EXPECT_EQ(drive::find<QLabel>(dialog, "lblField").buddy()->objectName(), "txtField");
        drive::type(dialog, "txtField", "  型号  ");
        drive::type(dialog, "txtFieldWidth", "３０"); // an input method's wide digits
        EXPECT_EQ(drive::find<QLineEdit>(dialog, "txtFieldWidth").text(), "30");
        drive::click(dialog, "btnOK");
        EXPECT_FALSE(dialog.isVisible());
    });
    drive::click(*window, "BitBtn3");
    modal_.expectAllShown();
    EXPECT_EQ(messages_.last(), "修改成功！");
    EXPECT_EQ(stored("textValue", "type"), "型号");
    EXPECT_EQ(stored("fieldwidth", "type"), "30");
    EXPECT_EQ(cell(2, TfrmFieldSet::Caption), "型号");
    EXPECT_EQ(entry(4)->checkState(0), Qt::Unchecked);
    EXPECT_EQ(stored("isShow", "company"), "否");
}

TEST_F(FieldSet, TheEditDialogRefusesAnEmptyCaptionAndAWidthThatIsNotWholeMillimetres) {
    select(1);
    modal_.expect<TfrmFieldEdit>([this](TfrmFieldEdit& dialog) {
        drive::type(dialog, "txtField", "   ");
        drive::click(dialog, "btnOK");
        EXPECT_EQ(messages_.last(), "字段名称不能为空！");
        EXPECT_EQ(dialog.focusWidget(), &drive::find<QLineEdit>(dialog, "txtField"));
        EXPECT_TRUE(dialog.isVisible());
        drive::type(dialog, "txtField", "品名");
        for (const char* width : {"12.5", "abc", "", "0", "-3", "1001"}) {
            drive::type(dialog, "txtFieldWidth", width);
            drive::click(dialog, "btnOK");
            EXPECT_EQ(messages_.last(), "字段宽度必须是1到1000之间的整数（毫米）！") << width;
            EXPECT_TRUE(dialog.isVisible());
        }
        drive::click(dialog, "btnClose");
    });
    drive::click(*window, "BitBtn3");
    EXPECT_EQ(stored("textValue", "prodName"), "商品名称");
    EXPECT_EQ(stored("fieldwidth", "prodName"), "40");
}

TEST_F(FieldSet, TitlesAreSavedAsTyped) {
    drive::type(*window, "txtPur", "  进货单");
    drive::type(*window, "txtDB", "调拨单");
    drive::click(*window, "Button4");
    EXPECT_EQ(messages_.last(), "设置成功！");
    EXPECT_EQ(scalar("SELECT pur FROM Ftitle"), "  进货单");
    EXPECT_EQ(scalar("SELECT db FROM Ftitle"), "调拨单");
    EXPECT_EQ(scalar("SELECT sale FROM Ftitle"), "商品销售单");
}

TEST_F(FieldSet, ClosingSavesNothing) {
    paste("txtTop", "30");
    drive::type(*window, "txtSale", "新标题");
    select(0);
    drive::click(*window, "Button2");
    drive::click(*window, "Button3");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(scalar("SELECT mtop FROM Ftbconfig"), "10");
    EXPECT_EQ(scalar("SELECT sale FROM Ftitle"), "商品销售单");
    EXPECT_EQ(stored("sort", "prodBH"), "1");
}

} // namespace
