#include "admin/ui/tfrmbookscheck.h"
#include "admintest.h"
#include "app/windowset.h"
#include "core/ui/tfrmlogin.h"
#include "core/ui/tfrmmain.h"
#include "documents/bookscheckreport.h"
#include "documents/tradeposting.h"
#include "support/postedbook.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <algorithm>

namespace {

class BooksCheckWindow : public PostedBook<AdminTest> {
protected:
    // A purchase of 80 with 20 paid and a sale of 59.97 with 50 received.
    void postSome() {
        post(TradeKindId::Purchase, "CJ1", {{pen, "12.5", "4"}, {ink, "3", "10"}}, "20");
        post(TradeKindId::Sale, "XS1", {{pen, "19.99", "3"}}, "50");
        messages_.clear();
    }

    void check() {
        window.show();
        ASSERT_TRUE(window.isVisible());
        drive::click(window, "btnStart");
    }
    QStringList listed() {
        QStringList lines;
        auto& list = drive::find<QListWidget>(window, "lstDifferences");
        for (int i = 0; i < list.count(); ++i)
            lines << list.item(i)->text();
        return lines;
    }
    QProgressBar& progress() { return drive::find<QProgressBar>(window, "pbProgress"); }

    TfrmBooksCheck window;
};

TEST_F(BooksCheckWindow, SaysThatTheBooksAgreeWhenTheyDo) {
    postSome();
    check();
    EXPECT_EQ(window.windowTitle(), "账簿检查");
    EXPECT_EQ(messages_.texts(), QStringList({"账簿检查完毕，账目一致。"}));
    EXPECT_EQ(drive::find<QLabel>(window, "lblResult").text(), "账簿检查完毕，账目一致。");
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(progress().value(), 100);
    EXPECT_EQ(drive::find<QLabel>(window, "lblProgress").buddy(), &progress());
}

TEST_F(BooksCheckWindow, ListsAStockABalanceAnAccountAndAJournalDifferenceInPlainWords) {
    postSome();
    exec(QStringLiteral("UPDATE Fproduct SET sumCount=sumCount+0.5 WHERE prodID=%1").arg(ink));
    exec(QStringLiteral("UPDATE Fsupplier SET exchMoney=exchMoney-10 WHERE compID=%1")
             .arg(supplier));
    // The account's kept balance one yuan off its journal rows.
    exec("UPDATE FitemBalance SET amount=amount+1000000 WHERE itmID=1");
    // The sale's journal row with the wrong sign (the account's balance follows the row).
    exec("UPDATE FitemBank SET sumMoney=-59.97 WHERE orderCode='XS1'");
    check();
    EXPECT_EQ(listed(), QStringList({
                            "商品“墨”（编码 BH-墨）：库存数量与单据不符，账面库存 10.5，"
                            "按单据应为 10",
                            "供应商“甲公司”：往来余额与单据不符，账面余额 ￥50.00，"
                            "按单据应为 ￥60.00",
                            "账户“现金”：账户余额与流水不符，账面余额 ￥-138.97，"
                            "按流水应为 ￥-139.97",
                            "商品销售单 XS1：流水金额与单据不符，流水金额 ￥-59.97，"
                            "按单据应为 ￥59.97",
                        }));
    EXPECT_EQ(messages_.texts(), QStringList({"账簿检查完毕，发现4处账目与单据不符。"}));
    EXPECT_EQ(drive::find<QLabel>(window, "lblResult").text(),
              "账簿检查完毕，发现4处账目与单据不符。");
    EXPECT_EQ(progress().value(), 100);

    // Mended, a second check on the same showing says the books agree and empties the list.
    exec(QStringLiteral("UPDATE Fproduct SET sumCount=10 WHERE prodID=%1").arg(ink));
    exec(QStringLiteral("UPDATE Fsupplier SET exchMoney=60 WHERE compID=%1").arg(supplier));
    exec("UPDATE FitemBank SET sumMoney=59.97 WHERE orderCode='XS1'");
    exec("UPDATE FitemBalance SET amount=amount-1000000 WHERE itmID=1");
    drive::click(window, "btnStart");
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(messages_.last(), "账簿检查完毕，账目一致。");
}

TEST_F(BooksCheckWindow, NamesWhatIsMissingByItsNumberAndADocumentWithoutJournalByItsCode) {
    postSome();
    exec(QStringLiteral("DELETE FROM Fcustomer WHERE compID=%1").arg(customer));
    exec("DELETE FROM FitemBank WHERE orderCode='CJ1'");
    check();
    EXPECT_EQ(listed(),
              QStringList({QStringLiteral("客户（编号 %1）：单据的往来单位不存在，账面余额 无，"
                                          "按单据应为 ￥9.97")
                               .arg(customer),
                           "采购进货单 CJ1：单据没有流水，流水金额 无，按单据应为 ￥-80.00"}));
}

TEST_F(BooksCheckWindow, ProgressRisesToAHundredAndTheWindowCannotBeClosedMeanwhile) {
    postSome();
    window.show();
    std::vector<int> told;
    bool closedDuringCheck = false;
    QObject::connect(&progress(), &QProgressBar::valueChanged, &window, [&](int value) {
        told.push_back(value);
        if (value > 0 && value < 100) {
            window.close();
            closedDuringCheck = closedDuringCheck || !window.isVisible();
        }
    });
    drive::click(window, "btnStart");
    ASSERT_GE(told.size(), 10u) << "the check tells its progress step by step";
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_EQ(told.back(), 100);
    EXPECT_FALSE(closedDuringCheck);
    EXPECT_TRUE(drive::find<QAbstractButton>(window, "btnClose").isEnabled());
    drive::click(window, "btnClose");
    EXPECT_FALSE(window.isVisible());
    // Shown again, the window starts afresh.
    window.show();
    EXPECT_EQ(progress().value(), 0);
}

TEST(BooksCheckReport, AmountsShowTheirCentsUnlessTheyHoldMore) {
    const std::vector<BooksDifference> found{
        {BooksDifference::Kind::Balance, "Fcustomer", "7", "9.965", "10", "往来余额与单据不符",
         "丙", ""},
        {BooksDifference::Kind::Account, "Fitem", "2", "1", "超出范围", "账户余额与流水不符",
         "银行", ""},
    };
    EXPECT_EQ(
        booksCheckLines(found),
        QStringList({"客户“丙”：往来余额与单据不符，账面余额 ￥9.965，按单据应为 ￥10.00",
                     "账户“银行”：账户余额与流水不符，账面余额 ￥1.00，按流水应为 超出范围"}));
    EXPECT_EQ(booksCheckSummary(found), "账簿检查完毕，发现2处账目与单据不符。");
    EXPECT_EQ(booksCheckSummary({}), "账簿检查完毕，账目一致。");
}

// The main window offers the check to those who may initialise the book (code 26) only.
class BooksCheckEntry : public AdminTest {
protected:
    void SetUp() override {
        AdminTest::SetUp();
        session::clear();
        windows_ = std::make_unique<WindowSet>();
    }
    void TearDown() override {
        windows_.reset();
        AdminTest::TearDown();
    }
    QAction* entry() {
        for (QAction* top : main_.menuBar()->actions())
            for (QAction* a : top->menu()->actions())
                if (a->text() == "账簿检查(&K)")
                    return a;
        return nullptr;
    }
    void logIn(const QString& name, const QString& password) {
        modal_.expect<TfrmLogin>([=](TfrmLogin& w) {
            drive::choose(drive::find<QComboBox>(w, "cbUserName"), name);
            drive::type(w, "txtPwd", password);
            drive::click(w, "btnLogin");
        });
        main_.show();
        ASSERT_TRUE(main_.isVisible());
    }

    TfrmMain main_;
    std::unique_ptr<WindowSet> windows_;
};

// It only reads, and every restore and upgrade asks for it: tied to 系统初始化's code, a
// clerk let check the books was let empty them too.
TEST_F(BooksCheckEntry, OpensTheWindowForAUserHoldingNoCodeAtAll) {
    addUser("Ann", "pw");
    logIn("Ann", "pw");
    ASSERT_NE(entry(), nullptr);
    EXPECT_TRUE(entry()->isEnabled());
    modal_.expect<TfrmBooksCheck>([](TfrmBooksCheck& w) {
        drive::click(w, "btnStart");
        EXPECT_EQ(drive::find<QProgressBar>(w, "pbProgress").value(), 100);
    });
    entry()->trigger();
    modal_.expectAllShown();
    EXPECT_EQ(messages_.last(), "账簿检查完毕，账目一致。");
}

} // namespace
