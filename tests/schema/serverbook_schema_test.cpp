// The server book behaves as the embedded one: the same tables, seed rows and views, the same
// kept totals for the same documents, text that ignores Latin case and the same refusals.
#include "core/connection.h"
#include "core/query.h"
#include "core/schema.h"
#include "schema/serverschema.h"
#include "schema/totals.h"
#include "support/serverbook.h"
#include "twobooks.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace {

const char* const kMasterData = R"(
INSERT INTO Fhouse(houseName, resperson, phone, address, remark) VALUES
  ('总仓', '王五', '', '', ''), ('门店', '', '', '', ''), ('Backroom', '', '', '', '');
INSERT INTO Fprodcate(cateName) VALUES ('饮料'), ('Snacks');
INSERT INTO Fproduct(cateID, prodBH, prodName, type, company, unitName, inprice, outprice,
                     remark, field1, field2) VALUES
  (1, 'P001', '可乐', '330ml', '', '瓶', 2.5, 3.5, '', '', ''),
  (1, 'P002', 'Green Tea', '500ml', 'Leaf Co', '瓶', 1.75, 3, '', '', ''),
  (2, 'P003', 'Potato Chips', '70g', '', '袋', 4.2, 6.8, '', '', '');
INSERT INTO Fsupplier(compName, conperson, phone, address, bankName, bankCard, remark)
  VALUES ('Acme Foods', '', '', '', '', '6222020200112233445', '');
INSERT INTO Fcustomer(compName, conperson, phone, address, bankName, bankCard, remark)
  VALUES ('Bright Mart', '', '', '', '', '', '');
INSERT INTO Fitem(itmName, remark) VALUES ('工商银行', '');
)";

// Every kind of document, posted as the program posts it: headers before and after their
// lines, a code written in another case, a line without a quantity, a stock count with its
// correction and cash entries whose cents no double holds exactly.
const char* const kDocuments = R"(
INSERT INTO OrderPur(orderID, houseID, empName, compID, optDate, acMoney, coMoney)
  VALUES ('CJ20260315901', 1, '张三', 2, '2026-03-15', 177.31, 100);
INSERT INTO OrderPurD(orderID, prodID, price, pcount, sumMoney, remark) VALUES
  ('CJ20260315901', 1, 2.5, 40, 100, ''), ('cj20260315901', 2, 1.75, 20, 35, ''),
  ('CJ20260315901', 1, 2.5, 0.125, 0.31, ''), ('CJ20260315901', 3, 4.2, 10, 42, 'x');
INSERT INTO FitemBank(optDate, orderCode, orderType, sumMoney, empName, compName, itmID, remark)
  VALUES ('2026-03-15', 'CJ20260315901', '采购进货', -177.31, '张三', 'Acme Foods', 1, '');
UPDATE Fproduct SET sumCount = sumCount + 40.125 WHERE prodID = 1;
UPDATE Fsupplier SET exchMoney = exchMoney + 77.31 WHERE compID = 2;
INSERT INTO OrderPur(orderID, houseID, empName, compID, optDate, acMoney, coMoney)
  VALUES ('CJ20260316902', 2, '李四', 1, '2026-03-16', 50.4, 50.4);
INSERT INTO OrderPurD(orderID, prodID, price, pcount, sumMoney, remark)
  VALUES ('CJ20260316902', 2, 1.68, 30, 50.4, '');
INSERT INTO OrderSaleD(orderID, prodID, price, pcount, sumMoney, remark) VALUES
  ('XS20260317903', 1, 3.5, 12, 42, ''), ('XS20260317903', 2, 3, 2.5, 7.5, ''),
  ('XS20260317903', 1, 3.5, 1, 3.5, ''), ('XS20260317903', 3, 6.8, NULL, 0, '');
INSERT INTO OrderSale(orderID, houseID, empName, compID, optDate, acMoney, coMoney)
  VALUES ('XS20260317903', 1, '张三', 2, '2026-03-17', 53, 20);
INSERT INTO FitemBank(optDate, orderCode, orderType, sumMoney, empName, compName, itmID, remark)
  VALUES ('2026-03-17', 'XS20260317903', '商品销售', 53, '张三', 'Bright Mart', 1, '');
