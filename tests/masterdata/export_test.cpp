#include "core/decimal.h"
#include "core/numbers.h"
#include "core/sysdata.h"
#include "masterdata/ui/listexporter.h"
#include "masterdata/ui/tfrmcounterpart.h"
#include "productwindow.h"
#include "support/booktest.h"
#include "support/decimalcomma.h"
#include "support/drive.h"
#include "support/scriptedfiledialogs.h"
#include "support/xlsxreader.h"

#include <QDir>
#include <QFile>
#include <QTableView>

namespace {

const QString kFailed = "启动Office Excel失败！请确保本机已安装Office。";
const QString kDone = "数据导出完成!";

// The files a test leaves in a folder, hidden ones included.
QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

class ProductExport : public ProductWindow {
protected:
    // Clicks "导出Excel ", answers the question with OK and saves under the name.
    void exportTo(const QString& name) {
        messages_.answerOk();
        files_.choose(directory() + name);
        drive::click(window(), "tlExcel");
    }
    // A product in the category the book starts with none of.
    long long product(const QString& name, const QString& inprice = "10") {
        if (!cate_)
            cate_ = addCategory("五金");
        return addProduct(name, cate_, inprice, "15");
    }
    ScriptedFileDialogs& files_ = fileDialogs_;
    long long cate_ = 0;
};

TEST_F(ProductExport, WritesTheListShownWithCaptionedBoldHeadingsAndPricesAsNumbers) {
    const long long tools = addCategory("工具");
    const long long paint = addCategory("油漆");
    addProduct("扳手", tools, "6.5", "9.9");
    addProduct("锤子", tools, "12", "18");
    addProduct("红漆", paint, "30", "45");
    exec("UPDATE FConfig SET textValue='货号' WHERE fieldName='prodBH'");
    exec("UPDATE FConfig SET textValue='批次' WHERE fieldName='field1'");
    open();
    selectNode("工具");

    exportTo("products.xlsx");

    ASSERT_EQ(messages_.shown().size(), 2u);
    EXPECT_EQ(messages_.shown()[0].text, "确定要将商品资料导出到Excel表吗？");
    EXPECT_EQ(messages_.shown()[0].caption, "导出提示");
    EXPECT_EQ(messages_.shown()[0].form, ScriptedMessages::Form::Question);
    EXPECT_EQ(messages_.last(), kDone);
    EXPECT_EQ(messages_.lastShown()->caption, "信息提示");
    EXPECT_EQ(files_.offered(), QStringList{"商品信息表.xlsx"});

    const XlsxSheet sheet(directory() + "products.xlsx");
    ASSERT_TRUE(sheet.readable());
    EXPECT_EQ(sheet.row(1, 12),
              (QStringList{"商品分类", "货号", "商品名称", "规格/型号", "厂家", "单位", "进价",
                           "售价", "有效期", "批次", "备注", ""}));
    EXPECT_EQ(sheet.lastRow(), 3); // only the category's two products
    QStringList rows{sheet.value("C2"), sheet.value("C3")};
    rows.sort();
    EXPECT_EQ(rows, (QStringList{"扳手", "锤子"}));
    const int row = sheet.value("C2") == "扳手" ? 2 : 3;
    EXPECT_EQ(sheet.value(QString("B%1").arg(row)), "BH-扳手");
    EXPECT_EQ(sheet.value(QString("A%1").arg(row)), "工具");
    EXPECT_TRUE(sheet.cell(QString("G%1").arg(row)).number);
    EXPECT_EQ(sheet.value(QString("G%1").arg(row)), "6.5");
    EXPECT_EQ(sheet.value(QString("H%1").arg(row)), "9.9");
    EXPECT_FALSE(sheet.cell(QString("B%1").arg(row)).number);
    EXPECT_FALSE(sheet.has(QString("L%1").arg(row)));

    // The headings are bold, the rows are not; everything is in size 9.
    EXPECT_NE(sheet.cell("A1").style, sheet.cell("A2").style);
    EXPECT_EQ(sheet.cell("A1").style, sheet.cell("L1").style);
    const QString styles = sheet.part("xl/styles.xml");
    EXPECT_TRUE(styles.contains("<b/>"));
    EXPECT_TRUE(styles.contains("<sz val=\"9\"/>"));
    EXPECT_TRUE(sheet.part("xl/workbook.xml").contains("name=\"商品信息表\""));
}

// A user whose LANG writes 18,5 still gets 18.5: every conversion between text and number is
// the program's own, whatever the C library's locale.
TEST_F(ProductExport, PricesKeepTheirDecimalsUnderADecimalCommaLocale) {
    DecimalCommaLocale comma;
    if (!comma.available())
        GTEST_SKIP() << comma.reason().toStdString();
    EXPECT_EQ(numbers::toFloat(u"18.5"), 18.5);
    EXPECT_EQ(numbers::toFloat(u"1.5E-2"), 0.015);
    EXPECT_EQ(numbers::floatToStr(1.2), "1.2");
    EXPECT_EQ(numbers::floatToStr(1.5e-7), "1.5E-7");
    EXPECT_EQ(numbers::fixed2(2.5), "2.50");
    EXPECT_EQ(Decimal::parse(u"2.675")->toDouble(), 2.675);

    product("锤子", "18.5");
    product("钉子", "1.2");
    product("螺丝", "2.5");
    open();
    exportTo("comma.xlsx");

    const XlsxSheet sheet(directory() + "comma.xlsx");
    ASSERT_EQ(sheet.lastRow(), 4);
    QStringList prices;
    for (int row = 2; row <= 4; ++row)
        prices << sheet.value(QString("C%1").arg(row)) + "=" + sheet.value(QString("G%1").arg(row));
    prices.sort();
    EXPECT_EQ(prices, QStringList({"螺丝=2.5", "钉子=1.2", "锤子=18.5"}));
    EXPECT_EQ(scalar("SELECT group_concat(inprice, ' ') FROM (SELECT inprice FROM Fproduct "
                     "ORDER BY prodID)"),
              "18.5 1.2 2.5");
}

TEST_F(ProductExport, AfterASearchWritesOnlyTheSearchResult) {
    product("扳手");
    product("活动扳手");
    product("锤子");
    open();
    search("扳手");

    exportTo("search.xlsx");

    const XlsxSheet sheet(directory() + "search.xlsx");
    EXPECT_EQ(sheet.lastRow(), 3);
    QStringList names{sheet.value("C2"), sheet.value("C3")};
    names.sort();
    EXPECT_EQ(names, (QStringList{"扳手", "活动扳手"}));
}

TEST_F(ProductExport, CancelWritesNothing) {
    product("扳手");
    open();

    messages_.answerCancel();
    drive::click(window(), "tlExcel");
    EXPECT_TRUE(files_.offered().isEmpty());

    messages_.answerOk();
    files_.cancel();
    drive::click(window(), "tlExcel");
    EXPECT_EQ(messages_.shown().size(), 2u); // the two questions, no completion
    EXPECT_TRUE(filesIn(directory()).filter(".xlsx").isEmpty());
}

TEST_F(ProductExport, ExportingTwiceGivesTwoIdenticalWorkbooks) {
    product("扳手", "6.5");
    product("锤子", "12");
    open();
    exportTo("first.xlsx");
    exportTo("second.xlsx");

    const XlsxSheet first(directory() + "first.xlsx");
    const XlsxSheet second(directory() + "second.xlsx");
    EXPECT_EQ(first.lastRow(), 3);
    EXPECT_EQ(first.part("xl/worksheets/sheet1.xml"), second.part("xl/worksheets/sheet1.xml"));
    EXPECT_EQ(first.part("xl/sharedStrings.xml"), second.part("xl/sharedStrings.xml"));
}

TEST_F(ProductExport, AFailedWriteSaysSoAndLeavesNoFileBehind) {
    product("扳手");
    open();

    // A folder that does not exist.
    exportTo("missing/products.xlsx");
    EXPECT_EQ(messages_.last(), kFailed);
    EXPECT_EQ(messages_.lastShown()->caption, "Vesk进销存软件");
    EXPECT_EQ(messages_.lastShown()->form, ScriptedMessages::Form::PlainNotice);
    EXPECT_FALSE(messages_.texts().contains(kDone));

    // A name that is taken by a folder: nothing replaces it and no half-written file stays.
    QDir(directory()).mkdir("taken.xlsx");
    messages_.clear();
    exportTo("taken.xlsx");
    EXPECT_EQ(messages_.last(), kFailed);
    EXPECT_TRUE(QFileInfo(directory() + "taken.xlsx").isDir());
    EXPECT_TRUE(filesIn(directory()).filter("xlsx").isEmpty())
        << filesIn(directory()).join(' ').toStdString();
}

TEST_F(ProductExport, ReplacesAnEarlierFileOfTheSameNameWhole) {
    product("扳手");
    open();
    QFile old(directory() + "products.xlsx");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older file");
    old.close();

    exportTo("products.xlsx");

    EXPECT_EQ(messages_.last(), kDone);
    EXPECT_EQ(XlsxSheet(directory() + "products.xlsx").value("C2"), "扳手");
    EXPECT_EQ(filesIn(directory()).filter("xlsx"), QStringList{"products.xlsx"});
}

TEST_F(ProductExport, AddsTheSuffixWhenTheNameHasNone) {
    product("扳手");
    open();
    exportTo("products");
    EXPECT_EQ(XlsxSheet(directory() + "products.xlsx").value("C2"), "扳手");
}

// The dialog asked only whether "products" was there; the file replaced is products.xlsx.
TEST_F(ProductExport, AFileNamedWithoutItsSuffixIsReplacedOnlyWhenThePersonSaysSo) {
    product("扳手");
    open();
    QFile old(directory() + "products.xlsx");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("last month's list");
    old.close();
    const QString question =
        QStringLiteral("文件“%1”已存在，要替换它吗？").arg(directory() + "products.xlsx");

    messages_.answerOk();     // the export
    messages_.answerCancel(); // the replacing
    files_.choose(directory() + "products");
    drive::click(window(), "tlExcel");
    EXPECT_EQ(messages_.shown().back().text, question);
    EXPECT_EQ(messages_.shown().back().form, ScriptedMessages::Form::CautiousQuestion);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "last month's list");
    old.close();

