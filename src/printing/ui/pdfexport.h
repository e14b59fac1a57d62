#pragma once

#include <QSize>
#include <QString>

struct PrintPage;

// Writing a page into a PDF file, so that a document can be sent without a printer: one A4
// page laid out as on paper (the page margins stand in for a printer's unprintable edge).
namespace printing {

// Dots per inch of the PDF's page: k = 23, as on a common laser printer.
inline constexpr int kPdfResolution = 600;

// The part of the PDF's A4 page that is drawn on, in pixels at kPdfResolution: also the page
// the preview lays out when there is no printer to ask.
QSize pdfPrintableSize();

// Writes the page; false when the file cannot be written (nothing is said), an earlier file
// of that name then left as it was.
bool writePdf(const QString& fileName, const PrintPage& page);

// The file name offered for the page: its document code, or its title, with ".pdf".
QString pdfFileName(const PrintPage& page);

} // namespace printing
