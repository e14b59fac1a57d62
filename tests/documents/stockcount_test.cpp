#include "core/clock.h"
#include "countwindows.h"
#include "masterdata/masterlists.h"
#include "support/pacedkeys.h"

#include <QDateEdit>
#include <QPushButton>
#include <string>

namespace {

using NewCount = OnEngines<CountBook>;

TEST_P(NewCount, ShowingSetsCodeOperatorDateAndListsWithNothingChosen) {
    countList();
    modal_.expect<TfrmPDAdd>([this](TfrmPDAdd& w) {
        EXPECT_EQ(w.windowTitle(), "新增盘点单");
        EXPECT_EQ(drive::find<QLineEdit>(w, "txtOrderID").text(), kCode);
        EXPECT_TRUE(drive::find<QLineEdit>(w, "txtOrderID").isReadOnly());
        EXPECT_EQ(drive::find<QLabel>(w, "lblUserName").text(), "管理员");
        EXPECT_EQ(drive::find<QDateEdit>(w, "dtDate").date(), QDate(2026, 3, 15));
        QComboBox& houses = drive::find<QComboBox>(w, "cbHouse");
        EXPECT_EQ(houses.count(), 2);
        EXPECT_EQ(houses.currentIndex(), -1);
        QComboBox& cates = drive::find<QComboBox>(w, "cbCate");
        EXPECT_EQ(cates.count(), 3);
        EXPECT_EQ(cates.currentText(), "所有类别");
        EXPECT_EQ(list(w, "dgProduct").model()->rowCount(), 0);
        EXPECT_EQ(list(w, "dgPD").model()->rowCount(), 0);
        EXPECT_EQ(labelOf(w, "cbHouse"), "盘点仓库：");
        EXPECT_EQ(labelOf(w, "dtDate"), "盘点日期：");
        EXPECT_EQ(labelOf(w, "lblUserName"), "操  作  员：");
        EXPECT_EQ(labelOf(w, "txtRemark"), "备         注：");
        EXPECT_EQ(labelOf(w, "cbCate"), "类别：");
        EXPECT_EQ(labelOf(w, "txtName"), "名称： ");
    });
    drive::click(*productPD, "tlAdd");
}

TEST_P(NewCount, ClosingBeforeAnyLineIsConfirmedLeavesNoTrace) {
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        modal_.expect<TfrmProdPD>([](TfrmProdPD& p) { drive::click(p, "btnClose"); });
        doubleClickRow(list(w, "dgProduct"), 0);
    });
    EXPECT_EQ(count("OrderPD"), 0);
    EXPECT_EQ(count("OrderPDD"), 0);
    EXPECT_EQ(list(*productPD, "dgPD").model()->rowCount(), 0);
}

TEST_P(NewCount, TheFirstLineWritesTheHeaderAsShownThen) {
    countList();
    newCount("北库", {{"锤子", "4"}, {"锯子", "3"}}, "月底盘点");
    EXPECT_EQ(scalar("SELECT houseID||'|'||remark||'|'||userName||'|'||optDate FROM OrderPD "
                     "WHERE orderID='" +
                     kCode + "'"),
              QString::number(north) + "|月底盘点|管理员|2026-03-15");
    EXPECT_EQ(line(kCode, hammer, "pcount"), "5");
    EXPECT_EQ(line(kCode, hammer, "pdcount"), "4");
    EXPECT_EQ(line(kCode, saw, "pdcount"), "3");
    QTableView& counts = list(*productPD, "dgPD");
    ASSERT_EQ(counts.model()->rowCount(), 1);
    EXPECT_EQ(cell(counts, 0, 0), kCode);
    EXPECT_EQ(cell(counts, 0, 1), "北库");
    EXPECT_EQ(cell(counts, 0, 3), "管理员");
    EXPECT_EQ(cell(counts, 0, 4), "2026-03-15");
}

