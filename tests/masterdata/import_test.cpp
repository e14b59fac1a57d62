#include "masterdata/counterpartkind.h"
#include "masterdata/masterimport.h"
#include "masterdata/sheetwriter.h"
#include "masterdata/ui/tfrmcounterpart.h"
#include "masterdata/ui/tfrmimport.h"
#include "productwindow.h"

#include <QFile>
#include <QStringEncoder>
#include <QTest>

namespace {

// What the preview showed: its title, the counts, and each row as "line|values… ! reason".
struct Preview {
    QString title;
    QString counts;
    QStringList rows;
};

Preview previewOf(TfrmImport& window) {
    Preview p{window.windowTitle(), drive::find<QLabel>(window, "lblCounts").text(), {}};
    const QAbstractItemModel& m = *drive::find<QTableView>(window, "dgRows").model();
    for (int r = 0; r < m.rowCount(); ++r) {
        QStringList cells{m.index(r, 0).data().toString()};
        for (int c = 2; c < m.columnCount(); ++c)
            cells << m.index(r, c).data().toString();
        const QString reason = m.index(r, 1).data().toString();
        p.rows << cells.join(u'|') + (reason.isEmpty() ? QString() : " ! " + reason);
    }
    return p;
}

// The products of the book as the list shows them, ordered by code, keys left out.
const char* kProducts = "SELECT group_concat(r, char(10)) FROM (SELECT Fprodcate.cateName||'|'||"
                        "prodBH||'|'||prodName||'|'||type||'|'||company||'|'||unitName||'|'||"
                        "inprice||'|'||outprice||'|'||field1||'|'||field2||'|'||remark AS r "
                        "FROM Fproduct JOIN Fprodcate USING(cateID) ORDER BY prodBH, prodName)";

class ProductImport : public ProductWindow {
protected:
    // Chooses the file in the open dialog and, when the preview comes, records it and acts.
    void importFile(const QString& file, const std::function<void(TfrmImport&)>& act = {}) {
        fileDialogs_.choose(file);
        modal_.expect<TfrmImport>([this, act](TfrmImport& w) {
            preview_ = previewOf(w);
            if (act)
                act(w);
        });
        drive::click(window(), "tlImport");
    }
    void importAll(const QString& file) {
        importFile(file, [](TfrmImport& w) { drive::click(w, "btnImport"); });
    }
    QString writeCsv(const QString& name, const QString& text) {
        QFile file(directory() + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return file.fileName();
    }
    QString products() { return scalar(kProducts); }

    Preview preview_;
};

TEST_F(ProductImport, AnExportedListImportedIntoAnEmptyBookGivesTheSameList) {
    const long long tools = addCategory("工具");
    const long long paint = addCategory("油漆");
    addProduct("扳手", tools, "6.5", "9.9");
    addProduct("锤子", tools, "0.1", "1234567.25");
    addProduct("红漆", paint, "30", "45");
    exec("UPDATE Fproduct SET prodBH='6901234567890123456', type='大号', company='某厂', "
         "field1='L01', field2='2027-05-01', remark='备注,\"引号\"' WHERE prodName='锤子'");
    exec("UPDATE Fproduct SET prodBH='00123' WHERE prodName='红漆'");
    exec("UPDATE FConfig SET textValue='货号' WHERE fieldName='prodBH'");
    open();
    const QString before = products();
    messages_.answerOk();
    fileDialogs_.choose(directory() + "products.xlsx");
    drive::click(window(), "tlExcel");

    exec("DELETE FROM Fproduct");
    exec("DELETE FROM Fprodcate");
    open();
    importAll(directory() + "products.xlsx");

    EXPECT_EQ(preview_.title, "导入商品");
    EXPECT_EQ(preview_.counts, "共3行：可导入3行，跳过0行。");
    EXPECT_EQ(messages_.last(), "导入成功！共导入3个商品，新建2个商品分类。");
    EXPECT_EQ(products(), before);
    EXPECT_EQ(nodes(), (QStringList{"所有类别", "工具", "油漆"})) << "the tree is loaded again";
    EXPECT_EQ(list().model()->rowCount(), 3) << "the list is loaded again";
}

// Columns titled otherwise were not read, and every product came in without its code and at
// a price of 0, with nothing said.
TEST_F(ProductImport, ThePreviewNamesTheColumnsTheSheetDoesNotHave) {
    const QString file = writeCsv("titles.csv", "条码,商品名称,进货价,售价\n6901,可乐,3,4\n");
    open();
    QString absent;
    importFile(file, [&absent](TfrmImport& w) {
        const QLabel& label = drive::find<QLabel>(w, "lblAbsent");
        absent = label.isVisible() ? label.text() : QString();
    });
    EXPECT_TRUE(absent.startsWith("表格中没有这些列：")) << absent.toStdString();
    for (const char* heading : {"商品编号", "进价"})
        EXPECT_TRUE(absent.contains(heading)) << heading;
    for (const char* heading : {"商品名称", "售价"})
        EXPECT_FALSE(absent.contains(QString::fromUtf8(heading))) << heading;
}

// With the bad row skipped, the later row took the code; the bad row, mended, was then
// refused as already in the book.
TEST_F(ProductImport, ABadRowStillHoldsItsCodeAgainstALaterRow) {
    const QString file = writeCsv("dup.csv", "商品编号,商品名称,进价\n"
                                             "B1,可乐,3元\n"
                                             "b1,雪碧,3\n");
    open();
    importFile(file, [](TfrmImport& w) { drive::click(w, "btnImport"); });
    ASSERT_EQ(preview_.rows.size(), 2);
    EXPECT_TRUE(preview_.rows[0].endsWith(" ! 进价不是数字：3元"))
        << preview_.rows[0].toStdString();
    EXPECT_TRUE(preview_.rows[1].endsWith(" ! 商品编号与第2行重复：b1"))
        << preview_.rows[1].toStdString();
    EXPECT_EQ(count("Fproduct"), 0);
}

TEST_F(ProductImport, ShowsEveryBadRowWithItsReasonAndWritesOnlyTheGoodOnes) {
    addProduct("旧货", addCategory("工具"));
    const QString tooLong(32768, u'长');
    const QString file =
        writeCsv("bad.csv", "商品分类,商品编号,商品名称,进价,售价,备注\n"
                            "工具,A1,好货,1.5,2,\n"     // 2: good
                            "工具,A2,,1,2,\n"           // 3: no name
                            "工具,A3,坏价,12元,1e15,\n" // 4: no number, too large
                            "工具,bh-旧货,同码,1,2,\n"  // 5: a code the book holds (case aside)
                            "工具,a1,又一个,1,2,\n"     // 6: the code of row 2 again
                            "油漆,A7," +
                                tooLong + ",1,2,\n" +
                                "油漆,6.9012E+12,条码,1,2,\n" // 8: a barcode Excel made a number
                                ",A9,无类,,,\n");             // 9: good, no category, no prices
    open();
    importFile(file, [](TfrmImport& w) { drive::click(w, "btnImport"); });

    EXPECT_EQ(preview_.counts, "共8行：可导入2行，跳过6行。");
    ASSERT_EQ(preview_.rows.size(), 8);
    EXPECT_EQ(preview_.rows[0], "2|工具|A1|好货||||1.5|2|||");
    EXPECT_EQ(preview_.rows[1], "3|工具|A2|||||1|2||| ! 商品名称不能为空");
    EXPECT_EQ(preview_.rows[2],
              "4|工具|A3|坏价||||12元|1e15||| ! 进价不是数字：12元；售价超出范围：1e15");
    EXPECT_EQ(preview_.rows[3], "5|工具|bh-旧货|同码||||1|2||| ! 商品编号已在账中：bh-旧货");
    EXPECT_EQ(preview_.rows[4], "6|工具|a1|又一个||||1|2||| ! 商品编号与第2行重复：a1");
    EXPECT_TRUE(preview_.rows[5].endsWith("|1|2||| ! 商品名称太长（超过32767个字）"))
        << "a text too long";
    EXPECT_EQ(preview_.rows[6],
              "8|油漆|6.9012E+12|条码||||1|2||| ! 商品编号是科学计数法（6.9012E+12），"
              "位数已丢失，请在表格中把该列设为文本后重新输入");
    EXPECT_EQ(preview_.rows[7], "9|未分类|A9|无类||||0|0|||");

    EXPECT_EQ(messages_.last(), "导入成功！共导入2个商品，新建1个商品分类。");
    EXPECT_EQ(scalar("SELECT group_concat(prodBH||'/'||cateName||'/'||inprice) FROM (SELECT * FROM "
                     "Fproduct JOIN Fprodcate USING(cateID) ORDER BY prodID)"),
              "BH-旧货/工具/10.0,A1/工具/1.5,A9/未分类/0.0");
}

TEST_F(ProductImport, ADamagedFileGivesAClearMessageAndWritesNothing) {
    SheetData data;
    data.name = "商品信息表";
    data.headings = {"商品分类", "商品编号", "商品名称"};
    for (int i = 0; i < 300; ++i)
        data.rows.push_back({"工具", QString::number(i), QStringLiteral("商品%1").arg(i)});
    ASSERT_TRUE(writeWorkbook(directory() + "whole.xlsx", data));
    QFile whole(directory() + "whole.xlsx");
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    QFile cut(directory() + "cut.xlsx");
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() * 2 / 3));
    cut.close();
    open();

