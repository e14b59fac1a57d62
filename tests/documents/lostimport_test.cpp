#include "documents/openingstock.h"
#include "masterdata/ui/tfrmimport.h"
#include "support/drive.h"
#include "support/lostsession.h"
#include "support/othercounter.h"

#include <QFile>

namespace {

// An import whose connection to the server breaks after its commit was made.
class LostImport : public LostSessionTest {
protected:
    void SetUp() override {
        LostSessionTest::SetUp();
        const long long cate = addCategory("五金");
        for (int i = 1; i <= 3; ++i) {
            const long long id = addProduct(QStringLiteral("商品%1").arg(i), cate, "2.5", "4");
            exec(QStringLiteral("UPDATE Fproduct SET prodBH='P%1' WHERE prodID=%2").arg(i).arg(id));
        }
        addHouse("一号仓库");
    }

    // Posts the opening stock of three products, as the person confirms it in the preview.
    void importStock(const std::function<void()>& beforePosting) {
        QFile file(directory() + "stock.csv");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("商品编号,仓库,数量,成本价\nP1,一号仓库,5,2\nP2,一号仓库,6,2\n"
                                  "P3,一号仓库,7,2\n")
                       .toUtf8());
        file.close();
        fileDialogs_.choose(file.fileName());
        messages_.answerOk();
        modal_.expect<TfrmImport>([&](TfrmImport& w) {
            beforePosting();
            drive::click(w, "btnImport");
            shownAfter_ = w.isVisible();
            if (w.isVisible())
                w.close();
        });
        window_.run(openingStockImport());
    }

    TfrmImport window_;
    bool shownAfter_ = false;
};

TEST_F(LostImport, AnImportWhoseCommitGotThroughIsReportedDone) {
    std::unique_ptr<SessionEnder> breaking;
    importStock([&] {
        nextCommitWaitsForItsAcknowledgement();
        breaking = ender(kCommitMade);
    });
    EXPECT_TRUE(breaking->ended());
    EXPECT_EQ(count("OrderPurD WHERE remark='期初库存'"), 3);
    EXPECT_TRUE(
        messages_.last().startsWith("与服务器的连接曾中断，导入已完成。\n期初库存过账成功！"))
        << messages_.last().toStdString();
    EXPECT_FALSE(shownAfter_);
}

TEST_F(LostImport, AnImportBrokenBeforeItsCommitIsReportedUnwrittenAndImportsOnceAgain) {
    std::unique_ptr<OtherCounter> other;
    std::unique_ptr<SessionEnder> breaking;
    importStock([&] {
        other = std::make_unique<OtherCounter>(anotherCounter(), anotherCounter());
        other->holdName("import", openingStockImport().caption); // the import waits for it
        breaking = ender(kWaitingForALock);
    });
    EXPECT_TRUE(breaking->ended());
    other.reset();
    EXPECT_EQ(messages_.last(), "与服务器的连接已中断，没有写入任何数据，请重新导入。");
    EXPECT_EQ(count("OrderPurD"), 0);
    EXPECT_TRUE(shownAfter_) << "the preview stays, to be imported again";

    importStock([] {});
    EXPECT_EQ(count("OrderPurD WHERE remark='期初库存'"), 3);
}

TEST_F(LostImport, AnImportThatCannotBeLookedForAfterTheBreakIsLeftToThePerson) {
    std::unique_ptr<SessionEnder> breaking;
    importStock([&] {
        nextCommitWaitsForItsAcknowledgement();
        breaking = ender(kCommitMade);
        refuseNewSessions(true);
    });
    EXPECT_TRUE(breaking->ended());
    refuseNewSessions(false);
    // The stock is in the book: "nothing was written" would have the person import it again.
    EXPECT_EQ(count("OrderPurD WHERE remark='期初库存'"), 3);
    EXPECT_TRUE(messages_.texts().contains("与服务器的连接已中断，无法确认导入的数据是否已写入。"
                                           "请在商品列表或单据查询中核对后再决定是否重新导入。"))
        << messages_.texts().join('\n').toStdString();
    EXPECT_TRUE(shownAfter_) << "the preview stays for the person to decide";
}

} // namespace
