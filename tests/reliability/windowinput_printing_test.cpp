// The print layout settings given bad margins and widths and nasty captions and titles as a
// person types them: a margin or width the page cannot take is refused with the window's own
// message and nothing of that page is written; captions are stored trimmed and titles exactly
// as typed.
#include "core/numbers.h"
#include "core/sysdata.h"
#include "documents/tradekind.h"
#include "documents/tradeposting.h"
#include "printing/printsettings.h"
#include "printing/ui/tfrmfieldedit.h"
#include "printing/ui/tfrmfieldset.h"
#include "printing/ui/tfrmprintview.h"
#include "reliability/windowinput.h"
#include "reports/ui/querywindows.h"
#include "support/drive.h"
#include "support/testprinter.h"

#include <QCheckBox>
#include <QRegularExpression>
#include <QTableView>
#include <QTreeWidget>
#include <iostream>
#include <memory>
#include <tuple>
#include <vector>

namespace {

constexpr int kLimit = printing::kMaxMillimetres;

// The whole number a margin or width box holds, when it is one in the range.
std::optional<long long> wholeIn(const QString& text, long long min, long long max) {
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    if (!whole.match(text.trimmed()).hasMatch() || !ok || value < min || value > max)
        return std::nullopt;
    return value;
}

class PrintingInput : public WindowInputTest {
protected:
    void SetUp() override {
        WindowInputTest::SetUp();
        window = std::make_unique<TfrmFieldSet>();
    }
    void TearDown() override {
        window.reset();
        WindowInputTest::TearDown();
    }
    QString table(const QString& name) {
        TQuery q(sysData->myCon, "table");
        q.load("SELECT * FROM " + name);
        q.open();
        QStringList cells;
        for (int r = 0; r < q.recordCount(); ++r)
            for (int c = 0; c < q.result().columnCount(); ++c)
                cells << q.result().text(r, c);
        return cells.join(u'|');
    }
    std::unique_ptr<TfrmFieldSet> window;
};

TEST_F(PrintingInput, AMarginThePageCannotTakeIsRefusedWithItsMessageAndNoSwitchIsWritten) {
    int typed = 0, saved = 0;
    for (const char* name : {"txtTop", "txtLeft"}) {
        const QString side = name == std::string("txtTop") ? "上边距" : "左边距";
        const QStringList margins = nastyNumbers() << QString(18, u'9') << "-1000"
                                                   << "1001";
        for (const QString& text : margins) {
            window->hide();
            window->show();
            QLineEdit& box = drive::find<QLineEdit>(*window, name);
            enter(box, text);
            ++typed;
            // A whole number, or the sign a negative one is typed with.
            EXPECT_TRUE(printing::isWholeNumber(box.text()) || box.text() == u"-" ||
                        box.text() == u"+")
                << quoted(text) << " left " << quoted(box.text());
            // A switch changed too: a refused save must not write it.
            drive::click(*window, "chkEmp");
            const QString before = table("Ftbconfig");
            messages_.clear();
            drive::click(*window, "Button1");
            const auto margin = wholeIn(box.text(), -kLimit, kLimit);
            const std::string what = quoted(text) + " held " + quoted(box.text());
            if (!margin) {
                EXPECT_EQ(messages_.last(),
                          side + QStringLiteral("必须是-%1到%1之间的整数（毫米）！").arg(kLimit))
                    << what;
                EXPECT_EQ(table("Ftbconfig"), before) << what;
                continue;
            }
            ++saved;
            EXPECT_EQ(messages_.last(), "保存成功！") << what;
            EXPECT_EQ(number(QStringLiteral("SELECT %1 FROM Ftbconfig")
                                 .arg(name == std::string("txtTop") ? "mtop" : "mleft")),
                      double(*margin))
                << what;
            EXPECT_EQ(scalar("SELECT emp FROM Ftbconfig"),
                      drive::find<QCheckBox>(*window, "chkEmp").isChecked() ? "是" : "否");
        }
    }
    EXPECT_EQ(count("Ftbconfig"), 1);
    EXPECT_GT(saved, 0);
    expectNoErrorReport();
    std::cout << typed << " margins typed, " << saved << " saved\n";
}

TEST_F(PrintingInput, ACaptionIsStoredTrimmedAndAWidthThatIsNoWholeMillimetreCountIsRefused) {
    const QStringList texts = boxTexts();
    const QStringList widths = nastyNumbers();
    const int rounds = int(std::max(texts.size(), widths.size()));
    int saved = 0;
    for (int i = 0; i < rounds; ++i) {
        const QString caption = texts[i % texts.size()];
        // Every third round a width the page takes, so that both ends are seen.
        const QString width = i % 3 == 2 ? QStringLiteral(" 30 ") : widths[i % widths.size()];
        window->hide();
        window->show();
        auto& list = drive::find<QTreeWidget>(*window, "lsvField");
        list.setCurrentItem(list.topLevelItem(1));
        const QString field = list.topLevelItem(1)->text(TfrmFieldSet::FieldName);
        const QString before = table("FConfig");
        bool stayedOpen = false;
        modal_.expect<TfrmFieldEdit>([&](TfrmFieldEdit& d) {
            enter(drive::find<QLineEdit>(d, "txtField"), caption);
            enter(drive::find<QLineEdit>(d, "txtFieldWidth"), width);
            drive::click(d, "btnOK");
            stayedOpen = d.isVisible();
        });
        messages_.clear();
        drive::click(*window, "BitBtn3");
        const std::string what = quoted(caption) + " " + quoted(width);
        // An input method's wide digits are the digits they stand for; the commas and blanks
        // that group digits are dropped as typed.
        const auto millimetres =
            wholeIn(numbers::narrowed(width).remove(u',').remove(u' '), 1, kLimit);
        if (!millimetres) {
            EXPECT_EQ(messages_.last(),
                      QStringLiteral("字段宽度必须是1到%1之间的整数（毫米）！").arg(kLimit))
                << what;
            EXPECT_TRUE(stayedOpen) << what;
            EXPECT_EQ(table("FConfig"), before) << what;
            continue;
        }
        ++saved;
        EXPECT_EQ(messages_.last(), "修改成功！") << what;
        EXPECT_EQ(scalar("SELECT textValue FROM FConfig WHERE fieldName='" + field + "'"),
                  caption.trimmed())
            << what;
        EXPECT_EQ(number("SELECT fieldwidth FROM FConfig WHERE fieldName='" + field + "'"),
                  double(*millimetres));
        EXPECT_EQ(count("FConfig"), 12);
        // The list shows the caption as stored.
        EXPECT_EQ(list.topLevelItem(1)->text(TfrmFieldSet::Caption), caption.trimmed());
    }
    EXPECT_GT(saved, 0);
    expectNoErrorReport();
}

TEST_F(PrintingInput, TitlesOfAnyKindAreStoredExactlyAsTypedBlanksIncluded) {
    const QStringList texts = boxTexts();
    const char* boxes[] = {"txtPur", "txtPurT", "txtSale", "txtSaleT", "txtDB", "txtBsby"};
    const char* columns[] = {"pur", "purT", "sale", "saleT", "db", "bsby"};
    for (int i = 0; i < texts.size(); ++i) {
        window->hide();
        window->show();
        QStringList typed;
        for (int b = 0; b < 6; ++b) {
            const QString text = (b == 0 ? QStringLiteral("  ") : QString()) +
                                 texts[(i + b) % texts.size()] + (b == 1 ? " " : "");
            enter(drive::find<QLineEdit>(*window, boxes[b]), text);
            typed << text;
        }
        messages_.clear();
        drive::click(*window, "Button4");
        EXPECT_EQ(messages_.last(), "设置成功！");
        for (int b = 0; b < 6; ++b)
            EXPECT_EQ(scalar(QStringLiteral("SELECT %1 FROM Ftitle").arg(columns[b])), typed[b])
                << columns[b] << " " << quoted(typed[b]);
        EXPECT_EQ(count("Ftitle"), 1);
    }
    expectNoErrorReport();
}

// Layouts at the ends of what the window takes, and a document whose every text is nasty:
// the page is drawn, shown and printed all the same.
TEST_F(PrintingInput, ADocumentPrintsWhateverTheLayoutAndItsOwnTextsHold) {
    const long long house = addHouse("'; DROP TABLE Fhouse;--");
    const long long supplier = addSupplier("𠮷野家😀");
    const long long product = addProduct(QString(10000, u'长'));
    TradeDocument d;
    d.houseName = "'; DROP TABLE Fhouse;--";
    d.houseID = QString::number(house);
    d.orderCode = "CJ-O'Brien%_";
    d.compID = QString::number(supplier);
    d.compName = "𠮷野家😀";
    d.empName = QString(10000, u'x');
    d.date = kNow.date();
    d.cell(1, 1) = QString::number(product);
    d.cell(1, 6) = "0.000001";
    d.cell(1, 7) = "99999999";
    d.cell(1, 8) = "99.999999";
    d.cell(1, 9) = "C:\\路径\\ 100%";
    d.runningTotal = *Decimal::parse(u"99.999999");
    d.sumMoney = "99.999999";
    messages_.answerOk();
    ASSERT_EQ(postTradeDocument(tradeKind(TradeKindId::Purchase), d), PostResult::Posted);
    TestPrinter printer;
    TfrmPrintView preview(printer);
    TfrmTjPurQ query(&preview);
    int pages = 0;
    const std::vector<std::tuple<int, int, int>> layouts{{kLimit, -kLimit, kLimit}, {0, 0, 1}};
    for (const auto& [top, left, width] : layouts) {
        exec(QStringLiteral("UPDATE Ftbconfig SET mtop=%1, mleft=%2").arg(top).arg(left));
        exec(QStringLiteral("UPDATE FConfig SET textValue='%1', fieldwidth=%2, isShow='是'")
                 .arg(QString(10000, u'题'))
                 .arg(width));
        exec(QStringLiteral("UPDATE Ftitle SET pur='%1'").arg(QString(10000, u'单')));
        query.hide();
        query.show();
        auto& list = drive::find<QTableView>(query, "dgOrder");
        ASSERT_EQ(list.model()->rowCount(), 1);
        clickRow(list, 0);
        modal_.expect<TfrmPrintView>([&](TfrmPrintView& w) {
            drive::click(w, "tlZoomMax");
            drive::click(w, "tlPrint");
        });
        drive::click(query, "tlPrint");
        EXPECT_EQ(printer.pages.size(), std::size_t(++pages));
    }
    expectNoErrorReport();
}

} // namespace
