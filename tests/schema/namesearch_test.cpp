// A fragment typed into a search box finds on a server book what its LIKE finds, through the
// index of the names' characters and pairs of characters; a book without that index is
// searched by the LIKE alone.
#include "core/connection.h"
#include "core/pgdialect.h"
#include "core/query.h"
#include "core/sqltext.h"
#include "schema/serverschema.h"
#include "support/serverdb.h"

#include <gtest/gtest.h>

namespace {

const char* const kProducts = R"(
INSERT INTO Fprodcate(cateName) VALUES ('文具');
INSERT INTO Fproduct(cateID, prodBH, prodName) VALUES
  (1, 'HD-001', '宏达文具'), (1, 'hd001', '杭州宏达'), (1, 'Z1', '宏'), (1, 'Z2', '达宏'),
  (1, 'Z3', 'Green TEA 绿茶'), (1, 'Z4', 'tea'), (1, 'Z5', '10%折扣'), (1, 'Z6', 'a_b'),
  (1, 'Z7', 'a\b'), (1, 'Z8', 'ÉCOLE'), (1, NULL, NULL), (1, '', ''), (1, 'Z9', '宏 达'),
  (1, 'Q宏达', 'x'), (1, 'Z10', E'行\n一\x01二三');
INSERT INTO Fcustomer(compName) VALUES ('杭州宏达商行'), ('Hangzhou Mart'), ('宁波');
)";

const QString kSearch = QStringLiteral("SELECT prodID FROM Fproduct WHERE (prodBH LIKE :prodBH) "
                                       "OR (prodName LIKE :prodName) ORDER BY prodID");

QString literal(QString text) {
    return u'\'' + text.replace(u'\'', QStringLiteral("''")) + u'\'';
}

class NameSearch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(schema::createOnServer(server_.conninfo()), "");
        ASSERT_EQ(server_.exec(QString::fromUtf8(kProducts)), "");
    }

    // The products the program's search finds, through the data module.
    QStringList searched(const QString& key) {
        Connection book = Connection::server(QString::fromStdString(server_.conninfo()));
        EXPECT_TRUE(book.open());
        TQuery q(book, QStringLiteral("Search"));
        q.load(kSearch);
        q.bind(u"prodBH", likePattern(key));
        q.bind(u"prodName", likePattern(key));
        q.open();
        QStringList found;
        for (; !q.eof(); q.next())
            found << q.field(u"prodID").asText();
        return found;
    }
    // What the LIKE alone finds (ILIKE is citext's LIKE, and no statement of the program).
    QStringList byPattern(const QString& key) {
        return server_.rows(QStringLiteral("SELECT prodID FROM Fproduct WHERE prodBH ILIKE %1 "
                                           "OR prodName ILIKE %1 ORDER BY prodID")
                                .arg(literal(likePattern(key))));
    }

    ServerDb server_;
};

const QStringList kKeys{"宏达", "宏",  "达宏",       "HD",     "hd-0", "tea",    "TEA 绿", "%",
                        "_",    "10%", "a_b",        "\\",     "x",    "É",      "é",      "宏 达",
                        "绿茶", "e t", "宏达文具店", "行\n一", "二三", "\x01二", "一\x01"};

TEST_F(NameSearch, AFragmentFindsWhatItsPatternFinds) {
    for (const QString& key : kKeys) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(searched(key), byPattern(key));
    }
    EXPECT_EQ(searched(QStringLiteral("宏达")).size(), 3); // two names and a code
    EXPECT_EQ(searched(QStringLiteral("tea")).size(), 2);
}

TEST_F(NameSearch, TheSearchIsAnsweredByTheIndexOfPairs) {
    const auto plan = [this](const QString& statement, const QString& key) {
        QString sql = QString::fromUtf8(pgdialect::translate(statement, true).sql);
        sql.replace(QStringLiteral("$1"), literal(likePattern(key)));
        sql.replace(QStringLiteral("$2"), literal(likePattern(key)));
        // The book of a test is too small for the planner to choose any index by itself.
        return server_.rows("SET enable_seqscan = off; SET enable_indexscan = off; EXPLAIN " + sql)
            .join(u'\n');
    };
    const QString products = plan(kSearch, QStringLiteral("宏达"));
    EXPECT_TRUE(products.contains(QStringLiteral("ixproductnamepairs")) &&
                products.contains(QStringLiteral("ixproductcodepairs")))
        << products.toStdString();
    // Through the statistics' view, whose name comes from the counterpart tables.
    const QString statistics =
        plan(QStringLiteral("SELECT orderID FROM VtjSale WHERE compName LIKE :compName"),
             QStringLiteral("宏达"));
    EXPECT_TRUE(statistics.contains(QStringLiteral("ixcustomernamepairs")))
        << statistics.toStdString();
}

TEST_F(NameSearch, ABookWithoutThePairsIsSearchedByItsLikeAlone) {
    ASSERT_EQ(server_.exec(QStringLiteral("DROP FUNCTION vesk_pairs, vesk_like_pairs CASCADE")),
              "");
    for (const QString& key : kKeys) {
        SCOPED_TRACE(key.toStdString());
        EXPECT_EQ(searched(key), byPattern(key));
    }
}

} // namespace
