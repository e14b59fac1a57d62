// Postings per second with several counters posting ten-line sales at once on a server book,
// each counter a process of its own with its own connection, posting through the program's
// posting procedure:
//   vesk-counters CONNINFO SECONDS [casual] [COUNTERS...]   (counters 1 2 4 8 unless given)
// Products are drawn at random from the catalogue; the customer too, or with "casual" always
// the casual customer, as a shop's tills sell. While the counters post, the server's sessions
// are sampled for what they wait on. The postings stay in the book: run it on a copy.
#include "core/dates.h"
#include "core/decimal.h"
#include "core/silentmessages.h"
#include "core/sysdata.h"
#include "documents/tradeposting.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>
#include <stdexcept>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double ownCpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000 +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

// The processor time of another process of this machine (the counter's server session).
double processCpuMilliseconds(long pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // After the command name in parentheses: state is field 3, utime 14, stime 15.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return (fields[11].toDouble() + fields[12].toDouble()) * 1000 / double(sysconf(_SC_CLK_TCK));
}

QStringList column(const QString& sql, const char16_t* name) {
    TQuery& q = sysData->QueryCommon;
    q.load(sql);
    q.open();
    QStringList values;
    for (; !q.eof(); q.next())
        values << q.field(name).asText();
    q.close();
    return values;
}

struct Product {
    QString prodID, prodBH, price;
};

// One counter: connects, posts a few sales to warm up, says "ready", waits for "go" on its
// input, then posts for the given seconds and prints its figures and every posting's wait.
int counter(const QString& conninfo, int index, double seconds, bool casual) {
    SilentMessages messages;
    setMessages(&messages);
    TsysData data{TsysData::Server{conninfo}};
    if (!data.connect()) {
        std::fprintf(stderr, "counter %d: %s\n", index, qPrintable(data.lastError()));
        return 1;
    }
    sysData = &data;
    std::vector<Product> products;
    {
        TQuery& q = data.QueryCommon;
        q.load(QStringLiteral("SELECT prodID,prodBH,outprice FROM Fproduct"));
        q.open();
        for (; !q.eof(); q.next())
            products.push_back({q.field(u"prodID").asText(), q.field(u"prodBH").asText(),
                                q.field(u"outprice").asText()});
        q.close();
    }
    const QStringList customers =
        casual ? column(QStringLiteral("SELECT MIN(compID) AS c FROM Fcustomer"), u"c")
               : column(QStringLiteral("SELECT compID AS c FROM Fcustomer"), u"c");
    const QDate day = dates::fromText(
        column(QStringLiteral("SELECT MAX(optDate) AS d FROM FitemBank"), u"d").value(0));
    const long backend =
        column(QStringLiteral("SELECT pg_backend_pid() AS p"), u"p").value(0).toLong();
    if (products.size() < 10 || customers.isEmpty() || !day.isValid()) {
        std::fprintf(stderr, "counter %d: the book has too few products or customers\n", index);
        return 1;
    }

    std::mt19937_64 random(std::random_device{}() + unsigned(index));
    std::uniform_int_distribution<std::size_t> anyProduct(0, products.size() - 1);
    std::uniform_int_distribution<qsizetype> anyCustomer(0, customers.size() - 1);
    const TradeKind& sale = tradeKind(TradeKindId::Sale);
    int serial = 0;
    const auto post = [&] {
        TradeDocument d;
        d.houseName = QStringLiteral("一号仓库");
        d.houseID = QStringLiteral("1");
        d.orderCode = sale.prefix + QStringLiteral("K%1-%2").arg(getpid()).arg(++serial);
        d.compID = customers[anyCustomer(random)];
        d.compName = QStringLiteral("顾客");
        d.empName = QStringLiteral("收银员%1").arg(index);
        d.date = day;
        Decimal total;
        for (int row = 1; row <= 10; ++row) {
            const Product& p = products[anyProduct(random)];
            const Decimal price = Decimal::parse(p.price).value_or(Decimal::fromInt(1));
            const Decimal amount = price * Decimal::fromInt(row % 3 + 1);
            d.cell(row, 1) = p.prodID;
            d.cell(row, 2) = p.prodBH;
            d.cell(row, 6) = price.toString();
            d.cell(row, 7) = QString::number(row % 3 + 1);
            d.cell(row, 8) = amount.toString();
            total = total + amount;
        }
        d.runningTotal = total;
        d.sumMoney = total.cents().toString();
        d.money = d.sumMoney;
        return postTradeDocument(sale, d) == PostResult::Posted;
    };
    for (int i = 0; i < 5; ++i)
        post();
    std::printf("ready\n");
    std::fflush(stdout);
    char go[16] = {};
    if (!std::fgets(go, sizeof go, stdin))
        return 1;

    std::vector<double> waits;
    int failed = 0;
    const double cpuStart = ownCpuMilliseconds();
    const double serverStart = processCpuMilliseconds(backend);
    const Clock::time_point start = Clock::now();
    while (millisecondsSince(start) < seconds * 1000) {
        const Clock::time_point one = Clock::now();
        if (post())
            waits.push_back(millisecondsSince(one));
        else
            ++failed;
    }
    const double elapsed = millisecondsSince(start);
    std::printf("result %zu %d %.3f %.3f %.3f\n", waits.size(), failed, elapsed,
                ownCpuMilliseconds() - cpuStart, processCpuMilliseconds(backend) - serverStart);
    for (const double w : waits)
        std::printf("%.3f\n", w);
    sysData = nullptr;
    return 0;
}

