#include "reports/ui/queryparts.h"

#include "core/clock.h"
#include "core/dates.h"
#include "core/sqltext.h"
#include "core/sysdata.h"
#include "core/ui/commonkeys.h"
#include "core/ui/datebox.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace queryparts {

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

void stackDocumentsOverLines(QWidget& window, std::initializer_list<QLayout*> above,
                             QTableView& documents, QTableView& lines) {
    auto* layout = new QVBoxLayout(&window);
    for (QLayout* row : above)
        layout->addLayout(row);
    layout->addWidget(&documents, 3);
    layout->addWidget(buddyLabel(QStringLiteral("单据明细："), &lines));
    layout->addWidget(&lines, 2);
}

std::function<bool(int row)> orderTypeIs(std::function<bool(const QString&)> test) {
    return [test = std::move(test)](int row) {
        const TQuery& q = sysData->QueryOrder;
        if (!q.isOpen() || row >= q.recordCount())
            return false;
        const int column = q.result().column(u"orderType");
        return column >= 0 && test(q.result().text(row, column));
    };
}

FilterRow filterRow(QWidget& window, const QString& keyLabel, const QString& keyName) {
    FilterRow row{new QHBoxLayout, new DateBox(QStringLiteral("dtbegin"), &window),
                  new DateBox(QStringLiteral("dtEnd"), &window), new QLineEdit(&window),
                  new QPushButton(QStringLiteral("查询(&F)"), &window)};
    row.key->setObjectName(keyName);
    row.key->setMaxLength(kMaxSearchKeyLength);
    row.key->setMinimumWidth(160);
    row.btnFind->setObjectName(QStringLiteral("btnFind"));
    row.btnFind->setAutoDefault(false);
    setCommonKey(*row.key, CommonKey::FindBox);
    setCommonKey(*row.btnFind, CommonKey::Search);
    row.layout->addWidget(buddyLabel(QStringLiteral("查询日期："), row.dtbegin));
    row.layout->addWidget(row.dtbegin);
    row.layout->addWidget(buddyLabel(QStringLiteral("~"), row.dtEnd));
    row.layout->addWidget(row.dtEnd);
    row.layout->addSpacing(12);
    row.layout->addWidget(buddyLabel(keyLabel, row.key));
    row.layout->addWidget(row.key);
    row.layout->addWidget(row.btnFind);
    return row;
}

void resetRange(QDateEdit& begin, QDateEdit& end) {
    const QDate today = environment::now().date();
    begin.setDate(dates::monthBack(today));
    end.setDate(today);
}

QString dayOf(const QDateEdit& box) {
    return dates::text(box.date());
}

std::vector<SlotColumn> lineColumns(const QString& typeTitle, Draw price, Draw money) {
    return {{"prodBH", "商品编号", Draw::Text, 100},
            {"prodName", "商品名称", Draw::Text, 160},
            {"type", typeTitle, Draw::Text, 100},
            {"unitName", "单位", Draw::Text, 60},
            {"price", "单价", price, 90},
            {"pcount", "数量", Draw::Number, 70},
            {"sumMoney", "金额", money, 100},
            {"remark", "备注"}};
}

void listLinesOfSelected(const QTableView& list, TQuery& documents,
                         const std::function<QString()>& linesStatement) {
    TQuery& lines = sysData->QueryOrderDetails;
    const QModelIndexList rows = list.selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.first().row();
    if (row < 0 || row >= documents.recordCount()) {
        lines.close();
        return;
    }
    documents.setCurrentRow(row);
    lines.load(linesStatement());
    lines.bind(u"orderID", documents.field(u"orderID").asText());
    lines.open();
}

} // namespace queryparts
