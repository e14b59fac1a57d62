// The kept totals behind VInveHouse and VitemBank must yield exactly what summing the document
// lines and journal rows from scratch yields, whatever order rows come and go in.
#include "core/sysdata.h"
#include "support/booktest.h"

#include <random>

namespace {

// Stock per warehouse computed from the documents alone: what VInveHouse stands for.
const char* const kStockFromDocuments = R"(
SELECT p.prodID, p.cateID, p.prodBH, p.prodName, p.type, p.unitName, p.inprice, p.outprice,
       p.company, m.houseID, SUM(m.qty) AS sumCount
FROM (
  SELECT h.houseID, d.prodID, d.pcount AS qty FROM OrderPur h JOIN OrderPurD d ON d.orderID = h.orderID
  UNION ALL SELECT h.houseID, d.prodID, -d.pcount FROM OrderPurT h JOIN OrderPurTD d ON d.orderID = h.orderID
  UNION ALL SELECT h.houseID, d.prodID, -d.pcount FROM OrderSale h JOIN OrderSaleD d ON d.orderID = h.orderID
  UNION ALL SELECT h.houseID, d.prodID, d.pcount FROM OrderSaleT h JOIN OrderSaleTD d ON d.orderID = h.orderID
  UNION ALL SELECT h.houseID, d.prodID, CASE WHEN h.orderType = '报损' THEN -d.pcount ELSE d.pcount END
    FROM OrderBsBy h JOIN OrderBsByD d ON d.orderID = h.orderID
  UNION ALL SELECT h.houseOut, d.prodID, -d.pcount FROM OrderDB h JOIN OrderDBD d ON d.orderID = h.orderID
  UNION ALL SELECT h.houseIn, d.prodID, d.pcount FROM OrderDB h JOIN OrderDBD d ON d.orderID = h.orderID
) m
JOIN Fproduct p ON p.prodID = m.prodID
GROUP BY m.houseID, m.prodID)";

// Balances computed from the journal alone: what VitemBank stands for.
const char* const kBalanceFromJournal = R"(
SELECT i.itmID, i.itmName, i.remark,
       (SELECT SUM(b.sumMoney) FROM FitemBank b WHERE b.itmID = i.itmID) AS je
FROM Fitem i)";

struct Kind {
    const char* header;
    const char* lines;
};
const Kind kKinds[] = {{"OrderPur", "OrderPurD"},   {"OrderPurT", "OrderPurTD"},
                       {"OrderSale", "OrderSaleD"}, {"OrderSaleT", "OrderSaleTD"},
                       {"OrderBsBy", "OrderBsByD"}, {"OrderDB", "OrderDBD"}};

class KeptTotals : public BookTest {
protected:
    // Rows of one query that the other lacks, in either direction.
    long long differences(const QString& a, const QString& b) {
        const QString except = QStringLiteral("(SELECT * FROM (%1) EXCEPT SELECT * FROM (%2))");
        return count(except.arg(a, b)) + count(except.arg(b, a));
    }

    // The rows of a query, for a failure message.
    std::string rows(const QString& query) {
        return scalar(QStringLiteral("SELECT group_concat(houseID||':'||prodID||'='||"
                                     "ifnull(sumCount,'null'), ' ') FROM (%1)")
                          .arg(query))
            .toStdString();
    }

