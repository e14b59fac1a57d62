#pragma once

#include "masterdata/productcatalog.h"
#include "masterdata/sheetwriter.h"

#include <QString>
#include <QStringList>
#include <vector>

class TQuery;

// One column of an exported list: the field it takes from the list's rows, and whether it
// holds numbers (prices, balances) or text (names, codes, account numbers).
struct ExportColumn {
    QString heading;
    QString field;
    bool number = false;
};

// What tells the exported lists apart: the question and its title, the sheet, the columns
// and two details (bold headings; an empty list exporting nothing at all).
struct ListExport {
    QString question;
    QString questionTitle;
    QString sheetName;
    QString fileName; // offered in the save dialog
    std::vector<ExportColumn> columns;
    int boldHeadings = 0;
    bool skipEmptyList = false;
};

extern const ListExport kProductExport;
extern const ListExport kSupplierExport;
extern const ListExport kCustomerExport;
extern const ListExport kReceivablesExport;

// The product export's headings: the fixed ones, each field's caption in its field's column,
// and an empty twelfth heading for the quantity and amount fields.
QStringList productHeadings(const std::vector<catalog::FieldCaption>& captions);

// The sheet of a list: the headings (the kind's own when none are given) and every row of the
// list from the first to the last, which is the list's current row afterwards. No list (null)
// gives the headings alone.
SheetData exportSheet(const ListExport& kind, TQuery* list, const QStringList& headings = {});
