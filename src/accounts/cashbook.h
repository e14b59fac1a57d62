#pragma once

#include "accounts/amounts.h"
#include "masterdata/masterrows.h"

#include <QString>

// Money accounts and their manual entries.
namespace accounts {

// The cash account "现金": every posted document's journal row goes to it, so it can be
// neither renamed nor deleted.
inline const QString kCashAccount = QStringLiteral("1");

// What a manual entry writes: money in or out of one account, dated today.
struct CashEntry {
    bool moneyIn = true;
    QString itmID;
    QString amount; // as typed; a money-out entry is stored negated
    QString empName;
    QString remark;
};

// Writes the entry into the journal and reports "添加成功！". Refuses, with a message and
// without writing, an amount that is no number or is negative (the sign comes from the
// entry's direction); for an account deleted meanwhile says so and writes nothing (Outdated).
// The account is held while the entry goes in, so that no other counter deletes it meanwhile.
// When the connection to the server breaks on the way, the entry is looked for by its key on a
// new session and the person is told it was added (Done), was not, or cannot be known (Broken),
// so that adding it again never enters the money twice.
Write addCashEntry(const CashEntry& entry);

// "科目：\"现金\"为系统默认科目，请勿修改！" and the like, for the account's name and a verb.
QString accountMessage(const QString& itmName, const QString& rest);

// Adds an account and reports "添加成功！". Outdated when a lost connection left it not added or
// not known to be (the person has been told).
Write insertAccount(const QString& itmName, const QString& remark);
// Renames the account as the window showed it and reports "添加成功！" (the dialog's own
// word). Refuses, with its message, the cash account, and (Outdated) an account that another
// counter has changed or removed since it was shown.
Write updateAccount(const masterrows::ShownRow& account, const QString& itmName,
                    const QString& remark);
// Deletes an account without a question when its balance is 0 to the cent, refusing an
// account with a balance and then the cash account, each with its message; reports
// "删除成功！". The balance is read afresh on the account held, in one transaction with the
// deletion; an account removed meanwhile is refused too. The account's journal rows (adding
// up to 0) stay. Returns true when a row was deleted.
bool deleteAccount(const QString& itmID, const QString& itmName);

} // namespace accounts
