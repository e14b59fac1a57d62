#include "masterdata/xlsxreader.h"

#include "core/numbers.h"
#include "masterdata/zipparts.h"

#include <QDate>
#include <QSet>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

namespace {

const QString kDamaged = QStringLiteral("文件已损坏，或不是Excel工作簿（.xlsx）。");

// The parts of a workbook that a sheet's cells need.
struct Book {
    QString sheetPart;     // "xl/worksheets/sheet1.xml"
    QString sheetName;     // its tab's name
    bool date1904 = false; // the Mac date system
};

// Readers go token by token with readNext(): readNextStartElement() reads on past the end of
// the document and reports that as damage.
QStringView attribute(const QXmlStreamReader& xml, QLatin1StringView name) {
    return xml.attributes().value(name);
}

struct Tab {
    QString name;
    QString id; // its relationship
    bool shown = true;
};

// The sheet the workbook was last looked at on, found through its relationship: a book of
// one sheet a month keeps the month the person was at in front, and its first tabs may be
// hidden. A hidden tab is never read; the first shown one stands in for it.
std::optional<Book> readBook(const WorkbookParts& parts) {
    const auto workbook = parts(QStringLiteral("xl/workbook.xml"));
    const auto rels = parts(QStringLiteral("xl/_rels/workbook.xml.rels"));
    if (!workbook || !rels)
        return std::nullopt;
    Book book;
    std::vector<Tab> tabs;
    qsizetype active = 0;
    QXmlStreamReader xml(*workbook);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"workbookPr") {
            const QStringView v = attribute(xml, QLatin1StringView("date1904"));
            book.date1904 = v == u"1" || v == u"true";
        } else if (xml.name() == u"workbookView") {
            active = attribute(xml, QLatin1StringView("activeTab")).toInt();
        } else if (xml.name() == u"sheet") {
            Tab tab{attribute(xml, QLatin1StringView("name")).toString(),
                    {},
                    attribute(xml, QLatin1StringView("state")).isEmpty() ||
                        attribute(xml, QLatin1StringView("state")) == u"visible"};
            for (const QXmlStreamAttribute& a : xml.attributes())
                if (a.name() == u"id") // r:id, whatever the prefix
                    tab.id = a.value().toString();
            tabs.push_back(std::move(tab));
        }
    }
    if (active < 0 || active >= qsizetype(tabs.size()) || !tabs[std::size_t(active)].shown)
        active = std::find_if(tabs.begin(), tabs.end(), [](const Tab& t) { return t.shown; }) -
                 tabs.begin();
    if (active >= qsizetype(tabs.size()) || tabs[std::size_t(active)].id.isEmpty())
        return std::nullopt;
    const Tab& tab = tabs[std::size_t(active)];
    book.sheetName = tab.name;
    QXmlStreamReader links(*rels);
    while (!links.atEnd()) {
        if (links.readNext() != QXmlStreamReader::StartElement || links.name() != u"Relationship" ||
            attribute(links, QLatin1StringView("Id")) != tab.id)
            continue;
        const QString target = attribute(links, QLatin1StringView("Target")).toString();
        book.sheetPart = target.startsWith(u'/') ? target.mid(1) : QStringLiteral("xl/") + target;
        return book;
    }
    return std::nullopt;
}

// The text of a string item: its runs joined, phonetic guides left out.
QString itemText(QXmlStreamReader& xml, QStringView end) {
    QString text;
    int phonetic = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            if (xml.name() == u"rPh")
                ++phonetic;
            else if (xml.name() == u"t" && phonetic == 0)
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.isEndElement()) {
            if (xml.name() == u"rPh")
                --phonetic;
            else if (xml.name() == end)
                break;
        }
    }
    return text;
}

std::optional<QStringList> readSharedStrings(const WorkbookParts& parts) {
    QStringList strings;
    const auto part = parts(QStringLiteral("xl/sharedStrings.xml"));
    if (!part)
        return strings; // a workbook without texts has none
    QXmlStreamReader xml(*part);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"si")
            strings << itemText(xml, u"si");
    if (xml.hasError())
        return std::nullopt;
    return strings;
}

