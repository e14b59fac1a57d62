#include "reports/ui/periodbar.h"

#include "core/clock.h"
#include "core/dates.h"
#include "core/ui/commonkeys.h"
#include "core/ui/datebox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel* newLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (!name.isEmpty())
        label->setObjectName(name);
    return label;
}

// A label that shows a date, wide enough for one from the start.
QLabel* newDateLabel(const QString& name, QWidget* parent) {
    QLabel* label = newLabel({}, name, parent);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00 ")));
    return label;
}

QHBoxLayout* rowOf(QWidget* bar) {
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    return row;
}

} // namespace

DayBar::DayBar(QWidget* parent) : PeriodBar(parent) {
    QHBoxLayout* row = rowOf(this);
    QLabel* caption = newLabel(QStringLiteral("营业日期："), {}, this);
    lblDate = newDateLabel(QStringLiteral("lblDate"), this);
    caption->setBuddy(lblDate);
    row->addWidget(caption);
    row->addWidget(lblDate);
    row->addStretch();
}

void DayBar::reset() {
    lblDate->setText(dates::text(environment::now().date()));
}

MonthBar::MonthBar(QWidget* parent) : PeriodBar(parent) {
    QHBoxLayout* row = rowOf(this);
    QLabel* caption = newLabel(QStringLiteral("营业日期："), {}, this);
    lblBegin = newDateLabel(QStringLiteral("lblBegin"), this);
    QLabel* to = newLabel(QStringLiteral("~"), {}, this);
    lblEnd = newDateLabel(QStringLiteral("lblEnd"), this);
    caption->setBuddy(lblBegin);
    to->setBuddy(lblEnd);
    row->addWidget(caption);
    row->addWidget(lblBegin);
    row->addWidget(to);
    row->addWidget(lblEnd);
    row->addStretch();
}

void MonthBar::reset() {
    const JournalPeriod month = JournalPeriod::monthOf(environment::now().date());
    lblBegin->setText(dates::text(month.from()));
    lblEnd->setText(dates::text(month.to()));
}

JournalPeriod MonthBar::period() const {
    // The statements take the period from the two labels, as shown.
    return JournalPeriod::range(dates::fromText(lblBegin->text()), dates::fromText(lblEnd->text()));
}

ChosenBar::ChosenBar(QWidget* parent) : PeriodBar(parent) {
    QHBoxLayout* row = rowOf(this);
    QLabel* caption = newLabel(QStringLiteral("查询日期："), {}, this);
    dtBegin = new DateBox(QStringLiteral("dtBegin"), this);
    QLabel* to = newLabel(QStringLiteral("~"), {}, this);
    dtEnd = new DateBox(QStringLiteral("dtEnd"), this);
    caption->setBuddy(dtBegin);
    to->setBuddy(dtEnd);
    auto* Button1 = new QPushButton(QStringLiteral("查询(&F)"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    setCommonKey(*Button1, CommonKey::Search);
    connect(Button1, &QPushButton::clicked, this, &PeriodBar::queryRequested);
    row->addWidget(caption);
    row->addWidget(dtBegin);
    row->addWidget(to);
    row->addWidget(dtEnd);
    row->addWidget(Button1);
    row->addStretch();
}

void ChosenBar::reset() {
    const QDate today = environment::now().date();
    dtBegin->setDate(dates::monthBack(today));
    dtEnd->setDate(today);
}

JournalPeriod ChosenBar::period() const {
    return JournalPeriod::range(dtBegin->date(), dtEnd->date());
}
