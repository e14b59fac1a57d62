#pragma once

#include "masterdata/sheet.h"

#include <QString>

// The sheet of a file a person chose to import: an .xlsx workbook (recognised by its content,
// whatever its name) or a CSV file. An old .xls workbook, an unreadable or an empty file gives
// an error that says what to do.
Sheet readSheetFile(const QString& fileName);
