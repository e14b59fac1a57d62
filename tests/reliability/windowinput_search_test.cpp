// The search boxes of the list windows, the lookups and the counterpart picker, typed into as
// a person would: any text is a key, quotes and SQL are only text, "%" and "_" are the
// wildcards of the search rule, and no search writes anything.
#include "accounts/ui/tfrmysyf.h"
#include "core/session.h"
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "documents/ui/tfrmpdadd.h"
#include "documents/ui/tfrmpricelookup.h"
#include "documents/ui/tfrmprodcount.h"
#include "documents/ui/tfrmprodpd.h"
#include "masterdata/ui/tfrmcatedialog.h"
#include "masterdata/ui/tfrmcounterpart.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "masterdata/ui/tfrmproddialog.h"
#include "masterdata/ui/tfrmproduct.h"
#include "reliability/windowinput.h"
#include "support/drive.h"

#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QTableView>
#include <functional>
#include <iostream>
#include <memory>
#include <set>

namespace {

// Names that tell a wildcard from a plain character and a quote from the end of a text.
const QStringList kNames{"锤子", "100%", "1005", "a_b", "axb", "O'Brien"};

// One window with a search box: how a person searches in it and where the count shows.
struct Searcher {
    std::string name;
    std::unique_ptr<QWidget> window;
    std::function<void(QWidget&)> search; // after the key is typed into txtKey
    const char* list;
    std::function<QString(QWidget&)> status; // empty when the window shows no count
    bool products;                           // products or counterparts (with the casual one)
};

void pressEnter(QWidget& w) {
    QTest::keyClick(&drive::find<QLineEdit>(w, "txtKey"), Qt::Key_Return);
}

QString statusBar(QWidget& w) {
    return drive::find<QStatusBar>(w, "StatusBar1").currentMessage();
}

class SearchInput : public WindowInputTest {
protected:
    void SetUp() override {
        WindowInputTest::SetUp();
        const long long tools = addCategory("工具");
        for (const QString& name : kNames) {
            addProduct(name, tools);
            addSupplier(name);
            addCustomer(name);
        }
        prodAdd = std::make_unique<TfrmProdAdd>();
        prodEdit = std::make_unique<TfrmProdEdit>();
        cateAdd = std::make_unique<TfrmCateAdd>();
        cateEdit = std::make_unique<TfrmCateEdit>();
    }
    void TearDown() override {
        searchers.clear();
        cateEdit.reset();
        cateAdd.reset();
        prodEdit.reset();
        prodAdd.reset();
        session::clear();
        WindowInputTest::TearDown();
    }

    QString book() {
        return rowCounts({"Fproduct", "Fsupplier", "Fcustomer", "Fprodcate", "FitemBank", "Users",
                          "perms"}) +
               scalar("SELECT group_concat(prodName || prodBH) FROM Fproduct") +
               scalar("SELECT group_concat(compName) FROM Fsupplier") +
               scalar("SELECT group_concat(compName) FROM Fcustomer");
    }

    void addSearchers() {
        const auto clickFind = [](const char* button) {
            return [button](QWidget& w) { drive::click(w, button); };
        };
        searchers.push_back(
            {"商品管理", std::make_unique<TfrmProduct>(*prodAdd, *prodEdit, *cateAdd, *cateEdit),
             clickFind("Button1"), "dgProduct",
             [](QWidget& w) { return drive::find<QLabel>(w, "lblStatus").text(); }, true});
        searchers.push_back(
            {"进价查询", std::make_unique<TfrmPInP>(), pressEnter, "dgProduct", statusBar, true});
        searchers.push_back(
            {"售价查询", std::make_unique<TfrmPoutP>(), pressEnter, "dgProduct", statusBar, true});
        searchers.push_back({"商品库存", std::make_unique<TfrmProdCount>(), pressEnter, "dgProduct",
                             statusBar, true});
        searchers.push_back({"供应商管理", std::make_unique<TfrmSupplier>(), clickFind("Button1"),
                             "dgData", statusBar, false});
        searchers.push_back({"客户管理", std::make_unique<TfrmCustomer>(), clickFind("Button1"),
                             "dgData", statusBar, false});
        for (const char* mode : {"1", "2"}) {
            auto picker = std::make_unique<TfrmFindComp>();
            picker->setMode(mode);
            searchers.push_back({std::string("查找") + mode, std::move(picker), pressEnter,
                                 "dgSupplier", statusBar, false});
        }
        for (const char* type : {"供 应 商", "客    户"}) {
            searchers.push_back({std::string("应收应付 ") + type, std::make_unique<Tfrmysyf>(),
                                 [type, clickFind](QWidget& w) {
                                     drive::choose(drive::find<QComboBox>(w, "cbType"), type);
                                     clickFind("btnFind")(w);
                                 },
                                 "dgSupplier", nullptr, false});
        }
    }

