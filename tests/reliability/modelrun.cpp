#include "reliability/modelrun.h"

#include "accounts/cashbook.h"
#include "core/sysdata.h"
#include "reliability/nastytexts.h"

#include <sqlite3.h>

namespace model {

namespace {

// Texts that no number rule and no numeric column accepts.
const QStringList kBadNumbers{"abc", "1..2", "",     " ",   "１２３", "--1",   "1e",
                              "12a", "1,5",  "0x1F", "NaN", "inf",    "1e999", QString(400, u'9')};

} // namespace

void ModelRun::SetUp() {
    BookTest::SetUp();
    // This run is about logic, not about surviving a power cut (the crash test is): no
    // waiting for the disk at every commit.
    if (!onServer())
        exec("PRAGMA synchronous=OFF");
    // Two warehouses share a name, as a person may name them.
    for (const char* name : {"总库", "分库", "门店", "总库"})
        houses.push_back({addHouse(name), name});
    for (const char* name : {"笔", "墨", "纸", "砚", "胶"})
        products.push_back(addProduct(name));
    counterparts["Fsupplier"] = {1, addSupplier("甲公司"), addSupplier("O'Brien & Co")};
    counterparts["Fcustomer"] = {1, addCustomer("乙商店"), addCustomer("丙 100%")};
    for (const auto& [table, ids] : counterparts)
        for (long long id : ids)
            book.balances[table][id] = Decimal();
    for (long long p : products)
        book.stock[p] = Decimal();
    // The cash account and two more, as the account window adds them.
    for (const char* name : {"工商银行", "备用金"})
        if (accounts::insertAccount(name, QString()) != accounts::Write::Done)
            ADD_FAILURE() << "the account " << name << " was not added";
    messages_.clear();
    TQuery q(sysData->myCon, "accounts");
    q.load("SELECT itmID FROM Fitem");
    for (q.open(); !q.eof(); q.next()) {
        accountIDs.push_back(q.field(u"itmID").asInteger());
        book.accounts[accountIDs.back()] = Decimal();
    }
    for (const char* table :
         {"OrderPur", "OrderPurT", "OrderSale", "OrderSaleT", "OrderDB", "OrderBsBy"})
        book.codes[table];
}

QString ModelRun::price() {
    QString t = QString::number(below(300));
    if (chance(50))
        t += u'.' + QString::number(below(1000)).rightJustified(1 + below(3), u'0').left(3);
    if (chance(5))
        t = u'+' + t;
    if (chance(5))
        t = "  " + t + " ";
    return t;
}

QString ModelRun::quantity() {
    if (chance(10))
        return u'-' + QString::number(1 + below(5));
    if (chance(15))
        return QString::number(below(20)) + ".5";
    if (chance(3))
        return "1e1";
    return QString::number(1 + below(20));
}

QString ModelRun::notANumber(bool blanks) {
    QString bad;
    do
        bad = pick(kBadNumbers);
    while (!blanks && bad.trimmed().isEmpty());
    return bad;
}

QString ModelRun::tooManyDigits() {
    switch (below(4)) {
    case 0:
        return QString(40 + below(400), u'9'); // beyond any decimal
    case 1:
        return u'-' + QString(13 + below(20), u'8');
    case 2:
        return QStringLiteral("1e") + QString::number(13 + below(20));
    default: // a billion billion, with cents
        return QStringLiteral("123456789012345678.25");
    }
}

QString ModelRun::text() {
    return chance(15) ? pick(nastyTexts()) : QStringLiteral("张三");
}

QString ModelRun::takenCode(const QString& table) {
    const auto& taken = book.codes[table];
    if (taken.empty())
        return QString();
    auto it = taken.begin();
    std::advance(it, below(int(taken.size())));
    return chance(50) ? it->toLower() : *it;
}

// Fills a row as the product picker does; returns the product.
long long ModelRun::pickInto(DocumentLines& d, int row) {
    const long long p = pick(products);
    d.cell(row, 1) = QString::number(p);
    d.cell(row, 2) = "BH-" + QString::number(p);
    d.cell(row, 3) = "品名";
    d.cell(row, 6) = price();
    d.cell(row, 7) = quantity();
    d.cell(row, 8) = d.cell(row, 6).trimmed();
    if (chance(10))
        d.cell(row, 9) = pick(nastyTexts());
    return p;
}

std::vector<int> ModelRun::someRows() {
    std::vector<int> rows;
    const int n = below(5);
    for (int row = 1 + below(3); row <= DocumentLines::kRows && int(rows.size()) < n;
         row += 1 + below(3))
        rows.push_back(row);
    return rows;
}

// Spoils a price, quantity or amount cell of one of the rows.
void ModelRun::spoilCell(DocumentLines& d, const std::vector<int>& rows) {
    const int row = rows[std::size_t(below(int(rows.size())))];
    d.cell(row, 6 + below(3)) = pick(kBadNumbers);
}

ModelRun::Fault ModelRun::fault(std::initializer_list<Fault> possible) {
    if (chance(55))
        return None;
    const std::vector<Fault> v(possible);
    return v[std::size_t(below(int(v.size())))];
}

long long ModelRun::changes() {
    if (!onServer())
        return sqlite3_total_changes64(sysData->myCon.handle());
    // The server keeps no count of a connection's changes: a digest of every table's rows
    // stands for it.
    QStringList all;
    for (const QString& table :
         firstFields("SELECT tablename FROM pg_tables WHERE schemaname = 'public' ORDER BY 1")) {
        // Rows sorted here: a table without a key comes back in any order.
        QStringList rows = records(QStringLiteral("SELECT * FROM %1").arg(table));
        rows.sort();
        all << rows;
    }
    return qHash(all.join(u'\n'));
}

bool ModelRun::expectUnchanged(long long before) {
    if (const long long now = changes(); now != before)
        return fail(onServer()
                        ? QStringLiteral("refused, yet the book changed")
                        : QStringLiteral("refused, yet %1 rows were written").arg(now - before));
    return true;
}

bool ModelRun::expectMessage(const QString& text) {
    if (messages_.last() != text)
        return fail(QStringLiteral("last message '%1', expected '%2'").arg(messages_.last(), text));
    return true;
}

bool ModelRun::expectNoMessage() {
    if (!messages_.shown().empty())
        return fail(QStringLiteral("an unexpected message '%1'").arg(messages_.last()));
    return true;
}

bool ModelRun::expectRefusal(bool failed) {
    return failed ? expectMessage(QStringLiteral("单据保存出现异常！")) : true;
}

void ModelRun::tally(const QString& kind, bool faulty) {
    Figures& f = figures[kind];
    ++f.operations;
    if (faulty)
        ++f.faulty;
}

} // namespace model
