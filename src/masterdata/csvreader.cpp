#include "masterdata/csvreader.h"

#include <QStringDecoder>

namespace {

// The text of the bytes: a byte order mark names the encoding; bytes that are valid UTF-8 are
// UTF-8; anything else is read as GB18030.
QString decoded(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringConverter::Utf16LE)(bytes.mid(2));
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringConverter::Utf16BE)(bytes.mid(2));
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QStringDecoder("GB18030")(bytes);
}

QChar separatorOf(const QString& text) {
    const qsizetype end = text.indexOf(u'\n');
    const QStringView first = QStringView(text).left(end < 0 ? text.size() : end);
    return first.contains(u'\t') && !first.contains(u',') ? QChar(u'\t') : QChar(u',');
}

} // namespace

Sheet readCsv(const QByteArray& bytes) {
    Sheet sheet;
    const QString text = decoded(bytes);
    const QChar separator = separatorOf(text);
    QStringList cells;
    QString cell;
    int record = 1;
    int quoteOpenedIn = 0; // the record of an open quote, 0 when none is open
    qsizetype cellCount = 0;
    auto endCell = [&] {
        if (cells.size() < sheetlimits::kMaxColumns)
            cells << cell;
        cell.clear();
    };
    auto endRecord = [&] {
        endCell();
        bool empty = true;
        for (const QString& c : cells)
            empty = empty && c.trimmed().isEmpty();
        if (!empty) {
            cellCount += cells.size();
            sheet.rows.push_back({record, cells});
        }
        cells.clear();
        ++record;
    };
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != u'"')
                cell += c;
            else if (i + 1 < text.size() && text[i + 1] == u'"')
                cell += text[++i];
            else
                quoted = false;
        } else if (c == u'"' && cell.isEmpty()) {
            quoted = true;
            quoteOpenedIn = record;
        } else if (c == separator) {
            endCell();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            endRecord();
        } else {
            cell += c;
        }
        if (cellCount > sheetlimits::kMaxCells || record > sheetlimits::kMaxRows) {
            sheet.rows.clear();
            sheet.error = sheetlimits::kTooLarge;
            return sheet;
        }
    }
    if (quoted) {
        sheet.rows.clear();
        sheet.error =
            QStringLiteral("CSV文件第 %1 行的引号没有配对，文件可能已损坏。").arg(quoteOpenedIn);
        return sheet;
    }
    if (!cell.isEmpty() || !cells.isEmpty())
        endRecord();
    return sheet;
}
