#pragma once

// The one printed page of a trade document, as the preview (printing/ui/tfrmprintview.h)
// renders and prints it. A caller that prints a document:
//
//   PrintHeader header;                           // each item: the caller's label, its value
//   header.house = {"收货仓库：", houseName};     // as shown on screen
//   header.orderID = {"单据号：", orderCode};
//   header.compName = {"单位名称：", compName};
//   header.optdate = {"采购日期：", dates::text(day)};
//   header.ys = {"应付金额：", due};  header.ss = {"实付金额：", paid};
//   header.emp = {"经办人：", empName};  header.hj = {"合计金额：", total};
//   std::vector<PrintLine> lines;                 // one per document line, in order
//   PrintLine line;
//   line.set("prodBH", code); line.set("prodName", name); …  // by FConfig field name:
//   // prodBH prodName type unitName company inprice outprice pcount pmoney remark field1 field2
//   lines.push_back(line);
//   const PrintPage page = composePrintPage(title, header, lines);  // reads Ftbconfig, FConfig
//   preview.showPage(page);                       // TfrmPrintView, shown modally
//
// A reprint of a saved document sets header.totalAlways (its total prints whatever the hj
// switch says) and takes the total from printedTotal(lines).

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

// One header or footer item: its label and its value as the caller shows it.
struct PrintItem {
    QString label;
    QString value;
};

// The eight items of a document above and below its lines, named as the Ftbconfig switches.
struct PrintHeader {
    PrintItem house, orderID, compName, optdate; // above the table
    PrintItem ys, ss, emp, hj;                   // below it
    bool totalAlways = false;                    // hj prints even when its switch is off
};

// The texts of one document line by product field name (case does not matter).
class PrintLine {
public:
    void set(const QString& fieldName, const QString& text);
    // The empty text for a field that was not set.
    QString text(const QString& fieldName) const;

private:
    QStringList names_; // lower case
    QStringList texts_;
};

// What the preview draws: every item is its label followed by its value, or empty when it
// does not print; the columns are the printed fields in FConfig's order.
struct PrintPage {
    static constexpr int kRows = 10; // the ruled table always has at least this many rows

    QString title;
    QString documentCode; // the code alone, printed or not: names an exported file
    int topMargin = 0;    // millimetres
    int leftMargin = 0;
    QString house, orderID, compName, optdate;
    QString ys, ss, emp, hj;
    QStringList columnTitles;
    QList<int> columnWidths;      // millimetres, same order
    QList<bool> columnsOfFigures; // same order: quantities, prices and amounts, set right
    int tableWidth = 0;           // the sum of the column widths
    // kRows rows or one per line when there are more, each one text per column.
    std::vector<QStringList> cells;
};

// The page of a document: margins and switches from Ftbconfig, the printed columns from
// FConfig, the cells from the lines. Prices, amounts and the three money items show two
// decimals (12.5 prints as 12.50); other texts print as given. Reads the book in QueryCommon.
PrintPage composePrintPage(const QString& title, const PrintHeader& header,
                           const std::vector<PrintLine>& lines);

// The sum of the lines' "pmoney" amounts, exact, rounded to cents and written without
// trailing zeros (12.5); a line without a number adds nothing.
QString printedTotal(const std::vector<PrintLine>& lines);