INSERT INTO OrderPurT(orderID, houseID, empName, compID, optDate, acMoney, coMoney)
  VALUES ('CT20260318904', 1, '张三', 2, '2026-03-18', 10, 0);
INSERT INTO OrderPurTD(orderID, prodID, price, pcount, sumMoney, remark)
  VALUES ('CT20260318904', 1, 2.5, 4, 10, '');
INSERT INTO OrderSaleT(orderID, houseID, empName, compID, optDate, acMoney, coMoney)
  VALUES ('XT20260318905', 1, '李四', 1, '2026-03-18', 3.5, 3.5);
INSERT INTO OrderSaleTD(orderID, prodID, price, pcount, sumMoney, remark)
  VALUES ('XT20260318905', 1, 3.5, 1, 3.5, '');
INSERT INTO FitemBank(optDate, orderCode, orderType, sumMoney, empName, compName, itmID, remark)
  VALUES ('2026-03-18', 'CT20260318904', '采购退货', 10, '张三', 'Acme Foods', 1, ''),
         ('2026-03-18', 'XT20260318905', '顾客退货', -3.5, '李四', '普通客户', 1, '');
INSERT INTO OrderDB(orderID, houseOut, empName, houseIn, optDate)
  VALUES ('DB20260319906', 1, '王五', 2, '2026-03-19');
INSERT INTO OrderDBD(orderID, prodID, price, pcount, sumMoney, remark) VALUES
  ('DB20260319906', 2, 1.75, 5.5, 9.63, ''), ('DB20260319906', 3, 4.2, 2, 8.4, '');
INSERT INTO OrderBsBy(orderID, houseID, empName, orderType, optDate) VALUES
  ('BS20260320907', 1, '王五', '报损', '2026-03-20'),
  ('BY20260320908', 2, '王五', '报溢', '2026-03-20');
INSERT INTO OrderBsByD(orderID, prodID, price, pcount, sumMoney, remark) VALUES
  ('BS20260320907', 3, 4.2, 1, 4.2, '破损'), ('BY20260320908', 2, 1.75, 0.5, 0.88, '');
INSERT INTO OrderPD(orderID, houseID, remark, userName, optDate)
  VALUES ('PD20260321909', 1, '', '管理员', '2026-03-21');
INSERT INTO OrderPDD(orderID, prodID, pcount, pdcount)
  VALUES ('PD20260321909', 1, 23.125, 22), ('PD20260321909', 3, 8, 8);
INSERT INTO OrderBsBy(orderID, houseID, empName, orderType, optDate)
  VALUES ('PD20260321909', 1, NULL, '盘点', '2026-03-21');
INSERT INTO OrderBsByD(orderID, prodID, pcount) VALUES ('PD20260321909', 1, -1.125);
INSERT INTO FitemBank(optDate, orderCode, orderType, sumMoney, empName, compName, itmID, remark)
  VALUES ('2026-03-21', NULL, '现金进款', 0.1, '张三', NULL, 2, ''),
         ('2026-03-21', NULL, '现金进款', 0.2, '张三', NULL, 2, ''),
         ('2026-03-22', NULL, '现金出款', -1000.07, '李四', NULL, 2, 'rent');
)";

// Lines and headers changed after posting: quantities, products, warehouses, kinds, codes.
const char* const kChanges = R"(
UPDATE OrderSaleD SET pcount = 3 WHERE orderID = 'XS20260317903' AND prodID = 2;
UPDATE OrderPur SET houseID = 3 WHERE orderID = 'CJ20260316902';
UPDATE OrderBsBy SET orderType = '报溢' WHERE orderID = 'BS20260320907';
UPDATE OrderDB SET houseIn = 3 WHERE orderID = 'DB20260319906';
UPDATE OrderDBD SET prodID = 1 WHERE orderID = 'DB20260319906' AND prodID = 3;
UPDATE OrderPurD SET orderID = 'CJ20260316902' WHERE orderID = 'CJ20260315901' AND prodID = 3;
UPDATE OrderPDD SET pdcount = 21 WHERE orderID = 'PD20260321909' AND prodID = 1;
UPDATE FitemBank SET itmID = 2 WHERE orderCode = 'XT20260318905';
UPDATE FitemBank SET sumMoney = -999.93 WHERE remark = 'rent';
UPDATE OrderSale SET orderID = 'XS20260317910' WHERE orderID = 'XS20260317903';
UPDATE Fproduct SET sumCount = sumCount - 12 WHERE prodID = 1;
)";

