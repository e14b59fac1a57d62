#pragma once

#include <QString>
#include <QStyle>

#include <functional>

class QBoxLayout;
class QDialog;
class QPushButton;
class QTableView;
class QToolButton;
class QWidget;

// The parts every master-data window is built from, so that they all look and behave alike.
namespace listparts {

// A tool button ("添加", "修改", …) with a standard icon above its text, added to the bar.
QToolButton* toolButton(QBoxLayout& bar, const QString& name, const QString& text,
                        QStyle::StandardPixmap icon);

// The "添加", "修改" (or the given text) and "删除" buttons of a list window, named tlAdd,
// tlEdit and tlDel, added to the bar in that order.
struct EditButtons {
    QToolButton* add;
    QToolButton* edit;
    QToolButton* del;
};
EditButtons editButtons(QBoxLayout& bar, const QString& editText = QStringLiteral("修改"));

// "刷新", named tlRefresh, which F5 presses too: a list shows what it loaded until then.
QToolButton* refreshButton(QBoxLayout& bar);

// The list of a master-data window: whole rows, alternating colours, last column stretched.
QTableView* listView(QWidget* parent, const QString& name);

// For a list whose click shows or enables something for its row: a key that moves the cursor
// to another row (the arrows, the page keys, a typed first letter) counts as a click on it,
// so that the highlighted row and what is shown for a row never part.
void clickOnKeys(QTableView& list, std::function<void()> click);

// For a list that acts on a row (edits it): a double click on the row, or Enter on the list,
// which then never reaches the window's default button.
void actOnRow(QTableView& list, std::function<void()> act);

// The two buttons of a master dialog: the default button (saves) and the close button.
QPushButton* dialogButton(QBoxLayout& row, const QString& name, const QString& text,
                          bool isDefault);

} // namespace listparts
