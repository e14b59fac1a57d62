// Writes the first inputs of the spreadsheet fuzzer into the folder given: workbooks as
// libxlsxwriter writes them (shared strings, inline strings, numbers, dates, booleans), their
// XML parts, and CSV texts. Built and run by scripts/fuzz.sh.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <cstdio>
#include <xlsxwriter.h>

namespace {

void fill(lxw_workbook* book) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, "商品信息表");
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "yyyy-mm-dd");
    const char* titles[] = {"商品分类", "商品编号", "商品名称", "进价", "有效期", "在售"};
    for (int c = 0; c < 6; ++c)
        worksheet_write_string(sheet, 0, lxw_col_t(c), titles[c], nullptr);
    for (int r = 1; r < 4; ++r) {
        worksheet_write_string(sheet, lxw_row_t(r), 0, "工具", nullptr);
        worksheet_write_number(sheet, lxw_row_t(r), 1, 6901234567890.0 + r, nullptr);
        worksheet_write_string(sheet, lxw_row_t(r), 2, "扳手 \"大号\"", nullptr);
        worksheet_write_number(sheet, lxw_row_t(r), 3, 0.1 * r, nullptr);
        lxw_datetime day{2027, 5, r, 0, 0, 0};
        worksheet_write_datetime(sheet, lxw_row_t(r), 4, &day, date);
        worksheet_write_boolean(sheet, lxw_row_t(r), 5, r % 2, nullptr);
    }
}

QByteArray workbook(const QString& path, bool inlineStrings) {
    lxw_workbook_options options{};
    options.constant_memory = inlineStrings ? LXW_TRUE : LXW_FALSE;
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    fill(book);
    workbook_close(book);
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// The XML parts of a workbook, separated as the fuzzer splits them.
QByteArray partsOf(const QString& path) {
    QByteArray joined("\x02");
    const char* names[] = {"xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/sharedStrings.xml",
                           "xl/styles.xml", "xl/worksheets/sheet1.xml"};
    for (int i = 0; i < 5; ++i) {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QLatin1String(names[i])});
        unzip.waitForFinished();
        joined += (i ? "\xFF" : "") + unzip.readAllStandardOutput();
    }
    return joined;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sheet_seeds FOLDER\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    for (const bool inlineStrings : {false, true}) {
        const QString name = out + (inlineStrings ? "/inline" : "/shared");
        const QByteArray book = workbook(name + ".xlsx", inlineStrings);
        write(name + "-xlsx", QByteArray("\x00", 1) + book);
        write(name + "-parts", partsOf(name + ".xlsx"));
        QFile::remove(name + ".xlsx");
    }
    write(out + "/csv-utf8",
          "\x01\xEF\xBB\xBF名称,备注\r\n\"甲,乙\",\"说\"\"好\"\"\"\r\n\"多\n行\",x\n");
    write(out + "/csv-tabs", "\x01名称\t备注\n甲\t乙\n");
    return 0;
}
