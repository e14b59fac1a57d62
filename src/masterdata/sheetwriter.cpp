#include "masterdata/sheetwriter.h"

#include "core/numbers.h"
#include "late/library.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <clocale>
#include <cstdio>
#include <string>
#include <xlsxwriter.h>

namespace {

constexpr double kFontSize = 9;

class Workbook {
public:
    explicit Workbook(const QByteArray& path) : book_(workbook_new(path.constData())) {}
    ~Workbook() {
        if (book_)
            workbook_close(book_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    lxw_workbook* get() const { return book_; }
    // Writes the file; the workbook is gone afterwards whatever the result.
    bool close() {
        const lxw_error error = workbook_close(book_);
        book_ = nullptr;
        return error == LXW_NO_ERROR;
    }

private:
    lxw_workbook* book_;
};

// libxlsxwriter writes numbers with printf, which follows the user's locale: under de_DE 18.5
// would go into the file as "18,5", which no spreadsheet reads as a number. While it lives the
// C library writes the point.
class PointForNumbers {
public:
    PointForNumbers() : previous_(std::setlocale(LC_NUMERIC, nullptr)) {
        std::setlocale(LC_NUMERIC, "C");
    }
    ~PointForNumbers() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
    PointForNumbers(const PointForNumbers&) = delete;
    PointForNumbers& operator=(const PointForNumbers&) = delete;

private:
    std::string previous_;
};

lxw_format* fontFormat(lxw_workbook* book, bool bold) {
    lxw_format* format = workbook_add_format(book);
    format_set_font_size(format, kFontSize);
    if (bold)
        format_set_bold(format);
    return format;
}

bool writeCell(lxw_worksheet* sheet, int row, int column, const QString& text, bool number,
               lxw_format* format) {
    if (text.isEmpty())
        return worksheet_write_blank(sheet, lxw_row_t(row), lxw_col_t(column), format) ==
               LXW_NO_ERROR;
    if (number)
        if (const auto value = numbers::toFloat(text))
            return worksheet_write_number(sheet, lxw_row_t(row), lxw_col_t(column), *value,
                                          format) == LXW_NO_ERROR;
    return worksheet_write_string(sheet, lxw_row_t(row), lxw_col_t(column),
                                  text.toUtf8().constData(), format) == LXW_NO_ERROR;
}

bool writeInto(const QString& path, const SheetData& data) {
    // Without its writer the export fails as any other that cannot write.
    if (!late::xlsxwriter().loadError().empty())
        return false;
    Workbook book(QFile::encodeName(path));
    if (!book.get())
        return false;
    lxw_worksheet* sheet = workbook_add_worksheet(book.get(), data.name.toUtf8().constData());
    if (!sheet)
        return false;
    lxw_format* plain = fontFormat(book.get(), false);
    lxw_format* bold = fontFormat(book.get(), true);
    // Every column takes the font size, so that cells typed in later match.
    if (worksheet_set_column(sheet, 0, LXW_COL_MAX - 1, LXW_DEF_COL_WIDTH, plain) != LXW_NO_ERROR)
        return false;
    for (int c = 0; c < data.headings.size(); ++c)
        if (!writeCell(sheet, 0, c, data.headings[c], false, c < data.boldHeadings ? bold : plain))
            return false;
    for (std::size_t r = 0; r < data.rows.size(); ++r) {
        const QStringList& row = data.rows[r];
        for (int c = 0; c < row.size(); ++c) {
            const bool number =
                std::size_t(c) < data.numberColumns.size() && data.numberColumns[std::size_t(c)];
            if (!writeCell(sheet, int(r) + 1, c, row[c], number, plain))
                return false;
        }
    }
    return book.close();
}

} // namespace

bool writeWorkbook(const QString& fileName, const SheetData& sheet) {
    // Written beside the target under a name of its own, then moved over it in one step.
    const QFileInfo target(fileName);
    QTemporaryFile part(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!part.open())
        return false;
    part.close();
    {
        const PointForNumbers point;
        if (!writeInto(part.fileName(), sheet))
            return false;
    }
    part.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    if (std::rename(QFile::encodeName(part.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return false;
    part.setAutoRemove(false); // it is the workbook now
    return true;
}
