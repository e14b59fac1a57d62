#include "app/windowset.h"
#include "core/clock.h"
#include "core/sysdata.h"
#include "core/windowregistry.h"
#include "documents/gridinput.h"
#include "documents/ui/tfrmbsby.h"
#include "documents/ui/tfrmpdb.h"
#include "masterdata/ui/tfrmfindproduct.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QWheelEvent>
#include <memory>

namespace {

class StockWindow : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        north = addHouse("北库");
        south = addHouse("南库");
        const long long pens = addCategory("文具");
        pen = addProduct("红笔", pens, "2.5", "4");
        ink = addProduct("墨水", pens, "8", "12");
        addEmployee("张三");
        addEmployee("李四");
        picker = std::make_unique<TfrmFindProduct>();
    }
    void TearDown() override {
        pdb.reset();
        bsby.reset();
        picker.reset();
        BookTest::TearDown();
    }
    TfrmPDB& transferWindow() {
        pdb = std::make_unique<TfrmPDB>(*picker);
        pdb->show();
        return *pdb;
    }
    TfrmBsBy& lossWindow() {
        bsby = std::make_unique<TfrmBsBy>(*picker);
        bsby->show();
        return *bsby;
    }

    static DocumentGrid& grid(QWidget& w) { return drive::find<DocumentGrid>(w, "sgData"); }
    static QComboBox& box(QWidget& w, const QString& name) {
        return drive::find<QComboBox>(w, name);
    }
    static QString text(QWidget& w, const QString& name) {
        return drive::find<QLineEdit>(w, name).text();
    }
    static QString labelOf(QWidget& w, const QString& boxName) {
        for (QLabel* label : w.findChildren<QLabel*>())
            if (label->buddy() && label->buddy()->objectName() == boxName)
                return label->text();
        return QString();
    }
    // Double clicks a grid row and chooses the product by searching for its name.
    void pick(QWidget& w, int row, const QString& name) {
        modal_.expect<TfrmFindProduct>([name](TfrmFindProduct& p) {
            QLineEdit& key = drive::find<QLineEdit>(p, "txtKey");
            drive::type(key, name);
            QTest::keyClick(&key, Qt::Key_Return);
            QTableView& list = drive::find<QTableView>(p, "dgProduct");
            ASSERT_EQ(list.model()->rowCount(), 1);
            drive::doubleClick(list.viewport(),
                               list.visualRect(list.model()->index(0, 3)).center());
        });
        gridinput::doubleClick(grid(w), row);
    }
    QStringList row(QWidget& w, int r) {
        QStringList out;
        for (int c = 1; c <= DocumentGrid::kColumns; ++c)
            out << grid(w).text(r, c);
        return out;
    }
    bool gridEmpty(QWidget& w) {
        for (int r = 1; r <= DocumentGrid::kRows; ++r)
            if (!row(w, r).join("").isEmpty())
                return false;
        return true;
    }
    void saveAnsweringOk(QWidget& w) {
        messages_.answerOk();
        drive::click(w, "btnSave");
    }

    long long north = 0, south = 0, pen = 0, ink = 0;
    std::unique_ptr<TfrmFindProduct> picker;
    std::unique_ptr<TfrmPDB> pdb;
    std::unique_ptr<TfrmBsBy> bsby;
};

TEST_F(StockWindow, TheMainWindowOpensBothByTheirClassNames) {
    WindowSet all;
    modal_.expect("TfrmPDB", [](QDialog& w) {
        EXPECT_EQ(drive::find<QLineEdit>(w, "txtOrderCode").text(), "DB2026315957");
    });
    EXPECT_TRUE(windows::open("TfrmPDB"));
    modal_.expect("TfrmBsBy", [](QDialog& w) {
        EXPECT_EQ(drive::find<QLineEdit>(w, "txtOrderCode").text(), "BS2026315957");
    });
    EXPECT_TRUE(windows::open("TfrmBsBy"));
}

using TransferWindow = StockWindow;

