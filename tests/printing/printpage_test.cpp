// Filling the page from the layout the book keeps.
#include "core/sysdata.h"
#include "printing/paintrecorder.h"
#include "printing/printpage.h"
#include "printing/ui/pagepainter.h"
#include "support/booktest.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

PrintHeader fullHeader() {
    PrintHeader h;
    h.house = {"收货仓库：", "总库"};
    h.orderID = {"单据号：", "CJ2026315957"};
    h.compName = {"单位名称：", "甲公司"};
    h.optdate = {"采购日期：", "2026-03-15"};
    h.ys = {"应付金额：", "50"};
    h.ss = {"实付金额：", "20"};
    h.emp = {"经办人：", "张三"};
    h.hj = {"合计金额：", "50"};
    return h;
}

std::vector<PrintLine> hammerLine() {
    PrintLine line;
    for (const char* field : {"prodBH", "prodName", "type", "unitName", "company", "inprice",
                              "outprice", "pcount", "pmoney", "remark", "field1", "field2"})
        line.set(field, QString::fromLatin1(field) + "值");
    line.set("prodName", "锤子");
    line.set("pmoney", "50");
    return {line};
}

class PrintPageFill : public BookTest {};

TEST_F(PrintPageFill, TakesThePrintedFieldsInTheirOrderWithTheirWidths) {
    const PrintPage page = composePrintPage("采购进货单", fullHeader(), hammerLine());
    // The seed layout: company, outprice, field1 and field2 are not printed.
    EXPECT_EQ(page.columnTitles, QStringList({"商品编号", "商品名称", "规格/型号", "单位", "进价",
                                              "数量", "金额", "备注"}));
    EXPECT_EQ(page.columnWidths, (QList<int>{30, 40, 25, 12, 20, 15, 20, 25}));
    EXPECT_EQ(page.tableWidth, 187);
    ASSERT_EQ(page.cells.size(), 10u);
    EXPECT_EQ(page.cells[0], QStringList({"prodBH值", "锤子", "type值", "unitName值", "inprice值",
                                          "pcount值", "50.00", "remark值"}));
    EXPECT_EQ(page.cells[9], QStringList(8, QString()));
}

// A price of more than cents prints whole: rounded, 0.125 × 1000 would stand beside 125.00
// as 0.12.
TEST_F(PrintPageFill, PricesPrintTheirCentsOrAllTheirDecimalsAndAmountsTheirCents) {
    std::vector<PrintLine> lines = hammerLine();
    lines[0].set("inprice", "0.125");
    lines[0].set("pmoney", "125");
    lines.push_back(lines[0]);
    lines[1].set("inprice", "12.5");
    const PrintPage page = composePrintPage("采购进货单", fullHeader(), lines);
    EXPECT_EQ(page.cells[0][4], "0.125");
    EXPECT_EQ(page.cells[0][6], "125.00");
    EXPECT_EQ(page.cells[1][4], "12.50");
}

// A shop that scans its products keeps their thirteen-digit barcodes as their codes: on paper
// a new book's layout prints one whole within its column, not over the product's name.
TEST_F(PrintPageFill, ANewBooksLayoutPrintsABarcodeWithinItsColumnOnPaper) {
    std::vector<PrintLine> lines = hammerLine();
    lines.front().set("prodBH", "6901234567892");
    const PrintPage page = composePrintPage("商品销售单", fullHeader(), lines);
    PaintRecorder printer(600, {4800, 6800});
    const int k = printing::pixelsPerMillimetre(600);
    {
        QPainter painter(&printer);
        ASSERT_TRUE(printing::report(painter, page, k));
    }
    const PaintRecorder::Text& code = printer.text("6901234567892");
    const int codeEnd = code.x + QFontMetrics(code.font, &printer).horizontalAdvance(code.text);
    EXPECT_LT(codeEnd, (page.leftMargin + page.columnWidths[0]) * k);
    EXPECT_LT(codeEnd, printer.text("锤子").x);
}

