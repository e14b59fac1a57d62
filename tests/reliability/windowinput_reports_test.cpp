// The query and statistics windows given nasty keys and nasty dates as a person types them:
// a code or name fragment is only text to match, with "%" and "_" as the wildcards of the
// search rule; a date box only ever holds a date and the list keeps to the dates it shows;
// and no query writes anything.
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "documents/tradekind.h"
#include "documents/tradeposting.h"
#include "reliability/windowinput.h"
#include "reports/ui/businessstats.h"
#include "reports/ui/querywindows.h"
#include "reports/ui/tfrmordertj.h"
#include "reports/ui/tfrmtjprod.h"
#include "reports/ui/tradestatswindows.h"
#include "support/drive.h"
#include "support/tradedocuments.h"

#include <QDateEdit>
#include <QTableView>
#include <QTreeWidget>
#include <functional>
#include <iostream>
#include <memory>

namespace {

// Products, suppliers and customers, each traded once: names that tell a wildcard from a
// plain character and a quote from the end of a text.
const QStringList kNames{"锤子", "100%", "1005", "a_b", "axb", "O'Brien"};

// Rows found among six documents or products or counterparts named after kNames, by a key
// matched anywhere in the name.
const ExpectedRows kContained{
    {"", 6},
    {"   ", 6},
    {"%", 6},
    {"_", 6},
    {"100%", 2},
    {"a_b", 2},
    {" A_B ", 2},
    {"O'Brien", 1},
    {"o'brien", 1},
    {"''", 0},
    {"锤", 1},
    {"\\'", 0},
    {":orderID", 0},
    {"?", 0},
    {"𠮷野家", 0},
    {"' OR '1'='1", 0},
    {"'; DROP TABLE OrderPur;--", 0},
    {"\"; DELETE FROM FitemBank; --", 0},
};

// The composite query matches codes from their start: "CJ-…" purchases and "XS-…" sales.
const ExpectedRows kPrefixed{
    {"", 12},           {"%", 12},
    {"_", 12},          {"CJ-", 6},
    {"cj-", 6},         {"CJ-100%", 2},
    {"CJ-a_b", 2},      {"XS-o'brien", 1},
    {"O'Brien", 0},     {"%O'Brien", 2},
    {"CJ-锤", 1},       {"\\'", 0},
    {"' OR '1'='1", 0}, {"'; DROP TABLE OrderPur;--", 0},
};

const ExpectedRows kNothing{
    {"", 0}, {"%", 0}, {"_", 0}, {"O'Brien", 0}, {"'; DROP TABLE OrderPur;--", 0}};

// One query window: its key box, its button, its list, and what each key finds.
struct Query {
    std::string name;
    std::unique_ptr<QWidget> window;
    const char* key;   // the fragment box; nullptr when the window has none
    const char* begin; // the date boxes
    const char* end;
    const char* find;
    const char* list; // nullptr when the window shows no list of documents
    const ExpectedRows* expected;
};

class ReportsInput : public WindowInputTest {
protected:
    void SetUp() override {
        WindowInputTest::SetUp();
        house = addHouse("总库");
        addEmployee("张三");
        const QDate today = kNow.date();
        for (const QString& name : kNames) {
            const long long product = addProduct(name);
            post(TradeKindId::Purchase, "CJ-" + name, today, addSupplier(name), name, product);
            post(TradeKindId::Sale, "XS-" + name, today, addCustomer(name), name, product);
        }
        // Out of the month a window shows at first, by far and by a day.
        const long long old = addProduct("旧货");
        post(TradeKindId::Purchase, "CJ-old", QDate(2026, 1, 10), 1, "普通供应商", old);
        post(TradeKindId::Purchase, "CJ-eve", QDate(2026, 2, 14), 1, "普通供应商", old);
        messages_.clear();
    }

    void post(TradeKindId kind, const QString& code, QDate day, long long compID,
              const QString& compName, long long product) {
        TradeDocument d =
            tradeDocument(code, {house, "总库"}, {compID, compName}, {{product, "5", "2"}});
        d.date = day;
        d.money = "4";
        messages_.answerOk();
        ASSERT_EQ(postTradeDocument(tradeKind(kind), d), PostResult::Posted) << code.toStdString();
    }

    // Everything a query window could have written to, as one text.
    QString book() {
        return rowCounts({"OrderPur", "OrderPurD", "OrderSale", "OrderSaleD", "OrderPurT",
                          "OrderSaleT", "OrderDB", "OrderBsBy", "FitemBank", "Fproduct",
                          "Fsupplier", "Fcustomer"}) +
               scalar("SELECT group_concat(prodID || ':' || sumCount) FROM Fproduct") +
               scalar("SELECT group_concat(compID || ':' || exchMoney) FROM Fsupplier") +
               scalar("SELECT group_concat(compID || ':' || exchMoney) FROM Fcustomer");
    }

