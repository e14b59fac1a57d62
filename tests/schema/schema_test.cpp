#include "core/dberror.h"
#include "core/sysdata.h"
#include "support/booktest.h"

namespace {

class Schema : public BookTest {};

// Every table and view answers to the columns the program's statements name.
TEST_F(Schema, HasTheTablesAndViewsOfTheBook) {
    const QString header = QStringLiteral("orderID,houseID,empName,compID,optDate,acMoney,coMoney");
    const QString lines = QStringLiteral("orderID,prodID,price,pcount,sumMoney,remark");
    const QString counterpart = QStringLiteral(
        "compID,compName,conperson,phone,address,bankName,bankCard,exchMoney,remark");
    const QString stats =
        QStringLiteral("compName,optDate,orderID,orderType,acMoney,coMoney,je,empName");
    const std::vector<std::pair<QString, QString>> objects{
        {"Fhouse", "houseID,houseName,resperson,phone,address,remark"},
        {"Fprodcate", "cateID,cateName"},
        {"Fproduct", "prodID,cateID,prodBH,prodName,type,company,unitName,inprice,outprice,"
                     "remark,field1,field2,sumCount"},
        {"FConfig", "fieldName,textValue,sort,isShow,fieldwidth"},
        {"Ftbconfig", "mtop,mleft,house,orderID,compName,optdate,ys,ss,emp,hj"},
        {"Ftitle", "pur,purT,sale,saleT,db,bsby"},
        {"Fsupplier", counterpart},
        {"Fcustomer", counterpart},
        {"Femployee", "empID,empName,sex,birth,phone,address,rewdis,remark"},
        {"OrderPur", header},
        {"OrderPurT", header},
        {"OrderSale", header},
        {"OrderSaleT", header},
        {"OrderPurD", lines},
        {"OrderPurTD", lines},
        {"OrderSaleD", lines},
        {"OrderSaleTD", lines},
        {"OrderDBD", lines},
        {"OrderBsByD", lines},
        {"OrderDB", "orderID,houseOut,empName,houseIn,optDate"},
        {"OrderBsBy", "orderID,houseID,empName,orderType,optDate"},
        {"OrderPD", "orderID,houseID,remark,userName,optDate"},
        {"OrderPDD", "orderID,prodID,pcount,pdcount"},
        {"Fitem", "itmID,itmName,remark"},
        {"FitemBank", "optDate,orderCode,orderType,sumMoney,empName,compName,itmID,remark"},
        {"FassCate", "cateID,cateName"},
        {"Fasset", "assID,assName,cateID,purPrice,purDate,remark"},
        {"Users", "UserID,UserName,pwd"},
        {"perms", "userID,perm"},
        {"FSettle", "settleID,compTable,compID,sumMoney,remark"},
        {"VInveHouse", "prodID,cateID,prodBH,prodName,type,unitName,inprice,outprice,company,"
                       "houseID,sumCount"},
        {"Vinvepc", "*"},
        {"VitemBank", "itmID,itmName,remark,je"},
        {"VtjSupplier", stats},
        {"VtjSale", stats},
        {"VSaleOrderD", "prodBH,prodName,type,unitName,inprice,sumCount,pcount,sumMoney,optDate"},
        {"VOrder", "orderID,empName,orderType,optDate"},
        {"VorderDetail", "orderID,prodBH,prodName,type,unitName,price,pcount,sumMoney,remark"},
    };
    for (const auto& [name, columns] : objects)
        EXPECT_NO_THROW(scalar(QStringLiteral("SELECT %1 FROM %2 LIMIT 0").arg(columns, name)))
            << name.toStdString();
}

TEST_F(Schema, NamesReachTheSameObjectInAnyCase) {
    for (const char* sql : {"SELECT COUNT(*) FROM OrderBsby", "SELECT COUNT(*) FROM OrderBsbyD",
                            "SELECT COUNT(*) FROM Fasscate", "SELECT userID FROM Users",
                            "SELECT CateName FROM Fprodcate", "SELECT Sort FROM FConfig",
                            "SELECT houseId FROM VInveHouse"})
        EXPECT_NO_THROW(scalar(QString::fromLatin1(sql))) << sql;
}

TEST_F(Schema, SeedRowsAreThere) {
    EXPECT_EQ(scalar("SELECT itmName FROM Fitem WHERE itmID=1"), "现金");
    EXPECT_EQ(scalar("SELECT compName||exchMoney FROM Fsupplier"), "普通供应商0.0");
    EXPECT_EQ(scalar("SELECT compName||exchMoney FROM Fcustomer"), "普通客户0.0");
    EXPECT_EQ(scalar("SELECT COUNT(DISTINCT perm) FROM perms p JOIN Users u ON u.UserID=p.userID "
                     "WHERE u.UserName='管理员' AND perm BETWEEN 0 AND 34"),
              "35");
    EXPECT_EQ(count("FConfig"), 12);
    EXPECT_EQ(count("FConfig WHERE typeof(sort)='integer' AND typeof(fieldwidth)='integer' AND "
                    "isShow IN ('是','否')"),
              12);
    EXPECT_EQ(scalar("SELECT group_concat(textValue, ',') FROM (SELECT textValue FROM FConfig "
                     "ORDER BY sort)"),
              "商品编号,商品名称,规格/型号,单位,厂家,进价,售价,数量,金额,备注,批号,有效期");
    EXPECT_EQ(scalar("SELECT mtop||','||mleft||house||orderID||compName||optdate||ys||ss||emp||hj "
                     "FROM Ftbconfig"),
              "10,10是是是是是是是是");
    EXPECT_EQ(scalar("SELECT pur||purT||sale||saleT||db||bsby FROM Ftitle"),
              "采购进货单采购退货单商品销售单顾客退货单库存调拨单报损报溢单");
    EXPECT_EQ(count("Ftitle"), 1);
    EXPECT_EQ(count("Ftbconfig"), 1);
}

TEST_F(Schema, BalancesAndStockStartAtZeroNotNull) {
    const long long s = addSupplier("甲");
    exec(QStringLiteral("UPDATE Fsupplier SET exchMoney=exchMoney+100 WHERE compID=%1").arg(s));
    EXPECT_EQ(scalar(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(s)),
              "100");
    const long long p = addProduct("笔");
    exec(QStringLiteral("UPDATE Fproduct SET sumCount=sumCount-3 WHERE prodID=%1").arg(p));
    EXPECT_EQ(scalar(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(p)), "-3");
}

TEST_F(Schema, TextThatIsNotANumberIsRefusedByNumericColumns) {
    EXPECT_THROW(exec("INSERT INTO Fproduct(prodName,inprice) VALUES('x','abc')"), DbError);
    EXPECT_THROW(exec("INSERT INTO OrderPurD(orderID,prodID,pcount) VALUES('c','','1')"), DbError);
    EXPECT_NO_THROW(exec("INSERT INTO OrderPurD(orderID,prodID,pcount) VALUES('c','3','1.5')"));
    EXPECT_EQ(scalar("SELECT typeof(pcount)||typeof(prodID) FROM OrderPurD"), "realinteger");
    EXPECT_THROW(exec("INSERT INTO FitemBank(optDate,itmID) VALUES('15/03/2026',1)"), DbError);
}

TEST_F(Schema, AHeaderRefusesASecondDocumentWithTheSameCode) {
    exec("INSERT INTO OrderSale(orderID,optDate) VALUES('XS1','2026-03-15')");
    EXPECT_THROW(exec("INSERT INTO OrderSale(orderID,optDate) VALUES('xs1','2026-03-15')"),
                 DbError);
    exec("INSERT INTO OrderDB(orderID,optDate) VALUES('DB1','2026-03-15')");
    EXPECT_THROW(exec("INSERT INTO OrderDB(orderID,optDate) VALUES('DB1','2026-03-15')"), DbError);
}

TEST_F(Schema, AnAccountWithoutJournalRowsIsListedWithBalanceZero) {
    exec("INSERT INTO Fitem(itmName,remark) VALUES('工行','')");
    exec("INSERT INTO FitemBank(optDate,sumMoney,itmID) VALUES('2026-03-15',12.5,1),"
         "('2026-03-15',-2.5,1)");
    EXPECT_EQ(count("VitemBank"), 2);
    EXPECT_EQ(scalar("SELECT je FROM VitemBank WHERE itmID=1"), "10");
    EXPECT_EQ(scalar("SELECT IFNULL(je,0) FROM VitemBank WHERE itmName='工行'"), "0");
}

// Every kind of document moves the per-warehouse stock with the signs posting uses.
TEST_F(Schema, StockPerWarehouseFollowsTheSignsOfEveryDocumentKind) {
    const long long a = addHouse("A"), b = addHouse("B");
    const long long p = addProduct("笔"), idle = addProduct("未动");
    const auto line = [&](const char* table, const char* code, double qty) {
        exec(QStringLiteral("INSERT INTO %1(orderID,prodID,pcount) VALUES('%2',%3,%4)")
                 .arg(table, code)
                 .arg(p)
                 .arg(qty));
    };
    const auto header = [&](const char* table, const char* code, long long house) {
        exec(QStringLiteral("INSERT INTO %1(orderID,houseID,optDate) VALUES('%2',%3,'2026-03-15')")
                 .arg(table, code)
                 .arg(house));
    };
    header("OrderPur", "CJ1", a), line("OrderPurD", "CJ1", 100);
    header("OrderPurT", "CT1", a), line("OrderPurTD", "CT1", 5);
    header("OrderSale", "XS1", a), line("OrderSaleD", "XS1", 20);
    header("OrderSaleT", "XT1", a), line("OrderSaleTD", "XT1", 2);
    exec("INSERT INTO OrderBsBy(orderID,houseID,orderType,optDate) VALUES"
         "('BS1',1,'报损','2026-03-15'),('BY1',1,'报溢','2026-03-15'),('PD1',1,'盘点','2026-03-15'"
         ")");
    line("OrderBsByD", "BS1", 3), line("OrderBsByD", "BY1", 4), line("OrderBsByD", "PD1", -1);
    exec(QStringLiteral("INSERT INTO OrderDB(orderID,houseOut,houseIn,optDate) VALUES"
                        "('DB1',%1,%2,'2026-03-15')")
             .arg(a)
             .arg(b));
    line("OrderDBD", "DB1", 30);

    const auto stock = [&](long long house) {
        return scalar(
            QStringLiteral("SELECT sumCount FROM VInveHouse WHERE prodID=%1 AND houseID=%2")
                .arg(p)
                .arg(house));
    };
    EXPECT_EQ(stock(a), "47"); // 100 - 5 - 20 + 2 - 3 + 4 - 1 - 30
    EXPECT_EQ(stock(b), "30");
    EXPECT_EQ(count(QStringLiteral("VInveHouse WHERE prodID=%1").arg(idle)), 0);
    EXPECT_EQ(count(QStringLiteral("Vinvepc WHERE houseID=%1").arg(b)), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT prodName||unitName||inprice||outprice FROM VInveHouse "
                                    "WHERE houseID=%1")
                         .arg(b)),
              "笔个10.015.0");
}