TEST_F(TransferWindow, ShowingLoadsTitleListsDateAndCode) {
    exec("UPDATE FConfig SET textValue='货号' WHERE fieldName='prodBH'");
    TfrmPDB& w = transferWindow();
    EXPECT_EQ(w.windowTitle(), "库存调拨");
    EXPECT_EQ(text(w, "txtCaption"), "库存调拨单");
    EXPECT_EQ(text(w, "txtOrderCode"), "DB2026315957");
    EXPECT_EQ(drive::find<QDateEdit>(w, "dtDate").date(), QDate(2026, 3, 15));
    for (const char* name : {"cbHouseOut", "cbHouseIn"}) {
        EXPECT_EQ(box(w, name).count(), 2);
        EXPECT_EQ(box(w, name).currentText(), "") << name;
    }
    EXPECT_EQ(box(w, "cbEMp").itemText(1), "李四");
    EXPECT_EQ(grid(w).horizontalHeaderItem(DocumentGrid::ProdBH)->text(), "货号");
    EXPECT_EQ(labelOf(w, "cbHouseOut"), "调出仓库：");
    EXPECT_EQ(labelOf(w, "cbHouseIn"), "调入仓库：");
    EXPECT_EQ(labelOf(w, "dtDate"), "调拨日期：");
    EXPECT_EQ(labelOf(w, "cbEMp"), "经办人：");
    EXPECT_EQ(drive::find<QPushButton>(w, "btnClose").text(), "关闭(&C)");
    EXPECT_TRUE(drive::find<QPushButton>(w, "btnSave").isDefault());
}

TEST_F(TransferWindow, APersonTransfersPickedGoodsFromOneWarehouseToAnother) {
    exec(QStringLiteral("INSERT INTO OrderPur VALUES('CJ1',%1,'',1,'2026-03-01',0,0)").arg(north));
    exec(QStringLiteral("INSERT INTO OrderPurD VALUES('CJ1',%1,2.5,10,25,'')").arg(pen));
    exec(QStringLiteral("UPDATE Fproduct SET sumCount=10 WHERE prodID=%1").arg(pen));
    TfrmPDB& w = transferWindow();
    drive::choose(box(w, "cbHouseOut"), "北库");
    drive::choose(box(w, "cbHouseIn"), "南库");
    drive::choose(box(w, "cbEMp"), "张三");
    pick(w, 1, "红笔");
    EXPECT_EQ(row(w, 1), QStringList({QString::number(pen), "BH-红笔", "红笔", "", "个", "2.5", "1",
                                      "2.5", "", "", "", ""}));
    EXPECT_EQ(grid(w).currentColumn(), DocumentGrid::Quantity);
    gridinput::type(grid(w), 1, DocumentGrid::Quantity, "4");
    EXPECT_EQ(grid(w).text(1, DocumentGrid::Amount), "2.5"); // nothing is computed
    gridinput::type(grid(w), 1, DocumentGrid::Remark, "补货");

    saveAnsweringOk(w);
    EXPECT_EQ(messages_.texts(), QStringList({"确定数据录入正确，单据过账吗？", "单据保存成功！"}));
    EXPECT_EQ(scalar("SELECT orderID||'|'||houseOut||'|'||empName||'|'||houseIn||'|'||optDate "
                     "FROM OrderDB"),
              QStringLiteral("DB2026315957|%1|张三|%2|2026-03-15").arg(north).arg(south));
    EXPECT_EQ(scalar("SELECT price||':'||pcount||':'||sumMoney||':'||remark FROM OrderDBD"),
              "2.5:4.0:2.5:补货");
    EXPECT_EQ(stockOf(pen), 10.0);
    EXPECT_EQ(stockIn(north, pen), 6.0);
    EXPECT_EQ(stockIn(south, pen), 4.0);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(gridEmpty(w));

    // Shown again: a fresh code and the warehouses and employee as they were.
    environment::setFixedNow(kNow.addSecs(61));
    w.show();
    EXPECT_EQ(text(w, "txtOrderCode"), "DB2026315968");
    EXPECT_EQ(box(w, "cbHouseOut").currentText(), "北库");
    EXPECT_EQ(box(w, "cbHouseIn").currentText(), "南库");
    EXPECT_EQ(box(w, "cbEMp").currentText(), "张三");
}

