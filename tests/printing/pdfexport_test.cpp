// The printed page as a person meets it on paper or in a PDF file: rules that show, figures at
// the right with their cents, and "导出PDF" in the preview.
#include "core/sysdata.h"
#include "printing/paintrecorder.h"
#include "printing/printpage.h"
#include "printing/ui/pagepainter.h"
#include "printing/ui/tfrmprintview.h"
#include "support/booktest.h"
#include "support/drive.h"
#include "support/testprinter.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QToolButton>
#include <cmath>

namespace {

// The program's own page of a purchase: FConfig's printed columns, Ftbconfig's switches.
PrintPage purchasePage() {
    PrintHeader header;
    header.orderID = {"单据号：", "CJ2026315957"};
    header.ys = {"应付金额：", "50"};
    header.ss = {"实付金额：", "20.5"};
    header.hj = {"合计金额：", "50"};
    std::vector<PrintLine> lines(2);
    lines[0].set("prodName", "锤子");
    lines[0].set("inprice", "12.5");
    lines[0].set("outprice", "12.5");
    lines[0].set("pcount", "4");
    lines[0].set("pmoney", "50");
    lines[1].set("prodName", "钉子");
    lines[1].set("pmoney", "0.1");
    return composePrintPage("采购进货单", header, lines);
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed";
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

class PrintedLook : public BookTest {};

TEST_F(PrintedLook, MoneyPrintsWithTwoDecimalsAndQuantitiesAsTyped) {
    exec("UPDATE FConfig SET isShow='是'");
    exec("UPDATE Ftbconfig SET ys='是',ss='是',hj='是',orderID='是'");
    const PrintPage page = purchasePage();
    const int amount = int(page.columnTitles.indexOf(
        scalar("SELECT textValue FROM FConfig WHERE fieldName='pmoney'")));
    const int quantity = int(page.columnTitles.indexOf(
        scalar("SELECT textValue FROM FConfig WHERE fieldName='pcount'")));
    ASSERT_GE(amount, 0);
    ASSERT_GE(quantity, 0);
    EXPECT_EQ(page.cells[0][amount], "50.00");
    EXPECT_EQ(page.cells[1][amount], "0.10");
    EXPECT_EQ(page.cells[0][quantity], "4");
    EXPECT_EQ(page.cells[2][amount], ""); // an empty row stays empty
    EXPECT_TRUE(page.columnsOfFigures[amount]);
    EXPECT_TRUE(page.columnsOfFigures[quantity]);
    EXPECT_FALSE(page.columnsOfFigures[int(page.columnTitles.indexOf(
        scalar("SELECT textValue FROM FConfig WHERE fieldName='prodName'")))]);
    EXPECT_EQ(page.ys, "应付金额：50.00");
    EXPECT_EQ(page.ss, "实付金额：20.50");
    EXPECT_EQ(page.hj, "合计金额：50.00");
    EXPECT_EQ(page.documentCode, "CJ2026315957");
}

TEST_F(PrintedLook, FiguresEndAtTheRightOfTheirCellAndTextsStartAtTheLeft) {
    PrintPage page;
    page.columnTitles = {"商品名称", "金额"};
    page.columnWidths = {30, 25};
    page.columnsOfFigures = {false, true};
    page.tableWidth = 55;
    page.cells.assign(PrintPage::kRows, QStringList{"", ""});
    page.cells[0] = QStringList{"锤子", "50.00"};
    page.cells[1] = QStringList{"钉子", "0.10"};
    PaintRecorder surface{96};
    {
        QPainter painter(&surface);
        printing::report(painter, page, 3);
    }
    const auto rightEnd = [&](const QString& text) {
        const auto& drawn = surface.text(text);
        return drawn.x + QFontMetrics(drawn.font, &surface).horizontalAdvance(text);
    };
    EXPECT_EQ(surface.text("锤子").x, 2 * 3);
    EXPECT_EQ(rightEnd("50.00"), (55 - 2) * 3);
    EXPECT_EQ(rightEnd("0.10"), (55 - 2) * 3);
    EXPECT_EQ(rightEnd("金额"), (55 - 2) * 3);
}

// The rules' thickness on paper: dark pixels across a horizontal rule at 600 dots per inch.
TEST_F(PrintedLook, RulesAreAtLeastATwoTenthMillimetreWide) {
    PrintPage page;
    page.columnTitles = {"商品名称"};
    page.columnWidths = {40};
    page.columnsOfFigures = {false};
    page.tableWidth = 40;
    page.cells.assign(PrintPage::kRows, QStringList{""});
    const int k = printing::pixelsPerMillimetre(600);
    QImage image(60 * k, 100 * k, QImage::Format_RGB32);
    image.setDotsPerMeterX(int(std::lround(600 / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(600 / 0.0254)));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        printing::report(painter, page, k);
    }
    const int x = 30 * k; // across the table's rules, clear of any text
    int dark = 0;
    for (int y = (19 - 2) * k; y < (19 + 2) * k; ++y)
        if (qGray(image.pixel(x, y)) < 128)
            ++dark;
    const double millimetres = dark * 25.4 / 600;
    EXPECT_GE(millimetres, 0.2);
    EXPECT_LT(millimetres, 0.5);
}

class PdfExport : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        exec("UPDATE Ftbconfig SET orderID='是', ss='是'");
    }
    TestPrinter printer;
    TfrmPrintView window{printer};
};