    messages_.answerOk();
    exportTo("products");
    EXPECT_EQ(messages_.last(), kDone);
    EXPECT_EQ(XlsxSheet(directory() + "products.xlsx").value("C2"), "扳手");
}

class CounterpartExport : public BookTest {
protected:
    void exportTo(TfrmCounterpart& window, const QString& name) {
        messages_.answerOk();
        files_.choose(directory() + name);
        drive::click(window, "tlExcel");
    }
    void search(TfrmCounterpart& window, const QString& key) {
        drive::type(window, "txtKey", key);
        drive::click(window, "Button1");
    }
    ScriptedFileDialogs& files_ = fileDialogs_;
};

TEST_F(CounterpartExport, SupplierBankCardsStayTextDigitForDigit) {
    exec("INSERT INTO Fsupplier(compName,conperson,phone,address,bankName,bankCard,remark) "
         "VALUES('华源五金','李明','013812345678','北京路1号','工商银行','6222021234567890123',"
         "'老客户')");
    TfrmSupplier window;
    window.show();
    search(window, "华源");

    exportTo(window, "suppliers.xlsx");

    EXPECT_EQ(messages_.shown()[0].text, "确定要将供应商导出到Excel表吗？");
    EXPECT_EQ(messages_.shown()[0].caption, "提示");
    EXPECT_EQ(messages_.last(), kDone);
    const XlsxSheet sheet(directory() + "suppliers.xlsx");
    EXPECT_EQ(sheet.row(1, 7), (QStringList{"供应商名称", "联系人", "联系电话", "地址", "开户银行",
                                            "银行账号", "备注"}));
    EXPECT_EQ(sheet.row(2, 7), (QStringList{"华源五金", "李明", "013812345678", "北京路1号",
                                            "工商银行", "6222021234567890123", "老客户"}));
    EXPECT_FALSE(sheet.cell("F2").number);
    EXPECT_FALSE(sheet.cell("C2").number);
    EXPECT_EQ(sheet.lastRow(), 2);
    EXPECT_TRUE(sheet.part("xl/workbook.xml").contains("name=\"供应商表\""));
}