// Built-in number formats that show dates, the Chinese ones included.
bool isDateFormatId(int id) {
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
           (id >= 50 && id <= 58);
}

// A format code shows a date when, outside quotes, brackets and escapes, it has a date part.
bool isDateFormatCode(QStringView code) {
    bool quoted = false;
    int bracket = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u'"')
            quoted = !quoted;
        else if (quoted)
            continue;
        else if (c == u'\\' || c == u'_' || c == u'*')
            ++i; // the next character is shown as it is
        else if (c == u'[')
            ++bracket;
        else if (c == u']')
            bracket = std::max(0, bracket - 1);
        else if (bracket == 0 && QStringView(u"yYmMdDhHsS").contains(c))
            return true;
    }
    return false;
}

// The indexes of the cell styles that show dates.
QSet<int> readDateStyles(const WorkbookParts& parts) {
    QSet<int> dates;
    const auto part = parts(QStringLiteral("xl/styles.xml"));
    if (!part)
        return dates;
    QSet<int> dateFormats;
    bool inCellXfs = false;
    int index = 0;
    QXmlStreamReader xml(*part);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == u"cellXfs")
            inCellXfs = false;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"numFmt") {
            if (isDateFormatCode(attribute(xml, QLatin1StringView("formatCode"))))
                dateFormats.insert(attribute(xml, QLatin1StringView("numFmtId")).toInt());
        } else if (xml.name() == u"cellXfs") {
            inCellXfs = true;
        } else if (inCellXfs && xml.name() == u"xf") {
            const int format = attribute(xml, QLatin1StringView("numFmtId")).toInt();
            if (isDateFormatId(format) || dateFormats.contains(format))
                dates.insert(index);
            ++index;
        }
    }
    return dates;
}

// A date serial as the program writes dates; a time of day is added when there is one.
std::optional<QString> dateText(double serial, bool date1904) {
    if (!(serial >= 1 && serial < 2958466)) // up to 9999-12-31
        return std::nullopt;
    const auto days = qint64(std::floor(serial));
    // The 1900 system counts a 29 February 1900 that never was: serials after it are one more.
    const QDate day = date1904     ? QDate(1904, 1, 1).addDays(days)
                      : days >= 61 ? QDate(1899, 12, 30).addDays(days)
                                   : QDate(1899, 12, 31).addDays(days);
    const auto seconds = qint64(std::llround((serial - double(days)) * 86400.0));
    if (seconds == 0 || seconds >= 86400)
        return day.toString(QStringLiteral("yyyy-MM-dd"));
    return day.toString(QStringLiteral("yyyy-MM-dd ")) +
           QTime(0, 0).addSecs(int(seconds)).toString(QStringLiteral("HH:mm:ss"));
}

bool isWholeNumberText(QStringView text) {
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i)
        if (!text[i].isDigit() || text[i].unicode() > 127)
            return false;
    return true;
}

// A number cell's text: whole numbers as stored (every digit of a long code), others in the
// shortest form that reads back the same, so that 6.9000000000000004 shows as 6.9.
QString numberText(const QString& stored, bool isDate, bool date1904) {
    const auto value = numbers::toFloat(stored);
    if (isDate && value)
        if (const auto date = dateText(*value, date1904))
            return *date;
    if (isWholeNumberText(stored) || !value)
        return stored;
    return numbers::floatToStr(*value);
}

// "BC12" gives column 54 (counted from 0) and row 12; nothing for another text.
std::optional<std::pair<int, int>> cellPosition(QStringView ref) {
    qsizetype i = 0;
    long long column = 0;
    for (; i < ref.size() && ref[i] >= u'A' && ref[i] <= u'Z' && i < 4; ++i)
        column = column * 26 + (ref[i].unicode() - u'A' + 1);
    long long row = 0;
    const qsizetype digits = i;
    for (; i < ref.size() && ref[i] >= u'0' && ref[i] <= u'9' && i - digits < 8; ++i)
        row = row * 10 + (ref[i].unicode() - u'0');
    if (column == 0 || row == 0 || i != ref.size())
        return std::nullopt;
    return std::pair{int(column - 1), int(row)};
}

