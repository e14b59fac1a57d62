#include "core/sysdata.h"
#include "documents/bookscheck.h"
#include "documents/openingstock.h"
#include "masterdata/ui/tfrmimport.h"
#include "support/booktest.h"
#include "support/drive.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace {

class OpeningStock : public BookTest {
protected:
    void SetUp() override {
        BookTest::SetUp();
        const long long cate = addCategory("五金");
        for (int i = 1; i <= 25; ++i) {
            const long long id = addProduct(QStringLiteral("商品%1").arg(i), cate, "2.5", "4");
            exec(QStringLiteral("UPDATE Fproduct SET prodBH='P%1' WHERE prodID=%2").arg(i).arg(id));
        }
        first_ = addHouse("一号仓库");
        second_ = addHouse("二号仓库");
    }

    QString writeCsv(const QString& text) {
        QFile file(directory() + "stock.csv");
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return file.fileName();
    }
    // Chooses the file as the menu entry asks for it, then acts in the preview.
    void importFile(const QString& file, const std::function<void(TfrmImport&)>& act) {
        fileDialogs_.choose(file);
        modal_.expect<TfrmImport>([this, act](TfrmImport& w) {
            counts_ = drive::find<QLabel>(w, "lblCounts").text();
            const QAbstractItemModel& m = *drive::find<QTableView>(w, "dgRows").model();
            lines_.clear();
            reasons_.clear();
            for (int r = 0; r < m.rowCount(); ++r) {
                lines_ << m.index(r, 0).data().toString();
                reasons_ << m.index(r, 1).data().toString();
            }
            act(w);
        });
        window_.run(openingStockImport());
    }

    TfrmImport window_;
    long long first_ = 0, second_ = 0;
    QString counts_;
    QStringList lines_, reasons_;
};

TEST_F(OpeningStock, TwentyFiveProductsInTwoWarehousesPostThreeDocumentsEachAndTheBooksAgree) {
    QString sheet = "商品编号,仓库,数量,成本价\n";
    for (int i = 1; i <= 25; ++i) {
        sheet += QStringLiteral("P%1,一号仓库,%2,%3\n").arg(i).arg(i).arg(i % 2 ? "1.25" : "");
        sheet += QStringLiteral("p%1,二号仓库,0.5,3\n").arg(i); // codes ignore Latin case
    }
    messages_.answerOk();
    importFile(writeCsv(sheet), [](TfrmImport& w) {
        EXPECT_EQ(drive::find<QPushButton>(w, "btnImport").text(), "过账(&P)");
        drive::click(w, "btnImport");
    });

    EXPECT_EQ(counts_, "共50行：可导入50行，跳过0行。");
    EXPECT_EQ(messages_.texts(),
              (QStringList{"确定将这50行期初库存过账吗？",
                           "期初库存过账成功！共6张采购进货单：CJ2026315957-1 至 CJ2026315957-6"}));
    EXPECT_EQ(scalar("SELECT group_concat(n) FROM (SELECT houseID||':'||count(*) AS n FROM "
                     "OrderPur GROUP BY houseID ORDER BY houseID)"),
              QStringLiteral("%1:3,%2:3").arg(first_).arg(second_));
    EXPECT_EQ(scalar("SELECT group_concat(n) FROM (SELECT count(*) AS n FROM OrderPurD "
                     "GROUP BY orderID ORDER BY orderID)"),
              "10,10,5,10,10,5");
    EXPECT_EQ(count("OrderPurD WHERE remark='期初库存'"), 50);
    EXPECT_EQ(count("OrderPur WHERE compID=1 AND acMoney=coMoney AND optDate='2026-03-15'"), 6);
    EXPECT_EQ(number("SELECT exchMoney FROM Fsupplier WHERE compID=1"), 0.0) << "fully paid";
    EXPECT_TRUE(checkBooks(sysData->myCon).empty());

    // An empty cost is the product's purchase price; amounts are price times quantity.
    EXPECT_EQ(scalar("SELECT price||'/'||pcount||'/'||sumMoney FROM OrderPurD JOIN OrderPur "
                     "USING(orderID) JOIN Fproduct USING(prodID) WHERE prodBH='P2' AND houseID=" +
                     QString::number(first_)),
              "2.5/2.0/5.0");
    EXPECT_EQ(number("SELECT sumCount FROM Fproduct WHERE prodBH='P25'"), 25.5);
    EXPECT_EQ(number("SELECT sumCount FROM VInveHouse WHERE prodBH='P25' AND houseID=" +
                     QString::number(second_)),
              0.5);
    // What the shop paid for its stock: 1.25 × (1+3+…+25) + 2.5 × (2+4+…+24) + 3 × 0.5 × 25.
    EXPECT_EQ(number("SELECT -sum(sumMoney) FROM FitemBank WHERE orderType='采购进货'"),
              1.25 * 169 + 2.5 * 156 + 37.5);
}

