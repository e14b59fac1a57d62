// libFuzzer target for reading spreadsheets to import (built and run by scripts/fuzz.sh, not
// by the normal build). The first byte chooses the reader: a whole .xlsx file, a CSV file, or
// the XML parts of a workbook separated by 0xFF bytes (workbook, its relationships, shared
// strings, styles, sheet), so that mutations reach the XML without breaking a zip checksum.
#include "masterdata/csvreader.h"
#include "masterdata/xlsxreader.h"

#include <QByteArrayList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

void check(const Sheet& sheet) {
    if (!sheet.ok()) {
        if (!sheet.rows.empty())
            broken("a sheet that failed still has rows");
        return;
    }
    int last = 0;
    for (const SheetRow& row : sheet.rows) {
        if (row.line <= last || row.line > sheetlimits::kMaxRows)
            broken("row numbers are not rising within the sheet's limit");
        last = row.line;
        if (row.cells.size() > sheetlimits::kMaxColumns)
            broken("a row has more columns than the limit");
        bool blank = true;
        for (const QString& cell : row.cells)
            blank = blank && cell.trimmed().isEmpty();
        if (blank)
            broken("an empty row was kept");
    }
}

Sheet readParts(const QByteArray& bytes) {
    const QByteArrayList parts = bytes.split('\xFF');
    return readWorkbook([&parts](const QString& name) -> std::optional<QByteArray> {
        static const char* const names[] = {"xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                                            "xl/sharedStrings.xml", "xl/styles.xml"};
        int i = 0;
        while (i < 4 && name != QLatin1String(names[i]))
            ++i; // any other name is the sheet
        if (i >= parts.size())
            return std::nullopt;
        return parts[i];
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    switch (data[0] % 3) {
    case 0:
        check(readXlsx(bytes));
        break;
    case 1:
        check(readCsv(bytes));
        break;
    default:
        check(readParts(bytes));
        break;
    }
    return 0;
}