// Voiding: lines before and after their headers, journal rows by code and by account.
const char* const kDeletions = R"(
DELETE FROM OrderSaleTD WHERE orderID = 'XT20260318905';
DELETE FROM OrderSaleT WHERE orderID = 'XT20260318905';
DELETE FROM FitemBank WHERE orderCode = 'XT20260318905';
DELETE FROM OrderPur WHERE orderID = 'CJ20260315901';
DELETE FROM OrderPurD WHERE orderID = 'CJ20260315901';
DELETE FROM OrderBsByD WHERE orderID = 'BY20260320908';
DELETE FROM OrderDB WHERE orderID = 'DB20260319906';
DELETE FROM OrderPDD WHERE orderID = 'PD20260321909';
DELETE FROM OrderPD WHERE orderID = 'PD20260321909';
DELETE FROM FitemBank WHERE itmID = 2 AND sumMoney < 0;
)";

// Statements of the program and lookups that rely on text ignoring Latin case.
const QStringList kProgramQueries = {
    QStringLiteral("SELECT itmID,itmName,remark,IFNULL(je,0) AS je FROM VitemBank"),
    QStringLiteral("SELECT prodBH,prodName,type,unitName,inprice,sumCount,sum(pcount)as sc,"
                   "sum(sumMoney) as sm, (sum(sumMoney)-inprice*sum(pcount)) AS je FROM "
                   "VSaleOrderD WHERE optDate>='2026-03-01' AND optDate<='2026-03-31' AND "
                   "prodName LIKE '%%' GROUP BY prodBH,prodName,type,unitName,inprice,sumCount"),
    QStringLiteral("SELECT VInveHouse.*,Fprodcate.CateName FROM VInveHouse,Fprodcate WHERE "
                   "VInveHouse.cateID=Fprodcate.cateID AND VInveHouse.houseId=1"),
    QStringLiteral("SELECT orderID,empName,orderType,optDate FROM VOrder WHERE orderID LIKE "
                   "'cj%' OR orderID = 'bs20260320907'"),
    QStringLiteral("SELECT compName, count(*) AS n FROM VtjSale WHERE compName LIKE '%BRIGHT%' "
                   "GROUP BY compName"),
    QStringLiteral("SELECT prodName FROM Fproduct WHERE prodName = 'GREEN TEA' OR prodBH LIKE "
                   "'p00_'"),
};

class TwoEngines : public ::testing::Test {
protected:
    // The balances summed over their slots, which the engines choose differently.
    static QString keptBalances() { return QString::fromStdString(schema::keptBalances()); }

    // Every view, both kept totals and the program's statements.
    QStringList comparedQueries() {
        QStringList queries;
        for (const QString& view : books_.embeddedNames(QStringLiteral("view")))
            queries << QStringLiteral("SELECT * FROM ") + view;
        return queries << QStringLiteral("SELECT * FROM FInveHouse") << keptBalances()
                       << kProgramQueries;
    }

    // Runs the documents, their changes and their voiding on both books; after each step the
    // queries whose rows differ, with the rows.
    QStringList differencesAlongTheDocuments() {
        QStringList found;
        for (const char* step : {kMasterData, kDocuments, kChanges, kDeletions}) {
            const QString error = books_.exec(QString::fromUtf8(step));
            EXPECT_EQ(error, QString()) << step;
            for (const QString& query : comparedQueries())
                if (const QString d = books_.differences(query); !d.isEmpty())
                    found << query + u'\n' + d;
        }
        return found;
    }

    TwoBooks books_;
};

