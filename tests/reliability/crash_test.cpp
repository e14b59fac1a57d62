// A child posts documents and voids some of them without end and is killed with SIGKILL at
// random moments, on an embedded and on a server book (where the server rolls the dead
// counter's transaction back); after every kill the book must be whole: sound file, no partial
// document (posted or voided halfway), books in agreement, every document the child saw committed
// still there unless it saw its voiding committed, and every such voiding done entirely.
#include "core/sysdata.h"
#include "documents/bookscheck.h"
#include "support/booktest.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>
#include <iostream>
#include <random>
#include <set>

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

class CrashTest : public OnEngines<BookTest> {
protected:
    static constexpr int kFailsafeMillis = 60000;

    void SetUp() override {
        BookTest::SetUp();
        for (int i = 1; i <= 3; ++i)
            addHouse(QStringLiteral("库%1").arg(i));
        for (int i = 1; i <= 8; ++i)
            addProduct(QStringLiteral("商品%1").arg(i));
        addSupplier("甲公司");
        addCustomer("乙商店");
    }

    // What one run of the child reported: each whole line, "P <code>" for a posting committed,
    // "v <code>" for a voiding begun, "V <code>" for a voiding committed.
    struct Report {
        QChar what;
        QString code;
    };

    // Runs the child until it has reported so many lines, then kills it a few microseconds
    // later, somewhere in the step it went on with; what it reported.
    std::vector<Report> postAndKill(int run, int events, int micros) {
        data_->myCon.close();
        QProcess child;
        const QString book =
            onServer() ? QStringLiteral("server:") + data_->myCon.path() : directory();
        child.start(QStringLiteral(VESK_CRASHPOSTER), {book, QString::number(run)});
        EXPECT_TRUE(child.waitForStarted(kFailsafeMillis));
        std::vector<Report> reports;
        const auto readLines = [&] {
            while (child.canReadLine()) {
                const QString line = QString::fromUtf8(child.readLine()).chopped(1);
                reports.push_back({line.isEmpty() ? QChar(u'?') : line.front(), line.mid(2)});
            }
        };
        // Only a failsafe: the child reports a step every few milliseconds.
        const QDeadlineTimer failsafe(kFailsafeMillis);
        while (int(reports.size()) < events && child.state() == QProcess::Running &&
               !failsafe.hasExpired()) {
            child.waitForReadyRead(int(failsafe.remainingTime()));
            readLines();
        }
        EXPECT_GE(int(reports.size()), events)
            << "the child reported too little: " << child.readAllStandardError().toStdString();
        EXPECT_EQ(child.state(), QProcess::Running) << "the child ended by itself";
        QThread::usleep(std::uint64_t(micros));
        child.kill(); // SIGKILL
        child.waitForFinished(kFailsafeMillis);
        readLines(); // the text after the last newline is no whole line
        return reports;
    }

    // The codes, as a list for IN (...); the child's codes hold letters, digits and dashes.
    static QString listOf(const std::set<QString>& codes) {
        QStringList quoted;
        for (const QString& code : codes)
            quoted << u'\'' + code + u'\'';
        return quoted.join(u',');
    }

    // The codes that are not in the book as a document.
    QStringList missing(const std::set<QString>& codes) {
        if (codes.empty()) // the server reads "IN ()" as an error
            return {};
        std::set<QString> left = codes;
        TQuery q(sysData->myCon, QStringLiteral("present"));
        q.load(
            QStringLiteral("SELECT orderID FROM VOrder WHERE orderID IN (%1)").arg(listOf(codes)));
        for (q.open(); !q.eof(); q.next())
            left.erase(q.field(u"orderID").asText());
        return QStringList(left.begin(), left.end());
    }

    // The codes that some row of the book still carries: a header, a line, a journal row.
    QString traces(const std::set<QString>& codes) {
        if (codes.empty())
            return {};
        QStringList rows{QStringLiteral("SELECT orderCode AS c FROM FitemBank")};
        for (const auto& t : kTables)
            rows << QStringLiteral("SELECT orderID FROM %1 UNION ALL SELECT orderID FROM %2")
                        .arg(t.header, t.lines);
        return firstFields(QStringLiteral("SELECT DISTINCT c FROM (%1) AS t WHERE c IN (%2)")
                               .arg(rows.join(QStringLiteral(" UNION ALL ")), listOf(codes)))
            .join(u',');
    }

