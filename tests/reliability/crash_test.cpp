// A child posts documents without end and is killed with SIGKILL at random moments; after
// every kill the book must be whole: sound file, no partial document, books in agreement and
// every document the child saw committed still there.
#include "core/sysdata.h"
#include "documents/bookscheck.h"
#include "support/booktest.h"

#include <QProcess>
#include <QThread>
#include <iostream>
#include <random>

namespace {

int envNumber(const char* name, int fallback) {
    const QByteArray v = qgetenv(name);
    return v.isEmpty() ? fallback : v.toInt();
}

struct DocumentTables {
    const char* header;
    const char* lines;
};
constexpr DocumentTables kTables[] = {
    {"OrderPur", "OrderPurD"},     {"OrderPurT", "OrderPurTD"}, {"OrderSale", "OrderSaleD"},
    {"OrderSaleT", "OrderSaleTD"}, {"OrderDB", "OrderDBD"},     {"OrderBsBy", "OrderBsByD"},
};

class CrashTest : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        for (int i = 1; i <= 3; ++i)
            addHouse(QStringLiteral("库%1").arg(i));
        for (int i = 1; i <= 8; ++i)
            addProduct(QStringLiteral("商品%1").arg(i));
        addSupplier("甲公司");
        addCustomer("乙商店");
    }

    // Runs the child for a random while, then kills it; the codes it reported committed.
    QStringList postAndKill(int run, int millis) {
        data_->myCon.close();
        QProcess child;
        child.start(QStringLiteral(VESK_CRASHPOSTER), {directory(), QString::number(run)});
        EXPECT_TRUE(child.waitForStarted(5000));
        QThread::msleep(std::uint64_t(millis));
        EXPECT_EQ(child.state(), QProcess::Running)
            << "the child ended by itself: " << child.readAllStandardError().toStdString();
        child.kill(); // SIGKILL
        child.waitForFinished(5000);
        const QByteArray out = child.readAllStandardOutput();
        QStringList codes = QString::fromUtf8(out).split(u'\n');
        codes.removeLast(); // the text after the last newline is no whole line
        return codes;
    }

    // Every way a document could be left half written; empty when none is.
    QStringList partialDocuments() {
        QStringList found;
        for (const auto& t : kTables) {
            const QString orphans =
                scalar(QStringLiteral("SELECT group_concat(orderID) FROM %1 d WHERE NOT EXISTS "
                                      "(SELECT 1 FROM %2 h WHERE h.orderID = d.orderID)")
                           .arg(t.lines, t.header));
            if (!orphans.isEmpty())
                found << QStringLiteral("%1 without header: %2").arg(t.lines, orphans);
            // Each line's remark is "k/n": a header must have exactly n lines, and at least one.
            const QString incomplete = scalar(
                QStringLiteral(
                    "SELECT group_concat(orderID) FROM %1 h WHERE (SELECT COUNT(*) FROM %2 d WHERE "
                    "d.orderID = h.orderID) <> COALESCE((SELECT CAST(substr(remark, "
                    "instr(remark, '/') + 1) AS INTEGER) FROM %2 d WHERE d.orderID = h.orderID "
                    "LIMIT 1), -1)")
                    .arg(t.header, t.lines));
            if (!incomplete.isEmpty())
                found << QStringLiteral("%1 missing lines: %2").arg(t.header, incomplete);
        }
        return found;
    }

    long long documents() { return count("VOrder"); }
};

TEST_F(CrashTest, KilledAtRandomMomentsTheBookLosesNothingAndHoldsNoHalfDocument) {
    const int kills = envNumber("VESK_CRASH_KILLS", 40);
    std::mt19937 rng(std::uint32_t(envNumber("VESK_CRASH_SEED", 7)));
    long long reported = 0;
    for (int run = 1; run <= kills; ++run) {
        const int millis = 20 + int(rng() % 200);
        const QStringList committed = postAndKill(run, millis);
        reported += committed.size();
        const QString where = QStringLiteral("kill %1 after %2 ms").arg(run).arg(millis);

        ASSERT_EQ(scalar("PRAGMA integrity_check"), "ok") << where.toStdString();
        const QStringList partial = partialDocuments();
        ASSERT_TRUE(partial.isEmpty())
            << where.toStdString() << ": " << partial.join("; ").toStdString();
        const auto differences = checkBooks(sysData->myCon);
        for (const auto& d : differences)
            ADD_FAILURE() << where.toStdString() << ": " << d.text().toStdString();
        ASSERT_TRUE(differences.empty());
        for (const QString& code : committed)
            ASSERT_EQ(count(QStringLiteral("VOrder WHERE orderID='%1'").arg(code)), 1)
                << where.toStdString() << ": committed " << code.toStdString() << " is gone";
    }
    const long long held = documents();
    EXPECT_GE(held, reported);
    std::cout << kills << " kills survived; " << reported << " documents reported committed, "
              << held << " in the book, none lost, none partial\n";
}

} // namespace