TEST_F(TransferWindow, EachCheckNamesWhatIsMissingAndPutsTheFocusThere) {
    TfrmPDB& w = transferWindow();
    pick(w, 1, "红笔");
    drive::click(w, "btnSave");
    EXPECT_EQ(messages_.last(), "请选择调出仓库！");
    EXPECT_EQ(w.focusWidget(), &box(w, "cbHouseOut"));
    drive::choose(box(w, "cbHouseOut"), "北库");
    drive::click(w, "btnSave");
    EXPECT_EQ(messages_.last(), "请选择调入仓库！");
    EXPECT_EQ(w.focusWidget(), &box(w, "cbHouseIn"));
    drive::choose(box(w, "cbHouseIn"), "北库");
    drive::click(w, "btnSave");
    EXPECT_EQ(messages_.last(), "请选择调入仓库和调出仓库不能是同一个仓库！");
    EXPECT_EQ(w.focusWidget(), &box(w, "cbHouseIn"));
    drive::choose(box(w, "cbHouseIn"), "南库");
    drive::type(w, "txtOrderCode", "");
    drive::click(w, "btnSave");
    EXPECT_EQ(messages_.last(), "请输入单据号！");
    EXPECT_EQ(w.focusWidget(), &drive::find<QLineEdit>(w, "txtOrderCode"));
    EXPECT_EQ(count("OrderDB"), 0);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(grid(w).text(1, DocumentGrid::ProdName), "红笔");
}

TEST_F(TransferWindow, TwoWarehousesOfOneNameCannotBeTransferredBetween) {
    addHouse("北库");
    TfrmPDB& w = transferWindow();
    box(w, "cbHouseOut").setCurrentIndex(0);
    box(w, "cbHouseIn").setCurrentIndex(2); // the other 北库
    drive::click(w, "btnSave");
    EXPECT_EQ(messages_.last(), "请选择调入仓库和调出仓库不能是同一个仓库！");
}

TEST_F(TransferWindow, AnEmptyGridSavesAHeaderOnly) {
    TfrmPDB& w = transferWindow();
    drive::choose(box(w, "cbHouseOut"), "北库");
    drive::choose(box(w, "cbHouseIn"), "南库");
    saveAnsweringOk(w);
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(count("OrderDB"), 1);
    EXPECT_EQ(count("OrderDBD"), 0);
}

TEST_F(TransferWindow, ACodeUsedInTheSameSecondMovesOnAndATakenTypedCodeKeepsTheWindow) {
    TfrmPDB& w = transferWindow();
    drive::choose(box(w, "cbHouseOut"), "北库");
    drive::choose(box(w, "cbHouseIn"), "南库");
    saveAnsweringOk(w);
    const QString first = QStringLiteral("DB2026315957");
    w.show(); // the clock has not moved: the same code again
    pick(w, 2, "墨水");
    saveAnsweringOk(w);
    EXPECT_EQ(messages_.last(),
              "单据保存成功！\n单据号 " + first + " 已被占用，本单据已存为 " + "DB2026315958。");
    EXPECT_EQ(count("OrderDBD WHERE orderID='DB2026315958'"), 1);

    // Typed by hand, the taken code is refused and the window stays as it was.
    w.show();
    pick(w, 2, "墨水");
    drive::type(w, "txtOrderCode", "DB2026315958");
    saveAnsweringOk(w);
    EXPECT_EQ(messages_.last(), "单据保存出现异常！");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(grid(w).text(2, DocumentGrid::ProdName), "墨水");
    EXPECT_EQ(count("OrderDB"), 2);
    // A new code saves it.
    drive::type(w, "txtOrderCode", "DB-2");
    saveAnsweringOk(w);
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(count("OrderDBD WHERE orderID='DB-2'"), 1);
}

TEST_F(TransferWindow, CellsKeepTheirRulesWithoutComputing) {
    TfrmPDB& w = transferWindow();
    pick(w, 1, "红笔");
    gridinput::type(grid(w), 1, DocumentGrid::Quantity, "abc");
    EXPECT_EQ(grid(w).text(1, DocumentGrid::Quantity), "0");
    EXPECT_EQ(grid(w).text(1, DocumentGrid::Amount), "2.5");
    gridinput::type(grid(w), 1, DocumentGrid::Amount, "7.25");
    EXPECT_EQ(grid(w).text(1, DocumentGrid::Amount), "7.25");
    gridinput::type(grid(w), 1, DocumentGrid::Remark, "abc");
    EXPECT_EQ(grid(w).text(1, DocumentGrid::Remark), "abc");
    // Deleting the name empties the row, hidden columns included.
    gridinput::type(grid(w), 1, DocumentGrid::ProdName, "");
    EXPECT_EQ(row(w, 1).join(""), "");
}