double percentile(std::vector<double>& values, double share) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const auto at = std::size_t(share * double(values.size() - 1) + 0.5);
    return values[std::min(at, values.size() - 1)];
}

QString loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readLine()).section(u' ', 0, 0)
                                          : QStringLiteral("?");
}

// What the server's sessions of the counters wait on, sampled while they post.
class WaitSampler {
public:
    explicit WaitSampler(const QString& conninfo) : data_(TsysData::Server{conninfo}) {
        if (!data_.connect())
            throw std::runtime_error(data_.lastError().toStdString());
    }
    void sample() {
        TQuery& q = data_.QueryCommon;
        q.load(QStringLiteral(
            "SELECT coalesce(wait_event_type || ':' || wait_event, 'running') AS w FROM "
            "pg_stat_activity WHERE state = 'active' AND backend_type = 'client backend' AND "
            "pid <> pg_backend_pid() AND application_name = 'vesk'"));
        q.open();
        for (; !q.eof(); q.next())
            ++counts_[q.field(u"w").asText()];
        q.close();
        ++samples_;
    }
    // "Lock:transactionid 61%, …": of the sampled sessions that were at work, the share per wait.
    QString shares() const {
        std::vector<std::pair<int, QString>> sorted;
        int all = 0;
        for (const auto& [what, n] : counts_) {
            sorted.emplace_back(n, what);
            all += n;
        }
        std::sort(sorted.rbegin(), sorted.rend());
        QStringList parts;
        for (const auto& [n, what] : sorted)
            if (parts.size() < 4)
                parts << QStringLiteral("%1 %2%").arg(what).arg(100 * n / std::max(all, 1));
        return parts.join(QStringLiteral(", "));
    }

private:
    TsysData data_;
    std::map<QString, int> counts_;
    int samples_ = 0;
};

void run(const QString& program, const QString& conninfo, int counters, double seconds,
         bool casual) {
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < counters; ++i) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(program, {QStringLiteral("--counter"), conninfo, QString::number(i),
                           QString::number(seconds), casual ? QStringLiteral("casual") : "-"});
        processes.push_back(std::move(p));
    }
    for (auto& p : processes)
        while (!p->canReadLine())
            if (!p->waitForReadyRead(120000))
                throw std::runtime_error("a counter did not get ready");
    for (auto& p : processes)
        p->readLine();
    WaitSampler sampler(conninfo);
    const QString loadBefore = loadAverage();
    // Written at once: no event loop runs while the counters post.
    for (auto& p : processes) {
        p->write("go\n");
        p->waitForBytesWritten(5000);
    }
    const Clock::time_point start = Clock::now();
    while (millisecondsSince(start) < seconds * 1000 - 100) {
        sampler.sample();
        QThread::msleep(25);
    }
    std::vector<double> waits;
    double rate = 0, cpu = 0, serverCpu = 0;
    int failed = 0;
    for (auto& p : processes) {
        if (!p->waitForFinished(120000) || p->exitCode() != 0)
            throw std::runtime_error("a counter failed");
        const QList<QByteArray> lines = p->readAllStandardOutput().split('\n');
        for (const QByteArray& line : lines) {
            if (line.startsWith("result ")) {
                const QList<QByteArray> f = line.split(' ');
                rate += f[1].toDouble() / (f[3].toDouble() / 1000);
                failed += f[2].toInt();
                cpu += f[4].toDouble();
                serverCpu += f[5].toDouble();
            } else if (!line.isEmpty()) {
                waits.push_back(line.toDouble());
            }
        }
    }
    const double posted = double(waits.size());
    const double median = percentile(waits, 0.5), p99 = percentile(waits, 0.99);
    const double worst = waits.empty() ? -1 : waits.back();
    std::printf("%8d %10.1f %9.2f %9.2f %9.2f %6d %9.2f %9.2f  %5s-%-5s %s\n", counters, rate,
                median, p99, worst, failed, cpu / posted, serverCpu / posted,
                qPrintable(loadBefore), qPrintable(loadAverage()), qPrintable(sampler.shares()));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList args = application.arguments();
    try {
        if (args.size() == 6 && args[1] == QStringLiteral("--counter"))
            return counter(args[2], args[3].toInt(), args[4].toDouble(),
                           args[5] == QStringLiteral("casual"));
        if (args.size() < 3) {
            std::fprintf(stderr, "usage: vesk-counters CONNINFO SECONDS [casual] [COUNTERS...]\n");
            return 2;
        }
        const double seconds = args[2].toDouble();
        const bool casual = args.size() > 3 && args[3] == QStringLiteral("casual");
        std::vector<int> counts;
        for (qsizetype i = casual ? 4 : 3; i < args.size(); ++i)
            counts.push_back(args[i].toInt());
        if (counts.empty())
            counts = {1, 2, 4, 8};
        std::printf("十行销售单并发过账（顾客：%s）：每档 %.0f 秒\n", casual ? "零散客户" : "随机",
                    seconds);
        std::printf("%8s %10s %9s %9s %9s %6s %9s %9s  %-11s %s\n", "counters", "postings/s",
                    "median", "p99 ms", "max ms", "failed", "cpu ms", "srv ms", "load", "waits");
        for (const int n : counts)
            run(application.applicationFilePath(), args[1], n, seconds, casual);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vesk-counters: %s\n", e.what());
        return 1;
    }
}
