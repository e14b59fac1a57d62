#include "reports/journalperiod.h"

#include "core/clock.h"
#include "core/dates.h"
#include "core/query.h"

JournalPeriod JournalPeriod::monthOf(const QDate& day) {
    const QDate first(day.year(), day.month(), 1);
    return range(first, first.addMonths(1).addDays(-1));
}

QString JournalPeriod::condition() const {
    return isToday() ? QStringLiteral("optDate=:optDate")
                     : QStringLiteral("optDate>=:optDate1 AND optDate<=:optDate2");
}

void JournalPeriod::bind(TQuery& query) const {
    if (isToday()) {
        query.bind(u"optDate", dates::text(environment::now().date()));
        return;
    }
    query.bind(u"optDate1", dates::text(from_));
    query.bind(u"optDate2", dates::text(to_));
}
