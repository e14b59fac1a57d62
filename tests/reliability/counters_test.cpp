// Several counters post, void, count, settle and enter cash on one server book at the same
// moment (tests/tools/counter.cpp); afterwards the books agree, every document reported saved
// is there once and whole, none reported voided or refused is, no code was given twice, the
// counts left open hold the lines reported, and the kept totals are those of a model replaying
// every operation reported done (counterlog.h).
// Once more while counters are killed at random moments and the server restarts under them.
//
//   VESK_COUNTERS (default 4, at most 8), VESK_COUNTERS_SECONDS (default 15),
//   VESK_COUNTERS_SEED (default: from the clock; a failure prints it)
#include "accounts/cashbook.h"
#include "core/sysdata.h"
#include "reliability/counterlog.h"
#include "support/booktest.h"
#include "support/privatecluster.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <iostream>
#include <random>

namespace {

int envNumber(const char* name, int fallback) {
    const QByteArray v = qgetenv(name);
    return v.isEmpty() ? fallback : v.toInt();
}

class CountersTest : public BookTest {
protected:
    BookEngine engine() const override { return BookEngine::Server; }

    void SetUp() override {
        BookTest::SetUp();
        if (HasFatalFailure())
            return;
        // A small catalogue, so that the counters meet on the same rows.
        for (int i = 1; i <= 3; ++i)
            addHouse(QStringLiteral("库%1").arg(i));
        for (int i = 1; i <= 4; ++i)
            addProduct(QStringLiteral("商品%1").arg(i));
        addSupplier("甲公司");
        addCustomer("乙商店");
        ASSERT_EQ(accounts::insertAccount("工商银行", QString()), accounts::Write::Done);
        messages_.clear();
        seed_ = envNumber("VESK_COUNTERS_SEED", int(QDateTime::currentSecsSinceEpoch() % 100000));
        rng_.seed(std::uint32_t(seed_));
    }

    std::string repeat() const { return "repeat with VESK_COUNTERS_SEED=" + std::to_string(seed_); }

    // One run of a counter: its name, process and log file.
    struct Run {
        QString name;
        std::unique_ptr<QProcess> process;
        QString log;
        QDateTime started;
        bool killed = false;
    };

    // Starts a counter for so many seconds; it writes its log into the test's folder.
    Run& start(const QString& name, int seconds) {
        Run run{name, std::make_unique<QProcess>(), logs_.filePath(name + ".log"),
                QDateTime::currentDateTime()};
        run.process->setStandardOutputFile(run.log);
        run.process->setStandardErrorFile(logs_.filePath(name + ".err"));
        run.process->start(QStringLiteral(VESK_COUNTER),
                           {QStringLiteral("server:") + data_->myCon.path(),
                            QString::number(seconds), QString::number(seed_ * 100 + runs_.size()),
                            name});
        EXPECT_TRUE(run.process->waitForStarted(30000)) << name.toStdString();
        runs_.push_back(std::move(run));
        return runs_.back();
    }

    // Waits for every counter to end; each not killed ends by itself, having done its time.
    void finish(int seconds) {
        for (Run& run : runs_) {
            if (run.killed)
                continue;
            EXPECT_TRUE(run.process->waitForFinished((seconds + 60) * 1000))
                << run.name.toStdString() << " did not end";
            EXPECT_EQ(run.process->exitStatus(), QProcess::NormalExit) << run.name.toStdString();
            EXPECT_EQ(run.process->exitCode(), 0)
                << run.name.toStdString() << ": " << errors(run).toStdString();
        }
    }

    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString errors(const Run& run) const {
        return QString::fromUtf8(read(logs_.filePath(run.name + ".err")));
    }

    // Every operation reported, of every run.
    std::vector<counters::Operation> operations() const {
        std::vector<counters::Operation> all;
        for (const Run& run : runs_)
            for (counters::Operation& op : counters::readLog(read(run.log)))
                all.push_back(std::move(op));
        return all;
    }

    // The book against the reports; prints the figures.
    void expectTheBookAsReported(const std::string& load) {
        const std::vector<counters::Operation> all = operations();
        const QString figures = counters::figures(all);
        std::cout << load << ", VESK_COUNTERS_SEED=" << seed_ << "\n"
                  << figures.toStdString() << "\n";
        long long done = 0;
        for (const counters::Operation& op : all)
            done += op.end == counters::Operation::End::Done ? 1 : 0;
        EXPECT_GT(done, static_cast<long long>(runs_.size())) << "the counters did next to nothing";
        const QStringList faults = counters::check(all);
        for (const QString& fault : faults)
            ADD_FAILURE() << fault.toStdString() << "\n" << repeat();
        if (!faults.isEmpty()) {
            logs_.setAutoRemove(false);
            std::cout << "the counters' logs are kept in " << logs_.path().toStdString() << "\n";
        }
    }

