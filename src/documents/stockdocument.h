#pragma once

#include "documents/documentlines.h"
#include "documents/freecode.h"
#include "documents/stockkind.h"

#include <QDate>
#include <QString>

// A stock transfer as its window holds it: the two warehouses (shown name and key), the
// header texts and the ten grid rows.
struct TransferDocument : DocumentLines {
    QString houseOutName;
    QString houseOutID;
    QString houseInName;
    QString houseInID;
    QString orderCode;
    std::optional<documents::CodeOrigin> codeOrigin; // while orderCode is the window's own
    QString empName;
    QDate date;
};

// A loss or overflow report as its window holds it.
struct LossOverflowDocument : DocumentLines {
    StockKindId type = StockKindId::Loss; // Loss or Overflow
    QString houseName;
    QString houseID;
    QString orderCode;
    std::optional<documents::CodeOrigin> codeOrigin; // while orderCode is the window's own
    QString empName;
    QDate date;
};
