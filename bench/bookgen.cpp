// Writes the large book through the program's own statements:
//   vesk-bookgen DIRECTORY [SCALE]
// DIRECTORY/kestdata.db is reused when DIRECTORY/book.stamp says it was written by this
// generator for the current schema; otherwise it is written anew (SCALE shrinks every count).
// Unlike the program, which posts one document per transaction, it commits many at once and
// runs without syncing: a half-written book is thrown away, never used.
#include "bookplan.h"
#include "bookwords.h"
#include "statement.h"

#include "core/schema.h"
#include "documents/tradekind.h"
#include "schema/schemasql.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

using bookwords::brand;

BookPlan planFor(double factor) {
    return factor == 1.0 ? BookPlan() : BookPlan().scaled(factor);
}

std::string stampText(double factor) {
    // FNV-1a over the schema, so that any change to the book's definition makes a new book.
    unsigned long long hash = 1469598103934665603ull;
    for (const char* c = schemaSql(); *c; ++c)
        hash = (hash ^ static_cast<unsigned char>(*c)) * 1099511628211ull;
    return "schema " + std::to_string(hash) + " generator " +
           std::to_string(kBookGeneratorVersion) + " scale " + std::to_string(factor) + "\n";
}

std::string money(long long cents) {
    const char* sign = cents < 0 ? "-" : "";
    const long long a = cents < 0 ? -cents : cents;
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", sign, a / 100, a % 100);
    return text;
}

