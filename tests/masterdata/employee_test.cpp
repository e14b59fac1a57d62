#include "core/sysdata.h"
#include "masterdata/ui/tfrmempdialog.h"
#include "masterdata/ui/tfrmemployee.h"
#include "masterlists.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

namespace {

using namespace masterlists;

class Employees : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        window_ = std::make_unique<TfrmEmployee>();
    }
    void TearDown() override {
        window_.reset();
        BookTest::TearDown();
    }
    TfrmEmployee& open() {
        window_->show();
        return *window_;
    }
    QTableView& grid() { return drive::find<QTableView>(*window_, "dgEmp"); }
    int rowOf(const QString& name) { return int(column(grid(), 0).indexOf(name)); }
    static QLineEdit& box(QDialog& d, const char* name) { return drive::find<QLineEdit>(d, name); }
    static QRadioButton& radio(QDialog& d, const char* name) {
        return drive::find<QRadioButton>(d, name);
    }

    std::unique_ptr<TfrmEmployee> window_;
};

TEST_F(Employees, OpeningListsEveryEmployeeUnderItsTitles) {
    const long long id = addEmployee("王芳");
    exec(QStringLiteral("UPDATE Femployee SET sex='女', birth='1990-05-01', phone='13900000000',"
                        " address='南京路', rewdis=2.5, remark='店长' WHERE empID=%1")
             .arg(id));
    open();
    EXPECT_EQ(window_->windowTitle(), "员工管理");
    QStringList titles, row;
    for (int c = 0; c < grid().model()->columnCount(); ++c) {
        titles << grid().model()->headerData(c, Qt::Horizontal).toString();
        row << grid().model()->index(0, c).data().toString();
    }
    EXPECT_EQ(titles,
              QStringList({"姓名", "性别", "出生日期", "联系电话", "联系地址", "提成(%)", "备注"}));
    EXPECT_EQ(row,
              QStringList({"王芳", "女", "1990-05-01", "13900000000", "南京路", "2.5", "店长"}));
}

