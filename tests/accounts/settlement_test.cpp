#include "accounts/ui/tfrmjk.h"
#include "accounts/ui/tfrmysyf.h"
#include "core/connection.h"
#include "core/sysdata.h"
#include "masterdata/masterlists.h"
#include "support/booktest.h"
#include "support/drive.h"
#include "support/pacedkeys.h"
#include "support/xlsxreader.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace {

using namespace masterlists;

class Settlement : public OnEngines<BookTest> {
protected:
    void SetUp() override {
        BookTest::SetUp();
        window_ = std::make_unique<Tfrmysyf>();
    }
    void TearDown() override {
        window_.reset();
        BookTest::TearDown();
    }
    Tfrmysyf& open() {
        window_->show();
        return *window_;
    }
    QTableView& grid() { return drive::find<QTableView>(*window_, "dgSupplier"); }
    QStringList names() { return column(grid(), 0); }
    QStringList balances() { return column(grid(), 1); }
    QString balanceShown(const QString& name) {
        const auto row = names().indexOf(name);
        return row < 0 ? QString() : balances().at(row);
    }
    void pick(const QString& name) {
        const int row = int(names().indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        clickRow(grid(), row);
    }
    long long supplierOwed(const QString& name, const QString& balance) {
        const long long id = addSupplier(name);
        exec(QStringLiteral("UPDATE Fsupplier SET exchMoney=%1 WHERE compID=%2")
                 .arg(balance)
                 .arg(id));
        return id;
    }
    long long customerOwing(const QString& name, const QString& balance) {
        const long long id = addCustomer(name);
        exec(QStringLiteral("UPDATE Fcustomer SET exchMoney=%1 WHERE compID=%2")
                 .arg(balance)
                 .arg(id));
        return id;
    }
    void settle() { drive::click(*window_, "tlAdd"); }

    std::unique_ptr<Tfrmysyf> window_;
};

TEST_P(Settlement, ListsTheSuppliersWithTheirBalancesUnderTheirTitles) {
    supplierOwed("华强电子", "1500");
    open();
    EXPECT_EQ(window_->windowTitle(), "应收应付");
    QStringList titles;
    for (int c = 0; c < grid().model()->columnCount(); ++c)
        titles << grid().model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles, QStringList({"往来单位", "欠款金额", "联系人", "联系电话", "联系地址"}));
    EXPECT_EQ(names(), QStringList({"普通供应商", "华强电子"}));
    EXPECT_EQ(balanceShown("华强电子"), "￥1500.00");
    EXPECT_EQ(balanceShown("普通供应商"), "￥0.00");
    EXPECT_EQ(labelOf(*window_, "txtKey"), "单位名称：");
    EXPECT_EQ(labelOf(*window_, "cbType"), "单位类型：");
    EXPECT_EQ(drive::find<QToolButton>(*window_, "tlExcel").text(), "导出Excel ");
}

TEST_P(Settlement, ExportsTheBalancesListedToASpreadsheet) {
    supplierOwed("华强电子", "1500.5");
    open();
    messages_.answerOk();
    fileDialogs_.choose(directory() + "ysyf.xlsx");
    drive::click(*window_, "tlExcel");
    EXPECT_EQ(messages_.last(), "数据导出完成!");
    const XlsxSheet sheet(directory() + "ysyf.xlsx");
    EXPECT_EQ(sheet.value("A3"), "华强电子");
    EXPECT_EQ(sheet.value("E3"), "1500.5");
    EXPECT_TRUE(sheet.cell("E3").number);
}

TEST_P(Settlement, SettlingTheWholeBalancePrefilledLeavesZeroAndRefreshesTheList) {
    const long long id = supplierOwed("华强电子", "1500");
    open();
    pick("华强电子");
    modal_.expect<TfrmJK>([&](TfrmJK& d) {
        EXPECT_EQ(d.windowTitle(), "结款");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtCompName").text(), "华强电子");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtJe").text(), "1500");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtJK").text(), "1500");
        EXPECT_EQ(labelOf(d, "txtJK"), "结算金额：");
        drive::click(d, "Button1");
        EXPECT_FALSE(d.isVisible());
    });
    settle();
    EXPECT_EQ(messages_.texts(), QStringList({"结算成功！"}));
    EXPECT_EQ(number(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(id)), 0);
    EXPECT_EQ(balanceShown("华强电子"), "￥0.00");
    EXPECT_EQ(count("FitemBank"), 0); // the journal carried the purchase when it was posted
}

