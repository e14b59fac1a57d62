// The data module behaves the same on the embedded book and on a server book: each case runs
// on both engines, on a table of its own with the types each book gives such columns.
#include "core/connection.h"
#include "core/dberror.h"
#include "core/query.h"
#include "core/schema.h"
#include "core/sqltext.h"
#include "core/transaction.h"
#include "support/serverbook.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

enum class Book { Embedded, Server };

class BothEngines : public ::testing::TestWithParam<Book> {
protected:
    void SetUp() override {
        if (GetParam() == Book::Embedded) {
            ASSERT_TRUE(dir_.isValid());
            const QString path = dir_.filePath(QStringLiteral("book.db"));
            schema::create(path);
            con_ = std::make_unique<Connection>(path);
        } else {
            server_ = std::make_unique<ServerBook>();
            con_.reset(new Connection(Connection::server(server_->conninfo())));
        }
        ASSERT_TRUE(con_->open()) << con_->lastError().toStdString();
        con_->run(GetParam() == Book::Embedded
                      ? "CREATE TABLE Goods(goodsID INTEGER PRIMARY KEY AUTOINCREMENT, "
                        "goodsName TEXT COLLATE NOCASE, price REAL, amount INTEGER, day TEXT, "
                        "note TEXT COLLATE NOCASE) STRICT"
                      : "CREATE EXTENSION IF NOT EXISTS citext; "
                        "CREATE TABLE Goods(goodsID bigserial PRIMARY KEY, goodsName citext, "
                        "price numeric, amount bigint, day date, note citext)");
        q_ = std::make_unique<TQuery>(*con_, QStringLiteral("QueryCommon"));
    }
    void TearDown() override {
        q_.reset();
        con_.reset();
        server_.reset();
    }

    void addGoods(const QString& name, double price, long long amount) {
        q_->load("INSERT INTO Goods(goodsName,price,amount,day) VALUES(:goodsName,:price,:amount,"
                 ":day)");
        q_->bind(u"goodsName", name);
        q_->bind(u"price", price);
        q_->bind(u"amount", amount);
        q_->bind(u"day", QStringLiteral("2026-03-15"));
        q_->execute();
    }
    // The value n of the first row of a select.
    long long number(const QString& sql) {
        TQuery one(*con_, QStringLiteral("one"));
        one.load(sql);
        one.open();
        return one.field(u"n").asInteger();
    }
    long long goods() { return number(QStringLiteral("SELECT COUNT(*) AS n FROM Goods")); }

    QTemporaryDir dir_;
    std::unique_ptr<ServerBook> server_;
    std::unique_ptr<Connection> con_;
    std::unique_ptr<TQuery> q_;
};

TEST_P(BothEngines, ANameUsedTwiceIsOneParameterBoundOnce) {
    q_->load("INSERT INTO Goods(goodsName,note) VALUES(:goodsName,:goodsName)");
    EXPECT_EQ(con_->isServer(), GetParam() == Book::Server);
    q_->bind(u"GOODSNAME", QStringLiteral("苹果"));
    EXPECT_EQ(q_->execute(), 1);
    q_->load("SELECT note FROM Goods WHERE goodsName=:goodsName AND note=:goodsName");
    q_->bind(u"goodsName", QStringLiteral("苹果"));
    q_->open();
    ASSERT_EQ(q_->recordCount(), 1);
    EXPECT_EQ(q_->field(u"note").asText(), "苹果");
}

TEST_P(BothEngines, MarkersInLiteralsQuotedNamesAndCommentsAreLeftAlone) {
    addGoods(QStringLiteral("a:b"), 1, 1);
    q_->load("SELECT goodsName AS \"x:y\", ':nope' AS lit, 'it''s :still' AS esc FROM Goods "
             "/* :gone */ WHERE goodsName=:goodsName -- :neither\n AND amount=:amount");
    EXPECT_FALSE(q_->hasParameter(u"nope"));
    EXPECT_FALSE(q_->hasParameter(u"y"));
    EXPECT_FALSE(q_->hasParameter(u"still"));
    EXPECT_FALSE(q_->hasParameter(u"gone"));
    EXPECT_FALSE(q_->hasParameter(u"neither"));
    q_->bind(u"goodsName", QStringLiteral("a:b"));
    q_->bind(u"amount", 1);
    q_->open();
    ASSERT_EQ(q_->recordCount(), 1);
    EXPECT_EQ(q_->field(u"x:y").asText(), "a:b");
    EXPECT_EQ(q_->field(u"lit").asText(), ":nope");
    EXPECT_EQ(q_->field(u"esc").asText(), "it's :still");
}

