#pragma once

#include "printing/ui/printer.h"

#include <QImage>
#include <QSize>
#include <deque>
#include <vector>

// A printer for tests: a chosen resolution and printable area, set-up answers from a queue,
// and every printed page kept as a picture.
class TestPrinter : public Printer {
public:
    int dpi = 200;                 // k = 7
    QSize printable{1560, 2260};   // about A4 less the printer's margins, at 200 dpi
    bool available = true;         // false: asking the printer fails
    bool failPainting = false;     // painting a page fails midway
    std::deque<bool> setupAnswers; // OK (true) or Cancel for each set-up dialog
    int setups = 0;
    int jobsBegun = 0;
    int jobsEnded = 0;
    std::vector<QImage> pages;

    int resolution() override;
    QSize printableSize() override;
    bool setup(QWidget* parent) override;
    void print(const std::function<void(QPainter&)>& paint) override;
};