TEST_P(Settlement, SettlingPartOfACustomersBalanceLeavesTheRestAndKeepsTheKind) {
    const long long id = customerOwing("新华书店", "1500");
    customerOwing("新民商场", "80.25");
    open();
    drive::choose(drive::find<QComboBox>(*window_, "cbType"), "客    户");
    EXPECT_EQ(names(), QStringList({"普通客户", "新华书店", "新民商场"}));
    pick("新华书店");
    modal_.expect<TfrmJK>([&](TfrmJK& d) {
        drive::type(d, "txtJK", "200.01");
        drive::click(d, "Button1");
    });
    settle();
    EXPECT_EQ(scalar(QStringLiteral("SELECT exchMoney FROM Fcustomer WHERE compID=%1").arg(id)),
              "1299.99");
    EXPECT_EQ(balanceShown("新华书店"), "￥1299.99");
    EXPECT_EQ(balanceShown("新民商场"), "￥80.25");
}

TEST_P(Settlement, TheNameFragmentAppliesToBothKindsAndSurvivesShowingAgain) {
    supplierOwed("华强电子", "10");
    supplierOwed("东方钢铁", "10");
    customerOwing("华联超市", "10");
    open();
    drive::type(*window_, "txtKey", "华");
    drive::click(*window_, "btnFind");
    EXPECT_EQ(names(), QStringList({"华强电子"}));
    drive::choose(drive::find<QComboBox>(*window_, "cbType"), "客    户");
    EXPECT_EQ(names(), QStringList({"华联超市"}));
    window_->close();
    open();
    EXPECT_EQ(drive::find<QComboBox>(*window_, "cbType").currentText(), "供 应 商");
    EXPECT_EQ(drive::find<QLineEdit>(*window_, "txtKey").text(), "华");
    EXPECT_EQ(names(), QStringList({"华强电子"}));
}

TEST_P(Settlement, ANameTypedAtOnceOrWithTheListFocusedIsSearchedFor) {
    supplierOwed("华强电子", "10");
    supplierOwed("东方钢铁", "10");
    open();
    QApplication::setActiveWindow(window_.get());
    auto& key = drive::find<QLineEdit>(*window_, "txtKey");
    ASSERT_TRUE(key.hasFocus());
    PacedKeys person;
    person.sendToFocus("东方", 150);
    EXPECT_EQ(names(), QStringList({"东方钢铁"}));

    // Shown again, the last name is there to be typed over.
    window_->close();
    open();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(key.hasFocus());
    person.sendToFocus("华强", 150);
    EXPECT_EQ(names(), QStringList({"华强电子"}));

    grid().setFocus();
    person.sendToFocus("东", 150);
    EXPECT_EQ(key.text(), "东");
    EXPECT_TRUE(key.hasFocus());
    EXPECT_EQ(names(), QStringList({"东方钢铁"}));
}

// A scan into the amount (its whole balance selected) replaced it, and its Enter settled.
TEST_P(Settlement, ACodeScannedIntoTheAmountIsNotSettled) {
    const long long supplier = supplierOwed("华强电子", "1500");
    open();
    pick("华强电子");
    modal_.expect<TfrmJK>([&](TfrmJK& d) {
        auto& amount = drive::find<QLineEdit>(d, "txtJK");
        amount.setFocus();
        amount.selectAll();
        PacedKeys().send(amount, "69012345", 8);
        EXPECT_EQ(messages_.last(), "刚扫描的“69012345”不能录入此处，未录入。");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(amount.text(), "1500");
        drive::click(d, "Button2");
    });
    settle();
    modal_.expectAllShown();
    EXPECT_EQ(
        number(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(supplier)),
        1500);
}

