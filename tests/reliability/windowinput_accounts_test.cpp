// The accounts windows given bad amounts and nasty texts as a person types them: the
// settlement, the money-in and money-out entry and the fixed asset dialogs refuse what is no
// amount with their own message and write nothing then; what they write holds the amount the
// box showed and the texts as typed (trimmed).
#include "accounts/ui/tfrmassdialog.h"
#include "accounts/ui/tfrmcash.h"
#include "accounts/ui/tfrmgdzc.h"
#include "accounts/ui/tfrminadd.h"
#include "accounts/ui/tfrmitm.h"
#include "accounts/ui/tfrmitmdialog.h"
#include "accounts/ui/tfrmjk.h"
#include "accounts/ui/tfrmysyf.h"
#include "core/sysdata.h"
#include "reliability/windowinput.h"
#include "support/drive.h"

#include <QComboBox>
#include <QTableView>
#include <QTreeWidget>
#include <cmath>
#include <iostream>
#include <tuple>
#include <vector>

namespace {

class AccountsInput : public WindowInputTest {
protected:
    // Everything an accounts window could write to, as one text.
    QString book() {
        return rowCounts({"FitemBank", "Fitem", "Fasset", "FassCate", "Fsupplier", "Fcustomer"}) +
               scalar("SELECT group_concat(compID || ':' || exchMoney) FROM Fsupplier") +
               scalar("SELECT group_concat(compID || ':' || exchMoney) FROM Fcustomer") +
               scalar("SELECT group_concat(assID || ':' || assName || ':' || purPrice || ':' || "
                      "purDate || ':' || remark) FROM Fasset");
    }
    // The amount a box holds, as the program reads it: nothing when it is no amount.
    static std::optional<Decimal> amount(const QString& box) {
        return numbers::toDecimalOrZero(box.trimmed());
    }
    static void expectNear(double stored, double expected, const std::string& what) {
        EXPECT_NEAR(stored, expected, 1e-9 * std::max(1.0, std::abs(expected))) << what;
    }
    // Clicks the list row whose first shown column reads text.
    static void clickRowShowing(QTableView& view, const QString& text) {
        for (int r = 0; r < view.model()->rowCount(); ++r)
            if (view.model()->index(r, 0).data().toString() == text) {
                clickRow(view, r);
                return;
            }
        ADD_FAILURE() << "no row " << quoted(text);
    }
};

TEST_F(AccountsInput,
       ASettlementOfNoAmountIsRefusedWithItsMessageAndAnAmountLowersOnlyThatBalance) {
    const long long supplier = addSupplier("甲公司");
    const long long customer = addCustomer("乙商店");
    Tfrmysyf window;
    int tried = 0;
    const std::vector<std::tuple<const char*, const char*, long long>> kinds{
        {"供 应 商", "Fsupplier", supplier}, {"客    户", "Fcustomer", customer}};
    for (const auto& [type, table, key] : kinds) {
        for (const QString& text : nastyNumbers()) {
            exec(
                QStringLiteral("UPDATE %1 SET exchMoney=1500 WHERE compID=%2").arg(table).arg(key));
            const QString before = book();
            window.hide();
            window.show();
            drive::choose(drive::find<QComboBox>(window, "cbType"), type);
            drive::type(window, "txtKey", table == std::string("Fsupplier") ? "甲公司" : "乙商店");
            drive::click(window, "btnFind");
            QString held;
            bool stayedOpen = false;
            modal_.expect<TfrmJK>([&](TfrmJK& d) {
                QLineEdit& box = drive::find<QLineEdit>(d, "txtJK");
                EXPECT_EQ(box.text(), "1500");
                enter(box, text);
                held = box.text();
                EXPECT_TRUE(holdsNumberOrNothing(held)) << quoted(text) << " left " << quoted(held);
                drive::click(d, "Button1");
                stayedOpen = d.isVisible();
            });
            messages_.clear();
            drive::click(window, "tlAdd");
            ++tried;
            const double balance = number(
                QStringLiteral("SELECT exchMoney FROM %1 WHERE compID=%2").arg(table).arg(key));
            const std::string what =
                std::string(table) + " " + quoted(text) + " held " + quoted(held);
            if (held.trimmed().isEmpty()) {
                EXPECT_EQ(messages_.last(), "请输入收款金额！") << what;
            } else if (!amount(held)) {
                EXPECT_EQ(messages_.last(), "结算金额不是有效的数字！") << what;
            } else {
                EXPECT_EQ(messages_.last(), "结算成功！") << what;
                EXPECT_FALSE(stayedOpen) << what;
                expectNear(balance, 1500 - amount(held)->toDouble(), what);
                continue;
            }
            EXPECT_TRUE(stayedOpen) << what;
            EXPECT_EQ(book(), before) << what;
        }
    }
    // Settling writes no journal row, whatever was typed.
    EXPECT_EQ(count("FitemBank"), 0);
    expectNoErrorReport();
    std::cout << tried << " settlement amounts typed\n";
}

TEST_F(AccountsInput, AMoneyEntryOfNoAmountIsRefusedWithItsMessageAndAnEntryKeepsItsTextsAsTyped) {
    addEmployee("张三");
    TfrmCash window;
    window.show();
    clickRowShowing(drive::find<QTableView>(window, "dgitm"), "现金");
    const QStringList texts = boxTexts();
    const QStringList numbers = nastyNumbers();
    int tried = 0, written = 0;
    for (int i = 0; i < numbers.size(); ++i) {
        const bool moneyIn = i % 2 == 0;
        const QString& text = numbers[i];
        const QString remark = texts[i % texts.size()];
        const QString handler = texts[(i + 7) % texts.size()];
        const QString before = book();
        QString held;
        bool stayedOpen = false;
        modal_.expect<TfrmInAdd>([&](TfrmInAdd& d) {
            QLineEdit& box = drive::find<QLineEdit>(d, "txtMoney");
            enter(box, text);
            held = box.text();
            EXPECT_TRUE(holdsNumberOrNothing(held)) << quoted(text) << " left " << quoted(held);
            enter(*drive::find<QComboBox>(d, "cbEmp").lineEdit(), handler);
            enter(drive::find<QLineEdit>(d, "txtRemark"), remark);
            drive::click(d, "btnOK");
            stayedOpen = d.isVisible();
        });
        messages_.clear();
        drive::click(window, moneyIn ? "tlAdd" : "tlEdit");
        ++tried;
        const std::string what = quoted(text) + " held " + quoted(held);
        const auto value = amount(held);
        if (held.trimmed().isEmpty()) {
            EXPECT_EQ(messages_.last(), "请输入金额！") << what;
        } else if (!value) {
            EXPECT_EQ(messages_.last(), "金额不是有效的数字！") << what;
        } else if (value->isNegative()) {
            EXPECT_EQ(messages_.last(), "金额不能为负数！") << what;
        } else {
            EXPECT_TRUE(wasShown("添加成功！")) << what;
            EXPECT_FALSE(stayedOpen) << what;
            ASSERT_EQ(count("FitemBank"), ++written) << what;
            TQuery q(sysData->myCon, "entry");
            q.load("SELECT orderType, sumMoney, empName, remark, itmID FROM FitemBank "
                   "WHERE rowid=(SELECT max(rowid) FROM FitemBank)");
            q.open();
            EXPECT_EQ(q.field(u"orderType").asText(), moneyIn ? "现金进款" : "现金出款");
            expectNear(q.field(u"sumMoney").asFloat(), (moneyIn ? 1 : -1) * value->toDouble(),
                       what);
            EXPECT_EQ(q.field(u"empName").asText(), handler.trimmed()) << what;
            EXPECT_EQ(q.field(u"remark").asText(), remark.trimmed()) << what;
            EXPECT_EQ(q.field(u"itmID").asText(), "1");
            continue;
        }
        EXPECT_TRUE(stayedOpen) << what;
        EXPECT_EQ(book(), before) << what;
    }
    EXPECT_GT(written, 0);
    expectNoErrorReport();
    std::cout << tried << " money entries typed, " << written << " written\n";
}

TEST_F(AccountsInput, AnAssetValueThatIsNoAmountIsRefusedWithItsMessageAndTextsAreStoredAsTyped) {
    exec("INSERT INTO FassCate(cateName) VALUES('新购'), ('在用')");
    exec("INSERT INTO Fasset(assName,cateID,purPrice,purDate,remark) "
         "VALUES('旧车', 2, 1000, '2025-01-01', '')");
    TfrmGDZC window;
    auto& tree = drive::find<QTreeWidget>(window, "tvCategory");
    const auto chooseCategory = [&](const QString& name) {
        window.hide();
        window.show();
        const auto nodes = tree.findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(nodes.size(), 1);
        tree.setCurrentItem(nodes.first());
    };
    const QStringList texts = boxTexts();
    const QStringList numbers = nastyNumbers();
    int tried = 0;
    for (int i = 0; i < numbers.size(); ++i) {
        const bool adding = i % 2 == 0;
        const QString name = texts[i % texts.size()];
        const QString remark = texts[(i + 5) % texts.size()];
        chooseCategory(adding ? "新购" : "在用");
        const QString before = book();
        const long long assets = count("Fasset");
        QString held;
        bool stayedOpen = false;
        const auto script = [&](QDialog& d) {
            enter(drive::find<QLineEdit>(d, "txtAssName"), name);
            QLineEdit& box = drive::find<QLineEdit>(d, "txtpurprice");
            enter(box, numbers[i]);
            held = box.text();
            EXPECT_TRUE(holdsNumberOrNothing(held))
                << quoted(numbers[i]) << " left " << quoted(held);
            enter(drive::find<QLineEdit>(d, "txtRemark"), remark);
            drive::click(d, "btnOK");
            stayedOpen = d.isVisible();
        };
        modal_.expect(adding ? "TfrmAssAdd" : "TfrmAssEdit", script);
        messages_.clear();
        drive::click(window, adding ? "tlInsert" : "tlEdit");
        ++tried;
        const std::string what = quoted(numbers[i]) + " held " + quoted(held);
        const auto value = amount(held);
        if (!value) {
            EXPECT_EQ(messages_.last(), "入账价值不是有效的数字！") << what;
            EXPECT_TRUE(stayedOpen) << what;
            EXPECT_EQ(book(), before) << what;
            continue;
        }
        EXPECT_EQ(messages_.last(), adding ? "添加成功！" : "修改成功！") << what;
        EXPECT_EQ(count("Fasset"), assets + (adding ? 1 : 0)) << what;
        TQuery q(sysData->myCon, "asset");
        // The new asset, or the one asset of the category edited.
        q.load(adding ? "SELECT * FROM Fasset WHERE rowid=(SELECT max(rowid) FROM Fasset)"
                      : "SELECT * FROM Fasset WHERE cateID=2");
        q.open();
        ASSERT_EQ(q.recordCount(), 1) << what;
        EXPECT_EQ(q.field(u"assName").asText(), name.trimmed()) << what;
        EXPECT_EQ(q.field(u"remark").asText(), remark.trimmed()) << what;
        expectNear(q.field(u"purPrice").asFloat(), value->toDouble(), what);
        EXPECT_EQ(q.field(u"cateID").asText(), adding ? "1" : "2");
    }
    expectNoErrorReport();
    std::cout << tried << " asset values typed\n";
}

TEST_F(AccountsInput, AccountNamesAndRemarksOfAnyKindAreStoredAsTypedAndABlankNameIsRefused) {
    TfrmItm window;
    const QStringList texts = boxTexts();
    for (int i = 0; i < texts.size(); ++i) {
        const QString name = texts[i];
        const QString remark = texts[(i + 3) % texts.size()];
        const bool adding = i % 2 == 0;
        window.hide();
        window.show();
        auto& list = drive::find<QTableView>(window, "dgitm");
        if (!adding)
            clickRowShowing(list, scalar("SELECT itmName FROM Fitem WHERE itmID=2"));
        const long long accounts = count("Fitem");
        modal_.expect(adding ? "TfrmItmAdd" : "TfrmItmEdit", [&](QDialog& d) {
            enter(drive::find<QLineEdit>(d, "txtItmName"), name);
            enter(drive::find<QLineEdit>(d, "txtRemark"), remark);
            drive::click(d, "BitBtn1");
        });
        messages_.clear();
        drive::click(window, adding ? "tlAdd" : "tlEdit");
        EXPECT_EQ(messages_.last(), "添加成功！") << quoted(name);
        EXPECT_EQ(count("Fitem"), accounts + (adding ? 1 : 0));
        const QString itmID = adding ? scalar("SELECT max(itmID) FROM Fitem") : "2";
        EXPECT_EQ(scalar("SELECT itmName FROM Fitem WHERE itmID=" + itmID), name.trimmed());
        EXPECT_EQ(scalar("SELECT remark FROM Fitem WHERE itmID=" + itmID), remark.trimmed());
        EXPECT_EQ(scalar("SELECT itmName FROM Fitem WHERE itmID=1"), "现金");
    }
    // A blank name asks for one and leaves the accounts as they were.
    const QString before = book() + scalar("SELECT group_concat(itmName || remark) FROM Fitem");
    window.hide();
    window.show();
    modal_.expect<TfrmItmAdd>([&](TfrmItmAdd& d) {
        enter(drive::find<QLineEdit>(d, "txtItmName"), " \t ");
        drive::click(d, "BitBtn1");
        EXPECT_EQ(messages_.last(), "请输入科目名称！");
        EXPECT_TRUE(d.isVisible());
    });
    drive::click(window, "tlAdd");
    EXPECT_EQ(book() + scalar("SELECT group_concat(itmName || remark) FROM Fitem"), before);
    expectNoErrorReport();
}

} // namespace