    void header(const Kind& k, const QString& code, long long house, const QString& type = {}) {
        if (QString::fromLatin1(k.header) == "OrderDB")
            exec(QStringLiteral("INSERT INTO OrderDB(orderID,houseOut,houseIn,optDate) "
                                "VALUES('%1',%2,%3,'2026-03-15')")
                     .arg(code)
                     .arg(house)
                     .arg(house % 3 + 1));
        else if (QString::fromLatin1(k.header) == "OrderBsBy")
            exec(QStringLiteral("INSERT INTO OrderBsBy(orderID,houseID,orderType,optDate) "
                                "VALUES('%1',%2,'%3','2026-03-15')")
                     .arg(code)
                     .arg(house)
                     .arg(type));
        else
            exec(QStringLiteral("INSERT INTO %1(orderID,houseID,compID,optDate,acMoney,coMoney) "
                                "VALUES('%2',%3,1,'2026-03-15',0,0)")
                     .arg(QString::fromLatin1(k.header), code)
                     .arg(house));
    }
    void line(const Kind& k, const QString& code, long long prod, const QString& qty) {
        exec(QStringLiteral("INSERT INTO %1(orderID,prodID,price,pcount,sumMoney,remark) "
                            "VALUES('%2',%3,1,%4,1,'')")
                 .arg(QString::fromLatin1(k.lines), code)
                 .arg(prod)
                 .arg(qty));
    }
};

// typeof() too, so that a NULL, a whole number and a real never pass for one another.
QString stockQuery() {
    return QStringLiteral("SELECT prodID,cateID,prodBH,prodName,type,unitName,inprice,outprice,"
                          "company,houseID,sumCount,typeof(sumCount) FROM (%1)");
}

TEST_F(KeptTotals, StockPerWarehouseEqualsTheSumOverDocumentsThroughPostingAndVoiding) {
    const long long houses[] = {addHouse("一号库"), addHouse("二号库"), addHouse("三号库")};
    std::vector<long long> products;
    for (int i = 0; i < 8; ++i)
        products.push_back(addProduct(QStringLiteral("品%1").arg(i)));
    std::mt19937 random(20260315);
    const auto pick = [&](int n) { return int(random() % unsigned(n)); };
    // Quantities exact in binary, so that both ways of adding agree to the last bit.
    const QStringList quantities{"1", "2.5", "-3", "0.25", "40", "7.75", "NULL"};
    const auto same = [&] {
        return differences(stockQuery().arg("SELECT * FROM VInveHouse"),
                           stockQuery().arg(QString::fromUtf8(kStockFromDocuments)));
    };

    std::vector<std::pair<const Kind*, QString>> posted;
    for (int n = 0; n < 120; ++n) {
        const Kind& k = kKinds[pick(6)];
        const QString code = QStringLiteral("D%1").arg(n);
        const int action = pick(10);
        if (action < 6) { // posting: the header, then its lines (a product may repeat)
            header(k, code, houses[pick(3)], pick(2) ? "报损" : "报溢");
            for (int l = pick(4); l >= 0; --l)
                line(k, code, products[std::size_t(pick(8))], quantities[pick(7)]);
            posted.emplace_back(&k, code);
        } else if (action == 6 && !posted.empty()) { // voiding: the header first, then the lines
            const auto [kind, c] = posted[std::size_t(pick(int(posted.size())))];
            exec(QStringLiteral("DELETE FROM %1 WHERE orderID='%2'").arg(kind->header, c));
            exec(QStringLiteral("DELETE FROM %1 WHERE orderID='%2'").arg(kind->lines, c));
        } else if (action == 7) { // lines before their header, and lines without one
            line(k, code, products[std::size_t(pick(8))], quantities[pick(7)]);
            if (pick(2))
                header(k, code, houses[pick(3)], "报溢");
        } else if (action == 8 && !posted.empty()) { // one line removed or changed
            const auto [kind, c] = posted[std::size_t(pick(int(posted.size())))];
            if (pick(2))
                exec(QStringLiteral("DELETE FROM %1 WHERE rowid=(SELECT MIN(rowid) FROM %1 "
                                    "WHERE orderID='%2')")
                         .arg(kind->lines, c));
            else
                exec(QStringLiteral("UPDATE %1 SET pcount=pcount+1, prodID=%3 WHERE orderID='%2'")
                         .arg(kind->lines, c)
                         .arg(products[std::size_t(pick(8))]));
        } else if (!posted.empty()) { // a header moved to another warehouse or kind
            const auto [kind, c] = posted[std::size_t(pick(int(posted.size())))];
            const QString column =
                QString::fromLatin1(kind->header) == "OrderDB" ? "houseIn" : "houseID";
            exec(QStringLiteral("UPDATE %1 SET %2=%3 WHERE orderID='%4'")
                     .arg(kind->header, column)
                     .arg(houses[pick(3)])
                     .arg(c));
            exec(QStringLiteral("UPDATE OrderBsBy SET orderType='报损' WHERE orderID='%1'").arg(c));
        }
        ASSERT_EQ(same(), 0) << "after step " << n << " (action " << action << " on " << k.header
                             << "): kept " << rows(stockQuery().arg("SELECT * FROM VInveHouse"))
                             << " summed "
                             << rows(stockQuery().arg(QString::fromUtf8(kStockFromDocuments)));
    }
    EXPECT_GT(count("VInveHouse"), 5);

    // A deleted product leaves the list; a renamed one shows its new name at once.
    exec(QStringLiteral("DELETE FROM Fproduct WHERE prodID=%1").arg(products[0]));
    exec(QStringLiteral("UPDATE Fproduct SET prodName='新名', cateID=7 WHERE prodID=%1")
             .arg(products[1]));
    EXPECT_EQ(same(), 0);

    // Emptying every document table, as the initialisation does, leaves no stock row.
    for (const Kind& k : kKinds) {
        exec(QStringLiteral("DELETE FROM %1").arg(k.lines));
        exec(QStringLiteral("DELETE FROM %1").arg(k.header));
    }
    EXPECT_EQ(count("VInveHouse"), 0);
    EXPECT_EQ(count("FInveHouse"), 0);
}

