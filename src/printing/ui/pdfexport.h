#pragma once

#include <QString>

struct PrintPage;

// Writing a page into a PDF file, so that a document can be sent without a printer: one A4
// page laid out as on paper (the page margins stand in for a printer's unprintable edge).
namespace printing {

// Writes the page; false when the file cannot be written (nothing is said).
bool writePdf(const QString& fileName, const PrintPage& page);

// The file name offered for the page: its document code, or its title, with ".pdf".
QString pdfFileName(const PrintPage& page);

} // namespace printing