TEST_F(TwoEngines, TheServerBookHasTheSameTablesViewsAndSeedRowsAndItsHeader) {
    const QString relations = QStringLiteral(
        "SELECT lower(table_name) FROM information_schema.tables WHERE table_schema = "
        "current_schema() AND table_type = '%1' ORDER BY 1");
    QStringList tables = books_.embeddedNames(QStringLiteral("table"));
    tables << QStringLiteral("VeskBook");
    QStringList views = books_.embeddedNames(QStringLiteral("view"));
    for (QStringList* names : {&tables, &views}) {
        for (QString& name : *names)
            name = name.toLower();
        names->sort();
    }
    EXPECT_EQ(books_.server.rows(relations.arg(QStringLiteral("BASE TABLE"))), tables);
    EXPECT_EQ(books_.server.rows(relations.arg(QStringLiteral("VIEW"))), views);
    EXPECT_EQ(
        books_.server.rows(QStringLiteral("SELECT applicationId, version FROM VeskBook")),
        QStringList{QStringLiteral("%1|%2").arg(schema::kApplicationId).arg(schema::kUserVersion)});
    // Every date, of the tables and of the views over them, is plain text: one left citext
    // keeps the date ranges of a view that unites it with the others out of its tables' indexes.
    // (Ftbconfig's optdate says whether a printed page shows the date.)
    EXPECT_EQ(books_.server.rows(QStringLiteral(
                  "SELECT table_name || '.' || column_name || ' ' || data_type || ' ' || "
                  "coalesce(collation_name, '') FROM information_schema.columns WHERE "
                  "table_schema = current_schema() AND column_name LIKE '%date' AND "
                  "table_name <> 'ftbconfig' AND "
                  "(data_type <> 'text' OR collation_name IS DISTINCT FROM 'C')")),
              QStringList());
    // The book plans its reads for a solid-state disk.
    EXPECT_EQ(
        books_.server.scalar(QStringLiteral(
            "SELECT array_to_string(setconfig, ',') FROM pg_db_role_setting WHERE "
            "setdatabase = (SELECT oid FROM pg_database WHERE datname = current_database())")),
        QStringLiteral("random_page_cost=1.1"));
    for (const char* table :
         {"Fitem", "Fsupplier", "Fcustomer", "Users", "perms", "FConfig", "Ftbconfig", "Ftitle"})
        EXPECT_EQ(books_.differences(QStringLiteral("SELECT * FROM ") + table), QString()) << table;
    // Keys go on after the seed rows, as AUTOINCREMENT does.
    EXPECT_EQ(books_.exec(QStringLiteral("INSERT INTO Fitem(itmName) VALUES ('工商银行')")),
              QString());
    EXPECT_EQ(books_.differences(QStringLiteral("SELECT itmID, itmName FROM Fitem")), QString());
}

TEST_F(TwoEngines, AnotherServerBookIsRefusedWhereOneIsAndNothingChanges) {
    const QString count = QStringLiteral("SELECT count(*) FROM information_schema.tables WHERE "
                                         "table_schema = current_schema()");
    const QString before = books_.server.scalar(count);
    const std::string error = schema::createOnServer(books_.server.conninfo());
    EXPECT_NE(error.find("空数据库"), std::string::npos) << error;
    EXPECT_EQ(books_.server.scalar(count), before);
    EXPECT_EQ(books_.server.scalar(QStringLiteral("SELECT count(*) FROM VeskBook")), "1");
}

