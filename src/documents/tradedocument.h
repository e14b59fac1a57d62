#pragma once

#include "core/decimal.h"
#include "documents/documentlines.h"
#include "documents/freecode.h"

#include <QDate>
#include <QString>

// A trade document as its window holds it: header texts and the ten grid rows.
struct TradeDocument : DocumentLines {
    QString houseName;
    QString houseID;
    QString orderCode;
    std::optional<documents::CodeOrigin> codeOrigin; // while orderCode is the window's own
    QString compID;
    QString compName;
    QString empName;
    QDate date;
    QString sumMoney;     // amount due: the rounded sum of the line amounts
    QString money;        // amount settled on the document
    Decimal runningTotal; // unrounded sum of the line amounts
};
