#pragma once

#include "documents/tradekind.h"

#include <QDate>
#include <QString>
#include <vector>

// The writes a person waits for, each run as the program runs it: one durable transaction
// through the shared slot, with the statements of its window.
namespace writes {

// A posted trade document of ten lines, through the program's posting.
void postTrade(TradeKindId kind, const QString& code, const QDate& day);
// A stock transfer and a loss report of ten lines, with the statements of their windows.
void postTransfer(const QString& code, const QDate& day);
void postLossReport(const QString& code, const QDate& day);
// A money-out entry of the cash window.
void cashEntry(const QDate& day);

// A posted purchase as the purchase query holds it when "单据作废" is pressed.
struct PostedPurchase {
    QString orderID;
    QString compID;
    double acMoney = 0;
    double coMoney = 0;
    std::vector<std::pair<QString, float>> lines; // product ID, quantity
};
// The purchases of a date range, with what voiding them needs.
std::vector<PostedPurchase> purchasesBetween(const QDate& first, const QDate& last);
void voidPurchase(const PostedPurchase& purchase);

// The reference every write is measured against: one row, committed durably.
void oneRowCommit();

} // namespace writes