    fileDialogs_.choose(cut.fileName());
    drive::click(window(), "tlImport"); // no preview is shown
    EXPECT_EQ(messages_.last(), "无法导入“cut.xlsx”：文件已损坏，或不是Excel工作簿（.xlsx）。");

    data.headings = {"分类", "编号", "名字"};
    ASSERT_TRUE(writeWorkbook(directory() + "titles.xlsx", data));
    fileDialogs_.choose(directory() + "titles.xlsx");
    drive::click(window(), "tlImport");
    EXPECT_EQ(messages_.last(), "无法导入“titles.xlsx”：表格中找不到列标题：商品名称。");

    fileDialogs_.cancel();
    drive::click(window(), "tlImport");
    EXPECT_EQ(messages_.shown().size(), 2u) << "a cancelled choice says nothing";
    EXPECT_EQ(count("Fproduct"), 0);
    EXPECT_EQ(count("Fprodcate"), 0);
}

TEST_F(ProductImport, WritesNothingWhenTheBookChangedSinceThePreview) {
    const QString file = writeCsv("p.csv", "商品名称,商品编号\n甲,C1\n乙,C2\n");
    open();
    importFile(file, [this](TfrmImport& w) {
        addProduct("别处", addCategory("工具")); // another counter took code C2 meanwhile
        exec("UPDATE Fproduct SET prodBH='C2'");
        drive::click(w, "btnImport");
        EXPECT_EQ(previewOf(w).rows.last(), "3|未分类|C2|乙||||0|0||| ! 商品编号已在账中：C2")
            << "the preview shows the book as it now stands";
    });
    EXPECT_EQ(messages_.last(), "账中的数据在预览之后有了变动，没有写入任何数据。请重新导入。");
    EXPECT_EQ(count("Fproduct"), 1);
    EXPECT_EQ(scalar("SELECT group_concat(cateName) FROM Fprodcate"), "工具");
}

