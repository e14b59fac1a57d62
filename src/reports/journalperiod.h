#pragma once

#include <QDate>
#include <QString>

class TQuery;

// The days a business figure covers: one day, or a range inclusive at both ends. The day
// form is "today" and reads the clock afresh at every binding, so a window left open past
// midnight counts the new day.
class JournalPeriod {
public:
    static JournalPeriod today() { return JournalPeriod(); }
    static JournalPeriod range(const QDate& from, const QDate& to) {
        return JournalPeriod(from, to);
    }
    // The first to the last day of the day's calendar month.
    static JournalPeriod monthOf(const QDate& day);

    bool isToday() const { return !from_.isValid(); }
    QDate from() const { return from_; }
    QDate to() const { return to_; }

    // The date condition of a statement: "optDate=:optDate" or the inclusive range.
    QString condition() const;
    // Binds the condition's parameters as date texts.
    void bind(TQuery& query) const;

private:
    JournalPeriod() = default;
    JournalPeriod(const QDate& from, const QDate& to) : from_(from), to_(to) {}
    QDate from_, to_;
};