TEST_P(NewCount, AScannedCodeOrEnterOnAProductCountsItFromTheKeyboard) {
    giveBarcodes();
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        QLineEdit& search = drive::find<QLineEdit>(w, "txtName");
        search.setFocus();
        expectCount("2", "3");
        QTest::keyClicks(&search, "6901234567892"); // a scanner: the code, then Enter
        QTest::keyClick(&search, Qt::Key_Return);
        // The next scan straight after: the code looked for is replaced, not added to.
        expectCount("7", "10");
        QTest::keyClicks(&search, "6907654321098");
        QTest::keyClick(&search, Qt::Key_Return);

        drive::type(search, "9999");
        QTest::keyClick(&search, Qt::Key_Return);
        EXPECT_EQ(messages_.last(), "找不到编号或名称为“9999”的商品！");

        drive::type(search, "锤");
        QTest::keyClick(&search, Qt::Key_Return);
        QTableView& products = list(w, "dgProduct");
        ASSERT_EQ(products.model()->rowCount(), 1);
        products.setFocus();
        QTest::keyClick(&products, Qt::Key_Down);
        expectCount("4");
        QTest::keyClick(&products, Qt::Key_Return);

        // The next code scanned while the list still has the focus counts the product it
        // names, not the list's current row (the hammer): the name box takes its keys.
        ASSERT_EQ(w.focusWidget(), &products);
        expectCount("8", "3");
        for (char c : std::string("6901234567892\r"))
            QTest::keyClick(w.focusWidget(), c);
        EXPECT_EQ(search.text(), "6901234567892");
    });
    EXPECT_EQ(line(kCode, saw, "pdcount"), "8");
    EXPECT_EQ(line(kCode, a4, "pdcount"), "7");
    EXPECT_EQ(line(kCode, hammer, "pdcount"), "4");
}

// Two products under one code (the product dialog allows it after asking): the scan said
// the code named no product, and the goods went uncounted or were added again.
TEST_P(NewCount, ACodeTwoProductsShareListsBothToChooseFrom) {
    giveBarcodes();
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='6901234567892' WHERE prodID=%1").arg(a4));
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        QLineEdit& search = drive::find<QLineEdit>(w, "txtName");
        drive::type(search, "6901234567892");
        QTest::keyClick(&search, Qt::Key_Return);
        EXPECT_EQ(messages_.last(),
                  "编号为“6901234567892”的商品不止一个，请在商品列表中双击选择！");
        QTableView& products = list(w, "dgProduct");
        EXPECT_EQ(masterlists::column(products, 2), QStringList({"锯子", "A4纸"}));
        countProduct(w, "A4纸", "9");
    });
    EXPECT_EQ(line(kCode, a4, "pdcount"), "9");
    EXPECT_EQ(count("OrderPDD"), 1);
}

// A scanner set to end its codes with Tab counts as one ending them with Enter.
TEST_P(NewCount, ACodeScannedWithTabAtItsEndCountsItsProduct) {
    giveBarcodes();
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        QApplication::setActiveWindow(&w);
        QLineEdit& search = drive::find<QLineEdit>(w, "txtName");
        search.setFocus();
        expectCount("2", "3");
        PacedKeys().sendToFocus("6901234567892", 3, {Qt::Key_Tab});
        EXPECT_EQ(search.text(), "6901234567892");
        modal_.expectAllShown();
    });
    EXPECT_EQ(line(kCode, saw, "pdcount"), "2");
}

// A code scanned into the remark or the date is looked up as if scanned into the name box; the
// remark and the date stay as they were.
TEST_P(NewCount, ACodeScannedIntoAnotherBoxCountsItsProductAndLeavesTheBox) {
    giveBarcodes();
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        QLineEdit& remark = drive::find<QLineEdit>(w, "txtRemark");
        drive::type(remark, "月底");
        // The date takes keys until the first line writes the count's header.
        QDateEdit& date = drive::find<QDateEdit>(w, "dtDate");
        const QDate day = date.date();
        expectCount("7");
        QTest::keyClicks(&date, "6907654321098");
        QTest::keyClick(&date, Qt::Key_Return);
        EXPECT_EQ(date.date(), day);
        expectCount("2", "3");
        PacedKeys().send(remark, "6901234567892", 3);
        EXPECT_EQ(remark.text(), "月底");
    });
    EXPECT_EQ(line(kCode, saw, "pdcount"), "2");
    EXPECT_EQ(line(kCode, a4, "pdcount"), "7");
    EXPECT_EQ(scalar("SELECT remark FROM OrderPD WHERE orderID='" + kCode + "'"), "月底");
}

TEST_P(NewCount, ThePickedProductProposesItsBookQuantityInTheWarehouse) {
    countList();
    inNewCount("南库", [this](TfrmPDAdd& w) {
        QTableView& products = list(w, "dgProduct");
        ASSERT_EQ(products.model()->rowCount(), 1);
        modal_.expect<TfrmProdPD>([](TfrmProdPD& p) {
            EXPECT_EQ(p.windowTitle(), "商品盘点");
            EXPECT_EQ(drive::find<QLineEdit>(p, "txtProdName").text(), "锤子");
            EXPECT_EQ(drive::find<QLineEdit>(p, "txtPCount").text(), "7");
            EXPECT_EQ(drive::find<QLineEdit>(p, "txtPDCount").text(), "7");
            EXPECT_EQ(labelOf(p, "txtPDCount"), "盘点数量：");
            EXPECT_EQ(p.focusWidget(), &drive::find<QLineEdit>(p, "txtPDCount"));
            drive::click(p, "btnOK");
        });
        doubleClickRow(products, 0);
    });
    EXPECT_EQ(line(kCode, hammer, "pcount"), "7");
    EXPECT_EQ(line(kCode, hammer, "pdcount"), "7");
}

