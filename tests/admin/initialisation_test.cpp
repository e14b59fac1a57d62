#include "admintest.h"
#include "app/windowset.h"
#include "core/guard.h"
#include "core/mainentries.h"
#include "core/schema.h"
#include "core/windowregistry.h"
#include "documents/tradeposting.h"
#include "support/booksagree.h"
#include "support/serverbook.h"
#include "support/tradedocuments.h"

#include <QFileInfo>

namespace {

using Form = ScriptedMessages::Form;

class Initialisation : public AdminTest {
protected:
    void SetUp() override {
        AdminTest::SetUp();
        house_ = addHouse("一号库");
        product_ = addProduct("螺丝");
        supplier_ = addSupplier("供应商甲");
        customer_ = addCustomer("客户乙");
        addEmployee("张三");
        exec("UPDATE Fproduct SET sumCount=12.5");
        exec("UPDATE Fsupplier SET exchMoney=100");
        exec("UPDATE Fcustomer SET exchMoney=-30");
        exec("INSERT INTO Fitem(itmName, remark) VALUES('工行', '')");
        exec("INSERT INTO Users(UserName, pwd) VALUES('Tom', 'x')");
        exec("UPDATE FConfig SET textValue='编号' WHERE fieldName='prodBH'");
        const QString h = QString::number(house_), p = QString::number(product_);
        for (const char* kind : {"OrderPur", "OrderPurT", "OrderSale", "OrderSaleT"}) {
            exec(QStringLiteral("INSERT INTO %1(orderID,houseID,empName,compID,optDate,acMoney,"
                                "coMoney) VALUES('%1-1',%2,'张三',1,'2026-03-01',10,0)")
                     .arg(kind, h));
            exec(QStringLiteral("INSERT INTO %1D(orderID,prodID,price,pcount,sumMoney,remark) "
                                "VALUES('%1-1',%2,10,1,10,'')")
                     .arg(kind, p));
        }
        exec("INSERT INTO OrderDB(orderID,houseOut,empName,houseIn,optDate) "
             "VALUES('DB1'," +
             h + ",'张三'," + h + ",'2026-03-01')");
        exec("INSERT INTO OrderDBD(orderID,prodID,price,pcount,sumMoney,remark) "
             "VALUES('DB1'," +
             p + ",1,1,1,'')");
        exec("INSERT INTO OrderBsBy(orderID,houseID,empName,orderType,optDate) "
             "VALUES('BS1'," +
             h + ",'张三','报损','2026-03-01')");
        exec("INSERT INTO OrderBsByD(orderID,prodID,price,pcount,sumMoney,remark) "
             "VALUES('BS1'," +
             p + ",1,1,1,'')");
        exec("INSERT INTO OrderPD(orderID,houseID,remark,userName,optDate) "
             "VALUES('PD1'," +
             h + ",'','管理员','2026-03-01')");
        exec("INSERT INTO OrderPDD(orderID,prodID,pcount,pdcount) VALUES('PD1'," + p + ",1,2)");
        exec("INSERT INTO FitemBank(optDate,orderCode,orderType,sumMoney,empName,compName,itmID,"
             "remark) VALUES('2026-03-01','OrderPur-1','采购进货',-10,'张三','供应商甲',1,'')");
    }

    long long documentRows() {
        long long n = 0;
        for (const char* table : kDocumentTables)
            n += count(table);
        return n;
    }
    // Runs the initialisation as the main window's menu entry does: by its registered name,
    // an escaping error going to the error report.
    void run() {
        WindowSet windows;
        ASSERT_TRUE(windows::hasOpener(mainentries::kSystemInitialisation));
        runGuarded([] { windows::open(mainentries::kSystemInitialisation); });
    }

    static constexpr const char* kDocumentTables[] = {
        "OrderBsBy",  "OrderBsByD", "OrderPur",   "OrderPurD",  "OrderPurT",
        "OrderPurTD", "OrderSale",  "OrderSaleD", "OrderSaleT", "OrderSaleTD",
        "OrderDB",    "OrderDBD",   "FitemBank",  "OrderPD",    "OrderPDD"};
    long long house_ = 0;
    long long product_ = 0;
    long long supplier_ = 0;
    long long customer_ = 0;
};

TEST_F(Initialisation, CancellingTheFirstQuestionLeavesEverything) {
    messages_.answerCancel();
    run();
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.last(), "确定要进行系统初始化吗？初始化后，所有业务数据将被全部删除！");
    EXPECT_EQ(messages_.lastShown()->form, Form::CautiousQuestion);
    EXPECT_EQ(messages_.lastShown()->caption, "提示");
    EXPECT_EQ(documentRows(), 15);
    EXPECT_EQ(number("SELECT sumCount FROM Fproduct"), 12.5);
}

TEST_F(Initialisation, CancellingTheSecondQuestionLeavesEverything) {
    messages_.answerOk();
    messages_.answerCancel();
    run();
    ASSERT_EQ(messages_.shown().size(), 2u);
    EXPECT_EQ(messages_.last(), "再次确认要删除所有业务数据吗？此功能慎用！");
    EXPECT_EQ(messages_.lastShown()->form, Form::CautiousQuestion);
    EXPECT_EQ(messages_.lastShown()->caption, "提示");
    EXPECT_EQ(documentRows(), 15);
    EXPECT_EQ(number("SELECT exchMoney FROM Fsupplier WHERE compID=" + QString::number(supplier_)),
              100);
}

