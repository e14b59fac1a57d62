#pragma once

#include "masterdata/sheet.h"

#include <QByteArray>

// A CSV file held in memory: UTF-8 (with or without its byte order mark), UTF-16 with its
// mark, or else GB18030 (what Chinese Excel writes); fields separated by commas (by tabs when
// the first line has tabs and no commas), quoted fields as Excel writes them.
Sheet readCsv(const QByteArray& bytes);
