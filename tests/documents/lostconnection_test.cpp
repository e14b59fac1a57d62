// A posting whose connection to the server breaks: the person learns whether the document was
// saved, so that posting it again never counts it twice.
#include "core/connection.h"
#include "core/dberror.h"
#include "core/query.h"
#include "core/sysdata.h"
#include "documents/gridinput.h"
#include "documents/posting.h"
#include "documents/ui/tfrmbsby.h"
#include "documents/ui/tradewindows.h"
#include "masterdata/ui/tfrmfindcomp.h"
#include "masterdata/ui/tfrmfindproduct.h"
#include "printing/ui/tfrmprintview.h"
#include "support/booktest.h"
#include "support/drive.h"
#include "support/lostsession.h"
#include "support/othercounter.h"
#include "support/testprinter.h"

#include <QComboBox>
#include <QDeadlineTimer>
#include <QTableView>
#include <QThread>
#include <future>
#include <memory>

namespace {

const QString kNotSaved =
    QStringLiteral("单据保存出现异常！\n与服务器的连接已中断，单据未保存，请重新过账。");
const QString kSavedAfterBreak =
    QStringLiteral("与服务器的连接曾中断，单据已保存。\n单据保存成功！");
const QString kNotKnown =
    QStringLiteral("单据保存出现异常！\n与服务器的连接已中断，无法确认单据是否已保存。"
                   "请在单据查询中核对后再决定是否重新过账。");

// The field v of the query's first row, read on the connection.
QString valueOn(Connection& connection, const QString& sql) {
    TQuery q(connection, QStringLiteral("probe"));
    q.load(sql);
    q.open();
    const QString value = q.eof() ? QString() : q.field(u"v").asText();
    q.close();
    return value;
}

class LostConnection : public LostSessionTest {
protected:
    void SetUp() override {
        LostSessionTest::SetUp();
        addHouse("总库");
        addEmployee("张三");
        hammer = addProduct("锤子", addCategory("工具"), "12.5", "20");
        supplier = addSupplier("甲公司");
        products = std::make_unique<TfrmFindProduct>();
        comps = std::make_unique<TfrmFindComp>();
        preview = std::make_unique<TfrmPrintView>(printer);
    }
    void TearDown() override {
        purchase.reset();
        loss.reset();
        preview.reset();
        comps.reset();
        products.reset();
        LostSessionTest::TearDown();
    }

    std::unique_ptr<OtherCounter> holdingTheHammer() {
        auto other = std::make_unique<OtherCounter>(anotherCounter(), anotherCounter());
        other->hold("Fproduct", "prodID", hammer, RowHold::Changed);
        return other;
    }

    void pickProduct(QWidget& w) {
        modal_.expect<TfrmFindProduct>([](TfrmFindProduct& p) {
            QLineEdit& key = drive::find<QLineEdit>(p, "txtKey");
            drive::type(key, "锤子");
            QTest::keyClick(&key, Qt::Key_Return);
            auto& list = drive::find<QTableView>(p, "dgProduct");
            drive::doubleClick(list.viewport(),
                               list.visualRect(list.model()->index(0, 3)).center());
        });
        gridinput::doubleClick(grid(w), 1);
    }
    static DocumentGrid& grid(QWidget& w) { return drive::find<DocumentGrid>(w, "sgData"); }
    static QComboBox& combo(QWidget& w, const char* name) {
        return drive::find<QComboBox>(w, name);
    }

    // A purchase of four hammers from 甲公司 into 总库: 50.00 due, nothing settled.
    TfrmPurIn& purchaseWindow() {
        purchase = std::make_unique<TfrmPurIn>(*products, *comps, *preview);
        purchase->show();
        drive::choose(combo(*purchase, "cbHouse"), "总库");
        drive::type(*combo(*purchase, "cbEMp").lineEdit(), "张三");
        modal_.expect<TfrmFindComp>([](TfrmFindComp& p) {
            auto& list = drive::find<QTableView>(p, "dgSupplier");
            const int last = list.model()->rowCount() - 1;
            drive::doubleClick(list.viewport(),
                               list.visualRect(list.model()->index(last, 1)).center());
        });
        drive::click(*purchase, "imgFind");
        pickProduct(*purchase);
        gridinput::type(grid(*purchase), 1, DocumentGrid::Quantity, "4");
        return *purchase;
    }
    // A loss of three hammers in 总库.
    TfrmBsBy& lossWindow() {
        loss = std::make_unique<TfrmBsBy>(*products);
        loss->show();
        drive::choose(combo(*loss, "cbHouseIn"), "总库");
        pickProduct(*loss);
        gridinput::type(grid(*loss), 1, DocumentGrid::Quantity, "3");
        return *loss;
    }
    void post(QWidget& w) {
        messages_.answerOk();
        drive::click(w, "btnSave");
    }
    // Posting while the ender waits for the session to wait as it says.
    void postAndBreak(QWidget& w, const QString& waiting) {
        auto breaking = ender(waiting);
        post(w);
        EXPECT_TRUE(breaking->ended()) << "the posting never waited as " << waiting.toStdString();
    }