TEST_F(TransferWindow, ClosingAFilledGridAndDiscardingWritesNothing) {
    TfrmPDB& w = transferWindow();
    pick(w, 1, "红笔");
    messages_.answerOk();
    w.close();
    EXPECT_EQ(messages_.texts(), QStringList({"数据已经更改，放弃保存吗？"}));
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(gridEmpty(w));
    EXPECT_EQ(count("OrderDB"), 0);
}

TEST_F(TransferWindow, ClosingAndNotDiscardingSaves) {
    TfrmPDB& w = transferWindow();
    drive::choose(box(w, "cbHouseOut"), "北库");
    drive::choose(box(w, "cbHouseIn"), "南库");
    pick(w, 1, "红笔");
    messages_.answerCancel();
    messages_.answerOk();
    drive::click(w, "btnClose");
    EXPECT_EQ(messages_.texts(), QStringList({"数据已经更改，放弃保存吗？",
                                              "确定数据录入正确，单据过账吗？", "单据保存成功！"}));
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(count("OrderDBD"), 1);
    EXPECT_TRUE(gridEmpty(w));
}

TEST_F(TransferWindow, AnUnsavedGridWaitsForTheNextShowing) {
    TfrmPDB& w = transferWindow();
    pick(w, 1, "红笔");
    messages_.answerCancel(); // not discarded; saving stops at the missing warehouse
    w.close();
    EXPECT_EQ(messages_.last(), "请选择调出仓库！");
    EXPECT_FALSE(w.isVisible());
    w.show();
    EXPECT_EQ(grid(w).text(1, DocumentGrid::ProdName), "红笔");
}

TEST_F(TransferWindow, ARowTypedByHandIsNamedOnSavingAndNothingIsWritten) {
    TfrmPDB& w = transferWindow();
    drive::choose(box(w, "cbHouseOut"), "北库");
    drive::choose(box(w, "cbHouseIn"), "南库");
    gridinput::type(grid(w), 3, DocumentGrid::ProdName, "手写");
    gridinput::type(grid(w), 3, DocumentGrid::Quantity, "2");
    drive::click(w, "btnSave");
    EXPECT_EQ(messages_.texts(),
              QStringList({"第3行的商品不在商品资料中，请输入正确的商品编号，或按F2选择商品！"}));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(grid(w).currentLine(), 3);
    EXPECT_EQ(grid(w).currentColumn(), int(DocumentGrid::ProdBH));
    EXPECT_EQ(count("OrderDB"), 0);
}

TEST_F(TransferWindow, AQuantityBeyondTheBooksRangeIsNamedAndEditedInItsRow) {
    TfrmPDB& w = transferWindow();
    drive::choose(box(w, "cbHouseOut"), "北库");
    drive::choose(box(w, "cbHouseIn"), "南库");
    pick(w, 1, "红笔");
    pick(w, 2, "墨水");
    gridinput::type(grid(w), 2, DocumentGrid::Quantity, "-1000000000000");
    gridinput::type(grid(w), 1, DocumentGrid::Quantity, "2");
    drive::click(w, "btnSave");
    EXPECT_EQ(messages_.last(), "第2行的数量超出范围，请输入正确的数量！");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(grid(w).currentLine(), 2);
    EXPECT_EQ(grid(w).currentColumn(), int(DocumentGrid::Quantity));
    EXPECT_EQ(count("OrderDB"), 0);
}

TEST_F(TransferWindow, ClosingAnEmptyGridAsksNothing) {
    TfrmPDB& w = transferWindow();
    drive::click(w, "btnClose");
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(messages_.texts().isEmpty());
}

using LossOverflowWindow = StockWindow;

TEST_F(LossOverflowWindow, ShowingStartsAsALoss) {
    TfrmBsBy& w = lossWindow();
    EXPECT_EQ(w.windowTitle(), "报损报溢");
    EXPECT_EQ(text(w, "txtCaption"), "报损报溢单");
    EXPECT_EQ(box(w, "cbOrderType").currentText(), "报损");
    EXPECT_EQ(box(w, "cbOrderType").count(), 2);
    EXPECT_EQ(text(w, "txtOrderCode"), "BS2026315957");
    EXPECT_EQ(labelOf(w, "cbOrderType"), "单据类型：");
    EXPECT_EQ(labelOf(w, "cbHouseIn"), "报损仓库：");
    EXPECT_EQ(labelOf(w, "dtDate"), "报损日期：");
    EXPECT_EQ(box(w, "cbHouseIn").count(), 2);
}

