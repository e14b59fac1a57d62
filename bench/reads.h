#pragma once

#include <QDate>
#include <QString>
#include <utility>
#include <vector>

class TQuery;

// A statement a window runs to fill a list or to compute a figure, exactly as its window
// words it, with the values the window binds.
struct Read {
    QString id;
    QString label;
    TQuery* slot = nullptr;
    QString sql;
    std::vector<std::pair<QString, QString>> binds = {};
    bool isSum = false; // a figure (at most 50 ms), not a list (measured against a plain table)
    // A window that runs several statements for one wait (the four sums) runs them all.
    std::vector<QString> moreSql = {};

    // Loads, binds and opens the statement in its slot, as the window does; returns the rows.
    int run() const;
};

// The day the book ends (its "today"), and the statements of every list and figure on it.
std::vector<Read> readsOn(const QDate& today);