// The disk fills while the rows are written: the import is undone whole, and the person is
// told why in words a shop reads.
TEST_F(ProductImport, ADiskThatFillsWhileWritingLeavesTheBookAsItWasAndSaysSo) {
    addProduct("旧货", addCategory("工具"));
    QString rows = "商品分类,商品编号,商品名称,备注\n";
    const QString remark(300, u'注');
    for (int i = 0; i < 2000; ++i)
        rows += QStringLiteral("新类,N%1,新货%1,%2\n").arg(i).arg(remark);
    const QString file = writeCsv("many.csv", rows);
    open();
    importFile(file, [this](TfrmImport& w) {
        exec(QStringLiteral("PRAGMA max_page_count=%1")
                 .arg(scalar("SELECT page_count FROM pragma_page_count").toLongLong() + 20));
        drive::click(w, "btnImport");
    });
    EXPECT_TRUE(messages_.last().startsWith("导入失败，没有写入任何数据：磁盘空间已满，未能写入（"))
        << messages_.last().toStdString();
    EXPECT_EQ(count("Fproduct"), 1);
    EXPECT_EQ(scalar("SELECT group_concat(cateName) FROM Fprodcate"), "工具");
}

// Suppliers and customers, through their windows.
class CounterpartImport : public BookTest {
protected:
    // Exports the whole list of the window into the file.
    void exportAll(TfrmCounterpart& w, const QString& file) {
        drive::click(w, "Button1");
        messages_.answerOk();
        fileDialogs_.choose(file);
        drive::click(w, "tlExcel");
    }
    void importAll(TfrmCounterpart& w, const QString& file) {
        fileDialogs_.choose(file);
        modal_.expect<TfrmImport>([this](TfrmImport& preview) {
            preview_ = previewOf(preview);
            drive::click(preview, "btnImport");
        });
        drive::click(w, "tlImport");
    }
    QString rows(const QString& table) {
        return scalar(
            "SELECT group_concat(r, char(10)) FROM (SELECT compName||'|'||conperson||'|'||"
            "phone||'|'||address||'|'||bankName||'|'||bankCard||'|'||remark AS r FROM " +
            table + " ORDER BY compName)");
    }
    Preview preview_;
};

