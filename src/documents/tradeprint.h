#pragma once

#include "printing/printpage.h"

struct TradeDocument;
struct TradeKind;

// The printed page of an unsaved trade document as its window shows it: the title line, the
// header texts with the kind's labels and the ten grid rows.
PrintPage tradePrintPage(const TradeKind& kind, const QString& title, const TradeDocument& d);