TEST_F(LossOverflowWindow, ChoosingATypeRenewsTheCodeAndTheLabels) {
    TfrmBsBy& w = lossWindow();
    environment::setFixedNow(kNow.addSecs(60));
    drive::choose(box(w, "cbOrderType"), "报溢");
    EXPECT_EQ(text(w, "txtOrderCode"), "BY2026315967");
    EXPECT_EQ(labelOf(w, "cbHouseIn"), "报溢仓库：");
    EXPECT_EQ(labelOf(w, "dtDate"), "报溢日期：");
    drive::choose(box(w, "cbOrderType"), "报损");
    EXPECT_EQ(text(w, "txtOrderCode"), "BS2026315967");
    EXPECT_EQ(labelOf(w, "cbHouseIn"), "报损仓库：");
    // Shown again, the window is a loss once more.
    drive::choose(box(w, "cbOrderType"), "报溢");
    w.close();
    w.show();
    EXPECT_EQ(box(w, "cbOrderType").currentText(), "报损");
    EXPECT_EQ(labelOf(w, "cbHouseIn"), "报损仓库：");
    EXPECT_EQ(text(w, "txtOrderCode"), "BS2026315967");
}

// Scrolling with the pointer resting on a box turned a loss into an overflow, or moved the
// goods to another warehouse, without a word.
TEST_F(LossOverflowWindow, TheWheelChangesOnlyTheBoxThePersonIsIn) {
    TfrmBsBy& w = lossWindow();
    QComboBox& type = box(w, "cbOrderType");
    QComboBox& house = box(w, "cbHouseIn");
    house.setCurrentIndex(0);
    auto& date = drive::find<QDateEdit>(w, "dtDate");
    const QDate day = date.date();
    const auto turn = [](QWidget& target) {
        QWheelEvent wheel(QPointF(5, 5), target.mapToGlobal(QPointF(5, 5)), {}, {0, -120},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&target, &wheel);
    };
    QApplication::setActiveWindow(&w);
    drive::find<QLineEdit>(w, "txtCaption").setFocus();
    for (QWidget* target : std::initializer_list<QWidget*>{&type, &house, &date})
        turn(*target);
    EXPECT_EQ(type.currentText(), "报损");
    EXPECT_EQ(house.currentIndex(), 0);
    EXPECT_EQ(date.date(), day);
    type.setFocus();
    ASSERT_TRUE(type.hasFocus());
    turn(type);
    EXPECT_EQ(type.currentText(), "报溢");
}

// An overflow kept unsaved was shown again as a loss: saved then, its lines lowered the stock
// they were entered to raise.
TEST_F(LossOverflowWindow, AKeptOverflowIsShownAgainAsAnOverflowWithItsDate) {
    TfrmBsBy& w = lossWindow();
    drive::choose(box(w, "cbOrderType"), "报溢");
    drive::find<QDateEdit>(w, "dtDate").setDate(QDate(2026, 3, 9));
    pick(w, 1, "红笔");
    gridinput::type(grid(w), 1, DocumentGrid::Quantity, "3");
    messages_.answerCancel(); // not discarded; saving stops at the missing warehouse
    w.close();
    EXPECT_EQ(messages_.last(), "请选择报溢仓库：!");
    environment::setFixedNow(kNow.addSecs(86400));
    w.show();
    EXPECT_EQ(box(w, "cbOrderType").currentText(), "报溢");
    EXPECT_EQ(labelOf(w, "cbHouseIn"), "报溢仓库：");
    EXPECT_EQ(text(w, "txtOrderCode"), "BY2026316957");
    EXPECT_EQ(drive::find<QDateEdit>(w, "dtDate").date(), QDate(2026, 3, 9));
    drive::choose(box(w, "cbHouseIn"), "北库");
    saveAnsweringOk(w);
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(stockOf(pen), 3.0);
    EXPECT_EQ(scalar("SELECT orderType||'|'||optDate FROM OrderBsBy"), "报溢|2026-03-09");
    // Emptied by the save, the window starts as a loss of today once more.
    w.show();
    EXPECT_EQ(box(w, "cbOrderType").currentText(), "报损");
    EXPECT_EQ(drive::find<QDateEdit>(w, "dtDate").date(), QDate(2026, 3, 16));
}