TEST_F(Initialisation, ConfirmingTwiceEmptiesEveryDocumentAndTheJournalAndKeepsTheMasters) {
    messages_.answerOk(2);
    run();
    EXPECT_EQ(messages_.last(), "初始化完成！");
    EXPECT_EQ(messages_.lastShown()->form, Form::Notice);
    for (const char* table : kDocumentTables)
        EXPECT_EQ(count(table), 0) << table;
    EXPECT_EQ(count("Fproduct WHERE sumCount<>0"), 0);
    EXPECT_EQ(count("Fsupplier WHERE exchMoney<>0"), 0);
    EXPECT_EQ(count("Fcustomer WHERE exchMoney<>0"), 0);
    EXPECT_EQ(count("VitemBank WHERE je<>0"), 0);
    EXPECT_EQ(count("Fhouse"), 1);
    EXPECT_EQ(count("Fproduct"), 1);
    EXPECT_EQ(count("Fsupplier"), 2);
    EXPECT_EQ(count("Fcustomer"), 2);
    EXPECT_EQ(count("Femployee"), 1);
    EXPECT_EQ(count("Fitem"), 2);
    EXPECT_EQ(count("Users"), 2);
    EXPECT_EQ(count("perms"), 35);
    EXPECT_EQ(count("FConfig"), 12);
    EXPECT_EQ(scalar("SELECT textValue FROM FConfig WHERE fieldName='prodBH'"), "编号");
    EXPECT_EQ(count("Ftbconfig"), 1);
    EXPECT_EQ(count("Ftitle"), 1);
}

TEST_F(Initialisation, GivesTheEmptiedPagesBackToTheDisk) {
    exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<3000) "
         "INSERT INTO FitemBank(optDate,orderCode,orderType,sumMoney,empName,compName,itmID,"
         "remark) SELECT '2026-03-01','X'||i,'现金出款',-1,'张三','',1,printf('%.500c','备') "
         "FROM n");
    const double emptied = number("PRAGMA page_count");
    messages_.answerOk(2);
    run();
    ASSERT_EQ(messages_.last(), "初始化完成！");
    EXPECT_EQ(number("PRAGMA freelist_count"), 0);
    EXPECT_LT(number("PRAGMA page_count"), emptied / 4);
    EXPECT_EQ(QFileInfo(directory() + TsysData::fileName() + "-wal").size(), 0);
}

TEST_F(Initialisation, AStatementThatFailsUndoesTheWholeInitialisation) {
    exec("CREATE TRIGGER keepJournal BEFORE DELETE ON FitemBank "
         "BEGIN SELECT RAISE(ABORT, 'journal locked'); END");
    messages_.answerOk(2);
    run();
    ASSERT_NE(messages_.lastShown(), nullptr);
    EXPECT_EQ(messages_.lastShown()->form, Form::ErrorReport);
    EXPECT_TRUE(messages_.last().contains("journal locked"));
    EXPECT_FALSE(messages_.texts().contains("初始化完成！"));
    EXPECT_EQ(documentRows(), 15) << "the documents deleted before the failure are back";
}

using InitialisedBook = OnEngines<Initialisation>;

// The kept totals' triggers are set aside while the book is emptied: afterwards the totals agree
// with an empty book, and the triggers are all back and follow the next document.
TEST_P(InitialisedBook, KeepsTotalsThatAgreeAndTriggersThatFollowTheNextDocument) {
    const QString triggers = onServer() ? QStringLiteral("SELECT count(*) FROM pg_trigger WHERE "
                                                         "NOT tgisinternal")
                                        : QStringLiteral("SELECT count(*) FROM sqlite_master "
                                                         "WHERE type='trigger'");
    const QString before = scalar(triggers);
    messages_.answerOk(2);
    run();
    ASSERT_EQ(messages_.last(), "初始化完成！");
    EXPECT_EQ(scalar(triggers), before);
    if (!onServer()) {
        EXPECT_EQ(schema::structureDifferences(sysData->myCon.handle()), QStringList());
    }
    EXPECT_EQ(count("FInveHouse"), 0);
    EXPECT_EQ(count("VitemBank WHERE je IS NOT NULL"), 0);
    expectBooksAgree(sysData->myCon);

    TradeDocument d =
        tradeDocument("CJ2", {house_, "一号库"}, {supplier_, "供应商甲"}, {{product_, "5", "3"}});
    d.money = "15";
    messages_.answerOk();
    ASSERT_EQ(postTradeDocument(tradeKind(TradeKindId::Purchase), d), PostResult::Posted);
    EXPECT_EQ(stockIn(house_, product_), 3);
    EXPECT_EQ(number("SELECT je FROM VitemBank WHERE itmID=1"), -15);
    expectBooksAgree(sysData->myCon);
}

INSTANTIATE_ON_BOTH_ENGINES(InitialisedBook);

class InitialisedServerBook : public Initialisation {
protected:
    BookEngine engine() const override { return BookEngine::Server; }
};

// A server role that does not own the book may not set the triggers aside: it empties the book
// under them, to the same end.
TEST_F(InitialisedServerBook, ByARoleThatDoesNotOwnItEndsAlike) {
    ServerBook::admin(QStringLiteral("DO $$ BEGIN CREATE ROLE vesk_clerk; EXCEPTION WHEN "
                                     "duplicate_object THEN NULL; END $$"));
    exec("GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA public TO vesk_clerk");
    exec("GRANT USAGE ON ALL SEQUENCES IN SCHEMA public TO vesk_clerk");
    exec("SET ROLE vesk_clerk");
    messages_.answerOk(2);
    run();
    exec("RESET ROLE");
    ASSERT_EQ(messages_.last(), "初始化完成！");
    EXPECT_EQ(documentRows(), 0);
    EXPECT_EQ(count("FInveHouse"), 0);
    expectBooksAgree(sysData->myCon);
}

} // namespace