TEST_F(TwoEngines, TextIgnoresLatinCaseAndBothRefuseWhatDoesNotBelong) {
    ASSERT_EQ(books_.exec(QString::fromUtf8(kMasterData)), QString());
    const std::pair<const char*, const char*> lookups[] = {
        {"SELECT compName FROM Fsupplier WHERE compName = 'acme FOODS'", "Acme Foods"},
        {"SELECT compName FROM Fsupplier WHERE compName LIKE '%ACME%'", "Acme Foods"},
        {"SELECT prodName FROM Fproduct WHERE prodName LIKE '%tea%' AND company = 'leaf co'",
         "Green Tea"},
        {"SELECT count(*) AS n FROM Fhouse WHERE houseName IN ('backroom', '总仓')", "2"},
    };
    for (const auto& [query, found] : lookups) {
        EXPECT_EQ(books_.embeddedRows(QString::fromUtf8(query)).value(1), QString::fromUtf8(found))
            << query;
        EXPECT_EQ(books_.differences(QString::fromUtf8(query)), QString()) << query;
    }
    for (const char* refused : {
             "INSERT INTO OrderPur(orderID, optDate) VALUES ('CJ1', '2026-3-15')",
             "INSERT INTO OrderPur(orderID, optDate) VALUES ('CJ1', '15.03.2026')",
             "INSERT INTO Fasset(assName, purDate) VALUES ('车', '2026-03-1x')",
             "INSERT INTO Fproduct(prodName, inprice) VALUES ('x', 'abc')",
             "INSERT INTO Fhouse(houseID, houseName) VALUES (1, 'again')",
             "INSERT INTO OrderSaleD(orderID, prodID, pcount) VALUES ('XS1', 1, 1e12)",
             "INSERT INTO FitemBank(itmID, sumMoney) VALUES (1, -1e12)",
             "INSERT INTO FConfig(fieldName, isShow) VALUES ('x', 'yes')",
             "INSERT INTO FConfig(fieldName, isShow) VALUES ('PRODBH', '是')",
             "INSERT INTO FSettle(compTable, compID, sumMoney) VALUES ('Fitem', 1, 1)",
             "INSERT INTO OrderSale(orderID, optDate) VALUES (NULL, '2026-03-15')",
         }) {
        EXPECT_NE(books_.execEmbedded(QString::fromUtf8(refused)), QString()) << refused;
        EXPECT_NE(books_.server.exec(QString::fromUtf8(refused)), QString()) << refused;
    }
    // Infinity is no amount: the embedded engine reads 1e999 as it, the server spells it out.
    EXPECT_NE(books_.execEmbedded(QStringLiteral("UPDATE Fproduct SET inprice = 1e999")),
              QString());
    for (const char* beyond : {"'Infinity'", "'NaN'", "1e999", "-1e309"})
        EXPECT_NE(
            books_.server.exec(
                QStringLiteral("UPDATE Fproduct SET inprice = %1").arg(QString::fromUtf8(beyond))),
            QString())
            << beyond;
    // A second document with a code that differs only in case is the same code.
    EXPECT_EQ(books_.exec(QStringLiteral(
                  "INSERT INTO OrderPur(orderID, optDate) VALUES ('CJ2', '2026-03-15')")),
              QString());
    EXPECT_NE(books_.execEmbedded(QStringLiteral(
                  "INSERT INTO OrderPur(orderID, optDate) VALUES ('cj2', '2026-03-15')")),
              QString());
    EXPECT_NE(books_.server.exec(QStringLiteral(
                  "INSERT INTO OrderPur(orderID, optDate) VALUES ('cj2', '2026-03-15')")),
              QString());
}

TEST_F(TwoEngines, AmountsAndQuantitiesAreExactOnTheServer) {
    ASSERT_EQ(books_.exec(QStringLiteral(
                  "INSERT INTO FitemBank(optDate, sumMoney, itmID) VALUES ('2026-03-15', 0.1, "
                  "1), ('2026-03-15', 0.2, 1); INSERT INTO Fproduct(prodName, sumCount) VALUES "
                  "('x', 0.1); UPDATE Fproduct SET sumCount = sumCount + 0.2")),
              QString());
    EXPECT_EQ(books_.server.scalar(QStringLiteral("SELECT sum(sumMoney) = 0.3 FROM FitemBank")),
              "t");
    EXPECT_EQ(books_.server.scalar(QStringLiteral("SELECT sumCount FROM Fproduct")), "0.3");
    EXPECT_EQ(
        books_.server.scalar(QStringLiteral("SELECT je = 0.3 FROM VitemBank WHERE itmID = 1")),
        "t");
}

TEST_F(TwoEngines, TheSameDocumentsYieldTheSameViewsAndKeptTotalsOnBothBooks) {
    EXPECT_EQ(differencesAlongTheDocuments().join(QStringLiteral("\n\n")), QString());
    // The documents did reach the totals, so the comparison compared something.
    // (The first of the rows names the columns.)
    EXPECT_GT(books_.embeddedRows(QStringLiteral("SELECT * FROM FInveHouse")).size(), 3);
    EXPECT_GT(books_.embeddedRows(QStringLiteral("SELECT * FROM VtjSupplier")).size(), 2);
}

