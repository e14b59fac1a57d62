// The preview as a person uses it: the page on screen, zoom, printer set-up, printing.
#include "core/sysdata.h"
#include "core/ui/modal.h"
#include "printing/printpage.h"
#include "printing/ui/tfrmprintview.h"
#include "support/booktest.h"
#include "support/drive.h"
#include "support/testprinter.h"

#include <QLabel>
#include <QScrollArea>
#include <QTimer>
#include <QToolButton>

namespace {

PrintPage page(const QString& title = "采购进货单") {
    PrintPage p;
    p.title = title;
    p.topMargin = 10;
    p.leftMargin = 10;
    p.orderID = "单据号：CJ2026315957";
    p.columnTitles = {"商品名称", "数量"};
    p.columnWidths = {40, 20};
    p.tableWidth = 60;
    p.cells.assign(PrintPage::kRows, QStringList{"", ""});
    p.cells[0] = QStringList{"锤子", "4"};
    return p;
}

// Pixels that are not white in a part of the picture.
int inkIn(const QImage& image, const QRect& area) {
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                ++ink;
    return ink;
}

class PrintView : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        printer.dpi = 600; // k = 23
        printer.printable = {4800, 6800};
    }
    // Shows the page and runs the script in the open preview.
    void preview(const PrintPage& p, std::function<void(TfrmPrintView&)> script) {
        modal_.expect<TfrmPrintView>(std::move(script));
        window.showPage(p);
        modal_.expectAllShown();
    }
    static QLabel& image(TfrmPrintView& w) { return drive::find<QLabel>(w, "imgDoc"); }

    TestPrinter printer;
    TfrmPrintView window{printer};
};

TEST_F(PrintView, ShowsThePageAtScreenScaleOnAPageOfThePrintersSize) {
    preview(page(), [](TfrmPrintView& w) {
        EXPECT_EQ(w.windowTitle(), "Lumo软件打印预览窗口");
        EXPECT_EQ(w.screenScale(), 3); // 96 pixels per inch
        EXPECT_EQ(w.printerScale(), 23);
        // 4800 / 23 × 3 = 626.08, 6800 / 23 × 3 = 886.96, both cut to whole pixels.
        EXPECT_EQ(w.imageSize(), QSize(626, 886));
        QLabel& img = image(w);
        EXPECT_EQ(img.size(), QSize(626, 886));
        const QImage picture = img.pixmap().toImage();
        ASSERT_EQ(picture.size(), QSize(626, 886));
        // The first rule of the table at 29 mm, from 10 mm to 70 mm.
        EXPECT_EQ(inkIn(picture, QRect(30, 87, 181, 1)), 181);
        EXPECT_EQ(inkIn(picture, QRect(300, 400, 300, 400)), 0);
        // The title is drawn above the table, the code to the right.
        EXPECT_GT(inkIn(picture, QRect(30, 30, 180, 20)), 50);
        for (const char* name : {"tlZoomMax", "tlZoomMin", "tlPageSet", "tlPrint", "tlColse"})
            EXPECT_TRUE(w.findChild<QToolButton*>(name)) << name;
        EXPECT_EQ(drive::find<QToolButton>(w, "tlColse").text(), "关闭      ");
    });
    EXPECT_EQ(window.page().title, "采购进货单");
}

TEST_F(PrintView, CentresANarrowPageAndPutsAWideOneFivePixelsIn) {
    preview(page(), [](TfrmPrintView& w) {
        w.resize(1200, 900);
        QApplication::processEvents();
        auto& area = drive::find<QScrollArea>(w, "ScrollBox1");
        EXPECT_EQ(image(w).x(), (area.viewport()->width() - 626) / 2);
        w.resize(500, 600);
        QApplication::processEvents();
        EXPECT_EQ(image(w).x(), 5);
    });
}