    std::unique_ptr<TfrmProdAdd> prodAdd;
    std::unique_ptr<TfrmProdEdit> prodEdit;
    std::unique_ptr<TfrmCateAdd> cateAdd;
    std::unique_ptr<TfrmCateEdit> cateEdit;
    std::vector<Searcher> searchers;
};

TEST_F(SearchInput, EverySearchBoxTakesAnyTextAsAKeyAndTheWildcardsAsTheSearchRuleSays) {
    addSearchers();
    // Rows found among the six products (by code "BH-…" or name) or the six counterparts and
    // the casual one (by name); the casual row counts where every name matches.
    const ExpectedRows expected{
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
        {":prodID", 0},
        {"?", 0},
        {"𠮷野家", 0},
        {"'; DROP TABLE Fproduct;--", 0},
        {"\"; DELETE FROM FitemBank; --", 0},
        {"' OR '1'='1", 0},
    };
    const QString before = book();
    int searches = 0;
    for (Searcher& s : searchers) {
        s.window->show();
        QLineEdit& key = drive::find<QLineEdit>(*s.window, "txtKey");
        auto& list = drive::find<QTableView>(*s.window, s.list);
        const auto found = [&](const QString& text) {
            enter(key, text);
            s.search(*s.window);
            ++searches;
            const int rows = list.model()->rowCount();
            if (s.status && !text.trimmed().isEmpty()) {
                EXPECT_TRUE(s.status(*s.window).endsWith(u'：' + QString::number(rows)))
                    << s.name << " " << quoted(text);
            }
            return rows;
        };
        const auto wanted = [&](const QString& text) {
            const bool everyName = text.trimmed().isEmpty() || text == u"%" || text == u"_";
            return expectedRows(expected, text) + (!s.products && everyName ? 1 : 0);
        };
        for (const QString& text : boxTexts())
            EXPECT_EQ(found(text), wanted(text)) << s.name << " " << quoted(text);
        for (const auto& [text, rows] : expected)
            EXPECT_EQ(found(text), wanted(text)) << s.name << " " << quoted(text);
        // The key shows in the status line as it was searched: trimmed, quotes and all.
        if (s.status && s.products) {
            found("  O'Brien ");
            EXPECT_TRUE(s.status(*s.window).contains(u"\"O'Brien\"")) << s.name;
        }
        s.window->close();
    }
    EXPECT_EQ(book(), before);
    expectNoErrorReport();
    std::cout << searches << " searches typed into " << searchers.size() << " windows\n";
}

// A box holds 32767 characters unless told otherwise; a search box takes fewer, so that its
// key pasted full of Chinese characters still fits the longest pattern the database compares.
TEST_F(SearchInput, AKeyAsLongAsASearchBoxTakesFindsNothingAndReportsNoError) {
    addSearchers();
    addHouse("总库");
    session::setUser("1", "管理员");
    TfrmProdPD counted;
    searchers.push_back(
        {"库存盘点", std::make_unique<TfrmPDAdd>(counted),
         [](QWidget& w) { QTest::keyClick(&drive::find<QLineEdit>(w, "txtName"), Qt::Key_Return); },
         "dgProduct", nullptr, true});
    const QString pasted(QLineEdit().maxLength(), u'长');
    // One window of each design of search box.
    const std::set<std::string> designs{"商品管理", "进价查询",          "供应商管理",
                                        "查找1",    "应收应付 供 应 商", "库存盘点"};
    for (Searcher& s : searchers) {
        if (!designs.count(s.name))
            continue;
        s.window->show();
        if (auto* house = s.window->findChild<QComboBox*>("cbHouse"))
            drive::choose(*house, "总库");
        QLineEdit* key = s.window->findChild<QLineEdit*>("txtKey");
        if (!key)
            key = &drive::find<QLineEdit>(*s.window, "txtName");
        enter(*key, pasted);
        EXPECT_EQ(key->text(), pasted.left(kMaxSearchKeyLength)) << s.name;
        s.search(*s.window);
        EXPECT_EQ(drive::find<QTableView>(*s.window, s.list).model()->rowCount(), 0) << s.name;
        s.window->close();
    }
    expectNoErrorReport();
}

} // namespace