TEST_F(PdfExport, WritesOnePageWithTheDocumentCodeThatReadsBack) {
    const QString file = directory() + "out.pdf";
    fileDialogs_.choose(file);
    modal_.expect<TfrmPrintView>([&](TfrmPrintView& w) {
        // From the keyboard: Tab to the button, Space presses it.
        auto& button = drive::find<QToolButton>(w, "tlPdf");
        EXPECT_EQ(button.text(), "导出PDF");
        EXPECT_NE(button.focusPolicy() & Qt::TabFocus, 0);
        button.setFocus();
        QTest::keyClick(&button, Qt::Key_Space);
    });
    window.showPage(purchasePage());
    EXPECT_EQ(fileDialogs_.offered(), QStringList{"CJ2026315957.pdf"});
    EXPECT_EQ(messages_.last(), "单据已导出到：" + file);
    ASSERT_TRUE(QFile::exists(file));
    const QString info = run("pdfinfo", {file});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    // What a reader copies or searches: every character of the code and the amounts.
    const QString text = run("pdftotext", {"-layout", file, "-"});
    EXPECT_TRUE(text.contains("采购进货单")) << text.toStdString();
    EXPECT_TRUE(text.contains("单据号：CJ2026315957")) << text.toStdString();
    EXPECT_TRUE(text.contains("20.50")) << text.toStdString();
    // The reader gives 子 as the radical ⼦ (U+2F26), which looks the same.
    EXPECT_TRUE(text.contains("锤子") || text.contains("锤⼦")) << text.toStdString();
    EXPECT_TRUE(text.contains("50.00")) << text.toStdString();
    EXPECT_EQ(printer.jobsBegun, 0); // no paper went through the printer
}

TEST_F(PdfExport, WithoutAPrinterThePreviewOpensAndExports) {
    printer.available = false;
    const QString file = directory() + "no printer.pdf";
    fileDialogs_.choose(file);
    modal_.expect<TfrmPrintView>([](TfrmPrintView& w) {
        EXPECT_TRUE(w.isVisible());
        drive::click(w, "tlPdf");
    });
    window.showPage(purchasePage());
    modal_.expectAllShown();
    EXPECT_EQ(messages_.texts(), QStringList{"单据已导出到：" + file});
    const QString text = run("pdftotext", {"-layout", file, "-"});
    EXPECT_TRUE(text.contains("单据号：CJ2026315957")) << text.toStdString();
}

TEST_F(PdfExport, ANameWithoutItsSuffixGetsItAndAnEarlierFileIsReplacedOnlyWhenAsked) {
    const QString file = directory() + "CJ1.pdf";
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("sent last week");
    old.close();
    fileDialogs_.choose(directory() + "CJ1");
    messages_.answerCancel();
    modal_.expect<TfrmPrintView>([](TfrmPrintView& w) { drive::click(w, "tlPdf"); });
    window.showPage(purchasePage());
    EXPECT_EQ(messages_.texts(),
              QStringList{QStringLiteral("文件“%1”已存在，要替换它吗？").arg(file)});
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "sent last week");
    old.close();

    QFile::remove(file);
    fileDialogs_.choose(directory() + "CJ1");
    modal_.expect<TfrmPrintView>([](TfrmPrintView& w) { drive::click(w, "tlPdf"); });
    window.showPage(purchasePage());
    EXPECT_EQ(messages_.last(), "单据已导出到：" + file);
    EXPECT_TRUE(run("pdftotext", {"-layout", file, "-"}).contains("单据号：CJ2026315957"));
}

TEST_F(PdfExport, ACancelledDialogWritesNothing) {
    fileDialogs_.cancel();
    modal_.expect<TfrmPrintView>([](TfrmPrintView& w) { drive::click(w, "tlPdf"); });
    window.showPage(purchasePage());
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(PdfExport, AFileThatCannotBeWrittenIsNamedInTheMessage) {
    const QString file = directory() + "no/such/folder/out.pdf";
    fileDialogs_.choose(file);
    modal_.expect<TfrmPrintView>([](TfrmPrintView& w) { drive::click(w, "tlPdf"); });
    window.showPage(purchasePage());
    EXPECT_EQ(messages_.last(), "无法写入文件：" + file);
}

} // namespace
