#pragma once

#include "core/decimal.h"

#include <QDate>
#include <QString>
#include <array>

// A trade document as its window holds it: header texts and ten grid rows of twelve columns
// (1 product ID, 2 code, 3 name, 4 type, 5 unit, 6 price, 7 quantity, 8 amount, 9 remark,
// 10 lot number, 11 expiry, 12 maker), rows and columns counted from 1.
struct TradeDocument {
    static constexpr int kRows = 10;
    static constexpr int kColumns = 12;

    QString houseName;
    QString houseID;
    QString orderCode;
    QString compID;
    QString compName;
    QString empName;
    QDate date;
    QString sumMoney;     // amount due: the rounded sum of the line amounts
    QString money;        // amount settled on the document
    Decimal runningTotal; // unrounded sum of the line amounts

    QString& cell(int row, int column) {
        return cells[std::size_t(row - 1)][std::size_t(column - 1)];
    }
    const QString& cell(int row, int column) const {
        return cells[std::size_t(row - 1)][std::size_t(column - 1)];
    }

    std::array<std::array<QString, kColumns>, kRows> cells;
};