TEST_F(PrintView, ZoomsByAFifthStretchingThePictureWithoutMovingIt) {
    preview(page(), [](TfrmPrintView& w) {
        const int left = image(w).x();
        drive::click(w, "tlZoomMax");
        EXPECT_EQ(w.imageSize().width(), 751);
        drive::click(w, "tlZoomMax");
        EXPECT_EQ(w.imageSize().width(), 901);
        EXPECT_EQ(image(w).width(), 901);
        EXPECT_EQ(image(w).height(), int(std::floor(int(std::floor(886 * 1.2)) * 1.2)));
        EXPECT_EQ(image(w).x(), left);
        drive::click(w, "tlZoomMin");
        EXPECT_EQ(w.imageSize().width(), 750);
        EXPECT_EQ(image(w).pixmap().size(), QSize(626, 886)); // not drawn again
    });
}

TEST_F(PrintView, ZoomsNoFurtherThanFourTimesOrAFourthOfThePictureAndComesBack) {
    preview(page(), [](TfrmPrintView& w) {
        for (int click = 0; click < 30; ++click)
            drive::click(w, "tlZoomMax");
        EXPECT_EQ(w.imageSize().width(), 2240); // 626 stretched seven times; 2688 passes 2504
        for (int click = 0; click < 60; ++click)
            drive::click(w, "tlZoomMin");
        EXPECT_GE(w.imageSize().width(), 626 / 4);
        EXPECT_LT(w.imageSize().width(), int(626 / 4 * 1.2));
        drive::click(w, "tlZoomMax");
        EXPECT_GT(w.imageSize().width(), 626 / 4);
    });
}

TEST_F(PrintView, PrintsOnePagePerPressAtThePrintersScaleAndStaysOpen) {
    printer.dpi = 200; // k = 7, a page small enough to look at
    printer.printable = {1560, 2260};
    preview(page(), [this](TfrmPrintView& w) {
        drive::click(w, "tlPrint");
        EXPECT_TRUE(w.isVisible());
        drive::click(w, "tlPrint");
    });
    EXPECT_EQ(printer.jobsBegun, 2);
    EXPECT_EQ(printer.jobsEnded, 2);
    ASSERT_EQ(printer.pages.size(), 2u);
    const QImage& sheet = printer.pages.front();
    // The table's first rule at 29 mm × 7, from 70 to 490 pixels; nothing left of the margin.
    EXPECT_EQ(inkIn(sheet, QRect(70, 203, 421, 1)), 421);
    EXPECT_EQ(inkIn(sheet, QRect(0, 0, 69, 2260)), 0);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(PrintView, AFailingPrintEndsTheJobAndReportsTheError) {
    printer.failPainting = true;
    preview(page(), [](TfrmPrintView& w) { drive::click(w, "tlPrint"); });
    EXPECT_EQ(printer.jobsBegun, 1);
    EXPECT_EQ(printer.jobsEnded, 1);
    ASSERT_TRUE(messages_.lastShown());
    EXPECT_EQ(messages_.lastShown()->form, ScriptedMessages::Form::ErrorReport);
    EXPECT_EQ(messages_.last(), "打印机缺纸!");
}

TEST_F(PrintView, WithoutAPrinterThePageIsLaidOutOnAnA4PageAndTheWindowStaysOpen) {
    printer.available = false;
    preview(page(), [](TfrmPrintView& w) {
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.printerScale(), 23); // 600 dots per inch
        // A4 less 5 mm at each edge, 200 × 287 mm: 4724 × 6779 dots, 616 × 884 on screen.
        EXPECT_EQ(w.imageSize(), QSize(616, 884));
        const QImage picture = image(w).pixmap().toImage();
        ASSERT_EQ(picture.size(), QSize(616, 884));
        EXPECT_EQ(inkIn(picture, QRect(30, 87, 181, 1)), 181); // the table's first rule
    });
    EXPECT_TRUE(messages_.texts().isEmpty());
}

