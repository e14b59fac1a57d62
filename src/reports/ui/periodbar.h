#pragma once

#include "reports/journalperiod.h"

#include <QWidget>

class QDateEdit;
class QLabel;

// The period row of a business statistics window: what it shows and the period it stands
// for. Each kind of window has its own.
class PeriodBar : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    // Sets the period the window starts with when it is shown.
    virtual void reset() = 0;
    virtual JournalPeriod period() const = 0;

signals:
    // The user asked for the figures of the period shown again.
    void queryRequested();
};

// Today: "营业日期：" and the day.
class DayBar : public PeriodBar {
    Q_OBJECT
public:
    explicit DayBar(QWidget* parent);
    void reset() override;
    JournalPeriod period() const override { return JournalPeriod::today(); }

private:
    QLabel* lblDate;
};

// The current calendar month: "营业日期：" first day "~" last day.
class MonthBar : public PeriodBar {
    Q_OBJECT
public:
    explicit MonthBar(QWidget* parent);
    void reset() override;
    JournalPeriod period() const override;

private:
    QLabel* lblBegin;
    QLabel* lblEnd;
};

// A range the user picks, a month back to now at first, and "查询(&F)".
class ChosenBar : public PeriodBar {
    Q_OBJECT
public:
    explicit ChosenBar(QWidget* parent);
    void reset() override;
    JournalPeriod period() const override;

private:
    QDateEdit* dtBegin;
    QDateEdit* dtEnd;
};

