// Times every wait a person has on the large book, each beside a reference measured in the
// same run:  vesk-bench BOOK_DIRECTORY PROBE_DIRECTORY [benchmark flags]
//            vesk-bench --server CONNINFO PROBE_DIRECTORY [benchmark flags]
// The embedded book is copied first, so that the writes measured here never change it; the
// server's database must be such a copy already (scripts/bench.sh --server makes one).
#include "imports.h"
#include "reads.h"
#include "table.h"
#include "windowbench.h"
#include "writes.h"

#include "app/windowset.h"
#include "core/clock.h"
#include "core/dates.h"
#include "core/silentmessages.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "core/ui/application.h"
#include "documents/bookscheck.h"
#include "documents/stockkind.h"
#include "documents/tradekind.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace {

QString copyBook(const QString& books) {
    const QString work = books + QStringLiteral("/work");
    QDir(work).removeRecursively();
    QDir().mkpath(work);
    if (!QFile::copy(books + QStringLiteral("/kestdata.db"), work + QStringLiteral("/kestdata.db")))
        throw std::runtime_error("cannot copy the book");
    return work + u'/';
}

QDate lastDayOfBook() {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT MAX(optDate) AS d FROM FitemBank"));
    q.open();
    const QDate day = dates::fromText(q.field(u"d").asText());
    q.close();
    return day;
}

// The same rows as the read, in a plain table of the work copy.
Read plainTableOf(const Read& read) {
    const QString table = QStringLiteral("benchRef_") + QString(read.id).replace(u'-', u'_');
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("CREATE TABLE %1 AS %2").arg(table, read.sql));
    for (const auto& [name, value] : read.binds)
        if (q.hasParameter(name))
            q.bind(name, value);
    q.execute();
    q.close();
    return {read.id, read.label, read.slot, QStringLiteral("SELECT * FROM ") + table};
}

// The probes' environment: for a server book, a configuration folder of their own whose
// setting names the server, as the program's server settings window saves it.
QProcessEnvironment probeEnvironment(const QString& work, const QString& conninfo) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (conninfo.isEmpty())
        return environment;
    const QString folder = work + QStringLiteral("config");
    QDir().mkpath(folder + QStringLiteral("/Vesk"));
    QSettings settings(folder + QStringLiteral("/Vesk/vesk.conf"), QSettings::IniFormat);
    settings.setValue(QStringLiteral("server/conninfo"), conninfo);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw std::runtime_error("cannot write the probes' server setting");
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder);
    return environment;
}

// Runs a probe process to its end and returns 0 (it lists no rows).
int runToEnd(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        throw std::runtime_error("the probe did not finish: " + program.toStdString());
    }
    return 0;
}

void registerReads(Table& table, const std::vector<Read>& reads) {
    for (const Read& read : reads) {
        // The four sums are figures of their own; every other read is a list, measured
        // against reading the same rows from a plain table.
        const bool list = !read.isSum || read.moreSql.empty();
        const Read plain = list ? plainTableOf(read) : Read();
        table.add(
            read.id.toStdString(), read.label.toStdString(),
            read.isSum ? Target::Figure : Target::List, [read] { return read.run(); },
            list ? Table::Run([plain] { return plain.run(); }) : Table::Run());
    }
}

void registerWrites(Table& table, const QDate& today) {
    const Table::Run commit = [] {
        writes::oneRowCommit();
        return 0;
    };
    const auto write = [&](const char* id, const char* label, std::function<void(int)> fn) {
        table.add(
            id, label, Target::Write,
            [fn, serial = std::make_shared<int>(0)] {
                fn(++*serial);
                return 0;
            },
            commit);
    };
    const char* labels[] = {"过账 采购进货 10行", "过账 采购退货 10行", "过账 商品销售 10行",
                            "过账 客户退货 10行"};
    const char* ids[] = {"post-pur", "post-purt", "post-sale", "post-salet"};
    for (int k = 0; k < 4; ++k) {
        const TradeKind& kind = tradeKind(TradeKindId(k));
        write(ids[k], labels[k], [k, today, prefix = kind.prefix](int n) {
            writes::postTrade(TradeKindId(k), prefix + QStringLiteral("B%1").arg(n), today);
        });
    }
    write("post-transfer", "过账 库存调拨 10行",
          [today](int n) { writes::postTransfer(QStringLiteral("DBB%1").arg(n), today); });
    write("post-loss", "过账 报损 10行",
          [today](int n) { writes::postLossReport(QStringLiteral("BSB%1").arg(n), today); });
    write("cash-entry", "现金银行 出款", [today](int) { writes::cashEntry(today); });
    auto purchases = std::make_shared<std::vector<QString>>(
        writes::purchasesBetween(today.addDays(-40), today.addDays(-1)));
    write("void-pur", "作废 一张采购单", [purchases](int n) {
        writes::voidPurchase((*purchases)[std::size_t(n) % purchases->size()]);
    });
}

