#pragma once

#include "core/messages.h"

#include <cstdio>

// For the tools that drive the program without a person (the bench, the tests' helper programs):
// every question is answered with OK, nothing is shown, and an error report goes to the standard
// error.
class SilentMessages : public Messages {
public:
    void notice(const QString&, const QString&) override {}
    void plainNotice(const QString&, const QString&) override {}
    int question(const QString&, const QString&) override { return kOk; }
    int cautiousQuestion(const QString&, const QString&) override { return kOk; }
    void errorReport(const QString& text) override {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    }
};
