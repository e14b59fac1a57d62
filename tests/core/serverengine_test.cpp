// What only a book on a server does: exact numbers, a lost connection, an unreachable server,
// and the embedded engine's own statements absorbed.
#include "core/connection.h"
#include "core/dberror.h"
#include "core/query.h"
#include "core/schema.h"
#include "core/serversetting.h"
#include "core/transaction.h"
#include "support/privatecluster.h"
#include "support/serverbook.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class ServerEngine : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(con_.open()) << con_.lastError().toStdString();
        con_.run("CREATE EXTENSION IF NOT EXISTS citext; "
                 "CREATE TABLE Cash(cashID bigserial PRIMARY KEY, remark citext, "
                 "sumMoney numeric)");
    }
    void add(double money) {
        q_.load("INSERT INTO Cash(remark,sumMoney) VALUES(:remark,:sumMoney)");
        q_.bind(u"remark", QStringLiteral("款"));
        q_.bind(u"sumMoney", money);
        q_.execute();
    }
    long long rows() {
        q_.load("SELECT COUNT(*) AS n FROM Cash");
        q_.open();
        return q_.field(u"n").asInteger();
    }

    ServerBook book_;
    Connection con_ = Connection::server(book_.conninfo());
    TQuery q_{con_, QStringLiteral("QueryCommon")};
};

TEST_F(ServerEngine, AmountsBoundAsNumbersAreSummedExactly) {
    add(0.1);
    add(0.2);
    q_.load("SELECT SUM(sumMoney) AS total, SUM(sumMoney)=0.3 AS exact FROM Cash");
    q_.open();
    EXPECT_EQ(q_.field(u"exact").asInteger(), 1);
    EXPECT_EQ(q_.field(u"total").asText(), "0.3");
    EXPECT_EQ(q_.field(u"total").asFloat(), 0.3);
    // Numbers bound to an expression are exact there too, not only once stored.
    q_.load("SELECT :a + :b = 0.3 AS exact");
    q_.bind(u"a", 0.1);
    q_.bind(u"b", 0.2);
    q_.open();
    EXPECT_EQ(q_.field(u"exact").asInteger(), 1);
}

TEST_F(ServerEngine, CastsKeepTheirColonsBesideAParameter) {
    q_.load("SELECT :v::numeric + 1 AS n, '7'::int AS i");
    q_.bind(u"v", QStringLiteral("1.5"));
    q_.open();
    EXPECT_EQ(q_.field(u"n").asFloat(), 2.5);
    EXPECT_EQ(q_.field(u"i").asInteger(), 7);
}

TEST_F(ServerEngine, TheEmbeddedEnginesOwnStatementsAreAbsorbed) {
    EXPECT_NO_THROW(con_.run("PRAGMA foreign_keys=ON"));
    con_.run("BEGIN IMMEDIATE");
    add(1);
    con_.run("ROLLBACK");
    EXPECT_EQ(rows(), 0);
    EXPECT_THROW(con_.handle(), DbError);
    EXPECT_TRUE(con_.isServer());
}

TEST_F(ServerEngine, AConnectionKilledMidOperationFailsItWholeAndTheNextStatementReconnects) {
    q_.load("SELECT pg_backend_pid() AS pid");
    q_.open();
    const long long pid = q_.field(u"pid").asInteger();
    try {
        Transaction t(con_);
        add(1);
        ServerBook::admin(QStringLiteral("SELECT pg_terminate_backend(%1, 10000)").arg(pid));
        add(2);
        t.commit();
        FAIL() << "the operation went on after its connection was gone";
    } catch (const DbError& e) {
        // Said in the person's language, without libpq's English.
        EXPECT_EQ(e.text(), "与服务器的连接已中断，请检查服务器和网络后重试");
        EXPECT_TRUE(e.connectionLost());
        EXPECT_FALSE(e.conflict());
    }
    EXPECT_FALSE(con_.isOpen());
    EXPECT_EQ(rows(), 0);
    add(3);
    EXPECT_EQ(rows(), 1);
}

TEST_F(ServerEngine, AnOperationWhoseConnectionWasLostDoesNotCommitOnTheNextSession) {
    q_.load("SELECT pg_backend_pid() AS pid");
    q_.open();
    const long long pid = q_.field(u"pid").asInteger();
    Transaction t(con_);
    add(1);
    ServerBook::admin(QStringLiteral("SELECT pg_terminate_backend(%1, 10000)").arg(pid));
    EXPECT_THROW(add(2), DbError);
    add(3); // a caller that carried on: the new session writes it on its own
    try {
        t.commit();
        FAIL() << "the commit reported success for an operation whose session was gone";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.connectionLost());
    }
    EXPECT_EQ(rows(), 1);
}