TEST_P(BothEngines, EveryKindOfValueComesBackAsBound) {
    const QString name = QStringLiteral("红富士 'Fuji' \"特级\" \\ ％");
    addGoods(name, 12.5, 9007199254740993LL); // one past the integers a double holds exactly
    addGoods(QStringLiteral("负"), -0.1, -3);
    q_->load("SELECT goodsName,price,amount,day FROM Goods ORDER BY goodsID");
    q_->open();
    ASSERT_EQ(q_->recordCount(), 2);
    EXPECT_EQ(q_->field(u"goodsName").asText(), name);
    EXPECT_EQ(q_->field(u"price").asFloat(), 12.5);
    EXPECT_EQ(q_->field(u"price").asText(), "12.5");
    EXPECT_EQ(q_->field(u"amount").asInteger(), 9007199254740993LL);
    EXPECT_EQ(q_->field(u"day").asText(), "2026-03-15");
    q_->next();
    EXPECT_EQ(q_->field(u"price").asFloat(), -0.1);
    EXPECT_EQ(q_->field(u"amount").asText(), "-3");
}

TEST_P(BothEngines, TextsBoundToNumberColumnsAreConvertedByTheColumn) {
    q_->load("INSERT INTO Goods(goodsName,price,amount) VALUES(:goodsName,:price,:amount)");
    q_->bind(u"goodsName", QStringLiteral("梨"));
    q_->bind(u"price", QStringLiteral("7.25"));
    q_->bind(u"amount", QStringLiteral("4"));
    q_->execute();
    q_->load("SELECT price*amount AS total FROM Goods WHERE goodsID=:goodsID");
    q_->bind(u"goodsID", QStringLiteral("1"));
    q_->open();
    EXPECT_EQ(q_->field(u"total").asFloat(), 29);
}

// A key the person never chose ("" or a name typed where a number belongs) finds nothing in a
// condition on either engine, and cannot be stored in a number column on either.
TEST_P(BothEngines, ATextThatIsNoNumberFindsNothingInAConditionAndIsNotStored) {
    addGoods(QStringLiteral("梨"), 7.25, 4);
    for (const QString& key : {QString(), QStringLiteral("abc"), QStringLiteral("1,5")}) {
        q_->load("SELECT goodsName FROM Goods WHERE goodsID=:goodsID OR amount=:goodsID");
        q_->bind(u"goodsID", key);
        q_->open();
        EXPECT_TRUE(q_->eof()) << key.toStdString();
        q_->close();
        q_->load("UPDATE Goods SET note=:note WHERE goodsID=:goodsID");
        q_->bind(u"note", QStringLiteral("x"));
        q_->bind(u"goodsID", key);
        EXPECT_EQ(q_->execute(), 0) << key.toStdString();
        q_->load("DELETE FROM Goods WHERE amount=:amount");
        q_->bind(u"amount", key);
        EXPECT_EQ(q_->execute(), 0) << key.toStdString();
    }
    for (const QString& word : {QStringLiteral("abc"), QStringLiteral("1,5")}) {
        q_->load("INSERT INTO Goods(goodsName, amount) VALUES(:goodsName, :amount)");
        q_->bind(u"goodsName", QStringLiteral("桃"));
        q_->bind(u"amount", word);
        EXPECT_THROW(q_->execute(), DbError) << word.toStdString();
    }
    q_->load("SELECT goodsName FROM Goods WHERE goodsID=:goodsID");
    q_->bind(u"goodsID", QStringLiteral(" 1 "));
    q_->open();
    EXPECT_EQ(q_->field(u"goodsName").asText(), QStringLiteral("梨"));
    EXPECT_EQ(goods(), 1);
}

TEST_P(BothEngines, NullsReadAsEmptyTextAndZero) {
    q_->load("INSERT INTO Goods(goodsName) VALUES(:goodsName)");
    q_->bind(u"goodsName", QStringLiteral("空"));
    q_->execute();
    q_->load("SELECT price,amount,day,note FROM Goods");
    q_->open();
    for (const char16_t* column : {u"price", u"amount", u"day", u"note"}) {
        EXPECT_TRUE(q_->field(column).isNull());
        EXPECT_EQ(q_->field(column).asText(), "");
        EXPECT_EQ(q_->field(column).asFloat(), 0);
        EXPECT_EQ(q_->field(column).asInteger(), 0);
    }
}