    // Every way a document could be left half written; empty when none is.
    QStringList partialDocuments() {
        QStringList found;
        for (const auto& t : kTables) {
            const QString orphans =
                firstFields(QStringLiteral("SELECT orderID FROM %1 d WHERE NOT EXISTS "
                                           "(SELECT 1 FROM %2 h WHERE h.orderID = d.orderID)")
                                .arg(t.lines, t.header))
                    .join(u',');
            if (!orphans.isEmpty())
                found << QStringLiteral("%1 without header: %2").arg(t.lines, orphans);
            // Each line's remark is "k/n": a header must have exactly n lines, and at least one.
            const QString incomplete =
                firstFields(
                    QStringLiteral(
                        "SELECT orderID FROM %1 h WHERE (SELECT COUNT(*) FROM %2 d WHERE "
                        "d.orderID = h.orderID) <> COALESCE((SELECT CAST(substr(remark, "
                        "instr(remark, '/') + 1) AS INTEGER) FROM %2 d WHERE d.orderID = h.orderID "
                        "LIMIT 1), -1)")
                        .arg(t.header, t.lines))
                    .join(u',');
            if (!incomplete.isEmpty())
                found << QStringLiteral("%1 missing lines: %2").arg(t.header, incomplete);
        }
        return found;
    }

    long long documents() { return count("VOrder"); }
};

TEST_P(CrashTest, KilledAtRandomMomentsTheBookLosesNothingAndHoldsNoHalfDocument) {
    const int kills = envNumber("VESK_CRASH_KILLS", 200);
    const int seed = envNumber("VESK_CRASH_SEED", 7);
    std::mt19937 rng{std::uint32_t(seed)};
    std::set<QString> present; // reported posted and not reported voided
    std::set<QString> voided;  // reported voided
    long long posted = 0, voidings = 0, inFlight = 0;
    for (int run = 1; run <= kills; ++run) {
        const int events = 1 + int(rng() % 12);
        const int micros = int(rng() % 3000);
        const std::vector<Report> reports = postAndKill(run, events, micros);
        const std::string where =
            QStringLiteral("VESK_CRASH_SEED=%1, kill %2 %3 µs after report %4")
                .arg(seed)
                .arg(run)
                .arg(micros)
                .arg(events)
                .toStdString();
        ASSERT_FALSE(HasFailure()) << where; // the child did not run as it should
        QString begun; // a voiding the kill may have cut off before its report
        for (const Report& r : reports) {
            if (r.what == u'P') {
                present.insert(r.code);
                ++posted;
            } else if (r.what == u'v') {
                begun = r.code;
            } else {
                ASSERT_TRUE(r.what == u'V')
                    << where << ": reported '" << r.code.toStdString() << "'";
                ASSERT_EQ(r.code, begun) << where << ": voided what it had not begun";
                present.erase(r.code);
                voided.insert(r.code);
                begun.clear();
                ++voidings;
            }
        }

        if (!onServer()) {
            ASSERT_EQ(scalar("PRAGMA integrity_check"), "ok") << where;
        }
        const QStringList partial = partialDocuments();
        ASSERT_TRUE(partial.isEmpty()) << where << ": " << partial.join("; ").toStdString();
        const auto differences = checkBooks(sysData->myCon);
        for (const auto& d : differences)
            ADD_FAILURE() << where << ": " << d.text().toStdString();
        ASSERT_TRUE(differences.empty());
        if (!begun.isEmpty()) {
            // Cut off: done entirely or not at all, which the checks above have seen to.
            ++inFlight;
            if (count(QStringLiteral("VOrder WHERE orderID='%1'").arg(begun)) == 0) {
                present.erase(begun);
                voided.insert(begun);
            }
        }
        const QStringList gone = missing(present);
        ASSERT_TRUE(gone.isEmpty())
            << where << ": committed " << gone.join(", ").toStdString() << " gone";
        const QString left = traces(voided);
        ASSERT_TRUE(left.isEmpty())
            << where << ": voided " << left.toStdString() << " left rows behind";
    }
    // The kills fell among real work: documents were posted and voided, and some are held.
    EXPECT_GT(posted, 0);
    EXPECT_GT(voidings, 0);
    const long long held = documents();
    EXPECT_GT(held, 0);
    EXPECT_GE(held, static_cast<long long>(present.size()));
    std::cout << kills << " kills survived; " << posted << " postings and " << voidings
              << " voidings reported committed, " << inFlight << " voidings cut off by the kill, "
              << held << " documents in the book, none lost, none partial\n";
}

INSTANTIATE_ON_BOTH_ENGINES(CrashTest);

} // namespace
