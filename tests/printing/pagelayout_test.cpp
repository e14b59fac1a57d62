// Where the page puts each thing, at the scale of the surface it is drawn on.
#include "core/sysdata.h"
#include "printing/paintrecorder.h"
#include "printing/printpage.h"
#include "printing/ui/pagepainter.h"
#include "support/booktest.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QRawFont>
#include <algorithm>

namespace {

// Margins 10 mm, three columns of 20, 30 and 25 mm, every item printed.
PrintPage samplePage() {
    PrintPage page;
    page.title = "采购进货单";
    page.topMargin = 10;
    page.leftMargin = 10;
    page.house = "收货仓库：总库";
    page.orderID = "单据号：CJ2026315957";
    page.compName = "单位名称：甲公司";
    page.optdate = "采购日期：2026-03-15";
    page.ys = "应付金额：50";
    page.ss = "实付金额：20";
    page.emp = "经办人：张三";
    page.hj = "合计金额：50";
    page.columnTitles = {"商品名称", "单价", "数量"};
    page.columnWidths = {20, 30, 25};
    page.tableWidth = 75;
    page.cells.assign(PrintPage::kRows, QStringList{"", "", ""});
    page.cells[0] = QStringList{"锤子", "12.5", "4"};
    page.cells[9] = QStringList{"钉子", "0.1", "3"};
    return page;
}

class PageLayout : public BookTest {
protected:
    // Draws the page on a 96-dpi surface (k = 3).
    bool draw(const PrintPage& page) {
        QPainter painter(&surface);
        return printing::report(painter, page, printing::pixelsPerMillimetre(96));
    }
    int widthOf(const QString& text) {
        const auto& drawn = surface.text(text);
        return QFontMetrics(drawn.font, &surface).horizontalAdvance(text);
    }
    std::vector<QLine> lines(bool horizontal) const {
        std::vector<QLine> found;
        for (const QLine& l : surface.lines())
            if ((l.y1() == l.y2()) == horizontal)
                found.push_back(l);
        return found;
    }