TEST_F(KeptTotals, ATransferWithinOneWarehouseStillListsThePairAtZero) {
    const long long a = addHouse("甲库"), p = addProduct("笔");
    exec(QStringLiteral("INSERT INTO OrderDB(orderID,houseOut,houseIn,optDate) "
                        "VALUES('DB1',%1,%1,'2026-03-15')")
             .arg(a));
    exec(QStringLiteral("INSERT INTO OrderDBD(orderID,prodID,pcount) VALUES('DB1',%1,5)").arg(p));
    EXPECT_EQ(scalar(QStringLiteral("SELECT sumCount FROM VInveHouse WHERE houseID=%1").arg(a)),
              "0");
    EXPECT_EQ(count(QStringLiteral("Vinvepc WHERE houseID=%1").arg(a)), 1);
    exec("DELETE FROM OrderDB WHERE orderID='DB1'");
    EXPECT_EQ(count("Vinvepc"), 0);
}

TEST_F(KeptTotals, LinesWithoutAQuantityReadAsNullLikeTheirSum) {
    const long long a = addHouse("甲库"), p = addProduct("笔");
    exec(QStringLiteral("INSERT INTO OrderPur(orderID,houseID,optDate) VALUES('CJ1',%1,"
                        "'2026-03-15')")
             .arg(a));
    exec(QStringLiteral("INSERT INTO OrderPurD(orderID,prodID) VALUES('CJ1',%1)").arg(p));
    EXPECT_EQ(scalar("SELECT typeof(sumCount) FROM VInveHouse"), "null");
    exec(QStringLiteral("INSERT INTO OrderPurD(orderID,prodID,pcount) VALUES('CJ1',%1,2)").arg(p));
    EXPECT_EQ(scalar("SELECT sumCount FROM VInveHouse"), "2");
}

