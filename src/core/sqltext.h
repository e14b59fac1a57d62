#pragma once

#include <QString>

// A search key for LIKE: the trimmed key between two "%", matching any text that contains it.
inline QString likePattern(const QString& key) {
    return u'%' + key.trimmed() + u'%';
}