// The books check, against the engine reading every value the check sums once, with no
// grouping, joining or comparing: the floor of any pass over the whole book.
void registerBooksCheck(Table& table) {
    QStringList scans;
    for (const TradeKind& kind : tradeKinds())
        scans << QStringLiteral("SELECT SUM(pcount) FROM %1").arg(kind.lineTable)
              << QStringLiteral("SELECT SUM(acMoney), SUM(coMoney) FROM %1").arg(kind.headerTable);
    scans
        << QStringLiteral("SELECT SUM(pcount) FROM %1").arg(stockKind(StockKindId::Loss).lineTable)
        << QStringLiteral("SELECT SUM(sumMoney) FROM FitemBank");
    table.add(
        "books-check", "账簿检查 全部", Target::Whole,
        [] { return int(checkBooks(sysData->myCon).size()); },
        [scans] {
            TQuery& q = sysData->QueryCommon;
            for (const QString& sql : scans) {
                q.load(sql);
                q.open();
                q.close();
            }
            return 0;
        });
}

// Importing a catalogue of products, against a plain prepared insert of the same rows.
void registerImports(Table& table, const QString& work) {
    const auto files =
        std::make_shared<std::vector<QString>>(imports::productWorkbooks(work, kImportRuns, 10000));
    const auto plain = std::make_shared<imports::PlainInsert>(files->front());
    table.add(
        "import-products", "导入Excel 10000个商品", Target::Import,
        [files, serial = std::make_shared<std::size_t>(0)] {
            return imports::importProducts((*files)[(*serial)++ % files->size()]);
        },
        [plain] { return plain->run(); });
}

void registerProbes(Table& table, const QString& probes, const QString& book,
                    const QProcessEnvironment& environment) {
    const QString probe = probes + QStringLiteral("/vesk-probe");
    const QString bare = probes + QStringLiteral("/vesk-bareprobe");
    // Until the login window exists, start-up is timed to the first window.
    QProcess check;
    check.setProcessEnvironment(environment);
    check.start(probe, {QStringLiteral("startup"), book});
    const bool login = check.waitForFinished(15000);
    if (!login) {
        check.kill();
        check.waitForFinished();
    }
    const QString mode = login ? QStringLiteral("startup") : QStringLiteral("first-window");
    table.add(
        "startup", login ? "启动到登录窗口" : "启动到第一个窗口 (尚无登录窗口)", Target::Startup,
        [probe, mode, book, environment] {
            return runToEnd(probe, {mode, book}, environment);
        },
        [bare] { return runToEnd(bare, {}); });
}

// The resident memory in MB with the product list open, and the rows it lists.
std::pair<double, double> residentMegabytes(const QString& probes, const QString& book,
                                            const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(probes + QStringLiteral("/vesk-probe"), {QStringLiteral("memory"), book});
    std::pair<double, double> result{-1, -1};
    if (!process.waitForFinished(60000))
        return result;
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        if (line.startsWith("rss_kb "))
            result.first = line.mid(7).toDouble() / 1024;
        if (line.startsWith("rows "))
            result.second = line.mid(5).toDouble();
    }
    return result;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: vesk-bench BOOK_DIRECTORY PROBE_DIRECTORY [flags]\n");
        return 2;
    }
    const bool server = std::strcmp(argv[1], "--server") == 0;
    if (server && argc < 4) {
        std::fprintf(stderr, "usage: vesk-bench --server CONNINFO PROBE_DIRECTORY [flags]\n");
        return 2;
    }
    const int shift = server ? 1 : 0;
    const QString conninfo = server ? QString::fromLocal8Bit(argv[2]) : QString();
    const QString books = server ? conninfo : QString::fromLocal8Bit(argv[1]);
    const QString probes = QString::fromLocal8Bit(argv[2 + shift]);
    argc -= shift;
    argv += shift; // the benchmark library reads argv[0] and the flags after the two places
    benchmark::Initialize(&argc, argv);
    try {
        // A server run's workbooks to import and the probes' setting go to a passing folder.
        const QTemporaryDir scratch;
        const QString work = server ? scratch.path() + u'/' : copyBook(books);
        SilentMessages messages;
        setMessages(&messages);
        TsysData data = server ? TsysData(TsysData::Server{conninfo}) : TsysData(work);
        if (!data.connect())
            throw std::runtime_error(data.myCon.lastError().toStdString());
        sysData = &data;
        const QDate today = lastDayOfBook();
        environment::setFixedNow(QDateTime(today, QTime(16, 30)));
        data.myCon.run(server ? "CREATE TABLE benchCommit(n INTEGER)"
                              : "CREATE TABLE benchCommit(n INTEGER) STRICT");
        setUpApplication(application);
        WindowSet windows;

        Table table;
        registerWrites(table, today);
        registerReads(table, readsOn(today));
        registerWindows(table);
        registerBooksCheck(table);
        registerImports(table, work);
        const QProcessEnvironment environment = probeEnvironment(work, conninfo);
        registerProbes(table, probes, work, environment);
        benchmark::RunSpecifiedBenchmarks(&table);
        const auto [megabytes, listed] = residentMegabytes(probes, work, environment);
        table.addMemory(megabytes, listed);
        std::printf("书：%s（最后一天 %s）\n", qPrintable(books), qPrintable(dates::text(today)));
        table.print();
        sysData = nullptr;
        benchmark::Shutdown();
        return table.allMet() ? 0 : 3;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vesk-bench: %s\n", e.what());
        return 1;
    }
}
