#include "app/windowset.h"
#include "core/windowregistry.h"
#include "countwindows.h"
#include "documents/ui/celltint.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

class Correction : public OnEngines<CountBook> {
protected:
    static QStyleOptionViewItem drawnDifference(TfrmPDChInve& w, int row) {
        QTableView& lines = list(w, "dgData");
        auto* tint = qobject_cast<CellTint*>(lines.itemDelegateForColumn(7));
        EXPECT_NE(tint, nullptr);
        return tint ? tint->drawn(lines.model()->index(row, 7)) : QStyleOptionViewItem();
    }
};

TEST_P(Correction, DifferencesAreCountedMinusBookAndRedWhenNotZero) {
    countList();
    newCount("北库", {{"锤子", "3"}, {"锯子", "3"}});
    startCount([this](TfrmPDChInve& w) {
        EXPECT_EQ(w.windowTitle(), "盘盈盘亏");
        EXPECT_EQ(drive::find<QLineEdit>(w, "txtOrderID").text(), kCode);
        EXPECT_EQ(drive::find<QLabel>(w, "lblHouseName").text(), "北库");
        EXPECT_EQ(drive::find<QLabel>(w, "lblDate").text(), "2026-03-15");
        QTableView& lines = list(w, "dgData");
        ASSERT_EQ(lines.model()->rowCount(), 2);
        const int hammerRow = rowOf(lines, 2, "锤子");
        const int sawRow = rowOf(lines, 2, "锯子");
        EXPECT_EQ(cell(lines, hammerRow, 7), "-2");
        EXPECT_EQ(drawnDifference(w, hammerRow).palette.color(QPalette::Text), QColor(Qt::red));
        EXPECT_EQ(cell(lines, sawRow, 7), "0");
        EXPECT_NE(drawnDifference(w, sawRow).palette.color(QPalette::Text), QColor(Qt::red));
    });
}

