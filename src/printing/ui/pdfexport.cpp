#include "printing/ui/pdfexport.h"

#include "printing/printpage.h"
#include "printing/ui/pagepainter.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace printing {

namespace {

constexpr int kResolution = 600; // dots per inch: k = 23, as on a common laser printer
constexpr qreal kEdge = 5;       // millimetres no printer prints on

} // namespace

bool writePdf(const QString& fileName, const PrintPage& page) {
    QPdfWriter writer(fileName);
    writer.setResolution(kResolution);
    writer.setCreator(QStringLiteral("Vesk进销存软件"));
    // A reader lists the file by its title: the document's title and code.
    writer.setTitle((page.title + u' ' + page.documentCode).trimmed());
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kEdge, kEdge, kEdge, kEdge),
                                     QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    report(painter, page, pixelsPerMillimetre(kResolution));
    return painter.end();
}

QString pdfFileName(const PrintPage& page) {
    QString name = page.documentCode.isEmpty() ? page.title : page.documentCode;
    // Characters no file system takes in a name.
    for (const QChar c : QStringLiteral("/\\:*?\"<>|"))
        name.replace(c, u'_');
    return (name.trimmed().isEmpty() ? QStringLiteral("单据") : name.trimmed()) +
           QStringLiteral(".pdf");
}

} // namespace printing
