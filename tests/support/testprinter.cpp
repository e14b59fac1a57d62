#include "support/testprinter.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

int TestPrinter::resolution() {
    if (!available)
        throw PrinterError("没有可用的打印机!");
    return dpi;
}

QSize TestPrinter::printableSize() {
    if (!available)
        throw PrinterError("没有可用的打印机!");
    return printable;
}

bool TestPrinter::setup(QWidget*) {
    ++setups;
    if (setupAnswers.empty()) {
        ADD_FAILURE() << "unexpected printer set-up dialog";
        return false;
    }
    const bool ok = setupAnswers.front();
    setupAnswers.pop_front();
    return ok;
}

void TestPrinter::print(const std::function<void(QPainter&)>& paint) {
    QImage page(printable, QImage::Format_RGB32);
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);
    page.fill(Qt::white);
    QPainter painter(&page);
    ++jobsBegun;
    try {
        if (failPainting)
            throw PrinterError("打印机缺纸!");
        paint(painter);
    } catch (...) {
        painter.end();
        ++jobsEnded;
        throw;
    }
    painter.end();
    ++jobsEnded;
    pages.push_back(page);
}
