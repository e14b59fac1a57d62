#include "masterdata/csvreader.h"
#include "masterdata/sheetfile.h"
#include "masterdata/sheetwriter.h"
#include "masterdata/xlsxreader.h"
#include "masterdata/zipparts.h"
#include "support/printers.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <xlsxwriter.h>

namespace {

const QString kDamaged = "文件已损坏，或不是Excel工作簿（.xlsx）。";

// The rows of a sheet as "line: cell|cell|…", the easiest form to compare.
QStringList rowsOf(const Sheet& sheet) {
    QStringList rows;
    for (const SheetRow& row : sheet.rows)
        rows << QString::number(row.line) + ": " + row.cells.join(u'|');
    return rows;
}

class SheetReader : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QByteArray bytesOf(const QString& name) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    void writeBytes(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // A workbook as a spreadsheet program writes one, cell by cell; with inline strings
    // when asked (as libxlsxwriter writes them in its low-memory mode).
    QByteArray workbook(const std::function<void(lxw_workbook*, lxw_worksheet*)>& fill,
                        bool inlineStrings = false) const {
        const QByteArray file = QFile::encodeName(path("made.xlsx"));
        lxw_workbook_options options{};
        options.constant_memory = inlineStrings ? LXW_TRUE : LXW_FALSE;
        lxw_workbook* book = workbook_new_opt(file.constData(), &options);
        fill(book, workbook_add_worksheet(book, "表一"));
        EXPECT_EQ(workbook_close(book), LXW_NO_ERROR);
        return bytesOf("made.xlsx");
    }

    QTemporaryDir dir_;
};

TEST_F(SheetReader, ReadsBackWhatTheExportWritesTextsAsTheyWereAndNumbersInTheirShortForm) {
    SheetData data;
    data.name = "商品信息表";
    data.headings = {"商品分类", "商品编号", "商品名称", "进价"};
    data.numberColumns = {false, false, false, true};
    data.rows = {{"工具", "00123", "扳手", "6.5"},
                 {"工具", "6901234567890123456", "锤子 \"大\"", "0.1"},
                 {"油漆", "", "红漆", "-3"}};
    ASSERT_TRUE(writeWorkbook(path("export.xlsx"), data));

    const Sheet sheet = readSheetFile(path("export.xlsx"));
    ASSERT_TRUE(sheet.ok()) << sheet.error.toStdString();
    EXPECT_EQ(rowsOf(sheet),
              (QStringList{"1: 商品分类|商品编号|商品名称|进价", "2: 工具|00123|扳手|6.5",
                           "3: 工具|6901234567890123456|锤子 \"大\"|0.1", "4: 油漆||红漆|-3"}));
}

TEST_F(SheetReader, GivesWholeNumbersDigitForDigitDatesAsDaysAndInlineTextsAsText) {
    const QByteArray bytes = workbook(
        [](lxw_workbook* book, lxw_worksheet* sheet) {
            lxw_format* date = workbook_add_format(book);
            format_set_num_format(date, "yyyy\"年\"m\"月\"d\"日\"");
            worksheet_write_string(sheet, 0, 0, "条码", nullptr);
            worksheet_write_string(sheet, 0, 1, "价格", nullptr);
            worksheet_write_string(sheet, 0, 2, "有效期", nullptr);
            worksheet_write_string(sheet, 0, 3, "在售", nullptr);
            // Row 2 left empty; a barcode typed as a number, a sum of binary fractions.
            worksheet_write_number(sheet, 2, 0, 6901234567890.0, nullptr);
            worksheet_write_number(sheet, 2, 1, 0.1 + 0.2, nullptr);
            lxw_datetime day{2027, 5, 1, 0, 0, 0};
            worksheet_write_datetime(sheet, 2, 2, &day, date);
            worksheet_write_boolean(sheet, 2, 3, 1, nullptr);
            worksheet_write_string(sheet, 3, 2, "长期", nullptr);
        },
        true);
    ZipParts zip(bytes);
    ASSERT_TRUE(zip.part("xl/worksheets/sheet1.xml", 1 << 20)->contains("inlineStr"))
        << "the low-memory mode writes inline strings";

    const Sheet sheet = readXlsx(bytes);
    ASSERT_TRUE(sheet.ok()) << sheet.error.toStdString();
    EXPECT_EQ(rowsOf(sheet), (QStringList{"1: 条码|价格|有效期|在售",
                                          "3: 6901234567890|0.3|2027-05-01|TRUE", "4: ||长期"}));
}

// What Excel on a Chinese or Japanese system writes: texts carrying their phonetic guide
// (which is not part of the cell), dates with a time of day, formats with quoted words, and
// the dates before March 1900 that Excel counts with its leap day of 1900.
TEST_F(SheetReader, ReadsPhoneticGuidesDateTimesAndEarlyDatesAsExcelShowsThem) {
    const std::map<QString, QByteArray> parts{
        {"xl/workbook.xml",
         R"(<workbook xmlns:r="r"><sheets><sheet name="表一" sheetId="1" r:id="rId1"/>)"
         R"(</sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         R"(<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/>)"
         R"(</Relationships>)"},
        {"xl/sharedStrings.xml",
         "<sst><si><t>名称</t></si><si><t>东京</t><rPh sb=\"0\" eb=\"2\"><t>とうきょう</t></rPh>"
         "</si><si><r><t>上</t></r><r><t>海</t></r><rPh sb=\"0\" eb=\"1\"><t>shang</t></rPh>"
         "</si></sst>"},
        {"xl/styles.xml",
         R"(<styleSheet><numFmts><numFmt numFmtId="164" formatCode="yyyy/m/d h:mm"/>)"
         R"(<numFmt numFmtId="165" formatCode="&quot;dd&quot;0.00"/>)"
         R"(<numFmt numFmtId="166" formatCode="[Red]0.00"/></numFmts>)"
         R"(<cellXfs><xf numFmtId="0"/><xf numFmtId="164"/><xf numFmtId="165"/>)"
         R"(<xf numFmtId="166"/><xf numFmtId="14"/></cellXfs></styleSheet>)"},
        {"xl/worksheets/sheet1.xml",
         R"(<worksheet><sheetData><row r="1"><c r="A1" t="s"><v>0</v></c></row>)"
         R"(<row r="2"><c r="A2" t="s"><v>1</v></c><c r="B2" s="1"><v>46367.75</v></c>)"
         R"(<c r="C2" s="2"><v>12.5</v></c><c r="D2" s="3"><v>7</v></c>)"
         R"(<c r="E2" s="4"><v>59</v></c></row>)"
         R"(<row r="3"><c r="A3" t="s"><v>2</v></c><c r="E3" s="4"><v>61</v></c></row>)"
         R"(</sheetData></worksheet>)"}};
    const Sheet sheet = readWorkbook([&](const QString& name) -> std::optional<QByteArray> {
        const auto found = parts.find(name);
        return found == parts.end() ? std::nullopt : std::optional(found->second);
    });
    ASSERT_TRUE(sheet.ok()) << sheet.error.toStdString();
    EXPECT_EQ(rowsOf(sheet),
              (QStringList{"1: 名称", "2: 东京|2026-12-11 18:00:00|12.5|7|1900-02-28",
                           "3: 上海||||1900-03-01"}));
}

// A workbook of one sheet a month: the first tab was read whatever the person was looking at,
// hidden or not, and January's counts were posted for March.
TEST_F(SheetReader, ReadsTheTabInFrontAndNeverAHiddenOne) {
    const auto workbook = [](const QByteArray& view, const QByteArray& firstState) {
        return std::map<QString, QByteArray>{
            {"xl/workbook.xml",
             R"(<workbook xmlns:r="r"><bookViews><workbookView )" + view +
                 R"(/></bookViews><sheets><sheet name="1月" sheetId="1" r:id="rId1" )" +
                 firstState +
                 R"(/><sheet name="2月" sheetId="2" r:id="rId2"/>)"
                 R"(<sheet name="3月" sheetId="3" r:id="rId3"/></sheets></workbook>)"},
            {"xl/_rels/workbook.xml.rels",
             R"(<Relationships><Relationship Id="rId1" Target="worksheets/sheet1.xml"/>)"
             R"(<Relationship Id="rId2" Target="worksheets/sheet2.xml"/>)"
             R"(<Relationship Id="rId3" Target="worksheets/sheet3.xml"/></Relationships>)"},
            {"xl/sharedStrings.xml", "<sst/>"},
            {"xl/worksheets/sheet1.xml",
             R"(<worksheet><sheetData><row r="1"><c r="A1"><v>1</v></c></row></sheetData></worksheet>)"},
            {"xl/worksheets/sheet2.xml",
             R"(<worksheet><sheetData><row r="1"><c r="A1"><v>2</v></c></row></sheetData></worksheet>)"},
            {"xl/worksheets/sheet3.xml",
             R"(<worksheet><sheetData><row r="1"><c r="A1"><v>3</v></c></row></sheetData></worksheet>)"}};
    };
    const auto read = [](const std::map<QString, QByteArray>& parts) {
        const Sheet sheet = readWorkbook([&](const QString& name) -> std::optional<QByteArray> {
            const auto found = parts.find(name);
            return found == parts.end() ? std::nullopt : std::optional(found->second);
        });
        EXPECT_TRUE(sheet.ok()) << sheet.error.toStdString();
        return sheet.sheetName + ": " + rowsOf(sheet).join(',');
    };
    EXPECT_EQ(read(workbook(R"(activeTab="2")", "")), "3月: 1: 3");
    EXPECT_EQ(read(workbook("", "")), "1月: 1: 1");
    EXPECT_EQ(read(workbook("", R"(state="hidden")")), "2月: 1: 2");
    EXPECT_EQ(read(workbook(R"(activeTab="0")", R"(state="veryHidden")")), "2月: 1: 2");
}

TEST_F(SheetReader, RefusesDamagedAndForeignFilesWithASentenceAndNoRows) {
    SheetData data;
    data.name = "表";
    data.headings = {"名称"};
    for (int i = 0; i < 200; ++i)
        data.rows.push_back({QStringLiteral("商品%1").arg(i)});
    ASSERT_TRUE(writeWorkbook(path("good.xlsx"), data));
    const QByteArray good = bytesOf("good.xlsx");
    ASSERT_TRUE(readXlsx(good).ok());

    // Cut short, as a copy broken off; one byte changed inside the packed sheet.
    const Sheet cut = readXlsx(good.left(good.size() / 2));
    EXPECT_EQ(cut.error, kDamaged);
    EXPECT_TRUE(cut.rows.empty());
    QByteArray flipped = good;
    const qsizetype sheetData = good.indexOf("xl/worksheets/sheet1.xml") + 40;
    flipped[sheetData + 20] = char(flipped[sheetData + 20] ^ 0x55);
    EXPECT_EQ(readXlsx(flipped).error, kDamaged);
    EXPECT_EQ(readXlsx("PK\x03\x04 not really a zip").error, kDamaged);

    writeBytes("old.xls", QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(500, 0));
    EXPECT_EQ(readSheetFile(path("old.xls")).error,
              "不能读取旧版Excel工作簿（.xls）。请在Excel中另存为Excel工作簿（."
              "xlsx）或CSV文件后再导入。");
    writeBytes("empty.csv", "\r\n ,  \r\n");
    EXPECT_EQ(readSheetFile(path("empty.csv")).error, "表格中没有数据。");
    EXPECT_TRUE(readSheetFile(path("missing.xlsx")).error.startsWith("无法打开文件："));
}

TEST_F(SheetReader, ReadsCsvInUtf8WithItsMarkOrWithoutAndInGb18030) {
    const QString text = "名称,备注\r\n\"甲,乙\",\"说\"\"好\"\"\"\r\n\"多\n行\",x\n\n末行,";
    const QStringList rows{"1: 名称|备注", "2: 甲,乙|说\"好\"", "3: 多\n行|x", "5: 末行|"};
    EXPECT_EQ(rowsOf(readCsv("\xEF\xBB\xBF" + text.toUtf8())), rows);
    EXPECT_EQ(rowsOf(readCsv(text.toUtf8())), rows);
    const QByteArray gb = QStringEncoder("GB18030")(text);
    ASSERT_NE(gb, text.toUtf8());
    EXPECT_EQ(rowsOf(readCsv(gb)), rows);
    // Excel's "Unicode text": UTF-16 with its mark, tabs between the cells.
    QByteArray utf16("\xFF\xFE");
    utf16 += QByteArray(reinterpret_cast<const char*>(u"名称\t备注\r\n甲\t乙"), 2 * 10);
    EXPECT_EQ(rowsOf(readCsv(utf16)), (QStringList{"1: 名称|备注", "2: 甲|乙"}));
}

TEST_F(SheetReader, RefusesACsvWhoseQuoteIsNeverClosedNamingItsLine) {
    const Sheet sheet = readCsv("名称\n甲\n\"乙,丙\n丁\n");
    EXPECT_EQ(sheet.error, "CSV文件第 3 行的引号没有配对，文件可能已损坏。");
    EXPECT_TRUE(sheet.rows.empty());
}

} // namespace