// The runs of a queue go out together; a connection cut under them fails them all as a lost
// connection, and the next statement connects again.
TEST_F(ServerEngine, AQueueWhoseConnectionWasKilledFailsAsALostConnection) {
    add(1); // the insert is made ready on this session: the queue itself meets the break
    q_.load("SELECT pg_backend_pid() AS pid");
    q_.open();
    const long long pid = q_.field(u"pid").asInteger();
    try {
        Transaction t(con_);
        q_.load("INSERT INTO Cash(remark,sumMoney) VALUES(:remark,:sumMoney)");
        for (double money : {2.0, 3.0, 4.0}) {
            q_.bind(u"remark", QStringLiteral("款"));
            q_.bind(u"sumMoney", money);
            q_.queue();
        }
        ServerBook::admin(QStringLiteral("SELECT pg_terminate_backend(%1, 10000)").arg(pid));
        q_.executeQueued();
        t.commit();
        FAIL() << "the queue went on after its connection was gone";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.connectionLost()) << e.text().toStdString();
    }
    EXPECT_EQ(rows(), 1);
    add(5);
    EXPECT_EQ(rows(), 2);
}

TEST_F(ServerEngine, AnErrorOfTheServerItselfIsNoLostConnection) {
    try {
        q_.load("SELECT nothing FROM Cash");
        q_.open();
        FAIL() << "an unknown column was read";
    } catch (const DbError& e) {
        EXPECT_FALSE(e.connectionLost());
    }
    EXPECT_TRUE(con_.isOpen());
}

TEST_F(ServerEngine, AStatementOnAKilledConnectionOutsideAnOperationFailsAndTheNextWorks) {
    q_.load("SELECT pg_backend_pid() AS pid");
    q_.open();
    ServerBook::admin(
        QStringLiteral("SELECT pg_terminate_backend(%1, 10000)").arg(q_.field(u"pid").asInteger()));
    EXPECT_THROW(add(1), DbError);
    add(2);
    EXPECT_EQ(rows(), 1);
}

// As when the server restarted overnight: the first read, or the first transaction to begin,
// finds the session gone and is made on a new one unseen. Inside a transaction nothing is made
// again: what the transaction wrote is gone with its session.
TEST_F(ServerEngine, AReadOrABeginningThatFindsTheSessionGoneIsMadeOnANewOne) {
    const auto session = [this] {
        q_.load("SELECT pg_backend_pid() AS pid");
        q_.open();
        return q_.field(u"pid").asInteger();
    };
    const auto end = [](long long pid) {
        ServerBook::admin(QStringLiteral("SELECT pg_terminate_backend(%1, 10000)").arg(pid));
    };
    add(1);
    const long long first = session();
    end(first);
    EXPECT_EQ(rows(), 1);

    const long long second = session();
    EXPECT_NE(second, first);
    end(second);
    {
        Transaction t(con_);
        add(2);
        t.commit();
    }
    EXPECT_EQ(rows(), 2);

    try {
        Transaction t(con_);
        add(3);
        end(session());
        rows();
        FAIL() << "a read went on inside a transaction whose session was gone";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.connectionLost()) << e.text().toStdString();
    }
    EXPECT_EQ(rows(), 2);
}

// After a break, a new session learns from the server what became of the transaction by its
// id: committed, rolled back, or still running on a session the server has not ended.
TEST_F(ServerEngine, ATransactionsFateIsLearnedOnANewSessionByItsId) {
    using transactions::Fate;
    QString committed, rolledBack;
    {
        Transaction t(con_);
        committed = transactions::serverId(con_);
        add(1);
        t.commit();
    }
    {
        Transaction t(con_);
        rolledBack = transactions::serverId(con_);
        add(2);
    }
    Connection other = Connection::server(book_.conninfo());
    ASSERT_TRUE(other.open());
    Transaction running(other);
    const QString stillRunning = transactions::serverId(other);
    TQuery unfinished(other, QStringLiteral("other"));
    unfinished.load("INSERT INTO Cash(remark) VALUES('未完')");
    unfinished.execute();

    ASSERT_FALSE(committed.isEmpty());
    EXPECT_NE(committed, rolledBack);
    EXPECT_EQ(transactions::fateAfterBreak(con_, committed), Fate::Committed);
    EXPECT_EQ(transactions::fateAfterBreak(con_, rolledBack), Fate::RolledBack);
    EXPECT_EQ(transactions::fateAfterBreak(con_, stillRunning), Fate::Unknown);
    EXPECT_EQ(transactions::fateAfterBreak(con_, QString()), Fate::RolledBack)
        << "broken before its id was learned, long before its commit";
}

