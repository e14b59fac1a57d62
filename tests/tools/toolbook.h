#pragma once

// What the tests' helper programs share: opening the book named on their command line, the
// master rows the test put into it, and their reports, one whole line per write.
#include "core/sysdata.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace toolbook {

// The master rows the test put into the book.
struct World {
    std::vector<long long> houses, products, suppliers, customers, accounts;
};

// The book in this directory, or on a server for "server:<connection string>", opened and
// made the program's data module; nothing, with the reason on the standard error, when it
// cannot be opened.
std::unique_ptr<TsysData> open(const QString& book);

World readWorld();

// One line per write, so that a kill never leaves half a line unseen; false when it failed.
bool say(const QByteArray& line);

} // namespace toolbook