// Enter on the highlighted counterpart settles with it. It pressed 查询, which reloaded the
// list and put the highlight back on the first row, where the next 结款 then settled.
TEST_P(Settlement, EnterOnARowSettlesWithThatCounterpart) {
    supplierOwed("华强电子", "10");
    const long long second = supplierOwed("东方钢铁", "20");
    open();
    QApplication::setActiveWindow(window_.get());
    grid().setFocus();
    const int target = int(names().indexOf("东方钢铁"));
    ASSERT_GT(target, 0);
    for (int row = 0; row < target; ++row)
        QTest::keyClick(&grid(), Qt::Key_Down);
    ASSERT_EQ(grid().currentIndex().row(), target);
    QString settling;
    modal_.expect<TfrmJK>([&](TfrmJK& d) {
        settling = drive::find<QLineEdit>(d, "txtCompName").text();
        drive::click(d, "Button1");
    });
    QTest::keyClick(&grid(), Qt::Key_Return);
    modal_.expectAllShown();
    EXPECT_EQ(settling, "东方钢铁");
    EXPECT_EQ(number(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(second)),
              0);
}

// The list reloaded after a settlement, and a click on a title, put the highlight on the
// first row: the next Enter offered the first counterpart's whole balance.
TEST_P(Settlement, AfterSettlingOrSortingTheHighlightStaysOnTheCounterpart) {
    const long long first = supplierOwed("华强电子", "10");
    const long long second = supplierOwed("东方钢铁", "20");
    open();
    QApplication::setActiveWindow(window_.get());
    pick("东方钢铁");
    const auto settleFive = [&] {
        modal_.expect<TfrmJK>([&](TfrmJK& d) {
            EXPECT_EQ(drive::find<QLineEdit>(d, "txtCompName").text(), "东方钢铁");
            drive::type(d, "txtJK", "5");
            drive::click(d, "Button1");
        });
        grid().setFocus();
        QTest::keyClick(&grid(), Qt::Key_Return);
        modal_.expectAllShown();
    };
    settleFive();
    EXPECT_EQ(names().at(grid().currentIndex().row()), "东方钢铁");
    settleFive();
    clickTitle(grid(), 0);
    EXPECT_EQ(names().at(grid().currentIndex().row()), "东方钢铁");
    clickTitle(grid(), 0);
    settleFive();
    EXPECT_EQ(number(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(second)),
              5);
    EXPECT_EQ(number(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(first)),
              10);
}

TEST_P(Settlement, ANegativeBalanceSettlesToZero) {
    // An advance paid to the supplier: the prefilled amount is negative.
    const long long id = supplierOwed("华强电子", "-100");
    open();
    pick("华强电子");
    modal_.expect<TfrmJK>([&](TfrmJK& d) {
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtJK").text(), "-100");
        drive::click(d, "Button1");
    });
    settle();
    EXPECT_EQ(messages_.texts(), QStringList({"结算成功！"}));
    EXPECT_EQ(number(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(id)), 0);
}

TEST_P(Settlement, NothingToSettleIsRefusedBeforeTheDialog) {
    supplierOwed("华强电子", "0.1+0.2-0.3"); // a floating residue far below a cent
    open();
    pick("普通供应商");
    settle();
    pick("华强电子");
    settle();
    EXPECT_EQ(messages_.texts(),
              QStringList({"此记录无欠款信息不能结算！", "此记录无欠款信息不能结算！"}));
    drive::type(*window_, "txtKey", "无此单位");
    drive::click(*window_, "btnFind");
    settle();
    EXPECT_EQ(messages_.last(), "请选择要结算的记录！");
}

