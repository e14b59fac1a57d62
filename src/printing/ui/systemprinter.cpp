#include "printing/ui/printer.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

class SystemPrinter : public Printer {
public:
    SystemPrinter() : printer_(QPrinter::HighResolution) { printer_.setFullPage(false); }

    int resolution() override {
        if (!printer_.isValid())
            throw PrinterError("没有可用的打印机!");
        return printer_.resolution();
    }

    QSize printableSize() override {
        if (!printer_.isValid())
            throw PrinterError("没有可用的打印机!");
        return printer_.pageLayout().paintRectPixels(printer_.resolution()).size();
    }

    bool setup(QWidget* parent) override {
        QPrintDialog dialog(&printer_, parent);
        dialog.setWindowTitle(QStringLiteral("打印设置"));
        return dialog.exec() == QDialog::Accepted;
    }

    void print(const std::function<void(QPainter&)>& paint) override {
        QPainter painter;
        if (!painter.begin(&printer_))
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
    QPrinter printer_;
};

} // namespace

std::unique_ptr<Printer> systemPrinter() {
    return std::make_unique<SystemPrinter>();
}
