// Every list shows what it loaded; its search button or 刷新, and F5, read it from the book again.
#include "app/windowset.h"
#include "core/connection.h"
#include "core/sysdata.h"
#include "core/windowregistry.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QTest>

namespace {

struct ListWindow {
    const char* window;
    const char* list;
    const char* addedElsewhere; // a row another counter adds while the list is open
    // The window and its button that open this one, when the main window does not.
    const char* opener = nullptr;
    const char* openerButton = nullptr;
};

const ListWindow kListWindows[] = {
    {"TfrmHouse", "dgHouse", "INSERT INTO Fhouse(houseName) VALUES('二号仓')"},
    {"TfrmEmployee", "dgEmp", "INSERT INTO Femployee(empName,sex) VALUES('李四','男')"},
    {"TfrmItm", "dgitm", "INSERT INTO Fitem(itmName,remark) VALUES('工商银行','')", "TfrmCash",
     "tlDel"},
    {"TfrmGDZC", "DBGrid2",
     "INSERT INTO Fasset(assName,cateID,purPrice,purDate,remark) "
     "SELECT '复印机',MIN(cateID),3000,'2026-03-15','' FROM FassCate"},
    {"TfrmUser", "lsvUser", "INSERT INTO Users(UserName,pwd) VALUES('收银员','')"},
    {"TfrmSupplier", "dgData", "INSERT INTO Fsupplier(compName) VALUES('乙工厂')"},
    {"TfrmCustomer", "dgData", "INSERT INTO Fcustomer(compName) VALUES('丙商店')"},
    {"TfrmProduct", "dgProduct", "INSERT INTO Fproduct(cateID,prodName) VALUES(1,'大锤')"},
    {"Tfrmysyf", "dgSupplier", "INSERT INTO Fsupplier(compName) VALUES('乙工厂')"},
    {"TfrmProductPD", "dgPD",
     "INSERT INTO OrderPD(orderID,houseID,remark,userName,optDate) "
     "SELECT 'PD1',MIN(houseID),'','张三','2026-03-15' FROM Fhouse"},
};

class FreshLists : public OnEngines<BookTest> {
protected:
    void SetUp() override {
        BookTest::SetUp();
        exec("INSERT INTO FassCate(cateName) VALUES('办公设备')");
        exec("INSERT INTO Fasset(assName,cateID,purPrice,purDate,remark) "
             "SELECT '电脑',MIN(cateID),5000,'2026-03-01','' FROM FassCate");
        addEmployee("张三");
        addHouse("一号仓");
        addProduct("锤子", addCategory("工具"));
        exec("INSERT INTO OrderPD(orderID,houseID,remark,userName,optDate) "
             "SELECT 'PD0',MIN(houseID),'','张三','2026-03-14' FROM Fhouse");
        set = std::make_unique<WindowSet>();
    }
    void TearDown() override {
        set.reset();
        BookTest::TearDown();
    }
    std::unique_ptr<WindowSet> set;
};

TEST_P(FreshLists, ARowAddedAtAnotherCounterAppearsOnlyAfterF5) {
    for (const ListWindow& w : kListWindows) {
        SCOPED_TRACE(w.window);
        const ScriptedModal::Script script = [&](QDialog& d) {
            QApplication::setActiveWindow(&d);
            auto& list = drive::find<QAbstractItemView>(d, w.list);
            const auto pressF5 = [&d] {
                QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : &d;
                QTest::keyClick(focus, Qt::Key_F5);
            };
            pressF5(); // the lists that open empty list the book as it is now
            const int before = list.model()->rowCount();
            EXPECT_GT(before, 0);
            anotherCounter()->run(w.addedElsewhere);
            EXPECT_EQ(list.model()->rowCount(), before);
            pressF5();
            EXPECT_EQ(list.model()->rowCount(), before + 1);
        };
        if (w.opener) {
            modal_.expect(w.opener, [&](QDialog& opener) {
                modal_.expect(w.window, script);
                drive::click(opener, w.openerButton);
            });
        } else {
            modal_.expect(w.window, script);
        }
        windows::open(w.opener ? w.opener : w.window);
        modal_.expectAllShown();
    }
}

INSTANTIATE_ON_BOTH_ENGINES(FreshLists);

} // namespace