    std::vector<Query> queries() {
        std::vector<Query> q;
        const auto add = [&](std::string name, std::unique_ptr<QWidget> w, const char* key,
                             const char* list, const auto& expected) {
            q.push_back({std::move(name), std::move(w), key, "dtbegin", "dtEnd", "btnFind", list,
                         &expected});
        };
        add("采购单据查询", std::make_unique<TfrmTjPurQ>(), "txtOrderID", "dgOrder", kContained);
        add("销售单据查询", std::make_unique<TfrmOrderSaleQ>(), "txtOrderID", "dgOrder",
            kContained);
        add("采购退货单查询", std::make_unique<TfrmOrderPurTQ>(), "txtOrderID", "dgOrder",
            kNothing);
        add("销售退货单据查询", std::make_unique<TfrmOrderSaleTQ>(), "txtOrderID", "dgOrder",
            kNothing);
        add("库存调拨单据查询", std::make_unique<TfrmOrderDBQ>(), "txtOrderID", "dgOrder",
            kNothing);
        add("报损报溢单据查询", std::make_unique<TfrmOrderBsbyQ>(), "txtOrderID", "dgOrder",
            kNothing);
        add("单据综合查询", std::make_unique<TfrmOrderTJ>(), "txtOrderID", "dgOrder", kPrefixed);
        add("商品采购统计", std::make_unique<TfrmTjSupplier>(), "txtKey", "dgOrder", kContained);
        add("商品销售统计", std::make_unique<TfrmTjSale>(), "txtKey", "dgOrder", kContained);
        add("商品销售分析", std::make_unique<TfrmTjProd>(), "txtKey", "DBGrid1", kContained);
        q.push_back({"经营情况统计", std::make_unique<TfrmOpenTJ>(), nullptr, "dtBegin", "dtEnd",
                     "Button1", nullptr, nullptr});
        return q;
    }

    long long house = 0;
};

TEST_F(ReportsInput, EveryFragmentBoxTakesAnyTextAsAKeyAndTheWildcardsAsTheSearchRuleSays) {
    const QString before = book();
    int searches = 0;
    for (Query& q : queries()) {
        if (!q.key)
            continue;
        q.window->show();
        QLineEdit& key = drive::find<QLineEdit>(*q.window, q.key);
        auto& list = drive::find<QTableView>(*q.window, q.list);
        const auto found = [&](const QString& text) {
            enter(key, text);
            drive::click(*q.window, q.find);
            ++searches;
            return list.model()->rowCount();
        };
        for (const QString& text : boxTexts())
            EXPECT_EQ(found(text), expectedRows(*q.expected, text))
                << q.name << " " << quoted(text);
        for (const auto& [text, rows] : *q.expected)
            EXPECT_EQ(found(text), rows) << q.name << " " << quoted(text);
        q.window->close();
    }
    EXPECT_EQ(book(), before);
    expectNoErrorReport();
    std::cout << searches << " fragments typed into the query windows\n";
}

// What a person may type into a date box: what no date box can take, in kinds (letters, signs,
// points, exponents, other digits, blanks, runs of digits), and dates that do not exist.
QStringList dateTexts() {
    return {"abc",           "-",          "1..2",       "1e5",        "１２３",
            "١٢٣",           "   ",        "",           "∞",          QString(400, u'9'),
            "0x1F",          "2026-02-30", "2026-13-01", "0000-00-00", "9999-12-31",
            "'; DROP TABLE", "𠮷野家",     "2026-03-01"};
}

// The date boxes of each design: the document queries, the composite query, the trade
// statistics, the product sales analysis and the chosen-period business figures.
bool aDesignOfItsOwn(const Query& q) {
    return q.name == "采购单据查询" || q.name == "单据综合查询" || q.name == "商品采购统计" ||
           q.name == "商品销售分析" || q.name == "经营情况统计";
}

TEST_F(ReportsInput, ADateBoxHoldsOnlyDatesWhateverIsTypedAndTheListKeepsToTheDatesShown) {
    const QString before = book();
    int typed = 0;
    for (Query& q : queries()) {
        if (!aDesignOfItsOwn(q))
            continue;
        for (const char* name : {q.begin, q.end}) {
            for (const QString& text : dateTexts()) {
                q.window->hide();
                q.window->show();
                auto& box = drive::find<QDateEdit>(*q.window, name);
                box.setFocus();
                box.selectAll();
                drive::keys(&box, text);
                drive::click(*q.window, q.find);
                ++typed;
                const QDate begin = drive::find<QDateEdit>(*q.window, q.begin).date();
                const QDate end = drive::find<QDateEdit>(*q.window, q.end).date();
                ASSERT_TRUE(begin.isValid() && end.isValid()) << q.name << " " << quoted(text);
                if (!q.list || q.list == std::string("DBGrid1"))
                    continue;
                auto& list = drive::find<QTableView>(*q.window, q.list);
                for (int r = 0; r < list.model()->rowCount(); ++r) {
                    const QDate day = QDate::fromString(list.model()->index(r, 0).data().toString(),
                                                        "yyyy-MM-dd");
                    EXPECT_TRUE(day >= begin && day <= end)
                        << q.name << " " << quoted(text) << " lists "
                        << day.toString().toStdString() << " outside "
                        << begin.toString("yyyy-MM-dd").toStdString() << "~"
                        << end.toString("yyyy-MM-dd").toStdString();
                }
            }
        }
        q.window->close();
    }
    EXPECT_EQ(book(), before);
    expectNoErrorReport();
    std::cout << typed << " texts typed into the date boxes\n";
}

TEST_F(ReportsInput, AFragmentAsLongAsTheBoxTakesFindsNothingAndReportsNoError) {
    const QString pasted(QLineEdit().maxLength(), u'长');
    for (Query& q : queries()) {
        if (!q.key || !aDesignOfItsOwn(q))
            continue;
        q.window->show();
        QLineEdit& key = drive::find<QLineEdit>(*q.window, q.key);
        enter(key, pasted);
        EXPECT_EQ(key.text(), pasted.left(kMaxSearchKeyLength)) << q.name;
        drive::click(*q.window, q.find);
        EXPECT_EQ(drive::find<QTableView>(*q.window, q.list).model()->rowCount(), 0) << q.name;
        q.window->close();
    }
    expectNoErrorReport();
}

} // namespace
