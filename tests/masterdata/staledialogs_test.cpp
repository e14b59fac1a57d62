#include "core/connection.h"
#include "core/sysdata.h"
#include "masterdata/ui/tfrmcounterpart.h"
#include "masterdata/ui/tfrmcounterpartdialog.h"
#include "masterdata/ui/tfrmempdialog.h"
#include "masterdata/ui/tfrmemployee.h"
#include "masterdata/ui/tfrmhouse.h"
#include "masterdata/ui/tfrmhousedialog.h"
#include "masterlists.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QLineEdit>
#include <QTableView>

// Master dialogs and deletions when another counter has changed or removed the row since the
// window showed it: nothing is written over the other counter's work, what was typed stays, and
// the list shows the book anew.
namespace {

using namespace masterlists;

class StaleDialogs : public BookTest {
protected:
    void elsewhere(const QString& sql) { anotherCounter()->run(sql.toUtf8().constData()); }
    static QString text(QWidget& w, const char* box) {
        return drive::find<QLineEdit>(w, QString::fromLatin1(box)).text();
    }
    static QStringList shown(QWidget& window, const char* grid) {
        return column(drive::find<QTableView>(window, QString::fromLatin1(grid)), 0);
    }
};

TEST_F(StaleDialogs, AWarehouseRenamedElsewhereWhileBeingEditedKeepsTheOtherName) {
    const long long house = addHouse("一号仓");
    TfrmHouse window;
    window.show();
    clickRow(drive::find<QTableView>(window, "dgHouse"), 0);
    modal_.expect<TfrmHouseEdit>([&](TfrmHouseEdit& d) {
        elsewhere(QStringLiteral("UPDATE Fhouse SET houseName='总仓' WHERE houseID=%1").arg(house));
        drive::type(d, "txtHouseName", "主仓");
        drive::type(d, "txtphone", "110");
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "该记录已被其他用户修改，请关闭后重新打开再修改！");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(text(d, "txtHouseName"), "主仓");
        EXPECT_EQ(text(d, "txtphone"), "110");
    });
    drive::click(window, "tlEdit");
    EXPECT_EQ(records("SELECT houseName,phone FROM Fhouse"), QStringList({"总仓|"}));
    EXPECT_EQ(shown(window, "dgHouse"), QStringList({"总仓"}));
}

TEST_F(StaleDialogs, AWarehouseRenamedElsewhereIsStillDeletedAndTheListReloaded) {
    addHouse("一号仓");
    const long long second = addHouse("二号仓");
    TfrmHouse window;
    window.show();
    clickRow(drive::find<QTableView>(window, "dgHouse"), 1);
    messages_.answerOk();
    elsewhere(
        QStringLiteral("UPDATE Fhouse SET houseName='二号仓(旧)' WHERE houseID=%1").arg(second));
    drive::click(window, "tlDel");
    EXPECT_EQ(messages_.last(), "删除成功！"); // only a change the deletion checks stops it
    EXPECT_EQ(shown(window, "dgHouse"), QStringList({"一号仓"}));
}

TEST_F(StaleDialogs, ASupplierChangedElsewhereAfterTheListWasLoadedIsNotWrittenOver) {
    const long long supplier = addSupplier("甲公司");
    TfrmSupplier window;
    window.show();
    drive::click(window, "Button1");
    elsewhere(QStringLiteral("UPDATE Fsupplier SET phone='0571-1' WHERE compID=%1").arg(supplier));
    clickRow(drive::find<QTableView>(window, "dgData"), 1);
    modal_.expect<TfrmSupplierEdit>([&](TfrmSupplierEdit& d) {
        EXPECT_EQ(text(d, "txtphone"), ""); // as the list showed it
        drive::type(d, "txtremark", "老客户");
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "该记录已被其他用户修改，请关闭后重新打开再修改！");
    });
    drive::click(window, "tlEdit");
    EXPECT_EQ(
        records(QStringLiteral("SELECT phone,remark FROM Fsupplier WHERE compID=%1").arg(supplier)),
        QStringList({"0571-1|"}));
    // Reopened from the list reloaded, the dialog shows the other counter's phone and saves.
    clickRow(drive::find<QTableView>(window, "dgData"), 1);
    modal_.expect<TfrmSupplierEdit>([&](TfrmSupplierEdit& d) {
        EXPECT_EQ(text(d, "txtphone"), "0571-1");
        drive::type(d, "txtremark", "老客户");
        drive::click(d, "btnOK");
    });
    drive::click(window, "tlEdit");
    EXPECT_EQ(messages_.last(), "供应商修改成功！");
    EXPECT_EQ(
        records(QStringLiteral("SELECT phone,remark FROM Fsupplier WHERE compID=%1").arg(supplier)),
        QStringList({"0571-1|老客户"}));
}

TEST_F(StaleDialogs, AnEmployeeDeletedElsewhereIsReportedOnSavingAndOnDeleting) {
    const long long employee = addEmployee("张三");
    addEmployee("李四");
    TfrmEmployee window;
    window.show();
    elsewhere(QStringLiteral("DELETE FROM Femployee WHERE empID=%1").arg(employee));
    modal_.expect<TfrmEmpEdit>([&](TfrmEmpEdit& d) {
        drive::type(d, "txtPhone", "139");
        drive::click(d, "btnOK");
        EXPECT_EQ(messages_.last(), "该记录已被其他用户删除！");
    });
    drive::click(window, "tlEdit"); // the first row: 张三, as loaded
    EXPECT_EQ(count("Femployee"), 1);
    EXPECT_EQ(shown(window, "dgEmp"), QStringList({"李四"}));

    elsewhere("DELETE FROM Femployee");
    messages_.answerOk();
    drive::click(window, "tlDel");
    EXPECT_EQ(messages_.last(), "该记录已被其他用户删除！");
    EXPECT_TRUE(shown(window, "dgEmp").isEmpty());
}

} // namespace