TEST_P(Settlement, AnAmountThatIsNoNumberIsEmptiedAndAnEmptyAmountIsRefused) {
    const long long id = supplierOwed("华强电子", "1500");
    open();
    pick("华强电子");
    modal_.expect<TfrmJK>([&](TfrmJK& d) {
        auto& amount = drive::find<QLineEdit>(d, "txtJK");
        drive::type(amount, "12a");
        EXPECT_EQ(amount.text(), "");
        drive::click(d, "Button1");
        EXPECT_EQ(messages_.last(), "请输入收款金额！");
        EXPECT_TRUE(d.isVisible());
        EXPECT_TRUE(amount.hasFocus());
        amount.setText("1e300"); // pasted: a number by its form, beyond any amount
        drive::click(d, "Button1");
        EXPECT_EQ(messages_.last(), "结算金额不是有效的数字！");
        EXPECT_TRUE(d.isVisible());
        drive::click(d, "Button2");
    });
    settle();
    EXPECT_EQ(number(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(id)),
              1500);
}

TEST_P(Settlement, ClosingWritesNothingAndDoesNotSearchAgain) {
    const long long id = supplierOwed("华强电子", "1500");
    open();
    pick("华强电子");
    addSupplier("后来的单位");
    modal_.expect<TfrmJK>([&](TfrmJK& d) { drive::click(d, "Button2"); });
    settle();
    EXPECT_TRUE(messages_.texts().isEmpty());
    EXPECT_EQ(number(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(id)),
              1500);
    EXPECT_EQ(names(), QStringList({"普通供应商", "华强电子"}));
}

TEST_P(Settlement, ACounterpartDeletedMeanwhileIsReportedAndTheListReloaded) {
    const long long id = supplierOwed("华强电子", "1500");
    open();
    pick("华强电子");
    modal_.expect<TfrmJK>([&](TfrmJK& d) {
        anotherCounter()->run(
            QStringLiteral("DELETE FROM Fsupplier WHERE compID=%1").arg(id).toUtf8().constData());
        drive::click(d, "Button1");
        EXPECT_FALSE(d.isVisible());
    });
    settle();
    EXPECT_EQ(messages_.texts(), QStringList({"该记录已被其他用户删除！"}));
    EXPECT_EQ(count("FSettle"), 0);
    EXPECT_EQ(names(), QStringList({"普通供应商"}));
}

TEST_P(Settlement, ABalanceMovedByAnotherCounterWhileOpenIsShownAndNothingIsSettled) {
    const long long id = supplierOwed("华强电子", "1500");
    open();
    pick("华强电子");
    modal_.expect<TfrmJK>([&](TfrmJK& d) {
        // A purchase posted at another counter after the dialog showed the balance.
        anotherCounter()->run(
            QStringLiteral("UPDATE Fsupplier SET exchMoney=exchMoney+300 WHERE compID=%1")
                .arg(id)
                .toUtf8()
                .constData());
        drive::click(d, "Button1");
        EXPECT_EQ(messages_.last(), "欠款金额已被其他用户改为 1800，请核对后重新结款！");
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtJe").text(), "1800");
        EXPECT_EQ(drive::find<QLineEdit>(d, "txtJK").text(), "1800");
        EXPECT_EQ(count("FSettle"), 0);
        // Settled now, against the balance shown.
        drive::type(d, "txtJK", "800");
        drive::click(d, "Button1");
        EXPECT_FALSE(d.isVisible());
    });
    settle();
    EXPECT_EQ(messages_.last(), "结算成功！");
    EXPECT_EQ(number(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(id)),
              1000);
    EXPECT_EQ(balanceShown("华强电子"), "￥1000.00");
}

TEST_P(Settlement, TitleClicksSortAscendingThenDescendingAndShowingResetsTheDirection) {
    supplierOwed("甲", "300");
    supplierOwed("乙", "-20");
    supplierOwed("丙", "1500");
    open();
    clickTitle(grid(), 1);
    EXPECT_EQ(balances(), QStringList({"￥-20.00", "￥0.00", "￥300.00", "￥1500.00"}));
    clickTitle(grid(), 1);
    EXPECT_EQ(balances(), QStringList({"￥1500.00", "￥300.00", "￥0.00", "￥-20.00"}));
    window_->close();
    open();
    clickTitle(grid(), 1);
    EXPECT_EQ(balances(), QStringList({"￥-20.00", "￥0.00", "￥300.00", "￥1500.00"}));
}

INSTANTIATE_ON_BOTH_ENGINES(Settlement);

} // namespace