// The same sheet imported again, the person unsure whether the first import went through,
// doubled the stock. Each product and warehouse takes its opening stock once, until the
// document holding it is voided.
TEST_F(OpeningStock, AProductsOpeningStockInAWarehouseIsPostedOnce) {
    const QString file = writeCsv("商品编号,仓库,数量\nP1,一号仓库,3\nP2,一号仓库,4\n");
    messages_.answerOk();
    importFile(file, [](TfrmImport& w) { drive::click(w, "btnImport"); });
    ASSERT_EQ(messages_.last(), "期初库存过账成功！共1张采购进货单：CJ2026315957-1");

    importFile(writeCsv("商品编号,仓库,数量\nP1,一号仓库,3\nP2,二号仓库,4\n"),
               [](TfrmImport& w) { drive::click(w, "btnImport"); });
    EXPECT_EQ(reasons_, (QStringList{"此商品在该仓库已有期初库存（CJ2026315957-1）", ""}));
    EXPECT_EQ(messages_.last(), "有1行不能过账。请改正表格后重新导入，或勾选“跳过有问题的行”。");
    EXPECT_EQ(number("SELECT sumCount FROM Fproduct WHERE prodBH='P1'"), 3.0);
    EXPECT_EQ(number("SELECT sumCount FROM Fproduct WHERE prodBH='P2'"), 4.0);
    EXPECT_EQ(count("OrderPur"), 1);
}

// The bad row skipped, the later one posted; the bad row mended was then refused as posted,
// and its quantity never came in.
TEST_F(OpeningStock, ABadRowOfAProductAndWarehouseStillMarksALaterRowOfThemAsTheSame) {
    importFile(writeCsv("商品编号,仓库,数量\nP1,一号仓库,三\np1,一号仓库,5\nP2,一号仓库,4\n"),
               [](TfrmImport& w) { drive::click(w, "btnImport"); });
    EXPECT_EQ(reasons_, (QStringList{"数量不是数字：三", "与第2行是同一仓库的同一商品", ""}));
    EXPECT_EQ(count("OrderPur"), 0);
}

TEST_F(OpeningStock, PostsNothingWhileARowIsBadUnlessThePersonSkipsTheBadRows) {
    const QString file = writeCsv("编号,仓库名称,期初数量,进价\n"
                                  "P1,一号仓库,3,2\n"  // 2: good
                                  "P99,一号仓库,1,2\n" // 3: no such product
                                  "P2,三号仓库,1,2\n"  // 4: no such warehouse
                                  "P3,一号仓库,0,2\n"  // 5: nothing to count
                                  "P4,一号仓库,三,2\n" // 6: not a number
                                  "P5,一号仓库,1,-2\n" // 7: a negative cost
                                  "p1,一号仓库,1,2\n"  // 8: the product and warehouse of 2
                                  ",二号仓库,,\n");    // 9: neither code nor quantity
    importFile(file, [this](TfrmImport& w) {
        drive::click(w, "btnImport");
        EXPECT_EQ(messages_.last(),
                  "有7行不能过账。请改正表格后重新导入，或勾选“跳过有问题的行”。");
        EXPECT_EQ(count("OrderPur"), 0);
        drive::click(w, "chkSkipBad");
        EXPECT_EQ(drive::find<QLabel>(w, "lblCounts").text(), "共8行：可导入1行，跳过7行。");
        messages_.answerOk();
        drive::click(w, "btnImport");
    });

    EXPECT_EQ(
        counts_,
        "共8行：可导入0行，跳过8行。有问题的行改正之前不会过账；也可以勾选“跳过有问题的行”。");
    EXPECT_EQ(reasons_,
              (QStringList{"", "商品编号不在账中：P99", "没有这个仓库：三号仓库", "数量须大于0",
                           "数量不是数字：三", "成本价不能为负数", "与第2行是同一仓库的同一商品",
                           "商品编号不能为空；数量不能为空"}));
    EXPECT_EQ(messages_.last(), "期初库存过账成功！共1张采购进货单：CJ2026315957-1");
    EXPECT_EQ(number("SELECT sumCount FROM Fproduct WHERE prodBH='P1'"), 3.0);
    EXPECT_EQ(count("OrderPurD"), 1);
    EXPECT_TRUE(checkBooks(sysData->myCon).empty());
}