TEST_F(PrintView, WithoutAPrinterPrintAndPrinterSetUpSayThatThereIsNone) {
    printer.available = false;
    preview(page(), [this](TfrmPrintView& w) {
        drive::click(w, "tlPrint");
        ASSERT_TRUE(messages_.lastShown());
        EXPECT_EQ(messages_.lastShown()->form, ScriptedMessages::Form::Notice);
        EXPECT_EQ(messages_.lastShown()->caption, "提示");
        EXPECT_EQ(messages_.last(), "没有可用的打印机，请先安装打印机。");
        messages_.clear();
        drive::click(w, "tlPageSet");
        EXPECT_EQ(messages_.texts(), QStringList{"没有可用的打印机，请先安装打印机。"});
        EXPECT_TRUE(w.isVisible());
    });
    EXPECT_EQ(printer.jobsBegun, 0);
    EXPECT_EQ(printer.setups, 0);
}

// A printer that is back at the next showing prints again.
TEST_F(PrintView, APrinterFoundAtTheNextShowingPrints) {
    printer.available = false;
    preview(page(), [](TfrmPrintView&) {});
    printer.available = true;
    preview(page(), [](TfrmPrintView& w) {
        EXPECT_EQ(w.imageSize(), QSize(626, 886));
        drive::click(w, "tlPrint");
    });
    EXPECT_EQ(printer.jobsBegun, 1);
    EXPECT_TRUE(messages_.texts().isEmpty());
}

// A message box runs an event loop of its own, as the program's does.
class LoopingMessages : public ScriptedMessages {
public:
    void notice(const QString& text, const QString& caption) override {
        ScriptedMessages::notice(text, caption);
        QCoreApplication::processEvents();
    }
};

TEST_F(PrintView, WithoutAPrinterTheProgramsOwnModalShowingStaysOpenUntilClosed) {
    printer.available = false;
    LoopingMessages boxes;
    ExecModal program; // the dialog's own event loop, as the program runs it
    setMessages(&boxes);
    setModal(&program);
    bool shown = false;
    QTimer::singleShot(0, &window, [&] {
        shown = window.isVisible();
        drive::click(window, "tlPrint");
        drive::click(window, "tlColse");
    });
    window.showPage(page());
    setModal(&modal_);
    setMessages(&messages_);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(boxes.texts(), QStringList{"没有可用的打印机，请先安装打印机。"});
}

TEST_F(PrintView, PrinterSetUpRedrawsForTheChosenPaperOnlyOnOk) {
    preview(page(), [this](TfrmPrintView& w) {
        printer.printable = {6800, 4800}; // landscape chosen in the dialog
        printer.setupAnswers = {false, true};
        drive::click(w, "tlPageSet");
        EXPECT_EQ(w.imageSize(), QSize(626, 886));
        drive::click(w, "tlPageSet");
        EXPECT_EQ(w.imageSize(), QSize(886, 626));
        EXPECT_EQ(image(w).pixmap().size(), QSize(886, 626));
    });
    EXPECT_EQ(printer.setups, 2);
}

TEST_F(PrintView, APageWithoutColumnsShowsEmptyAndIsNotSentToThePrinter) {
    PrintPage empty = page();
    empty.columnTitles.clear();
    empty.columnWidths.clear();
    empty.tableWidth = 0;
    preview(empty, [this](TfrmPrintView& w) {
        EXPECT_EQ(messages_.last(), "没有要打印的数据！");
        EXPECT_EQ(inkIn(image(w).pixmap().toImage(), QRect(0, 0, 626, 886)), 0);
        messages_.clear();
        drive::click(w, "tlPrint");
        EXPECT_EQ(messages_.last(), "没有要打印的数据！");
    });
    EXPECT_EQ(printer.jobsBegun, 0);
}

TEST_F(PrintView, EachShowingDrawsTheNewPageAfresh) {
    preview(page(), [](TfrmPrintView& w) { drive::click(w, "tlZoomMax"); });
    PrintPage second = page("商品销售单");
    second.cells[0] = QStringList{"钉子", "100"};
    preview(second, [](TfrmPrintView& w) {
        EXPECT_EQ(w.imageSize(), QSize(626, 886));
        EXPECT_EQ(w.page().cells[0].front(), "钉子");
    });
}

} // namespace
