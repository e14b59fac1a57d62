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
// A stock transfer and a loss report of ten lines, through the program's saving.
void postTransfer(const QString& code, const QDate& day);
void postLossReport(const QString& code, const QDate& day);
// A money-out entry of the cash window.
void cashEntry(const QDate& day);

// The codes of the purchases of a date range, and one voided as "单据作废" voids it.
std::vector<QString> purchasesBetween(const QDate& first, const QDate& last);
void voidPurchase(const QString& orderID);

// The reference every write is measured against: one row, committed durably.
void oneRowCommit();

} // namespace writes