TEST_F(CounterpartExport, StartsWithTheFirstRowWhateverIsSelectedAndEndsOnTheLast) {
    for (const char* name : {"甲商行", "乙商行", "丙商行", "丁商行"})
        addSupplier(name);
    TfrmSupplier window;
    window.show();
    search(window, "商行");
    TQuery& list = sysData->QuerySupplier;
    auto& grid = drive::find<QTableView>(window, "dgData");
    grid.selectRow(2);
    ASSERT_EQ(list.currentRow(), 2);

    exportTo(window, "suppliers.xlsx");

    const XlsxSheet sheet(directory() + "suppliers.xlsx");
    EXPECT_EQ(sheet.lastRow(), 5);
    EXPECT_EQ(sheet.value("A2"), grid.model()->index(0, 0).data().toString());
    EXPECT_EQ(sheet.value("A5"), grid.model()->index(3, 0).data().toString());
    EXPECT_EQ(list.currentRow(), 3);
}

TEST_F(CounterpartExport, BeforeAnySearchOnlyTheHeadingsAreWritten) {
    addCustomer("王五");
    // The picker left suppliers in the customer slot; the window shows no list of its own.
    sysData->QueryCustomer.load("SELECT compID,compName FROM Fsupplier");
    sysData->QueryCustomer.open();
    TfrmCustomer window;

    exportTo(window, "customers.xlsx");

    EXPECT_EQ(messages_.shown()[0].text, "确定要将客户导出到Excel表吗？");
    EXPECT_EQ(messages_.last(), kDone);
    const XlsxSheet sheet(directory() + "customers.xlsx");
    EXPECT_EQ(sheet.value("A1"), "客户名称");
    EXPECT_EQ(sheet.lastRow(), 1);
    EXPECT_TRUE(sheet.part("xl/workbook.xml").contains("name=\"客户表\""));
}