TEST_F(LossOverflowWindow, ALossOfThreeLowersTheStockByThree) {
    TfrmBsBy& w = lossWindow();
    drive::choose(box(w, "cbHouseIn"), "南库");
    pick(w, 1, "红笔");
    gridinput::type(grid(w), 1, DocumentGrid::Quantity, "3");
    saveAnsweringOk(w);
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(stockOf(pen), -3.0);
    EXPECT_EQ(stockIn(south, pen), -3.0);
    EXPECT_EQ(scalar("SELECT prodID||':'||pcount FROM OrderBsByD"),
              QStringLiteral("%1:3.0").arg(pen));
    EXPECT_EQ(scalar("SELECT orderID||'|'||houseID||'|'||orderType FROM OrderBsBy"),
              QStringLiteral("BS2026315957|%1|报损").arg(south));
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(gridEmpty(w));
}

TEST_F(LossOverflowWindow, AnOverflowOfThreeRaisesIt) {
    TfrmBsBy& w = lossWindow();
    drive::choose(box(w, "cbOrderType"), "报溢");
    drive::choose(box(w, "cbHouseIn"), "北库");
    drive::choose(box(w, "cbEMp"), "李四");
    pick(w, 2, "墨水");
    gridinput::type(grid(w), 2, DocumentGrid::Quantity, "3");
    saveAnsweringOk(w);
    EXPECT_EQ(stockOf(ink), 3.0);
    EXPECT_EQ(stockIn(north, ink), 3.0);
    EXPECT_EQ(scalar("SELECT orderID||'|'||orderType||'|'||empName FROM OrderBsBy"),
              "BY2026315957|报溢|李四");
    EXPECT_EQ(scalar("SELECT price||':'||pcount||':'||sumMoney FROM OrderBsByD"), "8.0:3.0:8.0");
}

TEST_F(LossOverflowWindow, NoWarehouseNamesTheLabelShown) {
    TfrmBsBy& w = lossWindow();
    drive::choose(box(w, "cbOrderType"), "报溢");
    drive::click(w, "btnSave");
    EXPECT_EQ(messages_.last(), "请选择报溢仓库：!");
    EXPECT_EQ(w.focusWidget(), &box(w, "cbHouseIn"));
    EXPECT_EQ(count("OrderBsBy"), 0);
}

TEST_F(LossOverflowWindow, AnEmptiedQuantityFailsWholeAndKeepsTheWindow) {
    TfrmBsBy& w = lossWindow();
    drive::choose(box(w, "cbHouseIn"), "北库");
    pick(w, 1, "红笔");
    pick(w, 2, "墨水");
    gridinput::type(grid(w), 2, DocumentGrid::Quantity, "");
    saveAnsweringOk(w);
    EXPECT_EQ(messages_.last(), "单据保存出现异常！");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(grid(w).text(1, DocumentGrid::ProdName), "红笔");
    EXPECT_EQ(count("OrderBsBy"), 0);
    EXPECT_EQ(count("OrderBsByD"), 0);
    EXPECT_EQ(stockOf(pen), 0.0);
    // Mended, it saves with the same code.
    gridinput::type(grid(w), 2, DocumentGrid::Quantity, "1");
    saveAnsweringOk(w);
    EXPECT_EQ(messages_.last(), "单据保存成功！");
    EXPECT_EQ(stockOf(pen), -1.0);
    EXPECT_EQ(stockOf(ink), -1.0);
}

TEST_F(LossOverflowWindow, CancelAtTheQuestionKeepsEverything) {
    TfrmBsBy& w = lossWindow();
    drive::choose(box(w, "cbHouseIn"), "北库");
    pick(w, 1, "红笔");
    messages_.answerCancel();
    drive::click(w, "btnSave");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(grid(w).text(1, DocumentGrid::ProdName), "红笔");
    EXPECT_EQ(count("OrderBsBy"), 0);
}

} // namespace