    QString stock() {
        return scalar(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(hammer));
    }
    QString balance() {
        return scalar(
            QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(supplier));
    }
    // The purchase in the book: header code, line count, stock, balance, journal rows.
    QStringList purchases() {
        return QStringList{QString::number(count("OrderPur")),
                           scalar("SELECT orderID FROM OrderPur"),
                           QString::number(count("OrderPurD")),
                           stock(),
                           balance(),
                           QString::number(count("FitemBank"))};
    }

    long long hammer = 0, supplier = 0;
    TestPrinter printer;
    std::unique_ptr<TfrmFindProduct> products;
    std::unique_ptr<TfrmFindComp> comps;
    std::unique_ptr<TfrmPrintView> preview;
    std::unique_ptr<TfrmPurIn> purchase;
    std::unique_ptr<TfrmBsBy> loss;
};

const QStringList kOnePurchase{"1", "CJ2026315957", "1", "4", "50", "1"};

TEST_F(LostConnection, APurchaseBrokenBeforeItsCommitIsReportedUnsavedAndPostsOnceAgain) {
    TfrmPurIn& w = purchaseWindow();
    {
        const auto other = holdingTheHammer(); // the posting waits for it with its header written
        postAndBreak(w, kWaitingForALock);
    }
    EXPECT_EQ(messages_.last(), kNotSaved);
    EXPECT_EQ(purchases(), (QStringList{"0", "", "0", "0", "0", "0"}));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(grid(w).text(1, DocumentGrid::ProdName), "锤子");
    EXPECT_EQ(drive::find<QLineEdit>(w, "txtOrderCode").text(), "CJ2026315957");

    post(w);
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(purchases(), kOnePurchase);
    EXPECT_FALSE(w.isVisible());
}

TEST_F(LostConnection, APurchasePostedWhileTheServerIsOutOfReachIsReportedUnsaved) {
    TfrmPurIn& w = purchaseWindow();
    {
        // No new session may open, the program's session is ended, and the program learns it.
        auto watcher = anotherCounter();
        EXPECT_TRUE(watcher->open());
        refuseNewSessions(true);
        TQuery q(*watcher, QStringLiteral("ender"));
        q.load(QStringLiteral("SELECT pg_terminate_backend(pid, 10000) AS ended FROM "
                              "pg_stat_activity WHERE datname=current_database() AND "
                              "pid<>pg_backend_pid()"));
        q.open();
        q.close();
    }
    EXPECT_THROW(sysData->myCon.run("SELECT 1"), DbError);
    post(w);
    refuseNewSessions(false);
    EXPECT_EQ(messages_.last(), kNotSaved);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(purchases(), (QStringList{"0", "", "0", "0", "0", "0"}));

    post(w);
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(purchases(), kOnePurchase);
}

TEST_F(LostConnection, APurchaseWhoseCommitGotThroughIsReportedSavedAndTheWindowCleared) {
    TfrmPurIn& w = purchaseWindow();
    nextCommitWaitsForItsAcknowledgement();
    postAndBreak(w, kCommitMade);
    EXPECT_EQ(messages_.last(), kSavedAfterBreak);
    EXPECT_EQ(purchases(), kOnePurchase);
    EXPECT_FALSE(w.isVisible());
    w.show();
    EXPECT_EQ(grid(w).text(1, DocumentGrid::ProdName), "");
}

TEST_F(LostConnection, APurchaseThatCannotBeLookedForAfterTheBreakIsLeftToThePerson) {
    TfrmPurIn& w = purchaseWindow();
    nextCommitWaitsForItsAcknowledgement();
    {
        auto breaking = ender(kCommitMade);
        refuseNewSessions(true);
        post(w);
        EXPECT_TRUE(breaking->ended());
        refuseNewSessions(false);
    }
    EXPECT_EQ(messages_.last(), kNotKnown);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(grid(w).text(1, DocumentGrid::ProdName), "锤子");
    // It did get through: the person is sent to look rather than told to post again.
    EXPECT_EQ(purchases(), kOnePurchase);
}

// The posting is ended while it waits with its header written; another counter, queued for the
// whole purchase table behind it, saves a header of its own under the same code before the
// program can ask. That header is not the person's document: the posting's transaction was
// rolled back, and posting again saves it under the next free code.
TEST_F(LostConnection, ACodeTakenInTheBreakIsReportedUnsavedAndThePurchasePostsOnce) {
    TfrmPurIn& w = purchaseWindow();
    const long long ours = scalar("SELECT pg_backend_pid()").toLongLong();
    auto taker = anotherCounter();
    ASSERT_TRUE(taker->open());
    const long long takerPid = valueOn(*taker, "SELECT pg_backend_pid() AS v").toLongLong();
    auto watcher = anotherCounter();
    ASSERT_TRUE(watcher->open());
    const auto waitsForALock = [&](long long pid) {
        for (const QDeadlineTimer failsafe(30000); !failsafe.hasExpired(); QThread::msleep(10))
            if (valueOn(*watcher, QStringLiteral("SELECT COUNT(*) AS v FROM pg_stat_activity "
                                                 "WHERE pid=%1 AND wait_event_type='Lock'")
                                      .arg(pid)) == "1")
                return true;
        return false;
    };
    auto other = holdingTheHammer();
    auto taking = std::async(std::launch::async, [&] {
        if (!waitsForALock(ours))
            return false;
        auto saving = std::async(std::launch::async, [&] {
            taker->run("BEGIN");
            taker->run("LOCK TABLE OrderPur IN ACCESS EXCLUSIVE MODE");
            taker->run("INSERT INTO OrderPur(orderID,houseID,empName,compID,optDate,acMoney,"
                       "coMoney) VALUES('CJ2026315957',NULL,'李四',NULL,'2026-03-15',0,0)");
            taker->run("COMMIT");
        });
        const bool queued = waitsForALock(takerPid);
        valueOn(*watcher, QStringLiteral("SELECT pg_terminate_backend(%1, 10000) AS v").arg(ours));
        saving.get();
        return queued;
    });
    post(w);
    EXPECT_TRUE(taking.get()) << "the posting or the other counter never waited";

    EXPECT_EQ(messages_.last(), kNotSaved);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(grid(w).text(1, DocumentGrid::ProdName), "锤子");
    EXPECT_EQ(scalar("SELECT empName FROM OrderPur"), "李四");
    EXPECT_EQ(purchases(), (QStringList{"1", "CJ2026315957", "0", "0", "0", "0"}));

    other.reset();
    post(w);
    EXPECT_TRUE(messages_.last().startsWith("单据保存成功！\n")) << messages_.last().toStdString();
    EXPECT_EQ(count("OrderPur"), 2);
    EXPECT_EQ(count("OrderPurD"), 1);
}

TEST_F(LostConnection, ALossWhoseCommitGotThroughIsReportedSavedAndMovesTheStockOnce) {
    TfrmBsBy& w = lossWindow();
    nextCommitWaitsForItsAcknowledgement();
    postAndBreak(w, kCommitMade);
    EXPECT_EQ(messages_.last(), kSavedAfterBreak);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(count("OrderBsBy WHERE orderID='BS2026315957'"), 1);
    EXPECT_EQ(count("OrderBsByD"), 1);
    EXPECT_EQ(stock(), "-3");
}

TEST_F(LostConnection, ALossBrokenBeforeItsCommitIsReportedUnsavedAndPostsOnceAgain) {
    TfrmBsBy& w = lossWindow();
    {
        const auto other = holdingTheHammer();
        postAndBreak(w, kWaitingForALock);
    }
    EXPECT_EQ(messages_.last(), kNotSaved);
    EXPECT_EQ(count("OrderBsBy"), 0);
    EXPECT_TRUE(w.isVisible());
    post(w);
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(count("OrderBsBy"), 1);
    EXPECT_EQ(stock(), "-3");
}

} // namespace
