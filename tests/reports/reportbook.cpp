#include "reportbook.h"

#include "core/decimal.h"
#include "documents/stockposting.h"
#include "documents/tradekind.h"
#include "documents/tradeposting.h"
#include "reports/ui/tfrmorderquery.h"
#include "support/drive.h"

#include <QHeaderView>
#include <QLabel>
#include <QTest>

void ReportBook::SetUp() {
    BookTest::SetUp();
    north = addHouse("北库");
    south = addHouse("南库");
    pen = addProduct("钢笔");
    ink = addProduct("墨水");
    steel = addProduct("钢板");
    steelWorks = addSupplier("宝钢集团");
    paperMill = addSupplier("纸业公司");
    shop = addCustomer("文具商店");
    school = addCustomer("第一中学");
}

namespace {

template <typename Document>
void fill(Document& d, const std::vector<ReportBook::Line>& lines, Decimal* total = nullptr) {
    int row = 1;
    for (const auto& line : lines) {
        d.cell(row, 1) = QString::number(line.product);
        d.cell(row, 2) = "BH-" + QString::number(line.product);
        d.cell(row, 3) = "name";
        d.cell(row, 6) = line.price;
        d.cell(row, 7) = line.quantity;
        const Decimal amount =
            (*Decimal::parse(line.price) * *Decimal::parse(line.quantity)).cents();
        d.cell(row, 8) = amount.toString();
        if (total)
            *total += amount;
        ++row;
    }
}

} // namespace

void ReportBook::postTrade(TradeKindId id, const QString& code, QDate day, long long compID,
                           const std::vector<Line>& lines, const QString& settled) {
    const TradeKind& kind = tradeKind(id);
    TradeDocument d;
    d.houseName = "北库";
    d.houseID = QString::number(north);
    d.orderCode = code;
    d.compID = QString::number(compID);
    d.compName = scalar(QStringLiteral("SELECT compName FROM %1 WHERE compID=%2")
                            .arg(kind.counterpartMode == "1" ? "Fsupplier" : "Fcustomer")
                            .arg(compID));
    d.empName = "张三";
    d.date = day;
    fill(d, lines, &d.runningTotal);
    d.sumMoney = d.runningTotal.cents().toString();
    d.money = settled;
    messages_.answerOk();
    ASSERT_EQ(postTradeDocument(kind, d), PostResult::Posted) << code.toStdString();
    messages_.clear();
}

namespace {

LossOverflowDocument lossOverflow(StockKindId type, long long house, const QString& code,
                                  QDate day) {
    LossOverflowDocument d;
    d.type = type;
    d.houseName = "北库";
    d.houseID = QString::number(house);
    d.orderCode = code;
    d.empName = "李四";
    d.date = day;
    return d;
}

} // namespace

void ReportBook::postLoss(const QString& code, QDate day, const std::vector<Line>& lines) {
    LossOverflowDocument d = lossOverflow(StockKindId::Loss, north, code, day);
    fill(d, lines);
    messages_.answerOk();
    ASSERT_EQ(saveLossOverflow(d), StockSaveResult::Saved);
    messages_.clear();
}

void ReportBook::postOverflow(const QString& code, QDate day, const std::vector<Line>& lines) {
    LossOverflowDocument d = lossOverflow(StockKindId::Overflow, north, code, day);
    fill(d, lines);
    messages_.answerOk();
    ASSERT_EQ(saveLossOverflow(d), StockSaveResult::Saved);
    messages_.clear();
}

void ReportBook::postTransfer(const QString& code, QDate day, const std::vector<Line>& lines) {
    TransferDocument d;
    d.houseOutName = "北库";
    d.houseOutID = QString::number(north);
    d.houseInName = "南库";
    d.houseInID = QString::number(south);
    d.orderCode = code;
    d.empName = "王五";
    d.date = day;
    fill(d, lines);
    messages_.answerOk();
    ASSERT_EQ(saveTransfer(d), StockSaveResult::Saved);
    messages_.clear();
}

QString ReportBook::totals() {
    // Each total exactly as stored: printf's %.17g shows the last bit of a double.
    return scalar("SELECT group_concat(prodID || ':' || printf('%.17g', sumCount), ' ') "
                  "FROM Fproduct") +
           " | " +
           scalar("SELECT group_concat(compID || ':' || printf('%.17g', exchMoney), ' ') "
                  "FROM Fsupplier") +
           " | " +
           scalar("SELECT group_concat(compID || ':' || printf('%.17g', exchMoney), ' ') "
                  "FROM Fcustomer") +
           " | " +
           scalar("SELECT group_concat(houseID || '/' || prodID || ':' || printf('%.17g', "
                  "sumCount), ' ') FROM (SELECT * FROM VInveHouse ORDER BY houseID, prodID)") +
           " | " +
           scalar("SELECT group_concat(itmID || ':' || printf('%.17g', ifnull(je, 0)), ' ') "
                  "FROM VitemBank") +
           " | " + scalar("SELECT count(*) FROM FitemBank") + " | " +
           scalar("SELECT count(*) FROM VorderDetail") + " | " +
           scalar("SELECT count(*) FROM VOrder");
}

QStringList ReportBook::column(QTableView& view, int c) {
    QStringList values;
    for (int r = 0; r < view.model()->rowCount(); ++r)
        values << view.model()->index(r, c).data().toString();
    return values;
}

void ReportBook::select(TfrmOrderQuery& window, const QString& code) {
    window.show();
    drive::type(window, "txtOrderID", code);
    drive::click(window, "btnFind");
    QTableView& list = drive::find<QTableView>(window, "dgOrder");
    ASSERT_EQ(list.model()->rowCount(), 1) << code.toStdString();
    clickRow(list, 0);
}

void ReportBook::voidIt(TfrmOrderQuery& window) {
    messages_.answerOk();
    drive::click(window, "tlDel");
}

void ReportBook::clickRow(QTableView& view, int row) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.visualRect(view.model()->index(row, 0)).center());
}

void ReportBook::clickTitle(QTableView& view, int section) {
    QHeaderView& header = *view.horizontalHeader();
    const QPoint at(header.sectionViewportPosition(section) + header.sectionSize(section) / 2,
                    header.height() / 2);
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, at);
}

QStringList ReportBook::titles(QTableView& view) {
    QStringList values;
    for (int c = 0; c < view.model()->columnCount(); ++c)
        values << view.model()->headerData(c, Qt::Horizontal).toString();
    return values;
}

QString ReportBook::labelOf(QWidget& window, const QString& boxName) {
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy() && label->buddy()->objectName() == boxName)
            return label->text();
    return QString();
}