TEST_P(NewCount, CountingAProductAgainKeepsOneLineWithTheLastQuantity) {
    countList();
    newCount("北库", {{"锤子", "4"}, {"锤子", "6.5"}});
    EXPECT_EQ(count("OrderPDD WHERE prodID=" + QString::number(hammer)), 1);
    EXPECT_EQ(line(kCode, hammer, "pdcount"), "6.5");
    EXPECT_EQ(count("OrderPD"), 1);
}

TEST_P(NewCount, ACategoryOrACodeBeforeAWarehouseAsksForTheWarehouse) {
    countList();
    modal_.expect<TfrmPDAdd>([this](TfrmPDAdd& w) {
        drive::choose(drive::find<QComboBox>(w, "cbCate"), "工具");
        EXPECT_EQ(messages_.last(), "请选择盘点仓库！");
        EXPECT_EQ(list(w, "dgProduct").model()->rowCount(), 0);
        // A code scanned before the warehouse is chosen names a product all the same.
        messages_.clear();
        QLineEdit& search = drive::find<QLineEdit>(w, "txtName");
        drive::type(search, "锤");
        QTest::keyClick(&search, Qt::Key_Return);
        EXPECT_EQ(messages_.last(), "请选择盘点仓库！");
        EXPECT_EQ(list(w, "dgProduct").model()->rowCount(), 0);
    });
    drive::click(*productPD, "tlAdd");
}

TEST_P(NewCount, CategoryAndNameNarrowTheWarehouseProducts) {
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        QTableView& products = list(w, "dgProduct");
        EXPECT_EQ(products.model()->rowCount(), 3);
        drive::choose(drive::find<QComboBox>(w, "cbCate"), "纸品");
        ASSERT_EQ(products.model()->rowCount(), 1);
        EXPECT_EQ(cell(products, 0, 2), "A4纸");
        // The name search ignores the category.
        QLineEdit& name = drive::find<QLineEdit>(w, "txtName");
        drive::type(name, "子");
        QTest::keyClick(&name, Qt::Key_Return);
        EXPECT_EQ(products.model()->rowCount(), 2);
        EXPECT_EQ(cell(products, rowOf(products, 2, "锯子"), 5), "3");
    });
}

TEST_P(NewCount, AfterTheFirstLineTheWarehouseDateAndRemarkAreFixed) {
    countList();
    modal_.expect<TfrmPDAdd>([this](TfrmPDAdd& w) {
        QComboBox& houses = drive::find<QComboBox>(w, "cbHouse");
        drive::choose(houses, "北库");
        countProduct(w, "锤子", "4");
        EXPECT_FALSE(houses.isEnabled());
        EXPECT_FALSE(drive::find<QDateEdit>(w, "dtDate").isEnabled());
        EXPECT_TRUE(drive::find<QLineEdit>(w, "txtRemark").isReadOnly());
    });
    drive::click(*productPD, "tlAdd");
    // The next new count starts free again.
    environment::setFixedNow(kNow.addSecs(1));
    modal_.expect<TfrmPDAdd>([](TfrmPDAdd& w) {
        EXPECT_TRUE(drive::find<QComboBox>(w, "cbHouse").isEnabled());
        EXPECT_FALSE(drive::find<QLineEdit>(w, "txtRemark").isReadOnly());
    });
    drive::click(*productPD, "tlAdd");
}

TEST_P(NewCount, ACodeAnotherCountHoldsMovesToTheNextSecond) {
    countList();
    newCount("北库", {{"锤子", "4"}});
    const QString moved = QStringLiteral("PD2026315958");
    // Shown again within the same second: the same code, which moves on with the first line.
    inNewCount("南库", [this, &moved](TfrmPDAdd& w) {
        countProduct(w, "锤子", "1");
        EXPECT_EQ(messages_.last(), "单据号 " + kCode + " 已被占用，本单据已存为 " + moved + "。");
        EXPECT_EQ(drive::find<QLineEdit>(w, "txtOrderID").text(), moved);
        EXPECT_EQ(list(w, "dgPD").model()->rowCount(), 1);
        countProduct(w, "锤子", "2"); // the next line goes to the moved count
    });
    EXPECT_EQ(count("OrderPDD"), 2);
    EXPECT_EQ(line(kCode, hammer, "pdcount"), "4");
    EXPECT_EQ(line(moved, hammer, "pdcount"), "2");
    EXPECT_EQ(scalar(QStringLiteral("SELECT houseID FROM OrderPD WHERE orderID='%1'").arg(moved)),
              QString::number(south));
}

