#pragma once

#include <QSize>
#include <functional>
#include <memory>
#include <stdexcept>

class QPainter;
class QWidget;

// What the preview needs of a printer; the program's is the system printer, the tests' a
// double that prints into pictures.
class Printer {
public:
    virtual ~Printer() = default;
    // Horizontal pixels per inch. Throws PrinterError when there is no printer to ask.
    virtual int resolution() = 0;
    // The printable area in printer pixels; its top-left corner is the page origin.
    virtual QSize printableSize() = 0;
    // The printer set-up dialog; true on OK.
    virtual bool setup(QWidget* parent) = 0;
    // One print job of one page: begins it, paints, and ends it also when painting throws.
    virtual void print(const std::function<void(QPainter&)>& paint) = 0;
};

// A printer that cannot be asked or cannot start a job; its text is for the error report.
class PrinterError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The printer of the system: the default printer, or the one chosen in the set-up dialog.
std::unique_ptr<Printer> systemPrinter();
