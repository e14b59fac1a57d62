#pragma once

#include "masterdata/listexport.h"

// The "导出Excel " button of a list window: asks, lets the user choose the file, writes the
// list as a workbook and says so. No list (null) exports the headings alone; a kind that
// skips empty lists does nothing at all for one. For the receivables window:
//     exportList(kReceivablesExport, &sysData->QueryYsYf);
void exportList(const ListExport& kind, TQuery* list, const QStringList& headings = {});
