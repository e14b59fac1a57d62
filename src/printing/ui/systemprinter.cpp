#include "printing/ui/printer.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

class SystemPrinter : public Printer {
public:
    SystemPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
        printer_->setFullPage(false);
    }

    int resolution() override {
        ask();
        return printer().resolution();
    }

    QSize printableSize() override {
        ask();
        return printer().pageLayout().paintRectPixels(printer().resolution()).size();
    }

    bool setup(QWidget* parent) override {
        QPrintDialog dialog(&printer(), parent);
        dialog.setWindowTitle(QStringLiteral("打印设置"));
        return dialog.exec() == QDialog::Accepted;
    }

    void print(const std::function<void(QPainter&)>& paint) override {
        QPainter painter;
        if (!painter.begin(&printer()))
            throw PrinterError("无法开始打印作业!");
        try {
            paint(painter);
        } catch (...) {
            painter.end();
            throw;
        }
        painter.end();
    }

private:
    // Throws when there is no printer to ask. Where none is installed, Qt stands in a PDF
    // writer without a file, which cannot print: that is no printer either.
    void ask() {
        QPrinter& p = printer();
        if (!p.isValid() ||
            (p.outputFormat() == QPrinter::PdfFormat && p.outputFileName().isEmpty()))
            throw PrinterError("没有可用的打印机!");
    }

    // The printer in a state to be set up or to print. A job that could not begin leaves a
    // QPrinter active for good (no later setting, such as a PDF file, takes), so a fresh one
    // with the same settings takes its place.
    QPrinter& printer() {
        if (printer_->printerState() != QPrinter::Idle)
            printer_ = renewed(*printer_);
        return *printer_;
    }

    static std::unique_ptr<QPrinter> renewed(const QPrinter& old) {
        auto fresh = std::make_unique<QPrinter>(QPrinter::HighResolution);
        fresh->setFullPage(old.fullPage());
        fresh->setOutputFormat(old.outputFormat());
        if (old.outputFormat() == QPrinter::NativeFormat)
            fresh->setPrinterName(old.printerName());
        if (!old.outputFileName().isEmpty())
            fresh->setOutputFileName(old.outputFileName());
        fresh->setPageLayout(old.pageLayout());
        fresh->setCopyCount(old.copyCount());
        fresh->setCollateCopies(old.collateCopies());
        fresh->setColorMode(old.colorMode());
        fresh->setDuplex(old.duplex());
        fresh->setPageOrder(old.pageOrder());
        return fresh;
    }

    std::unique_ptr<QPrinter> printer_;
};

} // namespace

std::unique_ptr<Printer> systemPrinter() {
    return std::make_unique<SystemPrinter>();
}