// Two open counts of one warehouse holding a product (a count forgotten last month, or two
// people counting one shop) would each move its stock by the difference on correction: the
// difference taken twice. The second is refused and names the first.
TEST_P(NewCount, AProductAnotherOpenCountOfTheWarehouseHoldsIsRefusedWithThatCountsCode) {
    countList();
    newCount("北库", {{"锤子", "4"}});
    environment::setFixedNow(kNow.addSecs(60));
    inNewCount("北库", [this](TfrmPDAdd& w) {
        countProduct(w, "锤子", "2");
        EXPECT_EQ(messages_.last(), "该商品已在本仓库的盘点单" + kCode +
                                        "中盘点，请在该盘点单中修改其盘点数量，本次盘点未保存！");
        EXPECT_EQ(list(w, "dgPD").model()->rowCount(), 0);
        countProduct(w, "锯子", "3"); // another product of the warehouse is counted
    });
    EXPECT_EQ(count("OrderPD"), 2);
    EXPECT_EQ(count("OrderPDD WHERE prodID=" + QString::number(hammer)), 1);
    EXPECT_EQ(line(kCode, hammer, "pdcount"), "4");

    // Once the first count is gone, the product may be counted anew.
    ASSERT_EQ(stockcount::deleteCount(kCode), std::optional<bool>(true));
    QString written;
    EXPECT_EQ(stockcount::saveLine(
                  QStringLiteral("PD-新"), QString::number(hammer), "5", "2",
                  stockcount::CountHeader{QString::number(north), {}, "管理员", QDate(2026, 3, 16)},
                  &written),
              stockcount::LineResult::Saved);
    EXPECT_EQ(written, "PD-新");
}

TEST_P(NewCount, AHeaderThatFailsTakesItsLineWithIt) {
    refuse("noHeader", "INSERT", "OrderPD", {}, "磁盘已满");
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        countProduct(w, "锤子", "4");
        EXPECT_EQ(messages_.last(), "磁盘已满.");
        // Confirmed again once the book takes it: the header comes with it.
        allow("noHeader", "OrderPD");
        countProduct(w, "锤子", "4");
    });
    EXPECT_EQ(count("OrderPD"), 1);
    EXPECT_EQ(count("OrderPDD"), 1);
}

using ProductCount = OnEngines<CountBook>;

TEST_P(ProductCount, TheCountedBoxEmptiesANonNumberAndKeepsADecimal) {
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        modal_.expect<TfrmProdPD>([this](TfrmProdPD& p) {
            QLineEdit& counted = drive::find<QLineEdit>(p, "txtPDCount");
            drive::type(counted, "12a");
            EXPECT_EQ(counted.text(), "");
            drive::click(p, "btnOK");
            EXPECT_EQ(messages_.last(), "请输入盘点数量！");
            EXPECT_TRUE(p.isVisible());
            drive::type(counted, "12.5");
            EXPECT_EQ(counted.text(), "12.5");
            drive::click(p, "btnOK");
            EXPECT_FALSE(p.isVisible());
        });
        doubleClickRow(list(w, "dgProduct"), rowOf(list(w, "dgProduct"), 2, "锤子"));
    });
    EXPECT_EQ(line(kCode, hammer, "pdcount"), "12.5");
}

