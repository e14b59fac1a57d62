#pragma once

#include <QString>

// A search key for LIKE: the trimmed key between two "%", matching any text that contains it.
inline QString likePattern(const QString& key) {
    return u'%' + key.trimmed() + u'%';
}

// The most characters a search box takes. The database refuses a LIKE pattern longer than
// 50,000 bytes and each 16-bit character of a box takes at most 3 of them: a longer key would
// end the search in an error instead of finding nothing.
inline constexpr int kMaxSearchKeyLength = 16000;
