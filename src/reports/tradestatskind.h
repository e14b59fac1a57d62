#pragma once

#include <QString>

struct TradeKind;

// Everything that differs between the purchase and the sale statistics windows.
struct TradeStatsKind {
    QString windowClass;
    QString caption;
    QString nameLabel; // beside txtKey
    QString view;
    const TradeKind& first;  // the kind whose rows read first.journalType
    const TradeKind& second; // its return, drawn in red

    // Binds optDate1, optDate2 and, for a name typed, compName (bindSearch).
    QString listStatement(const QString& nameKey) const;
    // The lines of the document of a row with this orderType; binds orderID.
    QString lineStatement(const QString& orderType) const;
};

enum class TradeStatsKindId { Purchase, Sale };

const TradeStatsKind& tradeStatsKind(TradeStatsKindId id);