// Walking the shelves with a scanner: a code scanned while the counted quantity waits is the
// next product, never this one's count.
TEST_P(ProductCount, ACodeScannedIntoTheCountedQuantityIsNoCount) {
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='6901234567892' WHERE prodID=%1").arg(saw));
    exec(QStringLiteral("UPDATE Fproduct SET prodBH='96385074' WHERE prodID=%1").arg(a4));
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        modal_.expect<TfrmProdPD>([this](TfrmProdPD& p) {
            QLineEdit& counted = drive::find<QLineEdit>(p, "txtPDCount");
            ASSERT_EQ(counted.selectedText(), "5");
            // A code of letters and digits, each capital with its Shift, as a scanner sends it:
            // none of its keys lands in the box.
            for (QChar c : QStringLiteral("AB-1c3")) {
                if (c.isUpper())
                    QTest::keyPress(&counted, Qt::Key_Shift);
                QTest::keyClick(&counted, c.toLatin1(),
                                c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
                if (c.isUpper())
                    QTest::keyRelease(&counted, Qt::Key_Shift, Qt::ShiftModifier);
            }
            QTest::keyClick(&counted, Qt::Key_Return);
            EXPECT_EQ(messages_.last(),
                      "“AB-1c3”不是盘点数量，请先输入本商品的盘点数量并确定，再扫描下一个商品！");
            EXPECT_EQ(counted.text(), "5");
            EXPECT_TRUE(p.isVisible());
            // Thirteen digits are no count the book can keep, whatever the pace of their keys.
            QTest::keyClicks(&counted, "6901234567892");
            QTest::keyClick(&counted, Qt::Key_Return);
            EXPECT_EQ(messages_.last(), "“6901234567892”不是盘点数量，请先输入本商品的盘点数量并"
                                        "确定，再扫描下一个商品！");
            EXPECT_EQ(counted.text(), "5");
            EXPECT_TRUE(p.isVisible());
            // A code of eight digits might be a count: saved as one only when the person says so.
            messages_.answerCancel();
            counted.selectAll();
            QTest::keyClicks(&counted, "96385074");
            QTest::keyClick(&counted, Qt::Key_Return);
            EXPECT_EQ(messages_.last(), "盘点数量“96385074”是商品的编号，确定作为盘点数量保存吗？");
            EXPECT_EQ(counted.text(), "5");
            EXPECT_TRUE(p.isVisible());
            drive::type(counted, "4");
            drive::click(p, "btnOK");
            EXPECT_FALSE(p.isVisible());
        });
        doubleClickRow(list(w, "dgProduct"), rowOf(list(w, "dgProduct"), 2, "锤子"));
    });
    EXPECT_EQ(line(kCode, hammer, "pdcount"), "4");
    messages_.expectAllAnswered();
}

// A barcode of digits alone that names no product of the book (a product not yet in the
// catalogue) was saved as the count: 6,900,000,000,017 of a hammer, corrected into its stock.
// At a scanner's pace it is no count.
TEST_P(ProductCount, AnUnknownBarcodeScannedIntoTheCountedQuantityIsNoCountEither) {
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        modal_.expect<TfrmProdPD>([this](TfrmProdPD& p) {
            QLineEdit& counted = drive::find<QLineEdit>(p, "txtPDCount");
            ASSERT_EQ(counted.selectedText(), "5");
            PacedKeys scanner;
            scanner.send(counted, QStringLiteral("6900000000017"), 3);
            EXPECT_EQ(messages_.last(),
                      "“6900000000017”不是盘点数量，请先输入本商品的盘点数量并确定，"
                      "再扫描下一个商品！");
            EXPECT_EQ(counted.text(), "5");
            EXPECT_TRUE(p.isVisible());
            // A person's keys, a moment apart, are the count.
            counted.selectAll();
            scanner.send(counted, QStringLiteral("14"), 150);
            EXPECT_FALSE(p.isVisible());
        });
        doubleClickRow(list(w, "dgProduct"), rowOf(list(w, "dgProduct"), 2, "锤子"));
    });
    EXPECT_EQ(line(kCode, hammer, "pdcount"), "14");
}

// Another counter deleted what is being counted while the count was typed: nothing is saved,
// the person is told why, and the count window closes.
TEST_P(ProductCount, AProductDeletedMeanwhileIsNotCountedAndSaysSo) {
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        modal_.expect<TfrmProdPD>([this](TfrmProdPD& p) {
            drive::type(p, "txtPDCount", "4");
            exec(QStringLiteral("DELETE FROM Fproduct WHERE prodID=%1").arg(hammer));
            drive::click(p, "btnOK");
            EXPECT_EQ(messages_.last(), "该商品已被其他用户删除，本次盘点未保存！");
            EXPECT_FALSE(p.isVisible());
        });
        doubleClickRow(list(w, "dgProduct"), rowOf(list(w, "dgProduct"), 2, "锤子"));
    });
    EXPECT_EQ(count("OrderPD"), 0);
    EXPECT_EQ(count("OrderPDD"), 0);
}

// Another counter sells from the warehouse after the list was loaded: counted against the
// list's figure, the line's difference would take that sale off the stock a second time.
TEST_P(ProductCount, TheBookQuantityIsTheWarehousesFigureWhenTheProductIsChosen) {
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        QTableView& products = list(w, "dgProduct");
        const int row = rowOf(products, 2, "锤子");
        ASSERT_GE(row, 0);
        stockIn(north, hammer, "-3"); // the other counter's sale
        expectCount("2", "2");
        doubleClickRow(products, row);
        // The saw's only purchase voided there: the warehouse holds no record of it, and its
        // figure is nothing, not the list's 3.
        exec(QStringLiteral("DELETE FROM OrderPurD WHERE prodID=%1").arg(saw));
        expectCount("0", "0");
        doubleClickRow(products, rowOf(products, 2, "锯子"));
    });
    EXPECT_EQ(line(kCode, hammer, "pcount"), "2");
    EXPECT_EQ(line(kCode, hammer, "pdcount"), "2");
    EXPECT_EQ(line(kCode, saw, "pcount"), "0");
}

