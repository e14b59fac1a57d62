#pragma once

#include <QString>
#include <array>

// Everything that differs between the three stock documents that involve no counterpart and
// no money: the transfer between warehouses, the loss and the overflow.
struct StockKind {
    QString prefix;         // document code prefix
    QString titleColumn;    // the Ftitle column giving the title line
    QString productMode;    // the product picker's mode: always the purchase price
    QString lineTable;      // the header statements are each document's own
    QString orderType;      // stored in OrderBsBy.orderType; empty for the transfer
    QString houseLabel;     // beside cbHouseIn, the receiving or the counted warehouse
    QString dateLabel;      // beside dtDate
    QString stockStatement; // run once per line; empty for the transfer, which moves none

    QString lineStatement() const;
};

enum class StockKindId { Transfer, Loss, Overflow };

const StockKind& stockKind(StockKindId id);

// The loss/overflow type box lists the loss first, then the overflow.
inline constexpr std::array<StockKindId, 2> kLossOverflowTypes{StockKindId::Loss,
                                                               StockKindId::Overflow};