TEST_P(Correction, MovesStockByTheDifferenceRecordsItAndDeletesTheCount) {
    countList();
    newCount("北库", {{"锤子", "3"}, {"锯子", "3"}, {"A4纸", "12"}});
    startCount([this](TfrmPDChInve& w) {
        correct(w);
        EXPECT_EQ(messages_.texts().mid(messages_.texts().size() - 2),
                  QStringList({"确定要修正库存吗？修正后将无法还原！", "修正库存完成!"}));
        EXPECT_EQ(messages_.lastShown()->caption, "提示");
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(stockOf(hammer), "10"); // 12 − 2
    EXPECT_EQ(stockOf(saw), "3");
    EXPECT_EQ(stockOf(a4), "12");
    EXPECT_EQ(scalar("SELECT houseID||'|'||orderType||'|'||optDate||'|'||CASE WHEN empName IS NULL "
                     "THEN 1 ELSE 0 END FROM "
                     "OrderBsBy WHERE orderID='" +
                     kCode + "'"),
              QString::number(north) + "|盘点|2026-03-15|1");
    EXPECT_EQ(scalar("SELECT pcount FROM OrderBsByD WHERE prodID=" + QString::number(hammer)),
              "-2");
    EXPECT_EQ(scalar("SELECT pcount FROM OrderBsByD WHERE prodID=" + QString::number(saw)), "0");
    EXPECT_EQ(count("OrderBsByD WHERE price IS NULL AND sumMoney IS NULL AND remark IS NULL"), 3);
    EXPECT_EQ(count("OrderPD"), 0);
    EXPECT_EQ(count("OrderPDD"), 0);
    // The warehouse now holds what was counted.
    EXPECT_EQ(scalar("SELECT sumCount FROM VInveHouse WHERE houseID=" + QString::number(north) +
                     " AND prodID=" + QString::number(hammer)),
              "3");
    EXPECT_EQ(list(*productPD, "dgPD").model()->rowCount(), 0);
    EXPECT_EQ(list(*productPD, "dgPDMX").model()->rowCount(), 0);
}

TEST_P(Correction, DecimalDifferencesAreExact) {
    countList();
    newCount("北库", {{"锯子", "5.1"}});
    startCount([this](TfrmPDChInve& w) { correct(w); });
    EXPECT_EQ(count("OrderBsByD WHERE pcount=2.1"), 1);
    EXPECT_EQ(count("Fproduct WHERE sumCount=5.1 AND prodID=" + QString::number(saw)), 1);
}

TEST_P(Correction, CancelChangesNothing) {
    countList();
    newCount("北库", {{"锤子", "3"}});
    startCount([this](TfrmPDChInve& w) {
        messages_.answerCancel();
        drive::click(w, "btnModify");
        EXPECT_TRUE(w.isVisible());
    });
    EXPECT_EQ(stockOf(hammer), "12");
    EXPECT_EQ(count("OrderBsBy"), 0);
    EXPECT_EQ(count("OrderPD"), 1);
}

TEST_P(Correction, ACountWithNoLinesLeftCorrectsNothing) {
    countList();
    newCount("北库", {{"锤子", "3"}});
    exec("DELETE FROM OrderPDD");
    startCount([this](TfrmPDChInve& w) {
        correct(w);
        EXPECT_EQ(messages_.last(), "确定要修正库存吗？修正后将无法还原！");
        EXPECT_TRUE(w.isVisible());
    });
    EXPECT_EQ(count("OrderBsBy"), 0);
    EXPECT_EQ(count("OrderPD"), 1);
}

TEST_P(Correction, LinesChangedAtAnotherCounterSinceTheyWereListedAreShownBeforeAnyCorrection) {
    countList();
    newCount("北库", {{"锤子", "3"}, {"锯子", "3"}});
    startCount([this](TfrmPDChInve& w) {
        QTableView& lines = list(w, "dgData");
        ASSERT_EQ(cell(lines, rowOf(lines, 2, "锤子"), 7), "-2");
        // Another counter counts the hammers again as 4 and deletes the saws' line.
        exec("UPDATE OrderPDD SET pdcount=4 WHERE prodID=" + QString::number(hammer));
        exec("DELETE FROM OrderPDD WHERE prodID=" + QString::number(saw));
        correct(w);
        EXPECT_EQ(messages_.last(), "该盘点单已被其他用户修改，库存未作改动，请核对后重新修正！");
        EXPECT_TRUE(w.isVisible());
        ASSERT_EQ(lines.model()->rowCount(), 1);
        EXPECT_EQ(cell(lines, 0, 7), "-1");
        // What is now listed is what the correction moves.
        correct(w);
        EXPECT_EQ(messages_.last(), "修正库存完成!");
    });
    EXPECT_EQ(stockOf(hammer), "11");
    EXPECT_EQ(stockOf(saw), "3");
    EXPECT_EQ(count("OrderBsByD"), 1);
}

TEST_P(Correction, ASecondCorrectionOfTheSameCountMovesNothing) {
    countList();
    newCount("北库", {{"锤子", "3"}});
    startCount([this](TfrmPDChInve& w) { correct(w); });
    ASSERT_EQ(stockOf(hammer), "10");
    // The differences window shown again for the count it last held.
    modal_.expect<TfrmPDChInve>([this](TfrmPDChInve& w) {
        correct(w);
        EXPECT_EQ(messages_.last(), "该盘点单已修正或已删除，库存未作改动！");
    });
    exec("INSERT INTO OrderPDD(orderID,prodID,pcount,pdcount) VALUES('" + kCode + "'," +
         QString::number(hammer) + ",5,3)");
    pdChInve->showModal();
    EXPECT_EQ(stockOf(hammer), "10");
    EXPECT_EQ(count("OrderBsByD"), 1);
}

TEST_P(Correction, AFailureHalfwayLeavesStockAndCountAsTheyWere) {
    countList();
    newCount("北库", {{"锤子", "3"}, {"锯子", "1"}});
    refuse("fullDisk", "UPDATE", "Fproduct", "NEW.prodID=" + QString::number(saw), "磁盘已满");
    startCount([this](TfrmPDChInve& w) {
        correct(w);
        EXPECT_TRUE(messages_.last().startsWith("磁盘已满"));
        EXPECT_TRUE(w.isVisible());
    });
    EXPECT_EQ(stockOf(hammer), "12");
    EXPECT_EQ(stockOf(saw), "3");
    EXPECT_EQ(count("OrderBsBy"), 0);
    EXPECT_EQ(count("OrderBsByD"), 0);
    EXPECT_EQ(count("OrderPDD"), 2);
}

TEST_P(Correction, ADoubleClickEditsALineAndTheDifferenceFollows) {
    countList();
    newCount("北库", {{"锤子", "3"}});
    startCount([this](TfrmPDChInve& w) {
        QTableView& lines = list(w, "dgData");
        expectCount("8", "5");
        doubleClickRow(lines, 0);
        EXPECT_EQ(cell(lines, 0, 7), "3");
        correct(w);
    });
    EXPECT_EQ(stockOf(hammer), "15");
}

// 修正库存 cannot be undone: Enter, on a line or anywhere else, never presses it. On a line it
// edits the line, as a double click does.
TEST_P(Correction, EnterEditsTheLineAndNeverCorrectsTheStock) {
    countList();
    newCount("北库", {{"锤子", "3"}});
    startCount([this](TfrmPDChInve& w) {
        QTableView& lines = list(w, "dgData");
        lines.setFocus();
        expectCount("8", "5");
        QTest::keyClick(&lines, Qt::Key_Return);
        EXPECT_EQ(cell(lines, 0, 7), "3");
        QTest::keyClick(&drive::find<QLineEdit>(w, "txtOrderID"), Qt::Key_Return);
        EXPECT_TRUE(messages_.texts().isEmpty()) << "asked to correct the stock";
        drive::click(w, "btnClose");
    });
    EXPECT_EQ(stockOf(hammer), "12") << "the stock of both warehouses, uncorrected";
}

TEST_P(Correction, TheMainWindowOpensTheCountList) {
    WindowSet all;
    modal_.expect("TfrmProductPD", [](QDialog& w) { EXPECT_EQ(w.windowTitle(), "库存盘点"); });
    EXPECT_TRUE(windows::open("TfrmProductPD"));
}

INSTANTIATE_ON_BOTH_ENGINES(Correction);

} // namespace