TEST_P(ProductCount, ACountDeletedMeanwhileTakesNoMoreLinesAndSaysSo) {
    countList();
    newCount("北库", {{"锤子", "4"}});
    clickRow(list(*productPD, "dgPD"), 0);
    modal_.expect<TfrmPDEdit>([this](TfrmPDEdit& w) {
        modal_.expect<TfrmProdPD>([this](TfrmProdPD& p) {
            drive::type(p, "txtPDCount", "2");
            exec("DELETE FROM OrderPDD");
            exec("DELETE FROM OrderPD");
            drive::click(p, "btnOK");
            EXPECT_EQ(messages_.last(), "该盘点单已被其他用户修正或删除，本次盘点未保存！");
            EXPECT_FALSE(p.isVisible());
        });
        doubleClickRow(list(w, "dgProduct"), rowOf(list(w, "dgProduct"), 2, "锯子"));
    });
    doubleClickRow(list(*productPD, "dgPD"), 0);
    EXPECT_EQ(count("OrderPD"), 0);
    EXPECT_EQ(count("OrderPDD"), 0);
}

using CountedLines = OnEngines<CountBook>;

TEST_P(CountedLines, EditKeepsTheBookQuantityTheLineWasCountedAgainst) {
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        countProduct(w, "锤子", "4");
        // Stock moves meanwhile; editing the line keeps the book quantity it had.
        stockIn(north, hammer, "2");
        QTableView& counted = list(w, "dgPD");
        ASSERT_EQ(counted.model()->rowCount(), 1);
        expectCount("9", "5");
        drive::click(w, "btnEdit");
        EXPECT_EQ(cell(counted, 0, 6), "9");
    });
    EXPECT_EQ(line(kCode, hammer, "pcount"), "5");
    EXPECT_EQ(line(kCode, hammer, "pdcount"), "9");
}

// The line as listed was counted again or deleted at another counter: the edit would write the
// old line back over it.
TEST_P(CountedLines, AnEditedLineChangedOrDeletedElsewhereMeanwhileIsNotWrittenOver) {
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        countProduct(w, "锤子", "4");
        QTableView& counted = list(w, "dgPD");
        const QString changed = "该盘点商品已被其他用户修改或删除，本次盘点未保存！";
        anotherCounter()->run("UPDATE OrderPDD SET pdcount=6");
        expectCount("5");
        drive::click(w, "btnEdit");
        EXPECT_EQ(messages_.last(), changed);
        EXPECT_EQ(cell(counted, 0, 6), "6") << "the list shows the line as it is now";

        anotherCounter()->run("DELETE FROM OrderPDD");
        counted.selectRow(0);
        expectCount("5");
        drive::click(w, "btnEdit");
        EXPECT_EQ(messages_.last(), changed);
        EXPECT_EQ(counted.model()->rowCount(), 0);
    });
    EXPECT_EQ(count("OrderPDD"), 0) << "the deleted line did not come back";
}

TEST_P(CountedLines, DeleteAsksAndTheLastLineLeavesTheCountListed) {
    countList();
    modal_.expect<TfrmPDAdd>([this](TfrmPDAdd& w) {
        drive::click(w, "btnDelete");
        EXPECT_EQ(messages_.last(), "请选择要删除的盘点商品！");
        drive::choose(drive::find<QComboBox>(w, "cbHouse"), "北库");
        countProduct(w, "锤子", "4");
        messages_.answerCancel();
        drive::click(w, "btnDelete");
        EXPECT_EQ(messages_.lastShown()->caption, "提示");
        EXPECT_EQ(messages_.last(), "确定要删除的选择的盘点商品吗？");
        // 取消 is the default: Escape, then Enter, deletes nothing.
        EXPECT_EQ(messages_.lastShown()->form, ScriptedMessages::Form::CautiousQuestion);
        EXPECT_EQ(count("OrderPDD"), 1);
        // Escape presses "删除".
        messages_.answerOk();
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_EQ(count("OrderPDD"), 0);
        EXPECT_EQ(list(w, "dgPD").model()->rowCount(), 0);
        EXPECT_TRUE(w.isVisible());
    });
    drive::click(*productPD, "tlAdd");
    EXPECT_EQ(count("OrderPD"), 1);
    EXPECT_EQ(list(*productPD, "dgPD").model()->rowCount(), 1);
}

