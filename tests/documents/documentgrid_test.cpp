#include "core/sysdata.h"
#include "documents/gridinput.h"
#include "documents/ui/documentgrid.h"
#include "masterdata/ui/tfrmfindproduct.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QSignalSpy>
#include <QTableView>
#include <memory>

namespace {

class DocumentGridTest : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        hammer = addProduct("锤子", addCategory("工具"), "8", "12.5");
        picker = std::make_unique<TfrmFindProduct>();
        grid = std::make_unique<DocumentGrid>(*picker, "2");
        grid->resize(1000, 420);
        grid->show();
    }
    void TearDown() override {
        grid.reset();
        picker.reset();
        BookTest::TearDown();
    }
    // Double clicks a row and chooses the hammer in the picker.
    void pickHammer(int row) {
        modal_.expect<TfrmFindProduct>([](TfrmFindProduct& p) {
            auto& list = drive::find<QTableView>(p, "dgProduct");
            drive::doubleClick(list.viewport(),
                               list.visualRect(list.model()->index(0, 3)).center());
        });
        gridinput::doubleClick(*grid, row);
    }
    QStringList row(int r) {
        QStringList out;
        for (int c = 1; c <= DocumentGrid::kColumns; ++c)
            out << grid->text(r, c);
        return out;
    }

    long long hammer = 0;
    std::unique_ptr<TfrmFindProduct> picker;
    std::unique_ptr<DocumentGrid> grid;
};

TEST_F(DocumentGridTest, ADoubleClickPicksIntoTheRowAndMovesToItsQuantity) {
    QSignalSpy picked(grid.get(), &DocumentGrid::productPicked);
    pickHammer(3);
    EXPECT_EQ(picker->mode(), "2");
    EXPECT_EQ(row(3), QStringList({QString::number(hammer), "BH-锤子", "锤子", "", "个", "12.5",
                                   "1", "12.5", "", "", "", ""}));
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked[0][0].toInt(), 3);
    EXPECT_EQ(grid->currentLine(), 3);
    EXPECT_EQ(grid->currentColumn(), DocumentGrid::Quantity);
    ASSERT_NE(gridinput::editor(*grid), nullptr);
    EXPECT_EQ(gridinput::editor(*grid)->selectedText(), "1");
}

TEST_F(DocumentGridTest, APickIntoAFilledRowReplacesAllTwelveColumns) {
    pickHammer(1);
    gridinput::type(*grid, 1, DocumentGrid::Remark, "旧备注");
    grid->setText(1, DocumentGrid::Maker, "旧厂家");
    pickHammer(1);
    EXPECT_EQ(grid->text(1, DocumentGrid::Remark), "");
    EXPECT_EQ(grid->text(1, DocumentGrid::Maker), "");
    EXPECT_EQ(grid->text(1, DocumentGrid::ProdID), QString::number(hammer));
}

TEST_F(DocumentGridTest, APickerClosedWithoutAChoiceLeavesTheRow) {
    grid->setText(2, DocumentGrid::ProdName, "旧的");
    modal_.expectOpenClose("TfrmFindProduct");
    gridinput::doubleClick(*grid, 2);
    EXPECT_EQ(grid->text(2, DocumentGrid::ProdName), "旧的");
}

TEST_F(DocumentGridTest, EveryKeystrokeIsReportedButProgramTextIsNot) {
    QSignalSpy edited(grid.get(), &DocumentGrid::cellEdited);
    grid->setText(1, DocumentGrid::ProdName, "笔");
    EXPECT_EQ(edited.count(), 0);
    gridinput::typeKeys(*grid, 1, DocumentGrid::Price, "2.5");
    ASSERT_EQ(edited.count(), 4); // the blank that opens the cell, then three keys
    EXPECT_EQ(edited.last()[0].toInt(), 1);
    EXPECT_EQ(edited.last()[1].toInt(), int(DocumentGrid::Price));
    EXPECT_EQ(grid->text(1, DocumentGrid::Price), "2.5");
}

TEST_F(DocumentGridTest, EnterWalksTheShownCellsRowByRowAndTabLeavesTheGrid) {
    grid->setCurrentCell(0, DocumentGrid::Price);
    QTest::keyClick(grid.get(), Qt::Key_Return);
    EXPECT_EQ(grid->currentColumn(), int(DocumentGrid::Quantity));
    gridinput::type(*grid, 1, DocumentGrid::Remark, "x"); // Enter leaves the last shown cell
    EXPECT_EQ(grid->currentLine(), 2);
    EXPECT_EQ(grid->currentColumn(), int(DocumentGrid::ProdBH));

    // Tab is for the boxes around the grid: it leaves an open cell keeping what was typed.
    QSignalSpy edited(grid.get(), &DocumentGrid::cellEdited);
    grid->setText(2, DocumentGrid::ProdName, "笔");
    gridinput::typeKeys(*grid, 2, DocumentGrid::Price, "3");
    QTest::keyClick(gridinput::editor(*grid), Qt::Key_Tab);
    EXPECT_EQ(grid->text(2, DocumentGrid::Price), "3");
    EXPECT_EQ(gridinput::editor(*grid), nullptr);
    EXPECT_EQ(edited.count(), 2); // the opening blank and the 3; leaving adds none
}

TEST_F(DocumentGridTest, ANamelessRowIsEmptiedAndBadNumbersBecomeZero) {
    pickHammer(1);
    gridinput::type(*grid, 1, DocumentGrid::Quantity, "abc");
    EXPECT_TRUE(grid->checkEditedCell(1, DocumentGrid::Quantity));
    EXPECT_EQ(grid->text(1, DocumentGrid::Quantity), "0");
    gridinput::type(*grid, 1, DocumentGrid::Remark, "abc");
    EXPECT_TRUE(grid->checkEditedCell(1, DocumentGrid::Remark));
    EXPECT_EQ(grid->text(1, DocumentGrid::Remark), "abc");

    gridinput::type(*grid, 1, DocumentGrid::ProdName, " ");
    EXPECT_FALSE(grid->checkEditedCell(1, DocumentGrid::ProdName));
    EXPECT_EQ(row(1), QStringList(12, QString()));
}

TEST_F(DocumentGridTest, TitlesComeFromTheFieldCaptionsAndNumbersAlignRight) {
    exec("UPDATE FConfig SET textValue='货号' WHERE fieldName='prodBH'");
    grid->loadCaptions();
    const auto title = [&](int c) { return grid->horizontalHeaderItem(c)->text(); };
    EXPECT_EQ(title(0), "序号");
    EXPECT_EQ(title(2), "货号");
    EXPECT_EQ(title(3), "商品名称");
    EXPECT_EQ(title(5), "单位");
    EXPECT_EQ(title(6), "单价");
    EXPECT_EQ(title(8), "金额");
    EXPECT_EQ(grid->item(9, 0)->text(), "10");
    for (int c : {1, 10, 11, 12})
        EXPECT_TRUE(grid->isColumnHidden(c)) << c;
    EXPECT_TRUE(grid->item(0, DocumentGrid::Amount)->textAlignment() & Qt::AlignRight);
}

} // namespace