TEST_F(CounterpartImport, ExportedSuppliersAndCustomersComeBackWithEveryDigitOfTheirAccounts) {
    for (const CounterpartKind* kind : {&kSupplierKind, &kCustomerKind}) {
        SCOPED_TRACE(kind->table.toStdString());
        std::unique_ptr<TfrmCounterpart> w;
        if (kind == &kSupplierKind)
            w = std::make_unique<TfrmSupplier>();
        else
            w = std::make_unique<TfrmCustomer>();
        exec("INSERT INTO " + kind->table +
             "(compName,conperson,phone,address,bankName,bankCard,remark) VALUES "
             "('甲公司','张三','010-1234','北京','工商银行','6222021234567890123','老客'),"
             "('乙商店','','','','','','')");
        const QString before = rows(kind->table);
        const QString file = directory() + kind->table + ".xlsx";
        exportAll(*w, file);
        exec("DELETE FROM " + kind->table + " WHERE compName<>'" + kind->casualName + "'");

        importAll(*w, file);

        EXPECT_EQ(preview_.title, "导入" + kind->noun);
        EXPECT_EQ(preview_.counts, "共3行：可导入2行，跳过1行。");
        EXPECT_TRUE(preview_.rows.contains(
            QStringLiteral("2|%1|||||| ! %2名称已在账中：%1").arg(kind->casualName, kind->noun)))
            << preview_.rows.join("\n").toStdString();
        EXPECT_EQ(messages_.last(), "导入成功！共导入2个" + kind->noun + "。");
        EXPECT_EQ(rows(kind->table), before);
        EXPECT_EQ(drive::find<QTableView>(*w, "dgData").model()->rowCount(), 3)
            << "the list is searched again";
    }
}

TEST_F(CounterpartImport, ReadsAGb18030CsvWithTheListsOwnTitles) {
    TfrmSupplier w;
    addSupplier("老供应商");
    const QString text = "供应商名称,联系地址,银行卡号\n新供应商,上海,6222021234567890123\n"
                         "老供应商,广州,\n新供应商,深圳,\n";
    QFile file(directory() + "gb.csv");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringEncoder("GB18030")(text));
    file.close();

    importAll(w, file.fileName());

    EXPECT_EQ(preview_.rows,
              (QStringList{"2|新供应商|||上海||6222021234567890123|",
                           "3|老供应商|||广州||| ! 供应商名称已在账中：老供应商",
                           "4|新供应商|||深圳||| ! 供应商名称与第2行重复：新供应商"}));
    EXPECT_EQ(scalar("SELECT group_concat(compName||'/'||address||'/'||bankCard) FROM Fsupplier "
                     "WHERE compID>1"),
              "老供应商//,新供应商/上海/6222021234567890123");
}

} // namespace