    int seed_ = 0;
    std::mt19937 rng_;
    QTemporaryDir logs_;
    std::vector<Run> runs_;
};

TEST_F(CountersTest, SeveralCountersOnOneBookAgreeToTheCent) {
    const int counters = std::clamp(envNumber("VESK_COUNTERS", 4), 1, 8);
    const int seconds = envNumber("VESK_COUNTERS_SECONDS", 15);
    for (int i = 1; i <= counters; ++i)
        start(QStringLiteral("c%1").arg(i), seconds);
    finish(seconds);
    expectTheBookAsReported(std::to_string(counters) + " counters for " + std::to_string(seconds) +
                            " s");
}

// The same on a cluster of the test's own, restarted during the run, while counters are killed
// at random moments and started again. The first counter is never killed: it must carry on
// after the restart with a message that says the connection was lost.
class KilledCountersTest : public CountersTest {
protected:
    QString cluster() const override { return cluster_->conninfo(); }

    void SetUp() override {
        cluster_ = std::make_unique<PrivateCluster>(QStringLiteral("restart"));
        ASSERT_TRUE(cluster_->started()) << "the test's own cluster did not start";
        CountersTest::SetUp();
    }
    void TearDown() override {
        for (Run& run : runs_)
            if (run.process->state() != QProcess::NotRunning) {
                run.process->kill();
                run.process->waitForFinished(10000);
            }
        CountersTest::TearDown();
        cluster_.reset();
    }

    // Kills a counter other than the first at a random moment and starts it again under a new
    // name for the rest of the run.
    void killOne(int counters, const QDeadlineTimer& end, int& kills) {
        const int which = 1 + int(rng_() % std::uint32_t(counters - 1));
        const QString name = QStringLiteral("c%1").arg(which + 1);
        for (Run& run : runs_)
            if ((run.name == name || run.name.startsWith(name + u'r')) && !run.killed) {
                run.process->kill(); // SIGKILL
                run.process->waitForFinished(10000);
                run.killed = true;
            }
        ++kills;
        start(QStringLiteral("%1r%2").arg(name).arg(kills),
              std::max(1, int(end.remainingTime() / 1000)));
    }

    // Kills counters every few hundred milliseconds for so long.
    void killFor(int millis, int counters, const QDeadlineTimer& end, int& kills) {
        const QDeadlineTimer phase(millis);
        while (!phase.hasExpired()) {
            QThread::msleep(150 + rng_() % 500);
            killOne(counters, end, kills);
        }
    }

    // Runs that began before the restart and were never killed: after a failure that says the
    // connection was lost, they went on to do more.
    void expectSurvivorsCarriedOn(const QDateTime& restarted) {
        int survivors = 0;
        for (const Run& run : runs_) {
            if (run.killed || run.started > restarted)
                continue;
            ++survivors;
            bool lost = false, after = false;
            QString message;
            for (const counters::Operation& op : counters::readLog(read(run.log))) {
                if (op.end == counters::Operation::End::Failed && op.lost && !lost) {
                    lost = true;
                    message = op.message;
                } else if (lost && op.end == counters::Operation::End::Done) {
                    after = true;
                }
            }
            EXPECT_TRUE(lost) << run.name.toStdString()
                              << " reported no failure for the lost connection";
            EXPECT_TRUE(after) << run.name.toStdString() << " did nothing after the restart";
            std::cout << run.name.toStdString() << " survived the restart; it was told \""
                      << message.toStdString() << "\"\n";
        }
        EXPECT_GE(survivors, 1);
    }

    std::unique_ptr<PrivateCluster> cluster_;
};

TEST_F(KilledCountersTest, KilledCountersAndARestartedServerLeaveNoHalfDocument) {
    constexpr int counters = 3, seconds = 10;
    const QDeadlineTimer end(seconds * 1000);
    for (int i = 1; i <= counters; ++i)
        start(QStringLiteral("c%1").arg(i), seconds);
    int kills = 0;
    killFor(3000, counters, end, kills);
    ASSERT_TRUE(cluster_->restart()) << "the server did not restart";
    const QDateTime restarted = QDateTime::currentDateTime();
    QThread::msleep(2000); // the survivors meet the restart undisturbed
    killFor(2500, counters, end, kills);
    finish(seconds);
    // The checks read the book on a connection the restart broke: open it again.
    data_->myCon.close();
    expectTheBookAsReported(std::to_string(counters) + " counters for " + std::to_string(seconds) +
                            " s, " + std::to_string(kills) + " kills, a server restart");
    expectSurvivorsCarriedOn(restarted);
}

} // namespace