TEST_P(BothEngines, TextComparisonsIgnoreTheCaseOfLatinLetters) {
    addGoods(QStringLiteral("Apple 苹果"), 1, 1);
    addGoods(QStringLiteral("Pear 梨"), 1, 1);
    q_->load("SELECT goodsName FROM Goods WHERE goodsName=:goodsName");
    q_->bind(u"goodsName", QStringLiteral("APPLE 苹果"));
    q_->open();
    EXPECT_EQ(q_->recordCount(), 1);
    q_->load("SELECT goodsName FROM Goods WHERE goodsName LIKE :goodsName");
    q_->bind(u"goodsName", QStringLiteral("%pPL%"));
    q_->open();
    ASSERT_EQ(q_->recordCount(), 1);
    EXPECT_EQ(q_->field(u"goodsName").asText(), "Apple 苹果");
    // A statement written for the embedded book may ask for the same thing in its own words.
    q_->load("SELECT goodsName FROM Goods WHERE goodsName=:goodsName COLLATE NOCASE");
    q_->bind(u"goodsName", QStringLiteral("pear 梨"));
    q_->open();
    EXPECT_EQ(q_->recordCount(), 1);
}

// A search box's key keeps the rows its LIKE pattern keeps, an empty key (every name that is
// not null) included, though that one is spelled without a pattern.
TEST_P(BothEngines, ASearchKeepsWhatItsPatternKeeps) {
    for (const char* name : {"Apple 苹果", "pear 梨", "", "  "})
        addGoods(QString::fromUtf8(name), 1, 1);
    con_->run("INSERT INTO Goods(goodsName,price,amount) VALUES(NULL,1,1)");
    const auto namesFound = [this] {
        q_->open();
        QStringList found;
        for (; !q_->eof(); q_->next())
            found << q_->field(u"goodsName").asText();
        found.sort();
        return found;
    };
    const QString column = QStringLiteral("goodsName");
    addGoods(QStringLiteral("D:\\仓库\\Apple"), 1, 1);
    for (const QString key : {"", "   ", "ppl", " 梨 ", "%", "nothing", "\\仓库\\a"}) {
        SCOPED_TRACE(key.toStdString());
        q_->load("SELECT goodsName FROM Goods WHERE goodsName LIKE :goodsName");
        q_->bind(u"goodsName", likePattern(key));
        const QStringList byPattern = namesFound();
        q_->load("SELECT goodsName FROM Goods WHERE " + searchCondition(column, key));
        bindSearch(*q_, column, key);
        EXPECT_EQ(namesFound(), byPattern);
        if (key.trimmed().isEmpty()) {
            EXPECT_EQ(byPattern.size(), 5);
        }
        if (key.contains(u'\\')) {
            EXPECT_EQ(byPattern, QStringList{QStringLiteral("D:\\仓库\\Apple")});
        }
    }
}

// The rows of a document are queued and run together: on a server in one round trip.
TEST_P(BothEngines, QueuedRunsAreMadeInOrderAsIfOneByOne) {
    q_->load("INSERT INTO Goods(goodsName,price,amount) VALUES(:goodsName,:price,:amount)");
    EXPECT_EQ(q_->executeQueued(), 0);
    for (int i = 1; i <= 5; ++i) {
        q_->bind(u"goodsName", QStringLiteral("货%1").arg(i));
        q_->bind(u"price", i % 2 ? QStringLiteral("1.5") : QStringLiteral("abc"));
        q_->bind(u"amount", i);
        if (i % 2)
            q_->queue();
    }
    EXPECT_EQ(q_->executeQueued(), 3);
    EXPECT_EQ(q_->executeQueued(), 0); // the queue went with the run
    q_->load("UPDATE Goods SET amount=amount*10 WHERE goodsName=:goodsName");
    for (const char* name : {"货1", "货3", "货9", "货3"}) {
        q_->bind(u"goodsName", QString::fromUtf8(name));
        q_->queue();
    }
    EXPECT_EQ(q_->executeQueued(), 3);
    TQuery check(*con_, QStringLiteral("check"));
    check.load("SELECT goodsName, amount FROM Goods ORDER BY goodsID");
    check.open();
    QStringList rows;
    for (; !check.eof(); check.next())
        rows << check.field(u"goodsName").asText() + u'=' + check.field(u"amount").asText();
    EXPECT_EQ(rows, QStringList({"货1=10", "货3=300", "货5=5"}));
}