TEST_P(CountedLines, ALineDeletedElsewhereMeanwhileLeavesTheListAsTheBookHasIt) {
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        countProduct(w, "锤子", "4");
        countProduct(w, "锯子", "2");
        anotherCounter()->run("DELETE FROM OrderPDD");
        messages_.answerOk();
        drive::click(w, "btnDelete");
        EXPECT_EQ(messages_.last(), "确定要删除的选择的盘点商品吗？");
        EXPECT_EQ(list(w, "dgPD").model()->rowCount(), 0);
    });
}

TEST_P(CountedLines, ALineDeletedFromACountCorrectedElsewhereSaysSo) {
    countList();
    inNewCount("北库", [this](TfrmPDAdd& w) {
        countProduct(w, "锤子", "4");
        // Corrected at another counter, which moved the stock by this line.
        anotherCounter()->run("DELETE FROM OrderPD");
        anotherCounter()->run("DELETE FROM OrderPDD");
        messages_.answerOk();
        drive::click(w, "btnDelete");
        EXPECT_EQ(messages_.last(), "该盘点单已被其他用户修正或删除！");
        EXPECT_EQ(list(w, "dgPD").model()->rowCount(), 0);
    });
}

using EditCount = OnEngines<CountBook>;

TEST_P(EditCount, ShowsTheCountAndAddsLinesToIt) {
    countList();
    newCount("北库", {{"锤子", "4"}}, "第一次");
    clickRow(list(*productPD, "dgPD"), 0);
    modal_.expect<TfrmPDEdit>([this](TfrmPDEdit& w) {
        EXPECT_EQ(w.windowTitle(), "修改盘点");
        EXPECT_EQ(drive::find<QLineEdit>(w, "txtOrderID").text(), kCode);
        EXPECT_EQ(drive::find<QLabel>(w, "lblHouseName").text(), "北库");
        EXPECT_EQ(drive::find<QLabel>(w, "lblDate").text(), "2026-03-15");
        EXPECT_EQ(drive::find<QLabel>(w, "lblUserName").text(), "管理员");
        EXPECT_EQ(drive::find<QLineEdit>(w, "txtRemark").text(), "第一次");
        EXPECT_EQ(list(w, "dgPD").model()->rowCount(), 1);
        EXPECT_EQ(list(w, "dgProduct").model()->rowCount(), 3);
        drive::choose(drive::find<QComboBox>(w, "cbCate"), "纸品");
        EXPECT_EQ(list(w, "dgProduct").model()->rowCount(), 1);
        countProduct(w, "A4纸", "11");
        EXPECT_EQ(list(w, "dgPD").model()->rowCount(), 2);
    });
    doubleClickRow(list(*productPD, "dgPD"), 0);
    EXPECT_EQ(line(kCode, a4, "pcount"), "10");
    EXPECT_EQ(line(kCode, a4, "pdcount"), "11");
    EXPECT_EQ(count("OrderPD"), 1);
}

using CountList = OnEngines<CountBook>;

TEST_P(CountList, ActionsOnAnEmptyListSayWhatIsMissing) {
    countList();
    EXPECT_EQ(productPD->windowTitle(), "库存盘点");
    drive::click(*productPD, "tlEdit");
    EXPECT_EQ(messages_.last(), "请选择要修改的盘点单！");
    drive::click(*productPD, "tlDel");
    EXPECT_EQ(messages_.last(), "请选择要删除的盘点单！");
    drive::click(*productPD, "tlStart");
    EXPECT_EQ(messages_.last(), "请选择盘点单！");
    EXPECT_EQ(messages_.lastShown()->caption, "信息提示");
}

TEST_P(CountList, ClickingACountListsItsLinesWithTheirCategory) {
    countList();
    newCount("北库", {{"锤子", "4"}, {"A4纸", "9"}});
    QTableView& lines = list(*productPD, "dgPDMX");
    EXPECT_EQ(lines.model()->rowCount(), 0);
    clickRow(list(*productPD, "dgPD"), 0);
    ASSERT_EQ(lines.model()->rowCount(), 2);
    const int paperRow = rowOf(lines, 3, "A4纸");
    ASSERT_GE(paperRow, 0);
    EXPECT_EQ(cell(lines, paperRow, 1), "纸品");
    EXPECT_EQ(cell(lines, paperRow, 7), "10");
    EXPECT_EQ(cell(lines, paperRow, 8), "9");
    EXPECT_EQ(labelOf(*productPD, "dgPDMX"), "盘点商品明细：");
}