TEST_F(PrintPageFill, FollowsAChangedOrderAndLeavesOutAFieldThatIsNotPrinted) {
    exec("UPDATE FConfig SET sort=0 WHERE fieldName='pmoney'");
    exec("UPDATE FConfig SET isShow='否' WHERE fieldName='prodBH'");
    exec("UPDATE FConfig SET isShow='是', fieldwidth=33 WHERE fieldName='field2'");
    const PrintPage page = composePrintPage("", fullHeader(), hammerLine());
    EXPECT_EQ(page.columnTitles, QStringList({"金额", "商品名称", "规格/型号", "单位", "进价",
                                              "数量", "备注", "有效期"}));
    EXPECT_EQ(page.tableWidth, 187 - 30 + 33);
    EXPECT_EQ(page.cells[0].front(), "50.00");
    EXPECT_EQ(page.cells[0].back(), "field2值");
}

TEST_F(PrintPageFill, PrintsEachItemAsLabelAndValueWhenItsSwitchIsOn) {
    exec("UPDATE Ftbconfig SET mtop=15, mleft=-5");
    const PrintPage page = composePrintPage("采购进货单", fullHeader(), hammerLine());
    EXPECT_EQ(page.title, "采购进货单");
    EXPECT_EQ(page.topMargin, 15);
    EXPECT_EQ(page.leftMargin, -5);
    EXPECT_EQ(page.house, "收货仓库：总库");
    EXPECT_EQ(page.orderID, "单据号：CJ2026315957");
    EXPECT_EQ(page.compName, "单位名称：甲公司");
    EXPECT_EQ(page.optdate, "采购日期：2026-03-15");
    EXPECT_EQ(page.ys, "应付金额：50.00");
    EXPECT_EQ(page.ss, "实付金额：20.00");
    EXPECT_EQ(page.emp, "经办人：张三");
    EXPECT_EQ(page.hj, "合计金额：50.00");
}

TEST_F(PrintPageFill, LeavesOutEveryItemWhoseSwitchIsOffButAReprintKeepsItsTotal) {
    exec("UPDATE Ftbconfig SET house='否', orderID='否', compName='否', optdate='否', ys='否', "
         "ss='否', emp='否', hj='否'");
    PrintHeader header = fullHeader();
    PrintPage page = composePrintPage("采购进货单", header, hammerLine());
    for (const QString* item : {&page.house, &page.orderID, &page.compName, &page.optdate, &page.ys,
                                &page.ss, &page.emp, &page.hj})
        EXPECT_EQ(*item, "");
    EXPECT_EQ(page.title, "采购进货单");
    header.totalAlways = true;
    page = composePrintPage("采购进货单", header, hammerLine());
    EXPECT_EQ(page.hj, "合计金额：50.00");
    EXPECT_EQ(page.house, "");
}

TEST_F(PrintPageFill, NoPrintedFieldGivesAPageWithoutColumns) {
    exec("UPDATE FConfig SET isShow='否'");
    const PrintPage page = composePrintPage("采购进货单", fullHeader(), hammerLine());
    EXPECT_TRUE(page.columnTitles.isEmpty());
    EXPECT_EQ(page.tableWidth, 0);
}

TEST_F(PrintPageFill, KeepsEveryLineOfALongDocument) {
    std::vector<PrintLine> lines(12);
    lines[11].set("prodName", "第十二行");
    const PrintPage page = composePrintPage("", fullHeader(), lines);
    ASSERT_EQ(page.cells.size(), 12u);
    EXPECT_EQ(page.cells[11][1], "第十二行");
}

TEST(PrintedTotal, AddsTheAmountsExactlyAndWritesTheShortestCentText) {
    std::vector<PrintLine> lines(4);
    lines[0].set("pmoney", "0.1");
    lines[1].set("PMONEY", "0.2");
    lines[2].set("pmoney", "12.2");
    lines[3].set("pmoney", ""); // an empty line adds nothing
    EXPECT_EQ(printedTotal(lines), "12.5");
    lines[3].set("pmoney", "0.005");
    EXPECT_EQ(printedTotal(lines), "12.5"); // 12.505 to the even cent
    lines[3].set("pmoney", "1234567.89");
    EXPECT_EQ(printedTotal(lines), "1234580.39");
    EXPECT_EQ(printedTotal({}), "0");
}

TEST(PrintLineTexts, MatchFieldNamesWithoutRegardToCase) {
    PrintLine line;
    line.set("prodBH", "A01");
    line.set("PRODBH", "A02");
    EXPECT_EQ(line.text("prodbh"), "A02");
    EXPECT_EQ(line.text("remark"), "");
}

} // namespace