TEST_F(Employees, AddingStoresTheBoxesAndKeepsTheSexChoiceForTheNextOne) {
    open();
    modal_.expect<TfrmEmpAdd>([&](TfrmEmpAdd& d) {
        EXPECT_EQ(d.windowTitle(), "添加员工");
        EXPECT_EQ(drive::find<QPushButton>(d, "btnOK").text(), "添加(&A)");
        EXPECT_TRUE(radio(d, "optMan").isChecked());
        EXPECT_EQ(box(d, "txtrewdis").text(), "0.0");
        EXPECT_EQ(labelOf(d, "txtrewdis"), "提成：");
        masterlists::type(d, "txtEmpName", " 李娜 ");
        drive::click(d, "optWoman");
        masterlists::type(d, "txtBirth", "九零年春"); // free text, as typed
        masterlists::type(d, "txtPhone", "013800000000");
        masterlists::type(d, "txtAddress", "北京路");
        masterlists::type(d, "txtrewdis", "12.5");
        masterlists::type(d, "txtremark", "新人");
        drive::click(d, "btnOK");
        EXPECT_FALSE(d.isVisible());
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(messages_.texts(), QStringList({"添加成功！"}));
    EXPECT_EQ(scalar("SELECT empName||'|'||sex||'|'||birth||'|'||phone||'|'||address||'|'||"
                     "rewdis||'|'||remark FROM Femployee"),
              "李娜|女|九零年春|013800000000|北京路|12.5|新人");
    EXPECT_EQ(column(grid(), 0), QStringList({"李娜"}));

    modal_.expect<TfrmEmpAdd>([&](TfrmEmpAdd& d) {
        for (const char* name : {"txtEmpName", "txtBirth", "txtPhone", "txtAddress", "txtremark"})
            EXPECT_EQ(box(d, name).text(), "") << name;
        EXPECT_EQ(box(d, "txtrewdis").text(), "0.0");
        EXPECT_TRUE(radio(d, "optWoman").isChecked());
        masterlists::type(d, "txtEmpName", "周敏");
        drive::click(d, "btnOK");
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(scalar("SELECT sex||'|'||rewdis FROM Femployee WHERE empName='周敏'"), "女|0.0");
}

TEST_F(Employees, TheCommissionBoxTurnsWhatIsNoNumberIntoNoCommission) {
    open();
    modal_.expect<TfrmEmpAdd>([&](TfrmEmpAdd& d) {
        QLineEdit& rewdis = box(d, "txtrewdis");
        masterlists::type(d, "txtrewdis", "5");
        QTest::keyClicks(&rewdis, "x");
        EXPECT_EQ(rewdis.text(), "0.0");
        masterlists::type(d, "txtrewdis", "");
        EXPECT_EQ(rewdis.text(), "0.0");
        // What replaced the text is selected, so the next keys type over it.
        QTest::keyClicks(&rewdis, "7.5");
        EXPECT_EQ(rewdis.text(), "7.5");
        masterlists::type(d, "txtEmpName", "孙强");
        drive::click(d, "btnOK");
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(number("SELECT rewdis FROM Femployee"), 7.5);
}

TEST_F(Employees, AnEmptyNameIsRefusedWithTheFocusOnTheNameBox) {
    open();
    modal_.expect<TfrmEmpAdd>([&](TfrmEmpAdd& d) {
        masterlists::type(d, "txtEmpName", "   ");
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "请输入员工姓名！");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), &box(d, "txtEmpName"));
    });
    drive::click(*window_, "tlAdd");
    EXPECT_EQ(count("Femployee"), 0);
}

TEST_F(Employees, WithAnEmptyListEditAndDeleteAskForASelection) {
    open();
    drive::click(*window_, "tlEdit");
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.texts(), QStringList({"请选择要修改的员工！", "请选择要删除的员工！"}));
}

TEST_F(Employees, EditingFillsTheSelectedRowAndAnythingButManReadsAsWoman) {
    addEmployee("甲");
    const long long id = addEmployee("乙");
    exec(QStringLiteral("UPDATE Femployee SET sex='未知', birth='1985-1-2', rewdis=3 "
                        "WHERE empID=%1")
             .arg(id));
    open();
    clickRow(grid(), rowOf("乙"));
    modal_.expect<TfrmEmpEdit>([&](TfrmEmpEdit& d) {
        EXPECT_EQ(d.windowTitle(), "修改员工");
        EXPECT_EQ(drive::find<QPushButton>(d, "btnOK").text(), "修改(&M)");
        EXPECT_EQ(box(d, "txtEmpName").text(), "乙");
        EXPECT_EQ(box(d, "txtBirth").text(), "1985-1-2");
        EXPECT_EQ(box(d, "txtrewdis").text(), "3");
        EXPECT_TRUE(radio(d, "optWoman").isChecked());
        masterlists::type(d, "txtAddress", " 西路 ");
        drive::click(d, "btnOK");
    });
    drive::click(*window_, "tlEdit");
    EXPECT_EQ(messages_.texts(), QStringList({"修改成功！"}));
    EXPECT_EQ(scalar(QStringLiteral("SELECT empName||'|'||sex||'|'||address||'|'||rewdis FROM "
                                    "Femployee WHERE empID=%1")
                         .arg(id)),
              "乙|女|西路|3.0");
    EXPECT_EQ(scalar("SELECT sex FROM Femployee WHERE empName='甲'"), "男");

    // A man's row opens with 男 checked; a double click edits too.
    modal_.expect<TfrmEmpEdit>([&](TfrmEmpEdit& d) {
        EXPECT_EQ(box(d, "txtEmpName").text(), "甲");
        EXPECT_TRUE(radio(d, "optMan").isChecked());
    });
    doubleClickRow(grid(), rowOf("甲"));
}

TEST_F(Employees, DeletingAsksFirstThenReloadsTheListAndReports) {
    addEmployee("甲");
    const long long id = addEmployee("乙");
    open();
    clickRow(grid(), rowOf("乙"));
    messages_.answerCancel();
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.lastShown()->form, ScriptedMessages::Form::Question);
    EXPECT_EQ(messages_.last(), "确定要删除员工：\"乙\"吗？");
    EXPECT_EQ(count("Femployee"), 2);

    messages_.answerOk();
    drive::click(*window_, "tlDel");
    EXPECT_EQ(messages_.last(), "删除成功！");
    EXPECT_EQ(count(QStringLiteral("Femployee WHERE empID=%1").arg(id)), 0);
    EXPECT_EQ(column(grid(), 0), QStringList({"甲"}));
}

TEST_F(Employees, AClickOnAColumnTitleSortsTheList) {
    for (const char* name : {"b", "c", "a"})
        addEmployee(QString::fromLatin1(name));
    exec("UPDATE Femployee SET rewdis = CASE empName WHEN 'a' THEN 10 WHEN 'b' THEN 2 ELSE 3 END");
    open();
    clickTitle(grid(), 0);
    EXPECT_EQ(column(grid(), 0), QStringList({"a", "b", "c"}));
    clickTitle(grid(), 5); // commission sorts as a number: 10 after 3
    EXPECT_EQ(column(grid(), 0), QStringList({"a", "c", "b"}));
    clickTitle(grid(), 5);
    EXPECT_EQ(column(grid(), 0), QStringList({"b", "c", "a"}));
}

} // namespace