TEST_F(Schema, TradeViewsNameTheKindAndWhatIsStillOwed) {
    const long long s = addSupplier("甲"), c = addCustomer("乙");
    exec(QStringLiteral("INSERT INTO OrderPur VALUES('CJ1',1,'张三',%1,'2026-03-15',100,30)")
             .arg(s));
    exec(QStringLiteral("INSERT INTO OrderPurT VALUES('CT1',1,'张三',%1,'2026-03-15',10,10)")
             .arg(s));
    exec(QStringLiteral("INSERT INTO OrderSale VALUES('XS1',1,'李四',%1,'2026-03-16',50,20)")
             .arg(c));
    exec(
        QStringLiteral("INSERT INTO OrderSaleT VALUES('XT1',1,'李四',%1,'2026-03-16',5,0)").arg(c));
    EXPECT_EQ(scalar("SELECT compName||orderType||acMoney||coMoney||je||empName FROM VtjSupplier "
                     "WHERE orderID='CJ1'"),
              "甲采购进货100.030.070.0张三");
    EXPECT_EQ(scalar("SELECT orderType FROM VtjSupplier WHERE orderID='CT1'"), "采购退货");
    EXPECT_EQ(scalar("SELECT compName||orderType||je FROM VtjSale WHERE orderID='XS1'"),
              "乙商品销售30.0");
    EXPECT_EQ(scalar("SELECT orderType FROM VtjSale WHERE orderID='XT1'"), "顾客退货");
    EXPECT_EQ(scalar("SELECT group_concat(orderType,',') FROM (SELECT orderType FROM VOrder ORDER "
                     "BY orderID)"),
              "采购进货,采购退货,商品销售,顾客退货");
}

TEST_F(Schema, LineViewsJoinTheProduct) {
    const long long p = addProduct("笔");
    exec("INSERT INTO OrderSale VALUES('XS1',1,'',1,'2026-03-16',30,0)");
    exec(QStringLiteral("INSERT INTO OrderSaleD VALUES('XS1',%1,15,2,30,'备')").arg(p));
    EXPECT_EQ(scalar("SELECT prodBH||prodName||pcount||sumMoney||optDate FROM VSaleOrderD"),
              "BH-笔笔2.030.02026-03-16");
    EXPECT_EQ(scalar("SELECT prodName||price||pcount||sumMoney||remark FROM VorderDetail "
                     "WHERE orderID='XS1'"),
              "笔15.02.030.0备");
}

TEST_F(Schema, TheFileIsMarkedAsOurs) {
    EXPECT_EQ(scalar("PRAGMA application_id"), "1447383883");
    EXPECT_EQ(scalar("PRAGMA user_version"), "6");
    EXPECT_EQ(scalar("PRAGMA journal_mode"), "wal");
}

} // namespace
