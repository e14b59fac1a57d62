#pragma once

#include <QString>
#include <array>

// Everything that differs between the four trade documents, in entry and in posting.
struct TradeKind {
    QString windowClass;
    QString caption;
    QString titleColumn;     // the Ftitle column giving the title line
    QString prefix;          // document code prefix
    QString productMode;     // "1": purchase price offered, "2": sale price
    QString counterpartMode; // "1": suppliers, "2": customers
    QString counterpartLabel;
    QString dateLabel;
    QString houseLabel;
    QString dueLabel;     // beside txtSumMoney
    QString settledLabel; // beside txtMoney
    QString noCounterpartMessage;
    QString headerTable;
    QString lineTable;
    int lineTestColumn; // grid column whose text makes a row a line
    QString stockStatement;
    QString balanceStatement;
    QString journalType;
    int journalSign;         // the journal row carries the amount due times this sign
    QString printHouseLabel; // the printed page's labels of the warehouse and the date
    QString printDateLabel;

    QString headerStatement() const;
    QString lineStatement() const;
    QString counterpartTable() const; // Fsupplier or Fcustomer
};

enum class TradeKindId { Purchase, PurchaseReturn, Sale, SaleReturn };

const TradeKind& tradeKind(TradeKindId id);
const std::array<TradeKind, 4>& tradeKinds();
