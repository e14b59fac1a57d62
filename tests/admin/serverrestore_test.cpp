// A restore on a server book drops the book's tables, views, functions and types and makes them
// anew, while every counter keeps on the server the statements it made ready for the old ones.
#include "admin/bookfile.h"
#include "core/query.h"
#include "core/sysdata.h"
#include "documents/tradekind.h"
#include "documents/tradeposting.h"
#include "masterdata/pickedproduct.h"
#include "support/booksagree.h"
#include "support/booktest.h"
#include "support/tradedocuments.h"

#include <QTemporaryDir>
#include <functional>
#include <utility>
#include <vector>

namespace {

class ServerRestore : public BookTest {
protected:
    BookEngine engine() const override { return BookEngine::Server; }

    void SetUp() override {
        BookTest::SetUp();
        house = addHouse("总库");
        pen = addProduct("笔");
        exec(QStringLiteral("UPDATE Fproduct SET prodBH='6901234567892' WHERE prodID=%1").arg(pen));
        supplier = addSupplier("甲公司");
    }

    // A purchase of pens as its window posts it, answering its question.
    PostResult buyPens(const QString& code, const QString& quantity) {
        messages_.answerOk();
        return postTradeDocument(
            tradeKind(TradeKindId::Purchase),
            tradeDocument(code, {house, "总库"}, {supplier, "甲公司"}, {{pen, "2", quantity}}));
    }
    // A write of its own, outside any transaction, as the print settings are saved.
    int renameHouse(const QString& name) {
        TQuery& q = sysData->QueryCommon;
        q.load(QStringLiteral("UPDATE Fhouse SET houseName=:houseName WHERE houseID=:houseID"));
        q.bind(u"houseName", name);
        q.bind(u"houseID", QString::number(house));
        const int rows = q.execute();
        q.close();
        return rows;
    }
    bool penFound() {
        return productByCode(QStringLiteral("6901234567892"), QStringLiteral("1")).found ==
               ProductByCode::Found::One;
    }

    QTemporaryDir backups;
    long long house = 0, pen = 0, supplier = 0;
};

// Whatever the counter does first after another counter restored the book (a posting, a
// read, a write of its own) meets its kept statements, and must not fail for it.
TEST_F(ServerRestore, ACounterThatKeptItsStatementsPostsAndReadsOnInTheRestoredBook) {
    const std::unique_ptr<Connection> other = anotherCounter();
    const QString file = backups.filePath("book.bak");
    ASSERT_TRUE(bookfile::backUp(*other, file, [](int) {}).done);
    const std::vector<std::pair<const char*, std::function<void()>>> firsts{
        {"a posting",
         [this] {
             EXPECT_EQ(buyPens("CJ3", "4"), PostResult::Posted);
             EXPECT_EQ(messages_.texts(),
                       QStringList({"确定数据录入正确，单据过账吗？", "单据保存成功！"}));
             EXPECT_EQ(stockIn(house, pen), 4);
         }},
        {"a read", [this] { EXPECT_TRUE(penFound()); }},
        {"a write outside a transaction", [this] { EXPECT_EQ(renameHouse("南库"), 1); }},
    };
    for (const auto& [what, first] : firsts) {
        SCOPED_TRACE(what);
        // Posted, read and written once, so that the statements are kept.
        ASSERT_EQ(buyPens("CJ1", "3"), PostResult::Posted);
        ASSERT_TRUE(penFound());
        ASSERT_EQ(renameHouse("北库"), 1);
        const bookfile::Outcome restored = bookfile::restore(*other, file, [](int) {});
        ASSERT_TRUE(restored.done) << restored.refusal.toStdString();
        messages_.clear();
        first();
        EXPECT_TRUE(penFound());
        expectBooksAgree(sysData->myCon);
        messages_.expectAllAnswered();
    }
}

TEST_F(ServerRestore, TheCounterThatRestoredGoesOnInTheRestoredBook) {
    ASSERT_EQ(buyPens("CJ1", "3"), PostResult::Posted);
    ASSERT_TRUE(penFound());
    const QString file = backups.filePath("book.bak");
    ASSERT_TRUE(bookfile::backUp(sysData->myCon, file, [](int) {}).done);
    ASSERT_EQ(buyPens("CJ2", "10"), PostResult::Posted);

    const bookfile::Outcome restored = bookfile::restore(sysData->myCon, file, [](int) {});
    ASSERT_TRUE(restored.done) << restored.refusal.toStdString();
    messages_.clear();
    EXPECT_TRUE(penFound());
    EXPECT_EQ(buyPens("CJ3", "5"), PostResult::Posted);
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(stockOf(pen), 8);
    expectBooksAgree(sysData->myCon);
    messages_.expectAllAnswered();
}

} // namespace
