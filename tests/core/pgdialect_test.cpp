// How a statement written for the embedded book reads on the server.
#include "core/dberror.h"
#include "core/pgdialect.h"

#include <gtest/gtest.h>

namespace {

std::string sqlOf(const QString& text) {
    return pgdialect::translate(text).sql.toStdString();
}

TEST(ServerSpelling, MarkersBecomeNumberedParametersTheSameNameTheSameNumber) {
    const pgdialect::Translated t =
        pgdialect::translate(QStringLiteral("UPDATE T SET a=:a,b=:名称 WHERE c=:a OR d=:A_1"));
    EXPECT_EQ(t.sql.toStdString(), "UPDATE T SET a=$1,b=$2 WHERE c=$1 OR d=$3");
    EXPECT_EQ(t.parameters, QStringList({"a", "名称", "A_1"}));
    // Right after a word the server would read the word and the marker as one name.
    EXPECT_EQ(sqlOf("SELECT * FROM t WHERE (a IN(:a)) OR (b=ANY:b)"),
              "SELECT * FROM t WHERE (a IN($1)) OR (b=ANY $2)");
}

TEST(ServerSpelling, CastsLiteralsQuotedNamesAndCommentsKeepTheirColons) {
    EXPECT_EQ(sqlOf("SELECT :v::numeric, x::text FROM t"), "SELECT $1::numeric, x::text FROM t");
    EXPECT_EQ(sqlOf("SELECT 'a:b', 'it''s :c', E'\\' :d', \"e:f\" FROM t WHERE g=:g"),
              "SELECT 'a:b', 'it''s :c', E'\\' :d', \"e:f\" FROM t WHERE g=$1");
    EXPECT_EQ(sqlOf("SELECT 1 -- :a\n, /* :b /* :c */ :d */ :e"),
              "SELECT 1 -- :a\n, /* :b /* :c */ :d */ $1");
    EXPECT_EQ(sqlOf("SELECT $q$ :a ' $q$, :b"), "SELECT $q$ :a ' $q$, $1");
}

TEST(ServerSpelling, TheEmbeddedBooksWordsAreRespelledOutsideLiterals) {
    EXPECT_EQ(sqlOf("SELECT IFNULL(je,0), ifnull (x, 'ifnull(') FROM v"),
              "SELECT coalesce(je,0), coalesce (x, 'ifnull(') FROM v");
    EXPECT_EQ(sqlOf("SELECT last_insert_rowid(), instr(a,'b')"), "SELECT lastval(), strpos(a,'b')");
    EXPECT_EQ(sqlOf("DROP TABLE IF EXISTS temp.booksMoved"),
              "DROP TABLE IF EXISTS pg_temp.booksMoved");
    EXPECT_EQ(sqlOf("CREATE TEMP TABLE temp_x(a)"), "CREATE TEMP TABLE temp_x(a)");
    EXPECT_EQ(sqlOf("SELECT a FROM t WHERE a=:a COLLATE NOCASE ORDER BY a collate nocase"),
              "SELECT a FROM t WHERE a=$1  ORDER BY a ");
    EXPECT_EQ(sqlOf("SELECT a==1, 'a==b' FROM t"), "SELECT a=1, 'a==b' FROM t");
    // A column that merely begins like one of them stays as it is.
    EXPECT_EQ(sqlOf("SELECT ifnullx(a), myifnull(a), temperature.x FROM t"),
              "SELECT ifnullx(a), myifnull(a), temperature.x FROM t");
}

// A backslash in a bound pattern is the backslash itself, as on the embedded book.
TEST(ServerSpelling, ABoundLikePatternEscapesNothing) {
    EXPECT_EQ(sqlOf("SELECT a FROM t WHERE a LIKE :a AND b like:b ORDER BY a"),
              "SELECT a FROM t WHERE a LIKE $1 ESCAPE '' AND b like $2 ESCAPE '' ORDER BY a");
    EXPECT_EQ(sqlOf("SELECT a FROM t WHERE a LIKE :a ESCAPE '!' OR a LIKE 'x\\_%' ESCAPE '\\'"),
              "SELECT a FROM t WHERE a LIKE $1 ESCAPE '!' OR a LIKE 'x\\_%' ESCAPE '\\'");
    EXPECT_EQ(sqlOf("SELECT a FROM t WHERE a = :a AND b LIKE 'c%'"),
              "SELECT a FROM t WHERE a = $1 AND b LIKE 'c%'");
}

TEST(ServerSpelling, OneStatementAtATime) {
    EXPECT_NO_THROW(pgdialect::translate(QStringLiteral("SELECT 1;  \n")));
    EXPECT_NO_THROW(pgdialect::translate(QStringLiteral("SELECT ';' -- ; more\n")));
    EXPECT_THROW(pgdialect::translate(QStringLiteral("SELECT 1; DELETE FROM t")), DbError);
}

} // namespace