// A run the book refuses fails the whole queue inside its transaction, and the connection
// goes on serving statements.
TEST_P(BothEngines, AQueuedRunThatFailsThrowsAndNothingOfTheQueueStays) {
    addGoods(QStringLiteral("已有"), 1, 1);
    {
        Transaction transaction(*con_);
        q_->load("INSERT INTO Goods(goodsID,goodsName,price,amount) VALUES(:goodsID,:goodsName,"
                 ":price,:amount)");
        for (const char* id : {"10", "1", "11"}) { // key 1 is taken
            q_->bind(u"goodsID", QString::fromUtf8(id));
            q_->bind(u"goodsName", QStringLiteral("新"));
            q_->bind(u"price", 2.0);
            q_->bind(u"amount", 1LL);
            q_->queue();
        }
        EXPECT_THROW(q_->executeQueued(), DbError);
    }
    EXPECT_EQ(goods(), 1);
    addGoods(QStringLiteral("之后"), 1, 1);
    EXPECT_EQ(goods(), 2);
}

// A book that cannot take a write (a disk full, a file or a server set read-only) was told in
// the engine's English. The person reads what happened in Chinese, the engine's words after
// it, and nothing is written.
TEST_P(BothEngines, AWriteTheBookCannotTakeIsToldInThePersonsWordsAndWritesNothing) {
    addGoods(QStringLiteral("已有"), 1, 1);
    const auto refusal = [this] {
        try {
            addGoods(QStringLiteral("新"), 2, 2);
        } catch (const DbError& e) {
            return e.text();
        }
        return QStringLiteral("written");
    };
    if (GetParam() == Book::Embedded) {
        con_->run("PRAGMA query_only=1");
        EXPECT_TRUE(refusal().startsWith("账簿文件是只读的，不能写入（"))
            << refusal().toStdString();
        con_->run("PRAGMA query_only=0");
        // A disk with no room left: the book may grow by no page.
        const QByteArray limit =
            "PRAGMA max_page_count=" +
            QByteArray::number(number("SELECT page_count AS n FROM pragma_page_count"));
        con_->run(limit.constData());
        QString said;
        for (int n = 0; n < 1000 && said.isEmpty(); ++n) {
            q_->load("INSERT INTO Goods(goodsName,note) VALUES('满',:note)");
            q_->bind(u"note", QString(2000, u'满'));
            try {
                q_->execute();
            } catch (const DbError& e) {
                said = e.text();
            }
        }
        EXPECT_TRUE(said.startsWith("磁盘空间已满，未能写入（")) << said.toStdString();
        EXPECT_FALSE(said.startsWith("磁盘空间已满，未能写入（）"));
    } else {
        con_->run("SET default_transaction_read_only=on");
        EXPECT_TRUE(refusal().startsWith("服务器上的账簿是只读的，不能写入（"))
            << refusal().toStdString();
        con_->run("SET default_transaction_read_only=off");
    }
    EXPECT_EQ(number("SELECT COUNT(*) AS n FROM Goods WHERE goodsName='新'"), 0);
}

// An import queues thousands of rows; a server takes them a few hundred at a time.
TEST_P(BothEngines, ALongQueueIsMadeWholeOrFailsWhole) {
    const auto queueGoods = [this](int from, int count) {
        for (int id = from; id < from + count; ++id) {
            q_->bind(u"goodsID", QString::number(id));
            q_->bind(u"goodsName", QStringLiteral("货%1").arg(id));
            q_->bind(u"price", 1.0);
            q_->bind(u"amount", 1LL);
            q_->queue();
        }
    };
    q_->load("INSERT INTO Goods(goodsID,goodsName,price,amount) VALUES(:goodsID,:goodsName,"
             ":price,:amount)");
    queueGoods(1, 450);
    EXPECT_EQ(q_->executeQueued(), 450);
    {
        Transaction transaction(*con_);
        queueGoods(1000, 449);
        queueGoods(450, 1); // taken, in the third part of the queue
        EXPECT_THROW(q_->executeQueued(), DbError);
    }
    EXPECT_EQ(goods(), 450);
}

TEST_P(BothEngines, ExecuteCountsTheRowsItChanged) {
    for (const char* name : {"a", "b", "c"})
        addGoods(QString::fromUtf8(name), 1, 1);
    q_->load("UPDATE Goods SET amount=amount+:amount WHERE goodsID>:goodsID");
    q_->bind(u"amount", 2);
    q_->bind(u"goodsID", QStringLiteral("1"));
    EXPECT_EQ(q_->execute(), 2);
    q_->bind(u"goodsID", QStringLiteral("9"));
    EXPECT_EQ(q_->execute(), 0);
}