TEST_F(TwoEngines, TheComparisonNoticesATriggerMissingOnTheServer) {
    ASSERT_EQ(books_.server.exec(QStringLiteral("DROP TRIGGER trSaleLine ON OrderSaleD")),
              QString());
    const QString found = differencesAlongTheDocuments().join(u'\n');
    EXPECT_TRUE(found.contains(QStringLiteral("SELECT * FROM FInveHouse"))) << found.toStdString();
    EXPECT_TRUE(found.contains(QStringLiteral("SELECT * FROM VInveHouse"))) << found.toStdString();
}

TEST_F(TwoEngines, TheComparisonNoticesATriggerMissingOnTheEmbeddedBook) {
    ASSERT_EQ(books_.execEmbedded(QStringLiteral("DROP TRIGGER trBankUpdate")), QString());
    const QString found = differencesAlongTheDocuments().join(u'\n');
    EXPECT_TRUE(found.contains(keptBalances())) << found.toStdString();
    EXPECT_TRUE(found.contains(QStringLiteral("IFNULL(je,0)"))) << found.toStdString();
}

TEST_F(TwoEngines, EveryDocumentTableKeepsTheTotalsOnBothEngines) {
    // A stock count moves stock only through its correction, an OrderBsBy document.
    const std::set<QString> counts = {QStringLiteral("orderpd"), QStringLiteral("orderpdd")};
    std::set<QString> documentTables, described;
    for (const QString& table : books_.embeddedNames(QStringLiteral("table")))
        if (table.startsWith(QStringLiteral("Order")) && !counts.count(table.toLower()))
            documentTables.insert(table.toLower());
    for (const schema::DocumentTable& d : schema::documentTables())
        described.insert(QString::fromLatin1(d.header).toLower()),
            described.insert(QString::fromLatin1(d.lines).toLower());
    EXPECT_EQ(documentTables.size(), 12u);
    EXPECT_EQ(described, documentTables);

    documentTables.insert(QStringLiteral("fitembank"));
    for (const QString& table : documentTables) {
        QStringList embedded;
        for (const QString& row : books_.embeddedRows(
                 QStringLiteral("SELECT sql FROM sqlite_schema WHERE type = 'trigger' AND "
                                "lower(tbl_name) = '%1'")
                     .arg(table)))
            for (const char* event : {"INSERT", "UPDATE", "DELETE"})
                if (row.contains(QStringLiteral("AFTER %1 ").arg(QLatin1String(event))))
                    embedded << QString::fromLatin1(event);
        embedded.removeDuplicates();
        embedded.sort();
        EXPECT_EQ(embedded.join(u' '), "DELETE INSERT UPDATE") << table.toStdString();
        EXPECT_EQ(books_.server
                      .rows(QStringLiteral("SELECT DISTINCT event_manipulation FROM "
                                           "information_schema.triggers WHERE "
                                           "event_object_table = '%1' ORDER BY 1")
                                .arg(table))
                      .join(u' '),
                  "DELETE INSERT UPDATE")
            << table.toStdString();
    }
}

// vesk-makedb --server, run as a person runs it.
struct MakeDb {
    int exitCode = -1;
    QString errors;
};
MakeDb makeDb(const std::string& conninfo) {
    QProcess p;
    p.start(QStringLiteral(VESK_MAKEDB),
            {QStringLiteral("--server"), QString::fromStdString(conninfo)});
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

TEST(MakeDbServer, WritesABookIntoAnEmptyDatabaseOnlyAndSaysWhyNot) {
    ServerDb db;
    const MakeDb first = makeDb(db.conninfo());
    EXPECT_EQ(first.exitCode, 0) << first.errors.toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT version FROM VeskBook")),
              QString::number(schema::kUserVersion));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM perms")), "35");

    ASSERT_EQ(db.exec(QStringLiteral("INSERT INTO Fhouse(houseName) VALUES ('总仓')")), QString());
    const MakeDb second = makeDb(db.conninfo());
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.errors.contains(QStringLiteral("空数据库"))) << second.errors.toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM Fhouse")), "1");

    const MakeDb unreachable = makeDb("host=/nonexistent-vesk-folder dbname=x");
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_TRUE(unreachable.errors.contains(QStringLiteral("无法连接到服务器")))
        << unreachable.errors.toStdString();
}

