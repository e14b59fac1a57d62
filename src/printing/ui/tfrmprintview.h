#pragma once

#include "core/ui/tform.h"
#include "printing/printpage.h"

#include <QPixmap>
#include <QSize>

class Printer;
class QLabel;
class QScrollArea;
class QToolButton;

// The print preview: the page as a picture at screen scale, zoomed by the person, printed on
// the printer at the printer's scale or exported as a PDF file. Without a printer the page is
// laid out on the PDF's page. Callers fill a PrintPage and call showPage.
class TfrmPrintView : public TForm {
    Q_OBJECT
public:
    explicit TfrmPrintView(Printer& printer, QWidget* parent = nullptr);

    // Takes the page and shows the preview modally.
    void showPage(const PrintPage& page);

    const PrintPage& page() const { return page_; }
    int screenScale() const { return screenK_; }
    // The printer's k; without a printer, that of the PDF's page.
    int printerScale() const { return printerK_; }
    // The page image's size on screen (changed by zooming).
    QSize imageSize() const { return imageSize_; }

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetPrintImg();
    void PrintDoc();
    void placeImage();
    void zoom(bool in);
    // Says so when the preview was laid out without a printer.
    bool printerMissing();
    void tlPageSetClick();
    void tlPrintClick();
    // Writes the page into a PDF file the person names.
    void tlPdfClick();

    Printer& printer_;
    PrintPage page_;
    int screenK_ = 0;
    int printerK_ = 0;
    bool hasPrinter_ = false; // the printer could be asked when the page was laid out
    QSize imageSize_;
    QPixmap picture_;

    QToolButton* tlZoomMax;
    QToolButton* tlZoomMin;
    QToolButton* tlPageSet;
    QToolButton* tlPrint;
    QToolButton* tlPdf;
    QToolButton* tlColse;
    QScrollArea* scrollArea;
    QWidget* sheet; // what scrolls: the dark grey ground under the page image
    QLabel* imgDoc;
};
