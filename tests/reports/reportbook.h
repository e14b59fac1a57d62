#pragma once

#include "core/sysdata.h"
#include "support/booktest.h"

#include <QDate>
#include <QString>
#include <QTableView>
#include <vector>

class QWidget;
class TfrmOrderQuery;
enum class TradeKindId;

// A book with two warehouses, three products, two suppliers and two customers, filled with
// documents through the program's own posting.
class ReportBook : public BookTest {
public:
    struct Line {
        long long product;
        QString price;
        QString quantity;
    };

protected:
    void SetUp() override;

    // Posts a trade document of the kind (its supplier or customer chosen by compID).
    void postTrade(TradeKindId kind, const QString& code, QDate day, long long compID,
                   const std::vector<Line>& lines, const QString& settled = "0");
    void postLoss(const QString& code, QDate day, const std::vector<Line>& lines);
    void postOverflow(const QString& code, QDate day, const std::vector<Line>& lines);
    void postTransfer(const QString& code, QDate day, const std::vector<Line>& lines);

    // Every running total and every view voiding must restore, as text.
    QString totals();

    // What a person sees in a grid column, top to bottom.
    static QStringList column(QTableView& view, int c);
    static void clickRow(QTableView& view, int row);
    static void clickTitle(QTableView& view, int section);
    static QStringList titles(QTableView& view);
    static QString labelOf(QWidget& window, const QString& boxName);
    // Shows the query window, finds the document by its code and clicks its row.
    static void select(TfrmOrderQuery& window, const QString& code);
    // Voids the selected document, answering the question with yes.
    void voidIt(TfrmOrderQuery& window);

    long long north = 0, south = 0;
    long long pen = 0, ink = 0, steel = 0;
    long long steelWorks = 0, paperMill = 0; // suppliers
    long long shop = 0, school = 0;          // customers
};