TEST_F(CounterpartExport, AnEmptySearchResultStillGivesTheHeadings) {
    addCustomer("王五");
    TfrmCustomer window;
    window.show();
    search(window, "没有这个");

    exportTo(window, "customers.xlsx");

    EXPECT_EQ(messages_.last(), kDone);
    EXPECT_EQ(XlsxSheet(directory() + "customers.xlsx").lastRow(), 1);
}

TEST_F(CounterpartExport, TheReceivablesListWritesBalancesAsNumbersAndSkipsAnEmptyList) {
    TQuery& list = sysData->QueryYsYf;
    const QString statement = "SELECT compName,conperson,phone,address,exchMoney FROM Fcustomer "
                              "WHERE exchMoney<>0";
    list.load(statement);
    list.open();
    exportList(kReceivablesExport, &list); // empty: no question, no dialog
    EXPECT_TRUE(messages_.shown().empty());

    addCustomer("王五");
    exec("UPDATE Fcustomer SET exchMoney=1234.5 WHERE compName='王五'");
    list.load(statement);
    list.open();
    messages_.answerOk();
    files_.choose(directory() + "ysyf.xlsx");
    exportList(kReceivablesExport, &list);

    EXPECT_EQ(messages_.shown()[0].text, "确定要导出excel表吗？");
    EXPECT_EQ(messages_.shown()[0].caption, "提示");
    EXPECT_EQ(messages_.last(), kDone);
    EXPECT_EQ(files_.offered(), QStringList{"应收应付表.xlsx"});
    const XlsxSheet sheet(directory() + "ysyf.xlsx");
    EXPECT_EQ(sheet.row(1, 5), (QStringList{"往来单位", "联系人", "电话", "地址", "欠款金额"}));
    EXPECT_EQ(sheet.value("A2"), "王五");
    EXPECT_EQ(sheet.value("E2"), "1234.5");
    EXPECT_TRUE(sheet.cell("E2").number);
    EXPECT_TRUE(sheet.part("xl/workbook.xml").contains("name=\"应收应付表\""));
}

} // namespace
