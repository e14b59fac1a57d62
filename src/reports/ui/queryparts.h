#pragma once

#include "core/ui/slotmodel.h"

#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

class QDateEdit;
class QHBoxLayout;
class QLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;
class TQuery;

// The parts the query and statistics windows share.
namespace queryparts {

// The filter row: "查询日期：" dtbegin "~" dtEnd, then a label and its box, then "查询(&F)".
struct FilterRow {
    QHBoxLayout* layout;
    QDateEdit* dtbegin;
    QDateEdit* dtEnd;
    QLineEdit* key;
    QPushButton* btnFind;
};
FilterRow filterRow(QWidget& window, const QString& keyLabel, const QString& keyName);

// Showing: the range becomes one calendar month back from now up to now.
void resetRange(QDateEdit& begin, QDateEdit& end);
// The picked day as the stored date text.
QString dayOf(const QDateEdit& box);

// A label that names the widget (its buddy).
QLabel* buddyLabel(const QString& text, QWidget* buddy);

// The window's one column: the rows above (tool bar, filter row), the list of documents, and
// under "单据明细：" the lines of the selected one.
void stackDocumentsOverLines(QWidget& window, std::initializer_list<QLayout*> above,
                             QTableView& documents, QTableView& lines);

// The rows of QueryOrder whose document type the test accepts (to tint them).
std::function<bool(int row)> orderTypeIs(std::function<bool(const QString&)> test);

// The columns of a document's line list; typeTitle names the type column, price and money draw
// the price and the amount (plain in the document queries, "￥" in the statistics).
std::vector<SlotColumn> lineColumns(const QString& typeTitle, Draw price, Draw money);

// Lists in QueryOrderDetails the lines of the document the person selected in the list of
// documents (shown with Highlight::PersonOnly), read by the statement made for that document
// (made current first; it binds orderID); with none selected, no lines.
void listLinesOfSelected(const QTableView& list, TQuery& documents,
                         const std::function<QString()>& linesStatement);

} // namespace queryparts
