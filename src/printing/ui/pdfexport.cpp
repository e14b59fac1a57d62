#include "printing/ui/pdfexport.h"

#include "printing/printpage.h"
#include "printing/ui/pagepainter.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace printing {

namespace {

constexpr qreal kEdge = 5; // millimetres no printer prints on

// A4, upright, its edges left blank as a printer's would be.
QPageLayout pdfPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kEdge, kEdge, kEdge, kEdge), QPageLayout::Millimeter);
}

} // namespace

QSize pdfPrintableSize() {
    return pdfPageLayout().paintRectPixels(kPdfResolution).size();
}

bool writePdf(const QString& fileName, const PrintPage& page) {
    // Written beside the file and put in its place once whole: a full disk leaves the earlier
    // file of that name as it was.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QPdfWriter writer(&file);
    writer.setResolution(kPdfResolution);
    writer.setCreator(QStringLiteral("Vesk进销存软件"));
    // A reader lists the file by its title: the document's title and code.
    writer.setTitle((page.title + u' ' + page.documentCode).trimmed());
    writer.setPageLayout(pdfPageLayout());
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    report(painter, page, pixelsPerMillimetre(kPdfResolution));
    return painter.end() && file.commit();
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