std::string dayText(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

struct Product {
    long long inprice; // cents
    long long outprice;
};

class Generator {
public:
    Generator(sqlite3* db, const BookPlan& plan) : db_(db), plan_(plan), random_(20161210) {}

    void run() {
        runSql(db_, "BEGIN");
        masters();
        runSql(db_, "COMMIT");
        documents();
    }

private:
    int pick(int n) { return int(random_() % unsigned(n)); }
    int between(int low, int high) { return low + pick(high - low + 1); }

    void masters() {
        Statement house(db_, "INSERT INTO Fhouse(houseName,resperson,phone,address,remark) "
                             "VALUES(:houseName,:resperson,:phone,:address,:remark)");
        for (int i = 0; i < plan_.houses; ++i)
            house.bind("houseName", std::string(bookwords::kHouses[std::size_t(i % 10)]))
                .bind("resperson", person(i))
                .bind("phone", "0571-8800" + std::to_string(1000 + i))
                .bind("address", std::string(bookwords::kCities[std::size_t(i % 16)]) + "仓储园")
                .bind("remark", std::string())
                .run();

        Statement category(db_, "INSERT INTO Fprodcate(cateName) VALUES(:cateName)");
        for (int i = 0; i < plan_.categories; ++i)
            category
                .bind("cateName", std::string(bookwords::kItems[std::size_t(i % 25)]) + "类" +
                                      std::to_string(i / 25 + 1))
                .run();

        Statement product(db_, "INSERT INTO Fproduct(cateID,prodBH,prodName,type,company,"
                               "unitName,inprice,outprice,remark,field1,field2) "
                               "VALUES(:cateID,:prodBH,:prodName,:type,:company,:unitName,"
                               ":inprice,:outprice,:remark,:field1,:field2)");
        for (int i = 0; i < plan_.products; ++i) {
            const long long in = between(50, 50000);
            products_.push_back({in, in + in * between(5, 60) / 100});
            char code[16], type[16];
            std::snprintf(code, sizeof code, "SP%06d", i + 1);
            std::snprintf(type, sizeof type, "M%d-%d", i % 97, i % 13 * 5);
            const int category = i % plan_.categories;
            product.bind("cateID", static_cast<long long>(category + 1))
                .bind("prodBH", std::string(code))
                .bind("prodName", brand(i * 7 % 256) + bookwords::kMaterials[std::size_t(i % 20)] +
                                      bookwords::kItems[std::size_t(category % 25)])
                .bind("type", std::string(type))
                .bind("company", brand(i % 256) + "制造厂")
                .bind("unitName", std::string(bookwords::kUnits[std::size_t(i % 8)]))
                .bind("inprice", money(products_.back().inprice))
                .bind("outprice", money(products_.back().outprice))
                .bind("remark", std::string())
                .bind("field1", std::string())
                .bind("field2", std::string())
                .run();
        }

        counterparts("Fsupplier", plan_.suppliers, "工贸有限公司", suppliers_);
        counterparts("Fcustomer", plan_.customers, "商贸有限公司", customers_);

        Statement employee(db_, "INSERT INTO Femployee(empName,sex,birth,phone,address,rewdis,"
                                "remark) VALUES(:empName,:sex,:birth,:phone,:address,:rewdis,"
                                ":remark)");
        for (int i = 0; i < plan_.employees; ++i) {
            employees_.push_back(person(i));
            employee.bind("empName", employees_.back())
                .bind("sex", std::string(i % 3 ? "男" : "女"))
                .bind("birth", "198" + std::to_string(i % 10) + "-0" + std::to_string(i % 9 + 1) +
                                   "-1" + std::to_string(i % 10))
                .bind("phone", "1380000" + std::to_string(1000 + i))
                .bind("address", std::string(bookwords::kCities[std::size_t(i % 16)]))
                .bind("rewdis", std::string("2"))
                .bind("remark", std::string())
                .run();
        }

        Statement account(db_, "INSERT INTO Fitem(itmName,remark) VALUES(:itmName,:remark)");
        for (int i = 1; i < plan_.accounts; ++i)
            account.bind("itmName", std::string(i == 1 ? "工商银行" : "建设银行") + "基本户")
                .bind("remark", std::string())
                .run();
    }

    std::string person(int i) const {
        return std::string(bookwords::kSurnames[std::size_t(i % 12)]) +
               bookwords::kGivenNames[std::size_t(i * 7 % 10)];
    }

    void counterparts(const char* table, int n, const char* suffix,
                      std::vector<std::string>& names) {
        Statement insert(db_, std::string("INSERT INTO ") + table +
                                  "(compName,conperson,phone,address,bankName,bankCard,remark) "
                                  "VALUES(:compName,:conperson,:phone,:address,:bankName,"
                                  ":bankCard,:remark)");
        names.push_back(table[1] == 's' ? "普通供应商" : "普通客户"); // compID 1, seeded
        for (int i = 0; i < n; ++i) {
            const std::string city = bookwords::kCities[std::size_t(i % 16)];
            names.push_back(city + brand(i / 16 % 256) + suffix + std::to_string(i / 4096 + 1));
            insert.bind("compName", names.back())
                .bind("conperson", person(i))
                .bind("phone", "021-6600" + std::to_string(1000 + i % 9000))
                .bind("address", city + "市经济开发区" + std::to_string(i % 300 + 1) + "号")
                .bind("bankName", std::string("工商银行") + city + "支行")
                .bind("bankCard", "62220210" + std::to_string(10000000000LL + i))
                .bind("remark", std::string())
                .run();
        }
    }

    // One code per document in the program's form: prefix, then the moment without leading
    // zeros; a collision of two such texts moves the moment on by a second.
    std::string code(const char* prefix, const QDate& day, int second) {
        for (;;) {
            const int h = second / 3600 % 24, m = second / 60 % 60, s = second % 60;
            std::string text = std::string(prefix) + std::to_string(day.year()) +
                               std::to_string(day.month()) + std::to_string(day.day()) +
                               std::to_string(h) + std::to_string(m) + std::to_string(s);
            if (codes_.insert(text).second)
                return text;
            ++second;
        }
    }

    struct Line {
        long long prodID;
        long long price; // cents
        int count;
    };
    std::vector<Line> lines(bool buying, int low, int high) {
        std::vector<Line> result;
        for (int l = 0; l < plan_.linesPerDocument; ++l) {
            const int p = pick(plan_.products);
            const Product& product = products_[std::size_t(p)];
            result.push_back(
                {p + 1, buying ? product.inprice : product.outprice, between(low, high)});
        }
        return result;
    }

    void documents() {
        const QDate last = QDate::currentDate();
        const QDate first = last.addDays(1 - plan_.days);
        const std::array<int, 4> tradeCounts{plan_.purchases, plan_.purchaseReturns, plan_.sales,
                                             plan_.saleReturns};
        const long long tradeDocuments =
            tradeCounts[0] + tradeCounts[1] + tradeCounts[2] + tradeCounts[3];
        const long long cashEntries = std::max(0LL, plan_.journalRows - tradeDocuments);

        prepare();
        const auto started = std::chrono::steady_clock::now();
        runSql(db_, "BEGIN");
        for (int d = 0; d < plan_.days; ++d) {
            const QDate day = first.addDays(d);
            // The documents of a day spread over its working hours, evenly over the years.
            const auto share = [&](long long total) {
                return int(total * (d + 1) / plan_.days - total * d / plan_.days);
            };
            for (int k = 0; k < 4; ++k) {
                const int n = share(tradeCounts[std::size_t(k)]);
                for (int i = 0; i < n; ++i)
                    trade(TradeKindId(k), day, 8 * 3600 + i * 36000 / std::max(n, 1));
            }
            const int transfers = share(plan_.transfers);
            for (int i = 0; i < transfers; ++i)
                transfer(day, 9 * 3600 + i * 600);
            const int reports = share(plan_.lossReports);
            for (int i = 0; i < reports; ++i)
                lossReport(day, 17 * 3600 + i * 600);
            const int cash = share(cashEntries);
            for (int i = 0; i < cash; ++i)
                cashEntry(day);
            if (d % 100 == 99) {
                runSql(db_, "COMMIT");
                const double seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - started)
                        .count();
                std::fprintf(stderr, "\r  %d of %d days, %.0f s", d + 1, plan_.days, seconds);
                runSql(db_, "BEGIN");
            }
        }
        runSql(db_, "COMMIT");
        std::fprintf(stderr, "\n");
    }

    // The statements of posting, prepared once.
    struct TradeStatements {
        std::unique_ptr<Statement> header, line, stock, balance;
    };
    void prepare() {
        for (int k = 0; k < 4; ++k) {
            const TradeKind& kind = tradeKind(TradeKindId(k));
            trade_[std::size_t(k)] = {
                std::make_unique<Statement>(db_, kind.headerStatement().toStdString()),
                std::make_unique<Statement>(db_, kind.lineStatement().toStdString()),
                std::make_unique<Statement>(db_, kind.stockStatement.toStdString()),
                std::make_unique<Statement>(db_, kind.balanceStatement.toStdString())};
        }
        journal_ = std::make_unique<Statement>(
            db_, "INSERT INTO FitemBank(optDate,orderCode,orderType,sumMoney,empName,compName,"
                 "itmID,remark) VALUES(:optDate,:orderCode,:orderType,:sumMoney,:empName,"
                 ":compName,:itmID,:remark)");
        cash_ = std::make_unique<Statement>(
            db_, "INSERT INTO FitemBank(optDate,orderType,sumMoney,empName,remark,itmID) "
                 "VALUES(:optDate,:orderType,:sumMoney,:empName,:remark,:itmID)");
        transferHeader_ = std::make_unique<Statement>(
            db_, "INSERT INTO OrderDB(orderID,houseOut,empName,houseIn,optDate) "
                 "VALUES(:orderID,:houseOut,:empName,:houseIn,:optDate)");
        transferLine_ = std::make_unique<Statement>(
            db_, "INSERT INTO OrderDBD(orderID,prodID,price,pcount,sumMoney,remark) "
                 "VALUES(:orderID,:prodID,:price,:pcount,:sumMoney,:remark)");
        reportHeader_ = std::make_unique<Statement>(
            db_, "INSERT INTO OrderBsBy(orderID,houseID,empName,orderType,optDate) "
                 "VALUES(:orderID,:houseID,:empName,:orderType,:optDate)");
        reportLine_ = std::make_unique<Statement>(
            db_, "INSERT INTO OrderBsByD(orderID,prodID,price,pcount,sumMoney,remark) "
                 "VALUES(:orderID,:prodID,:price,:pcount,:sumMoney,:remark)");
        stockDown_ = std::make_unique<Statement>(
            db_, "UPDATE Fproduct SET sumCount=sumCount-:sumCount WHERE prodID=:prodID");
        stockUp_ = std::make_unique<Statement>(
            db_, "UPDATE Fproduct SET sumCount=sumCount+:sumCount WHERE prodID=:prodID");
    }

    void trade(TradeKindId id, const QDate& day, int second) {
        const TradeKind& kind = tradeKind(id);
        TradeStatements& s = trade_[std::size_t(id)];
        const bool buying = id == TradeKindId::Purchase || id == TradeKindId::PurchaseReturn;
        const bool returning = id == TradeKindId::PurchaseReturn || id == TradeKindId::SaleReturn;
        const std::vector<std::string>& names = buying ? suppliers_ : customers_;
        // One document in ten goes to the casual counterpart.
        const long long comp = pick(10) == 0 ? 1 : 2 + pick(int(names.size()) - 1);
        const std::vector<Line> items = returning ? lines(buying, 1, 3)
                                        : buying  ? lines(true, 10, 60)
                                                  : lines(false, 1, 12);
        long long due = 0;
        for (const Line& l : items)
            due += l.price * l.count;
        const int way = pick(10);
        const long long settled = way < 7 ? due : way < 9 ? 0 : due / 2;
        const std::string orderID = code(kind.prefix.toLatin1().constData(), day, second);
        const std::string date = dayText(day);
        const std::string& emp = employees_[std::size_t(pick(plan_.employees))];

        s.header->bind("orderID", orderID)
            .bind("houseID", static_cast<long long>(1 + pick(plan_.houses)))
            .bind("empName", emp)
            .bind("compID", comp)
            .bind("optDate", date)
            .bind("acMoney", money(due))
            .bind("coMoney", money(settled))
            .run();
        for (const Line& l : items)
            s.line->bind("orderID", orderID)
                .bind("prodID", l.prodID)
                .bind("price", money(l.price))
                .bind("pcount", static_cast<long long>(l.count))
                .bind("sumMoney", money(l.price * l.count))
                .bind("remark", std::string())
                .run();
        for (const Line& l : items)
            s.stock->bind("prodID", l.prodID)
                .bind("sumCount", static_cast<long long>(l.count))
                .run();
        s.balance->bind("compID", comp).bind("exchMoney", double(due - settled) / 100).run();
        journal_->bind("optDate", date)
            .bind("orderCode", orderID)
            .bind("orderType", kind.journalType.toStdString())
            .bind("sumMoney", money(kind.journalSign * due))
            .bind("empName", emp)
            .bind("compName", names[std::size_t(comp - 1)])
            .bind("itmID", std::string("1"))
            .bind("remark", std::string())
            .run();
    }

    void transfer(const QDate& day, int second) {
        const std::string orderID = code("DB", day, second);
        const int out = pick(plan_.houses);
        const int in = (out + 1 + pick(plan_.houses - 1)) % plan_.houses;
        transferHeader_->bind("orderID", orderID)
            .bind("houseOut", static_cast<long long>(out + 1))
            .bind("empName", employees_[std::size_t(pick(plan_.employees))])
            .bind("houseIn", static_cast<long long>(in + 1))
            .bind("optDate", dayText(day))
            .run();
        for (const Line& l : lines(true, 1, 20))
            transferLine_->bind("orderID", orderID)
                .bind("prodID", l.prodID)
                .bind("price", money(l.price))
                .bind("pcount", static_cast<long long>(l.count))
                .bind("sumMoney", money(l.price))
                .bind("remark", std::string())
                .run();
    }

    void lossReport(const QDate& day, int second) {
        const bool loss = pick(2) == 0;
        const std::string orderID = code(loss ? "BS" : "BY", day, second);
        reportHeader_->bind("orderID", orderID)
            .bind("houseID", static_cast<long long>(1 + pick(plan_.houses)))
            .bind("empName", employees_[std::size_t(pick(plan_.employees))])
            .bind("orderType", std::string(loss ? "报损" : "报溢"))
            .bind("optDate", dayText(day))
            .run();
        const std::vector<Line> items = lines(true, 1, 5);
        for (const Line& l : items)
            reportLine_->bind("orderID", orderID)
                .bind("prodID", l.prodID)
                .bind("price", money(l.price))
                .bind("pcount", static_cast<long long>(l.count))
                .bind("sumMoney", money(l.price))
                .bind("remark", std::string())
                .run();
        Statement& stock = loss ? *stockDown_ : *stockUp_;
        for (const Line& l : items)
            stock.bind("prodID", l.prodID).bind("sumCount", static_cast<long long>(l.count)).run();
    }

    void cashEntry(const QDate& day) {
        const bool in = pick(3) == 0;
        const long long amount = between(1000, 500000);
        cash_->bind("optDate", dayText(day))
            .bind("orderType", std::string(in ? "现金进款" : "现金出款"))
            .bind("sumMoney", money(in ? amount : -amount))
            .bind("empName", employees_[std::size_t(pick(plan_.employees))])
            .bind("remark", std::string(in ? "其他收入" : "日常费用"))
            .bind("itmID", static_cast<long long>(1 + pick(plan_.accounts)))
            .run();
    }

    sqlite3* db_;
    BookPlan plan_;
    std::mt19937 random_;
    std::vector<Product> products_;
    std::vector<std::string> suppliers_, customers_, employees_;
    std::unordered_set<std::string> codes_;
    std::array<TradeStatements, 4> trade_;
    std::unique_ptr<Statement> journal_, cash_, transferHeader_, transferLine_, reportHeader_,
        reportLine_, stockDown_, stockUp_;
};

} // namespace

