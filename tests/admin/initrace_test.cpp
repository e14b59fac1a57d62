#include "admin/systeminitialisation.h"
#include "admin/ui/tfrmrestoredata.h"
#include "admintest.h"
#include "support/booksagree.h"
#include "support/drive.h"
#include "support/othercounter.h"

#include <QFile>

// Initialising while another counter's posting is under way: the initialisation waits for it
// and then takes it away with everything else, rather than leaving a document whose stock and
// balances it has set to nothing.
namespace {

class InitRace : public OnEngines<AdminTest> {};

TEST_P(InitRace, APostingUnderWayIsWaitedForAndThenInitialisedAway) {
    const long long house = addHouse("一号仓");
    const long long product = addProduct("矿泉水");
    const long long supplier = addSupplier("甲公司");
    OtherCounter other(anotherCounter(), anotherCounter());
    other.exec(QStringLiteral("INSERT INTO OrderPur(orderID,houseID,empName,compID,optDate,acMoney,"
                              "coMoney) VALUES('CJ1',%1,'',%2,'2026-03-15',10,0)")
                   .arg(house)
                   .arg(supplier));
    other.exec(QStringLiteral("INSERT INTO OrderPurD(orderID,prodID,price,pcount,sumMoney,remark) "
                              "VALUES('CJ1',%1,10,1,10,'')")
                   .arg(product));
    other.exec(QStringLiteral("UPDATE Fsupplier SET exchMoney=exchMoney+10 WHERE compID=%1")
                   .arg(supplier));
    messages_.answerOk(2);
    whileHeldBy(other, [] {
        systeminitialisation::run();
        return true;
    });
    EXPECT_EQ(messages_.last(), "初始化完成！");
    EXPECT_EQ(count("OrderPur"), 0);
    EXPECT_EQ(count("OrderPurD"), 0);
    EXPECT_EQ(
        scalar(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(supplier))
            .toDouble(),
        0);
    expectBooksAgree(sysData->myCon);
}

// Replacing or emptying the book under counters at work loses what they enter meanwhile: on
// a server the questions say how many are at work. The embedded book cannot tell.
TEST_P(InitRace, TheQuestionsSayHowManyOtherCountersAreAtWorkOnAServer) {
    const std::unique_ptr<Connection> other = anotherCounter();
    ASSERT_TRUE(other->open());
    const QString warning = GetParam() == BookEngine::Server
                                ? "\n另有1个本程序的连接正在使用此账簿（其他电脑），它们录入的"
                                  "数据也将一并丢失，请先让它们退出。"
                                : "";
    messages_.answerCancel();
    systeminitialisation::run();
    EXPECT_EQ(messages_.last(),
              "确定要进行系统初始化吗？初始化后，所有业务数据将被全部删除！" + warning);

    const QString backup = directory() + "earlier.bak";
    QFile file(backup);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    TfrmRestoreData window;
    window.show();
    drive::type(window, "txtPath", backup);
    messages_.answerCancel();
    drive::click(window, "btnRestore");
    EXPECT_EQ(messages_.last(), "确定要用备份“" + backup +
                                    "”还原吗？还原后当前账簿的内容将被该备份替换，备份之后录入的"
                                    "数据将全部丢失。" +
                                    warning);
}

// The kept totals' triggers are made anew by the initialisation: a counter that had the book
// open all along posts into it afterwards with the statements it had, and the totals follow.
TEST_P(InitRace, ACounterOpenAllAlongPostsAfterwardsAndTheTotalsFollow) {
    const long long house = addHouse("一号仓");
    const long long product = addProduct("矿泉水");
    const long long supplier = addSupplier("甲公司");
    const std::unique_ptr<Connection> other = anotherCounter();
    TQuery q(*other, QStringLiteral("other"));
    const auto purchase = [&](const QString& code) {
        q.load(QStringLiteral("INSERT INTO OrderPur(orderID,houseID,empName,compID,optDate,"
                              "acMoney,coMoney) VALUES(:code,:house,'',:supplier,'2026-03-15',"
                              "10,10)"));
        q.bind(u"code", code);
        q.bind(u"house", QString::number(house));
        q.bind(u"supplier", QString::number(supplier));
        q.execute();
        q.load(QStringLiteral("INSERT INTO OrderPurD(orderID,prodID,price,pcount,sumMoney,"
                              "remark) VALUES(:code,:product,10,1,10,'')"));
        q.bind(u"code", code);
        q.bind(u"product", QString::number(product));
        q.execute();
        q.load(QStringLiteral("UPDATE Fproduct SET sumCount=sumCount+1 WHERE prodID=:product"));
        q.bind(u"product", QString::number(product));
        q.execute();
        q.load(QStringLiteral("INSERT INTO FitemBank(optDate,orderCode,orderType,sumMoney,empName,"
                              "compName,itmID,remark) VALUES('2026-03-15',:code,'采购进货',-10,"
                              "'','甲公司',1,'')"));
        q.bind(u"code", code);
        q.execute();
        q.close();
    };
    purchase(QStringLiteral("CJ1"));
    messages_.answerOk(2);
    systeminitialisation::run();
    ASSERT_EQ(messages_.last(), "初始化完成！");
    purchase(QStringLiteral("CJ2"));
    EXPECT_EQ(stockIn(house, product), 1);
    EXPECT_EQ(number("SELECT je FROM VitemBank WHERE itmID=1"), -10);
    expectBooksAgree(sysData->myCon);
}

INSTANTIATE_ON_BOTH_ENGINES(InitRace);

} // namespace