TEST_F(ServerEngine, AStatementRunAgainIsMadeReadyOnceAndItsTypesOfValueEachOnce) {
    const auto kept = [this] {
        TQuery look(con_, QStringLiteral("QueryP1"));
        look.load("SELECT COUNT(*) AS n FROM pg_prepared_statements WHERE statement LIKE "
                  "'INSERT INTO Cash%'");
        look.open();
        return look.field(u"n").asInteger();
    };
    for (int i = 0; i < 3; ++i)
        add(1);
    EXPECT_EQ(kept(), 1);
    // The same text with a text where a number was: the server types the value otherwise.
    q_.load("INSERT INTO Cash(remark,sumMoney) VALUES(:remark,:sumMoney)");
    q_.bind(u"remark", QStringLiteral("款"));
    q_.bind(u"sumMoney", QStringLiteral("2.5"));
    q_.execute();
    add(1);
    EXPECT_EQ(kept(), 2);
    EXPECT_EQ(rows(), 5);
}

TEST_F(ServerEngine, AStatementKeptBeforeItsTableWasMadeAnewReadsTheNewColumns) {
    add(1);
    q_.load("SELECT * FROM Cash");
    q_.open();
    EXPECT_EQ(q_.result().columnCount(), 3);
    // Made anew through this connection: as a plain statement, then as a slot's statement.
    con_.run("DROP TABLE Cash; CREATE TABLE Cash(cashID bigserial PRIMARY KEY, remark citext, "
             "sumMoney numeric, empName citext)");
    q_.load("SELECT * FROM Cash");
    q_.open();
    EXPECT_EQ(q_.result().columns(), QStringList({"cashid", "remark", "summoney", "empname"}));
    q_.load("ALTER TABLE Cash DROP COLUMN remark");
    q_.execute();
    q_.load("SELECT * FROM Cash");
    q_.open();
    EXPECT_EQ(q_.result().columnCount(), 3);
    // Changed by another session: the kept plan may fail once; the next run reads it anew.
    Connection other = Connection::server(book_.conninfo());
    other.run("ALTER TABLE Cash ADD COLUMN note text");
    try {
        q_.open();
    } catch (const DbError&) {
        q_.open();
    }
    EXPECT_EQ(q_.result().columnCount(), 4);
}

TEST(ServerConnection, AnUnreachableServerGivesTheReasonWithoutThrowing) {
    Connection con =
        Connection::server(QStringLiteral("host=/nonexistent/vesk port=5999 dbname=x"));
    bool opened = true;
    EXPECT_NO_THROW(opened = con.open());
    EXPECT_FALSE(opened);
    EXPECT_TRUE(con.lastError().startsWith(QStringLiteral("无法连接到服务器：")));
    EXPECT_TRUE(con.lastError().contains(QStringLiteral("/nonexistent/vesk")))
        << con.lastError().toStdString();
    EXPECT_EQ(con.lastError(), con.lastError().simplified()) << "lines and tabs of libpq's";
    TQuery q(con, QStringLiteral("QueryCommon"));
    EXPECT_THROW(q.load("SELECT 1"), DbError);
}

// A role of the cluster that must give its password ('right'; scripts/pgcluster.sh), for as
// long as this lives; conninfo() connects as it, without a password.
class PasswordRole {
public:
    explicit PasswordRole(QString cluster) : cluster_(std::move(cluster)) {
        ServerBook::admin(QStringLiteral("DROP ROLE IF EXISTS vesk_password_engine"), cluster_);
        ServerBook::admin(QStringLiteral("CREATE ROLE vesk_password_engine LOGIN PASSWORD 'right'"),
                          cluster_);
    }
    ~PasswordRole() {
        ServerBook::admin(QStringLiteral("DROP ROLE vesk_password_engine"), cluster_);
    }
    QString conninfo() const { return cluster_ + QStringLiteral(" user=vesk_password_engine"); }
    QString with(const char* password) const {
        return serversetting::withPassword(conninfo(), QString::fromLatin1(password));
    }

private:
    QString cluster_;
};