BookPlan BookPlan::scaled(double factor) const {
    BookPlan p = *this;
    for (int* n :
         {&p.products, &p.suppliers, &p.customers, &p.purchases, &p.sales, &p.purchaseReturns,
          &p.saleReturns, &p.transfers, &p.lossReports, &p.journalRows})
        *n = std::max(1, int(*n * factor));
    return p;
}

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: vesk-bookgen DIRECTORY [SCALE]\n");
        return 2;
    }
    const QString directory = QString::fromLocal8Bit(argv[1]);
    const double factor = argc == 3 ? std::atof(argv[2]) : 1.0;
    const QString book = directory + QStringLiteral("/kestdata.db");
    const QString stampPath = directory + QStringLiteral("/book.stamp");
    const std::string stamp = stampText(factor);
    {
        QFile existing(stampPath);
        if (QFile::exists(book) && existing.open(QIODevice::ReadOnly) &&
            existing.readAll().toStdString() == stamp) {
            std::fprintf(stderr, "vesk-bookgen: reusing %s\n", qPrintable(book));
            return 0;
        }
    }
    QDir().mkpath(directory);
    QFile::remove(stampPath);
    QFile::remove(book);
    const QString partial = book + QStringLiteral(".partial");
    QFile::remove(partial);
    const auto started = std::chrono::steady_clock::now();
    try {
        schema::create(partial);
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(partial.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(db));
        runSql(db, "PRAGMA journal_mode=OFF");
        runSql(db, "PRAGMA synchronous=OFF");
        runSql(db, "PRAGMA locking_mode=EXCLUSIVE");
        runSql(db, "PRAGMA cache_size=-1000000");
        runSql(db, "PRAGMA temp_store=MEMORY");
        Generator(db, planFor(factor)).run();
        // A rollback journal, as a new book has; the program switches to WAL when it opens it.
        runSql(db, "PRAGMA journal_mode=DELETE");
        sqlite3_close_v2(db);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vesk-bookgen: %s\n", e.what());
        QFile::remove(partial);
        return 1;
    }
    QFile::rename(partial, book);
    QFile out(stampPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(stamp.data(), qint64(stamp.size())) < 0) {
        std::fprintf(stderr, "vesk-bookgen: cannot write %s\n", qPrintable(stampPath));
        return 1;
    }
    std::fprintf(stderr, "vesk-bookgen: wrote %s in %.0f s\n", qPrintable(book),
                 std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    return 0;
}
