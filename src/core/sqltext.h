#pragma once

#include "core/query.h"

#include <QString>

// A search key for LIKE: the trimmed key between two "%", matching any text that contains it.
inline QString likePattern(const QString& key) {
    return u'%' + key.trimmed() + u'%';
}

// What a search box asks of a column, as a condition named after it; bindSearch binds it with
// the same key. An empty key keeps every value that LIKE '%%' keeps, every one not null, but
// without testing a pattern on every row, and without a server's planner taking it for a
// filter that keeps few rows and planning the whole read for a handful.
inline QString searchCondition(const QString& column, const QString& key) {
    return key.trimmed().isEmpty() ? column + QStringLiteral(" IS NOT NULL")
                                   : column + QStringLiteral(" LIKE :") + column;
}

inline void bindSearch(TQuery& query, const QString& column, const QString& key) {
    if (!key.trimmed().isEmpty())
        query.bind(column, likePattern(key));
}

// The most characters a search box takes. The database refuses a LIKE pattern longer than
// 50,000 bytes and each 16-bit character of a box takes at most 3 of them: a longer key would
// end the search in an error instead of finding nothing.
inline constexpr int kMaxSearchKeyLength = 16000;
