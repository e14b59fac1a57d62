#pragma once

#include "core/ui/scannerpace.h"

#include <QObject>

// Some scanners are set to end a code with Tab rather than Enter, as for filling in forms.
// Watching every key the program is given, this turns the Tab that ends a code arriving at a
// scanner's pace into the Enter every window takes a scanned code by: without it the code's
// Tab left the lines of a document, and the next code landed in the amount settled.
class ScannerTabs : public QObject {
public:
    // Watches the application's keys for as long as the application lives.
    static void watchApplication();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    ScannerPace pace_;
    bool sending_ = false;
};