TEST_F(KeptTotals, AccountBalancesEqualTheSumOverTheJournal) {
    exec("INSERT INTO Fitem(itmName,remark) VALUES('工行',''),('农行','')");
    std::mt19937 random(7);
    const QStringList amounts{"12.5", "-2.25", "100", "-0.5", "NULL", "3"};
    const auto same = [&] {
        return differences(QStringLiteral("SELECT *, typeof(je) FROM VitemBank"),
                           QStringLiteral("SELECT *, typeof(je) FROM (%1)")
                               .arg(QString::fromUtf8(kBalanceFromJournal)));
    };
    EXPECT_EQ(same(), 0);
    for (int n = 0; n < 80; ++n) {
        const int action = int(random() % 4);
        const int account = int(random() % 4); // 4: an account that does not exist
        if (action < 2)
            exec(QStringLiteral("INSERT INTO FitemBank(optDate,orderCode,sumMoney,itmID) "
                                "VALUES('2026-03-15','C%1',%2,%3)")
                     .arg(n % 10)
                     .arg(amounts[int(random() % 6)])
                     .arg(account + 1));
        else if (action == 2) // voiding deletes by the document code
            exec(QStringLiteral("DELETE FROM FitemBank WHERE orderCode='C%1'").arg(random() % 10));
        else
            exec(QStringLiteral("UPDATE FitemBank SET itmID=%1, sumMoney=sumMoney*2 WHERE "
                                "bankID=(SELECT MAX(bankID) FROM FitemBank)")
                     .arg(account + 1));
        ASSERT_EQ(same(), 0) << "after step " << n;
    }
    exec("DELETE FROM FitemBank");
    EXPECT_EQ(same(), 0);
    EXPECT_EQ(scalar("SELECT typeof(je) FROM VitemBank WHERE itmID=1"), "null");
}

TEST_F(KeptTotals, ABalanceThatComesBackToZeroIsExactlyZero) {
    // Summed as binary fractions, 0.1 + 0.2 - 0.3 leaves 5.55e-17, and the account window
    // would refuse to delete an account whose rows add up to nothing.
    exec("INSERT INTO FitemBank(optDate,sumMoney,itmID) VALUES('2026-03-15',0.1,1),"
         "('2026-03-15',0.2,1),('2026-03-15',-0.3,1)");
    EXPECT_EQ(scalar("SELECT je = 0 FROM VitemBank WHERE itmID=1"), "1");
    EXPECT_EQ(scalar("SELECT je FROM VitemBank WHERE itmID=1"), "0");
}

// Quantities and amounts up to the limit the book takes read back as typed: multiplied into
// millionths at once, 999999999999 would have been kept as 999999999999.000064.
TEST_F(KeptTotals, LargeQuantitiesAndAmountsReadBackExactlyAndLargerOnesAreRefused) {
    const long long a = addHouse("甲库"), p = addProduct("笔");
    exec(QStringLiteral("INSERT INTO OrderPur(orderID,houseID,optDate) VALUES('CJ1',%1,"
                        "'2026-03-15')")
             .arg(a));
    for (const char* value : {"999999999999", "-999999999999.5", "9876543210.123456",
                              "123456789012.25", "-0.000001", "8999999999.999999"}) {
        exec("DELETE FROM OrderPurD");
        exec("DELETE FROM FitemBank");
        line(kKinds[0], "CJ1", p, value);
        exec(QStringLiteral("INSERT INTO FitemBank(optDate,sumMoney,itmID) "
                            "VALUES('2026-03-15',%1,1)")
                 .arg(value));
        EXPECT_EQ(scalar("SELECT sumCount = (SELECT pcount FROM OrderPurD) FROM VInveHouse"), "1")
            << value << " read back as " << scalar("SELECT sumCount FROM VInveHouse").toStdString();
        EXPECT_EQ(scalar("SELECT je = (SELECT sumMoney FROM FitemBank) FROM VitemBank "
                         "WHERE itmID=1"),
                  "1")
            << value;
    }
    EXPECT_THROW(line(kKinds[0], "CJ1", p, "1e12"), std::exception);
    EXPECT_THROW(exec("INSERT INTO FitemBank(optDate,sumMoney,itmID) VALUES('2026-03-15',-1e12,1)"),
                 std::exception);
}

} // namespace
