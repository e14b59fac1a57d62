#include "admin/systeminitialisation.h"
#include "admin/ui/tfrmrestoredata.h"
#include "admintest.h"
#include "support/booksagree.h"

#include <QProcess>
#include <QSet>

namespace {

// The book with a second copy of the program open on it, as when a person starts the program
// twice: the peer process posts on command while this one restores or initialises.
class TwoCopies : public AdminTest {
protected:
    void SetUp() override {
        AdminTest::SetUp();
        addHouse("一号仓");
        addProduct("矿泉水");
        data_->myCon.close();
        peer_.setProgram(QStringLiteral(VESK_BOOKPEER));
        peer_.setArguments({directory()});
        peer_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        peer_.start();
        ASSERT_TRUE(peer_.waitForStarted(10000));
        ASSERT_EQ(line(), "ready");
    }
    void TearDown() override {
        if (peer_.state() != QProcess::NotRunning) {
            tell("quit");
            if (!peer_.waitForFinished(30000))
                peer_.kill();
        }
        AdminTest::TearDown();
    }

    void tell(const QString& command) {
        peer_.write((command + u'\n').toUtf8());
        peer_.waitForBytesWritten(5000);
    }
    // The peer's next line; empty when it said nothing for a long while.
    QString line() {
        while (!peer_.canReadLine())
            if (!peer_.waitForReadyRead(60000))
                return QString();
        return QString::fromUtf8(peer_.readLine()).trimmed();
    }
    // Every line the peer says until it has answered for the last of n postings.
    QStringList answers(int n) {
        QStringList said;
        while (said.size() < n) {
            const QString next = line();
            if (next.isEmpty())
                break;
            said << next;
        }
        return said;
    }

    // The book is whole, its books agree, and every purchase has its line.
    void expectOneSoundBook() {
        EXPECT_EQ(scalar("PRAGMA integrity_check"), "ok");
        expectBooksAgree(data_->myCon);
        EXPECT_EQ(count("OrderPurD"), count("OrderPur"));
    }
    QSet<QString> purchases() {
        QSet<QString> codes;
        TQuery& q = sysData->QueryCommon;
        q.load("SELECT orderID FROM OrderPur");
        for (q.open(); !q.eof(); q.next())
            codes << q.field(u"orderID").asText();
        q.close();
        return codes;
    }
    // The peer's postings PREFIX-1 to PREFIX-150 that the book holds are the last ones, with
    // none missing between (the other copy's operation took away all before a moment, and
    // nothing after it), and its posting after the operation is there.
    void expectASuffixOfThePostingsAndTheLast(const QString& prefix) {
        const QSet<QString> found = purchases();
        int first = 151;
        while (first > 1 && found.contains(prefix + u'-' + QString::number(first - 1)))
            --first;
        for (int i = 1; i < first; ++i)
            EXPECT_FALSE(found.contains(prefix + u'-' + QString::number(i))) << i;
        EXPECT_TRUE(found.contains("after"));
        EXPECT_EQ(found.size(), 151 - first + 1);
    }
    void restore(const QString& file) {
        restoreWindow_.show();
        drive::type(drive::find<QLineEdit>(restoreWindow_, "txtPath"), file);
        messages_.answerOk(); // what was written since the backup goes
        drive::click(restoreWindow_, "btnRestore");
        restoreWindow_.close();
    }

    QProcess peer_;
    TfrmRestoreData restoreWindow_;
};

TEST_F(TwoCopies, AfterARestoreTheSecondCopyPostsIntoTheRestoredBookAndBothStayWhole) {
    const QString backup = directory() + "before.bak";
    ASSERT_TRUE(bookfile::backUp(data_->myCon, backup, [](int) {}).done);
    tell("post A-1");
    ASSERT_EQ(line(), "P A-1");
    restore(backup);
    EXPECT_EQ(messages_.last(), "数据还原成功!");
    tell("post B-1");
    ASSERT_EQ(line(), "P B-1");
    EXPECT_EQ(purchases(), QSet<QString>({"B-1"}));
    expectOneSoundBook();
    tell("quit");
    ASSERT_TRUE(peer_.waitForFinished(30000));
    EXPECT_EQ(peer_.exitCode(), 0);
    // The program starts on the book again.
    data_->myCon.close();
    Connection again(bookPath());
    EXPECT_TRUE(again.open()) << again.lastError().toStdString();
}

TEST_F(TwoCopies, ARestoreWhileTheSecondCopyPostsLeavesOneWholeBook) {
    const QString backup = directory() + "before.bak";
    ASSERT_TRUE(bookfile::backUp(data_->myCon, backup, [](int) {}).done);
    tell("posts 150 C");
    // Restore once the peer is well under way.
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(line().startsWith("P C-"));
    restore(backup);
    EXPECT_EQ(messages_.last(), "数据还原成功!");
    tell("post after");
    const QStringList rest = answers(131);
    ASSERT_EQ(rest.size(), 131) << "the peer goes on after the restore";
    for (const QString& answer : rest)
        EXPECT_TRUE(answer.startsWith("P ")) << answer.toStdString();
    // What the peer posted before the restore went with the old content; every later one
    // is there whole.
    expectASuffixOfThePostingsAndTheLast("C");
    expectOneSoundBook();
}

TEST_F(TwoCopies, InitialisingWhileTheSecondCopyPostsLeavesBooksThatAgree) {
    tell("posts 150 D");
    for (int i = 0; i < 20; ++i)
        ASSERT_TRUE(line().startsWith("P D-"));
    messages_.answerOk(2);
    systeminitialisation::run();
    EXPECT_EQ(messages_.last(), "初始化完成！");
    tell("post after");
    const QStringList rest = answers(131);
    ASSERT_EQ(rest.size(), 131);
    EXPECT_FALSE(purchases().contains("D-1"));
    expectASuffixOfThePostingsAndTheLast("D");
    expectOneSoundBook();
}

} // namespace