TEST_P(CountList, TheArrowKeysListTheLinesOfTheCountTheyMoveTo) {
    countList();
    newCount("北库", {{"锯子", "1"}, {"A4纸", "9"}});
    newCount("南库", {{"锤子", "4"}});
    QTableView& counts = list(*productPD, "dgPD");
    QTableView& lines = list(*productPD, "dgPDMX");
    ASSERT_EQ(counts.model()->rowCount(), 2);
    const auto namesOf = [&](int row) {
        return cell(counts, row, 1) == "南库" ? QStringList({"锤子"})
                                              : QStringList({"锯子", "A4纸"});
    };
    clickRow(counts, 0);
    EXPECT_EQ(masterlists::column(lines, 3), namesOf(0));
    // What is corrected or edited is the highlighted count: the lines shown are its own.
    counts.setFocus();
    QTest::keyClick(&counts, Qt::Key_Down);
    EXPECT_EQ(masterlists::column(lines, 3), namesOf(1));
    QTest::keyClick(&counts, Qt::Key_Up);
    EXPECT_EQ(masterlists::column(lines, 3), namesOf(0));
}

// After 修改盘点 the list was loaded again with its first count current, under the lines of
// the count chosen: 删除盘点单 then deleted the first count and all its counted lines.
TEST_P(CountList, AfterEditingTheCountWhoseLinesAreShownIsStillTheOneActedOn) {
    countList();
    newCount("北库", {{"锯子", "1"}, {"A4纸", "9"}});
    newCount("南库", {{"锤子", "4"}});
    QTableView& counts = list(*productPD, "dgPD");
    QTableView& lines = list(*productPD, "dgPDMX");
    clickRow(counts, 1);
    const QString chosen = cell(counts, 1, 1);
    const QStringList shown = masterlists::column(lines, 3);
    modal_.expect<TfrmPDEdit>([](TfrmPDEdit& w) { w.close(); });
    drive::click(*productPD, "tlEdit");
    modal_.expectAllShown();
    EXPECT_EQ(cell(counts, counts.currentIndex().row(), 1), chosen);
    EXPECT_EQ(masterlists::column(lines, 3), shown);

    messages_.answerOk();
    drive::click(*productPD, "tlDel");
    const long long kept = chosen == "南库" ? north : south;
    EXPECT_EQ(count("OrderPD"), 1);
    EXPECT_EQ(count(QStringLiteral("OrderPD WHERE houseID=%1").arg(kept)), 1);
    EXPECT_EQ(lines.model()->rowCount(), 0);
}

TEST_P(CountList, ACountOfAWarehouseThatIsGoneIsNotListed) {
    countList();
    newCount("南库", {{"锤子", "4"}});
    QTableView& counts = list(*productPD, "dgPD");
    ASSERT_EQ(counts.model()->rowCount(), 1);
    EXPECT_EQ(cell(counts, 0, 0), kCode);
    EXPECT_EQ(cell(counts, 0, 1), "南库");
    exec("DELETE FROM Fhouse WHERE houseID=" + QString::number(south));
    productPD->hide();
    countList();
    EXPECT_EQ(counts.model()->rowCount(), 0);
}

TEST_P(CountList, DeletingACountRemovesItsLinesAndLeavesStock) {
    countList();
    newCount("北库", {{"锤子", "1"}, {"锯子", "1"}});
    clickRow(list(*productPD, "dgPD"), 0);
    messages_.answerCancel();
    drive::click(*productPD, "tlDel");
    EXPECT_EQ(messages_.last(), "确定要删除选择的盘点单吗？");
    EXPECT_EQ(messages_.lastShown()->caption, "提示");
    EXPECT_EQ(count("OrderPD"), 1);

    messages_.answerOk();
    drive::click(*productPD, "tlDel");
    EXPECT_EQ(count("OrderPD"), 0);
    EXPECT_EQ(count("OrderPDD"), 0);
    EXPECT_EQ(stockOf(hammer), "12");
    EXPECT_EQ(list(*productPD, "dgPD").model()->rowCount(), 0);
    EXPECT_EQ(list(*productPD, "dgPDMX").model()->rowCount(), 0);
}

TEST_P(CountList, ADeleteThatFailsHalfwayKeepsTheCountWhole) {
    countList();
    newCount("北库", {{"锤子", "1"}});
    refuse("keepLines", "DELETE", "OrderPDD", {}, "磁盘已满");
    messages_.answerOk();
    drive::click(*productPD, "tlDel");
    EXPECT_EQ(messages_.last(), "磁盘已满.");
    EXPECT_EQ(count("OrderPD"), 1);
    EXPECT_EQ(count("OrderPDD"), 1);
}

INSTANTIATE_ON_BOTH_ENGINES(NewCount);
INSTANTIATE_ON_BOTH_ENGINES(ProductCount);
INSTANTIATE_ON_BOTH_ENGINES(CountedLines);
INSTANTIATE_ON_BOTH_ENGINES(EditCount);
INSTANTIATE_ON_BOTH_ENGINES(CountList);

} // namespace