class SheetParser {
public:
    SheetParser(const QStringList& strings, QSet<int> dateStyles, bool date1904)
        : strings_(strings), dateStyles_(std::move(dateStyles)), date1904_(date1904) {}

    // False when the XML is damaged or names a text that is not there.
    bool parse(const QByteArray& part) {
        QXmlStreamReader xml(part);
        int row = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == u"row") {
                const QStringView r = attribute(xml, QLatin1StringView("r"));
                row = r.isEmpty() ? row + 1 : r.toInt();
                column_ = -1;
                if (row < 1)
                    return false;
            } else if (xml.name() == u"c") {
                if (!readCell(xml, row))
                    return false;
            }
        }
        return !xml.hasError();
    }

    // True when parsing stopped at the limit of cells rather than at damage.
    bool tooLarge() const { return tooLarge_; }

    std::vector<SheetRow> rows() const {
        std::vector<SheetRow> result;
        for (const auto& [line, cells] : rows_) {
            bool empty = true;
            for (const QString& c : cells)
                empty = empty && c.trimmed().isEmpty();
            if (!empty)
                result.push_back({line, cells});
        }
        return result;
    }

private:
    bool readCell(QXmlStreamReader& xml, int row) {
        const QStringView ref = attribute(xml, QLatin1StringView("r"));
        int column = column_ + 1;
        if (!ref.isEmpty()) {
            const auto at = cellPosition(ref);
            if (!at)
                return false;
            column = at->first;
            row = at->second;
        }
        column_ = column;
        const QString type = attribute(xml, QLatin1StringView("t")).toString();
        const bool isDate = dateStyles_.contains(attribute(xml, QLatin1StringView("s")).toInt());
        QString value;
        bool hasValue = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isEndElement() && xml.name() == u"c")
                break;
            if (!xml.isStartElement())
                continue;
            if (xml.name() == u"v") {
                value = xml.readElementText();
                hasValue = true;
            } else if (xml.name() == u"is") {
                value = itemText(xml, u"is");
                hasValue = true;
            }
        }
        if (!hasValue || row > sheetlimits::kMaxRows || column >= sheetlimits::kMaxColumns)
            return !xml.hasError();
        if (type == u"s") {
            bool ok = false;
            const int index = value.trimmed().toInt(&ok);
            if (!ok || index < 0 || index >= strings_.size())
                return false;
            value = strings_[index];
        } else if (type.isEmpty() || type == u"n") {
            value = numberText(value.trimmed(), isDate, date1904_);
        } else if (type == u"b") {
            value = value.trimmed() == u"1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        } // str (a formula's text), inlineStr and e (an error such as #N/A) are text as they are
        QStringList& cells = rows_[row];
        cellCount_ += std::max<qsizetype>(0, column + 1 - cells.size());
        if (cellCount_ > sheetlimits::kMaxCells) {
            tooLarge_ = true;
            return false;
        }
        while (cells.size() <= column)
            cells << QString();
        cells[column] = value;
        return true;
    }

    const QStringList& strings_;
    const QSet<int> dateStyles_;
    const bool date1904_;
    int column_ = -1;
    std::map<int, QStringList> rows_;
    qsizetype cellCount_ = 0;
    bool tooLarge_ = false;
};

} // namespace

Sheet readWorkbook(const WorkbookParts& parts) {
    Sheet sheet;
    const auto book = readBook(parts);
    const auto strings = book ? readSharedStrings(parts) : std::nullopt;
    const auto part = book ? parts(book->sheetPart) : std::nullopt;
    if (!part || !strings) {
        sheet.error = kDamaged;
        return sheet;
    }
    SheetParser parser(*strings, readDateStyles(parts), book->date1904);
    if (!parser.parse(*part)) {
        sheet.error = parser.tooLarge() ? sheetlimits::kTooLarge : kDamaged;
        return sheet;
    }
    sheet.rows = parser.rows();
    sheet.sheetName = book->sheetName;
    return sheet;
}

Sheet readXlsx(const QByteArray& bytes) {
    ZipParts zip(bytes);
    if (!zip.isOpen())
        return {{}, kDamaged, {}};
    return readWorkbook(
        [&zip](const QString& name) { return zip.part(name, sheetlimits::kMaxPartBytes); });
}
