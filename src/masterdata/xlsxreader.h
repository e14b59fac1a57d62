#pragma once

#include "masterdata/sheet.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

// The first worksheet of an .xlsx workbook held in memory: shared and inline strings as their
// text, numbers in the number rule's shortest form (whole numbers digit for digit, so that a
// barcode stored as a number keeps its digits), cells styled as dates as "yyyy-MM-dd".
// Formulas give their last computed value. A damaged file gives an error, never a partial sheet.
Sheet readXlsx(const QByteArray& bytes);

// A workbook's parts by name ("xl/workbook.xml"): nothing when absent or unreadable.
using WorkbookParts = std::function<std::optional<QByteArray>(const QString& name)>;
// The first worksheet of a workbook from its parts, as readXlsx reads it from the archive.
Sheet readWorkbook(const WorkbookParts& parts);
