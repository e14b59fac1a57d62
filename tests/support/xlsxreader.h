#pragma once

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

// Reads back a workbook written by the program: the cells of its first sheet with their
// values, whether each is a number, and its style, from the XML inside the file.
class XlsxSheet {
public:
    struct Cell {
        QString value;
        bool number = false;
        int style = 0;
    };

    explicit XlsxSheet(const QString& fileName) : fileName_(fileName) {
        const QStringList strings = sharedStrings();
        QXmlStreamReader xml(part("xl/worksheets/sheet1.xml"));
        Cell cell;
        QString ref;
        QString type;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"c") {
                ref = xml.attributes().value(QLatin1String("r")).toString();
                type = xml.attributes().value(QLatin1String("t")).toString();
                cell = Cell{{},
                            type.isEmpty() || type == u"n",
                            xml.attributes().value(QLatin1String("s")).toInt()};
                cells_[ref] = cell;
            } else if (xml.isStartElement() && xml.name() == u"v") {
                const QString v = xml.readElementText();
                cells_[ref].value = type == u"s" ? strings.value(v.toInt()) : v;
            }
        }
        readable_ = !xml.hasError();
    }

    bool readable() const { return readable_; }
    // The cell at "A1"; an absent cell is empty.
    Cell cell(const QString& ref) const { return cells_.value(ref); }
    QString value(const QString& ref) const { return cells_.value(ref).value; }
    bool has(const QString& ref) const { return cells_.contains(ref); }
    // The values of one row from column A, as many as asked.
    QStringList row(int row, int columns) const {
        QStringList values;
        for (int c = 0; c < columns; ++c)
            values << value(QChar(u'A' + c) + QString::number(row));
        return values;
    }
    // The highest row number that holds a cell.
    int lastRow() const {
        int last = 0;
        for (const QString& ref : cells_.keys()) {
            int i = 0;
            while (i < ref.size() && ref[i].isLetter())
                ++i;
            last = std::max(last, ref.mid(i).toInt());
        }
        return last;
    }
    // A part of the file as text, e.g. "xl/styles.xml" or "xl/workbook.xml".
    QString part(const QString& name) const {
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), fileName_, name});
        unzip.waitForFinished();
        return QString::fromUtf8(unzip.readAllStandardOutput());
    }

private:
    QStringList sharedStrings() const {
        QStringList strings;
        QXmlStreamReader xml(part("xl/sharedStrings.xml"));
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"si")
                strings << QString();
            else if (xml.isStartElement() && xml.name() == u"t")
                strings.back() += xml.readElementText();
        }
        return strings;
    }

    QString fileName_;
    QMap<QString, Cell> cells_;
    bool readable_ = false;
};