TEST_F(OpeningStock, NumbersAreReadAsASpreadsheetWritesThemIntoACsvFile) {
    const QString file = writeCsv("商品编号,仓库,数量,成本价\n"
                                  "P1,一号仓库,\"1,000\",\"￥1,234.50\"\n" // grouped, a yuan sign
                                  "P2,一号仓库,１２．５,¥3\n"              // wide digits and point
                                  "P3,一号仓库,-２,1\n"
                                  "P4,一号仓库,\"1,00\",1\n"      // no grouping
                                  "P5,一号仓库,\"1.000,5\",1\n"   // a comma for the point
                                  "P6,一号仓库,2,\"¥-1,000\"\n"); // read, and refused as negative
    importFile(file, [](TfrmImport&) {});
    EXPECT_EQ(reasons_, (QStringList{"", "", "数量须大于0", "数量不是数字：1,00",
                                     "数量不是数字：1.000,5", "成本价不能为负数"}));
    messages_.answerOk();
    importFile(file, [](TfrmImport& w) {
        drive::click(w, "chkSkipBad");
        drive::click(w, "btnImport");
    });
    EXPECT_EQ(scalar("SELECT group_concat(prodBH||':'||price||'*'||pcount||'='||sumMoney) FROM "
                     "(SELECT prodBH,price,pcount,sumMoney FROM OrderPurD JOIN Fproduct "
                     "USING(prodID) ORDER BY prodBH)"),
              "P1:1234.5*1000.0=1234500.0,P2:3.0*12.5=37.5");
}

TEST_F(OpeningStock, ATableNameAndADateAboveTheTitlesAreNotStock) {
    const QString file = writeCsv("期初库存表,,,\n"
                                  "制表日期：2026年3月1日,,,\n"
                                  "商品编号,仓库,数量,成本价\n"
                                  "P1,一号仓库,3,2\n"
                                  "P2,二号仓库,1,\n");
    messages_.answerOk();
    importFile(file, [](TfrmImport& w) { drive::click(w, "btnImport"); });
    EXPECT_EQ(counts_, "共2行：可导入2行，跳过0行。");
    EXPECT_EQ(lines_, (QStringList{"4", "5"})) << "rows keep their numbers in the sheet";
    EXPECT_EQ(number("SELECT sumCount FROM Fproduct WHERE prodBH='P1'"), 3.0);
    EXPECT_EQ(number("SELECT sumCount FROM Fproduct WHERE prodBH='P2'"), 1.0);

    // A sheet whose titles name no warehouse, in any of its first rows, is no opening stock.
    messages_.clear();
    fileDialogs_.choose(writeCsv("期初库存表,,\n商品编号,数量,成本价\nP3,2,1\n"));
    window_.run(openingStockImport());
    EXPECT_EQ(messages_.texts(), QStringList({"无法导入“stock.csv”：表格中找不到列标题：仓库。"}));
    EXPECT_EQ(count("OrderPur"), 2) << "one a warehouse, from the first sheet";
}

} // namespace