QString failureOf(const QString& conninfo) {
    Connection con = Connection::server(conninfo);
    EXPECT_FALSE(con.open());
    return con.lastError();
}

// What the failure of a connection says when the server asked for a password, in the program's
// words: the start-up and the settings window ask for a password by them.
TEST(ServerConnection, AFailureAfterTheServerAskedForAPasswordSaysSo) {
    const PasswordRole role(ServerBook::clusterConninfo());
    const QString none = failureOf(role.conninfo());
    EXPECT_TRUE(none.startsWith(QStringLiteral("无法连接到服务器：服务器要求输入密码：")))
        << none.toStdString();
    EXPECT_TRUE(serversetting::needsPassword(none));
    const QString wrong = failureOf(role.with("wrong"));
    EXPECT_TRUE(
        wrong.startsWith(QStringLiteral("无法连接到服务器：已给出密码，服务器仍拒绝连接：")))
        << wrong.toStdString();
    EXPECT_TRUE(serversetting::needsPassword(wrong));
    // A server that asked for none failed for another reason: no password would help.
    const QString trusted =
        failureOf(ServerBook::clusterConninfo() + QStringLiteral(" dbname=vt_nosuchbook"));
    EXPECT_FALSE(serversetting::needsPassword(trusted)) << trusted.toStdString();
}

// A shop's server set up in Chinese words its refusal in Chinese; it is recognised all the
// same. On a cluster of its own: the suite's cluster keeps its language.
TEST(ServerConnection, AServerSpeakingChineseIsAskedForThePasswordAgainAfterAWrongOne) {
    PrivateCluster cluster(QStringLiteral("chinese"));
    ASSERT_TRUE(cluster.started());
    ServerBook::admin(QStringLiteral("ALTER SYSTEM SET lc_messages = 'zh_CN.UTF-8'"),
                      cluster.conninfo());
    ASSERT_TRUE(cluster.restart());
    const PasswordRole role(cluster.conninfo());
    const QString refused = failureOf(role.with("wrong"));
    EXPECT_TRUE(refused.contains(QStringLiteral("认证失败"))) << refused.toStdString();
    EXPECT_TRUE(serversetting::needsPassword(refused)) << refused.toStdString();
    Connection right = Connection::server(role.with("right"));
    EXPECT_TRUE(right.open()) << right.lastError().toStdString();
}

TEST(ServerConnection, ABadConnectionStringGivesTheReason) {
    Connection con = Connection::server(QStringLiteral("host=/tmp nosuchkey=1"));
    EXPECT_FALSE(con.open());
    EXPECT_TRUE(con.lastError().contains(QStringLiteral("nosuchkey")))
        << con.lastError().toStdString();
}

// A counter cut off while a newer program upgraded the book goes no further: its statements
// may no longer fit the book's tables.
TEST_F(ServerEngine, ReconnectingToABookANewerProgramUpgradedMeanwhileIsRefused) {
    con_.run("CREATE TABLE VeskBook(version bigint); INSERT INTO VeskBook VALUES (1)");
    add(1);
    q_.load("SELECT pg_backend_pid() AS pid");
    q_.open();
    const long long pid = q_.field(u"pid").asInteger();
    q_.close();
    ServerBook::admin(QStringLiteral("SELECT pg_terminate_backend(%1, 10000)").arg(pid));
    // A book of its own version (or an earlier one) it carries on with.
    EXPECT_EQ(rows(), 1);

    q_.load("SELECT pg_backend_pid() AS pid");
    q_.open();
    const long long again = q_.field(u"pid").asInteger();
    q_.close();
    con_.run(QStringLiteral("UPDATE VeskBook SET version = %1")
                 .arg(schema::kUserVersion + 1)
                 .toUtf8()
                 .constData());
    ServerBook::admin(QStringLiteral("SELECT pg_terminate_backend(%1, 10000)").arg(again));
    EXPECT_THROW(add(2), DbError) << "the break itself is told first";
    try {
        add(3);
        FAIL() << "went on with a book of a newer version";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("较新版本"))) << e.text().toStdString();
    }
    EXPECT_FALSE(con_.isOpen());
    ServerBook::admin(QStringLiteral("UPDATE VeskBook SET version = 1"), book_.conninfo());
    EXPECT_EQ(rows(), 1) << "nothing of the refused statement was written";
}

} // namespace