// Asked for help, it shows how it is run; it once wrote a book named "--help".
TEST(MakeDb, AnOptionItDoesNotKnowShowsItsUsageAndWritesNothing) {
    QTemporaryDir dir;
    QProcess p;
    p.setWorkingDirectory(dir.path());
    p.start(QStringLiteral(VESK_MAKEDB), {QStringLiteral("--help")});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 2);
    EXPECT_TRUE(p.readAllStandardError().startsWith("usage: vesk-makedb"));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(MakeDbServer, ADatabaseOfALanguagesTextRulesIsRefusedAndLeftEmpty) {
    // Under a language's rules the server would fold É to é and order text otherwise than the
    // embedded book does.
    const QString name = QStringLiteral("vt_language_rules");
    ServerBook::admin(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name));
    ServerBook::admin(
        QStringLiteral("CREATE DATABASE %1 LOCALE 'C.UTF-8' TEMPLATE template0").arg(name));
    const std::string conninfo = (ServerBook::clusterConninfo() + " dbname=" + name).toStdString();
    const MakeDb made = makeDb(conninfo);
    EXPECT_EQ(made.exitCode, 1);
    EXPECT_TRUE(made.errors.contains(QStringLiteral("C.UTF-8/C.UTF-8")) &&
                made.errors.contains(QStringLiteral("createdb --locale=C")))
        << made.errors.toStdString();
    {
        Connection check = Connection::server(QString::fromStdString(conninfo));
        TQuery q(check, QStringLiteral("Check"));
        q.load(QStringLiteral("SELECT count(*) AS n FROM information_schema.tables WHERE "
                              "table_schema = current_schema()"));
        q.open();
        EXPECT_EQ(q.field(u"n").asInteger(), 0);
        q.close();
    }
    ServerBook::admin(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(name));
}

TEST(MakeDbServer, ADatabaseWithATableOfAnotherProgramIsLeftAsItWas) {
    ServerDb db;
    ASSERT_EQ(db.exec(QStringLiteral("CREATE TABLE invoices(id int); INSERT INTO invoices "
                                     "VALUES (7)")),
              QString());
    const MakeDb made = makeDb(db.conninfo());
    EXPECT_EQ(made.exitCode, 1);
    EXPECT_TRUE(made.errors.contains(QStringLiteral("空数据库"))) << made.errors.toStdString();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT count(*) FROM information_schema.tables WHERE "
                                       "table_schema = current_schema()")),
              "1");
}

TEST(ServerSpelling, TurnsTheEmbeddedTypesAndChecksIntoTheServers) {
    const std::string spelt = schema::serverSpelling(
        "PRAGMA application_id = 7; -- a REAL comment\nPRAGMA user_version = 3;\n"
        "CREATE TABLE T (\n  id INTEGER PRIMARY KEY AUTOINCREMENT,\n"
        "  code TEXT NOT NULL UNIQUE COLLATE NOCASE,\n  pwd TEXT,\n"
        "  d TEXT COLLATE NOCASE CHECK (d GLOB '[0-9]?*.x'),\n"
        "  day   TEXT COLLATE NOCASE CHECK (day GLOB '[0-9][0-9]-[0-9]'),\n"
        "  n REAL CHECK (abs(n) < 9e999)\n) STRICT;\n");
    EXPECT_EQ(spelt, "INSERT INTO VeskBook(applicationId, version) VALUES (7, 0); \n"
                     "UPDATE VeskBook SET version = 3;\n"
                     "CREATE TABLE T (\n  id bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY,\n"
                     "  code citext NOT NULL UNIQUE,\n  pwd TEXT,\n"
                     "  d citext CHECK (d ~ '^[0-9]..*\\.x$'),\n"
                     "  day   text COLLATE \"C\" CHECK (day ~ '^[0-9][0-9]-[0-9]$'),\n"
                     "  n numeric CHECK (abs(n) <= 1.7976931348623157e308)\n);\n");
}

} // namespace
