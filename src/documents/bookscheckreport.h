#pragma once

#include "documents/bookscheck.h"

#include <QString>
#include <QStringList>
#include <vector>

// The books check in the shopkeeper's words: what the books check window lists, and what an
// upgrade or a restore shows after checking the book.

// "账簿检查完毕，账目一致。" or how many differences were found.
QString booksCheckSummary(const std::vector<BooksDifference>& found);

// One line per difference: what differs, where (by name and code), what the book holds and
// what the documents say.
QStringList booksCheckLines(const std::vector<BooksDifference>& found);