    PaintRecorder surface{96};
};

TEST(PixelsPerMillimetre, IsTheResolutionOverAnInchTruncated) {
    EXPECT_EQ(printing::pixelsPerMillimetre(96), 3);
    EXPECT_EQ(printing::pixelsPerMillimetre(600), 23);
    EXPECT_EQ(printing::pixelsPerMillimetre(1200), 47);
    EXPECT_EQ(printing::pixelsPerMillimetre(25), 0);
}

TEST_F(PageLayout, RulesTheTableEverySixMillimetresAndAtEveryColumnEdge) {
    ASSERT_TRUE(draw(samplePage()));
    std::vector<int> rows;
    for (const QLine& l : lines(true)) {
        rows.push_back(l.y1());
        EXPECT_EQ(l.x1(), 30);
        EXPECT_EQ(l.x2(), 255);
    }
    EXPECT_EQ(rows, (std::vector<int>{87, 105, 123, 141, 159, 177, 195, 213, 231, 249, 267, 285}));
    std::vector<int> edges;
    for (const QLine& l : lines(false)) {
        edges.push_back(l.x1());
        EXPECT_EQ(l.y1(), 87);
        EXPECT_EQ(l.y2(), 285);
    }
    EXPECT_EQ(edges, (std::vector<int>{30, 90, 180, 255}));
}

TEST_F(PageLayout, PutsColumnTitlesCellsAndFooterAtTheirPlaces) {
    ASSERT_TRUE(draw(samplePage()));
    EXPECT_EQ(surface.row(90), QStringList({"商品名称", "单价", "数量"}));
    EXPECT_EQ(surface.text("商品名称").x, 36);
    EXPECT_EQ(surface.text("单价").x, 96);
    EXPECT_EQ(surface.text("数量").x, 186);
    EXPECT_EQ(surface.row(108), QStringList({"锤子", "12.5", "4"}));
    EXPECT_EQ(surface.text("12.5").x, 96);
    // The tenth row, 6 mm apart: 108 + 9 × 18.
    EXPECT_EQ(surface.row(270), QStringList({"钉子", "0.1", "3"}));
    // Footer 1 mm under the last rule; a quarter of 75 mm is 18 mm, not 18.75.
    EXPECT_EQ(surface.row(288),
              QStringList({"应付金额：50", "实付金额：20", "合计金额：50", "经办人：张三"}));
    EXPECT_EQ(surface.text("应付金额：50").x, 30);
    EXPECT_EQ(surface.text("实付金额：20").x, 84);
    EXPECT_EQ(surface.text("合计金额：50").x, 138);
    EXPECT_EQ(surface.text("经办人：张三").x, 192);
}

TEST_F(PageLayout, CentresTheTitleAndRightAlignsTheCodeWithTheDateUnderIt) {
    ASSERT_TRUE(draw(samplePage()));
    const auto& title = surface.text("采购进货单");
    EXPECT_EQ(title.y, 30);
    EXPECT_EQ(title.x, 30 + (225 - widthOf("采购进货单")) / 2);
    EXPECT_EQ(title.font.pointSize(), 14);
    // Chinese in the simplified-Chinese shapes, figures and Latin letters in a Latin face.
    EXPECT_EQ(QRawFont::fromFont(title.font, QFontDatabase::SimplifiedChinese).familyName(),
              "Noto Sans CJK SC");
    EXPECT_EQ(QRawFont::fromFont(title.font, QFontDatabase::Latin).familyName(), "DejaVu Sans");

    EXPECT_EQ(surface.row(54), QStringList({"收货仓库：总库", "单据号：CJ2026315957"}));
    EXPECT_EQ(surface.text("收货仓库：总库").x, 30);
    const int codeLeft = 255 - widthOf("单据号：CJ2026315957");
    EXPECT_EQ(surface.text("单据号：CJ2026315957").x, codeLeft);
    EXPECT_EQ(surface.row(69), QStringList({"单位名称：甲公司", "采购日期：2026-03-15"}));
    EXPECT_EQ(surface.text("采购日期：2026-03-15").x, codeLeft);
    EXPECT_EQ(surface.text("单位名称：甲公司").font.pointSize(), 9);
}

TEST_F(PageLayout, WithoutACodeTheDateEndsAtTheTablesRightEdge) {
    PrintPage page = samplePage();
    page.orderID.clear();
    ASSERT_TRUE(draw(page));
    EXPECT_EQ(surface.text("采购日期：2026-03-15").x, 255 - widthOf("采购日期：2026-03-15"));
}

TEST_F(PageLayout, ATitleWiderThanTheTableStartsLeftOfIt) {
    PrintPage page = samplePage();
    page.title = "一个比表格宽得多的标题：采购进货单（第一联）";
    ASSERT_TRUE(draw(page));
    EXPECT_LT(surface.text(page.title).x, 30);
}

TEST_F(PageLayout, EmptyItemsAndCellsDrawNothing) {
    PrintPage page = samplePage();
    page.title.clear();
    page.house.clear();
    page.orderID.clear();
    page.compName.clear();
    page.optdate.clear();
    page.ys.clear();
    page.ss.clear();
    page.emp.clear();
    page.hj.clear();
    ASSERT_TRUE(draw(page));
    QStringList drawn;
    for (const auto& t : surface.texts())
        drawn << t.text;
    drawn.sort();
    EXPECT_EQ(drawn,
              QStringList({"0.1", "12.5", "3", "4", "单价", "商品名称", "数量", "钉子", "锤子"}));
    EXPECT_EQ(lines(true).size(), 12u);
}

TEST_F(PageLayout, APageWithoutColumnsSaysSoAndDrawsNothing) {
    PrintPage page = samplePage();
    page.columnTitles.clear();
    page.columnWidths.clear();
    page.tableWidth = 0;
    EXPECT_FALSE(draw(page));
    EXPECT_EQ(messages_.last(), "没有要打印的数据！");
    EXPECT_EQ(messages_.lastShown()->caption, "信息提示");
    EXPECT_TRUE(surface.texts().empty());
    EXPECT_TRUE(surface.lines().empty());
}

TEST_F(PageLayout, MoreLinesThanTenLengthenTheTableInsteadOfDroppingAny) {
    PrintPage page = samplePage();
    page.cells.resize(12, QStringList{"", "", ""});
    page.cells[11] = QStringList{"第十二行", "1", "1"};
    ASSERT_TRUE(draw(page));
    EXPECT_EQ(surface.row(108 + 11 * 18), QStringList({"第十二行", "1", "1"}));
    EXPECT_EQ(lines(true).size(), 14u);
    EXPECT_EQ(surface.text("应付金额：50").y, 288 + 2 * 18);
}

TEST_F(PageLayout, APrinterAtSixHundredDotsPerInchPutsTenMillimetresAtTwoHundredThirtyDots) {
    PaintRecorder printer(600, {4800, 6800});
    QPainter painter(&printer);
    ASSERT_TRUE(printing::report(painter, samplePage(), printing::pixelsPerMillimetre(600)));
    painter.end();
    EXPECT_EQ(printer.text("收货仓库：总库").x, 230);
    EXPECT_EQ(printer.text("采购进货单").y, 230);
    EXPECT_EQ(printer.text("商品名称").x, 12 * 23);
    EXPECT_EQ(printer.lines().front(), QLine(230, 29 * 23, 85 * 23, 29 * 23));
}

} // namespace