TEST_P(BothEngines, ParametersInAnInsertsSelectTakeTheColumnsTypes) {
    addGoods(QStringLiteral("原"), 1, 1);
    q_->load("INSERT INTO Goods(goodsName,price,day,amount) SELECT :goodsName,:price,:day,amount "
             "FROM Goods WHERE goodsID=:goodsID");
    q_->bind(u"goodsName", QStringLiteral("抄"));
    q_->bind(u"price", QStringLiteral("3.5"));
    q_->bind(u"day", QStringLiteral("2026-01-02"));
    q_->bind(u"goodsID", QStringLiteral("1"));
    EXPECT_EQ(q_->execute(), 1);
    q_->load("SELECT price,day FROM Goods WHERE goodsName='抄'");
    q_->open();
    EXPECT_EQ(q_->field(u"price").asFloat(), 3.5);
    EXPECT_EQ(q_->field(u"day").asText(), "2026-01-02");
}

TEST_P(BothEngines, ComparisonsAndTheEmbeddedSpellingsReadAsNumbers) {
    addGoods(QStringLiteral("梨"), 2, 5);
    q_->load("SELECT amount>3 AS big, ifnull(note,'无') AS note, price==2 AS two FROM Goods");
    q_->open();
    EXPECT_EQ(q_->field(u"big").asInteger(), 1);
    EXPECT_EQ(q_->field(u"big").asText(), "1");
    EXPECT_EQ(q_->field(u"two").asInteger(), 1);
    EXPECT_EQ(q_->field(u"note").asText(), "无");
}

TEST_P(BothEngines, LoadedRowsSortAsNumbersAndTexts) {
    addGoods(QStringLiteral("b"), 10, 1);
    addGoods(QStringLiteral("A"), 9.5, 2);
    addGoods(QStringLiteral("c"), 100, 3);
    q_->load("SELECT goodsName,price FROM Goods");
    q_->open();
    q_->sort(QStringLiteral("price DESC"));
    EXPECT_EQ(q_->field(u"goodsName").asText(), "c");
    q_->sort(QStringLiteral("goodsName ASC"));
    EXPECT_EQ(q_->field(u"goodsName").asText(), "A");
}

TEST_P(BothEngines, EngineErrorsBecomeDbErrorsWithTheEnginesText) {
    try {
        // The embedded engine finds the fault when the statement is loaded, the server when
        // it runs.
        q_->load("SELECT nosuchcolumn FROM Goods");
        q_->open();
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("nosuchcolumn"), Qt::CaseInsensitive))
            << e.text().toStdString();
    }
    // The connection stays usable.
    addGoods(QStringLiteral("后"), 1, 1);
    EXPECT_EQ(goods(), 1);
}

TEST_P(BothEngines, ATextOfTwoStatementsIsRefused) {
    EXPECT_THROW(
        {
            q_->load("DELETE FROM Goods; DROP TABLE Goods");
            q_->execute();
        },
        DbError);
    addGoods(QStringLiteral("在"), 1, 1);
    EXPECT_EQ(goods(), 1);
}

TEST_P(BothEngines, TransactionsLeftWithoutCommitUndoTheirStatementsInnerOnesAlone) {
    {
        Transaction outer(*con_);
        addGoods(QStringLiteral("外"), 1, 1);
        {
            Transaction inner(*con_);
            addGoods(QStringLiteral("内"), 1, 1);
        }
        EXPECT_EQ(goods(), 1);
        outer.commit();
    }
    EXPECT_EQ(goods(), 1);
    {
        Transaction outer(*con_);
        Transaction inner(*con_);
        addGoods(QStringLiteral("弃"), 1, 1);
        inner.commit();
    }
    EXPECT_EQ(goods(), 1);
}

TEST_P(BothEngines, AFailingStatementUndoesTheWholeOperation) {
    try {
        Transaction t(*con_);
        addGoods(QStringLiteral("先"), 1, 1);
        q_->load("INSERT INTO Goods(goodsID,goodsName) VALUES(:goodsID,:goodsName)");
        q_->bind(u"goodsID", 1); // taken
        q_->bind(u"goodsName", QStringLiteral("重"));
        q_->execute();
        t.commit();
        FAIL() << "no error";
    } catch (const DbError&) {
    }
    EXPECT_EQ(goods(), 0);
    Transaction t(*con_);
    addGoods(QStringLiteral("再"), 1, 1);
    t.commit();
    EXPECT_EQ(goods(), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, BothEngines, ::testing::Values(Book::Embedded, Book::Server),
                         [](const auto& info) {
                             return info.param == Book::Embedded ? "Embedded" : "Server";
                         });

} // namespace
