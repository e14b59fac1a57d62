#include "accounts/settlement.h"

#include "core/dberror.h"
#include "core/messages.h"
#include "core/refusal.h"
#include "core/rowlock.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "documents/afterbreak.h"
#include "documents/keptmove.h"
#include "masterdata/masterrows.h"

namespace accounts {

namespace {

QString tableOf(const QString& kind) {
    return kind == u"1" ? QStringLiteral("Fsupplier") : QStringLiteral("Fcustomer");
}

// The balance of the held counterpart, as the lists show it.
QString heldBalance(TQuery& q, const QString& table, const QString& compID) {
    if (!holdRow(q, table, QStringLiteral("compID"), compID, RowHold::Changed))
        throw Refusal(masterrows::kRemovedText);
    q.load(QStringLiteral("SELECT exchMoney FROM %1 WHERE compID=:compID").arg(table));
    q.bind(u"compID", compID);
    q.open();
    const QString balance = q.field(u"exchMoney").asText();
    q.close();
    return balance;
}

Decimal centsOf(const QString& balance) {
    return Decimal::parse(balance.trimmed()).value_or(Decimal::fromInt(0)).cents();
}

// Lowers the balance by value and records it; false when the counterpart is not there. When
// shown is given the balance must still be what it says.
bool settleWithin(const QString& table, const QString& compID, const Decimal& value,
                  QString* shown) {
    TQuery& q = sysData->QueryCommon;
    // The balance and the record of what lowered it, together or not at all.
    Transaction t(sysData->myCon);
    if (shown) {
        const QString now = heldBalance(q, table, compID);
        if (!(centsOf(now) == centsOf(*shown))) {
            *shown = now;
            throw Refusal(
                QStringLiteral("欠款金额已被其他用户改为 %1，请核对后重新结款！").arg(now));
        }
    }
    q.load(keptMove(table, "exchMoney", u'+', "compID"));
    q.bind(u"compID", compID);
    // The exact negation, not "-" glued to the text: "--100" would read as 0.
    q.bind(u"exchMoney", (-value).toString());
    const bool settled = q.execute() > 0;
    q.close();
    if (!settled)
        return false;
    q.load(QStringLiteral("INSERT INTO FSettle(compTable,compID,sumMoney) "
                          "VALUES(:compTable,:compID,:sumMoney)"));
    q.bind(u"compTable", table);
    q.bind(u"compID", compID);
    q.bind(u"sumMoney", value.toString());
    q.execute();
    q.close();
    t.commit();
    return true;
}

// Whether the settlement got through after the connection broke: the balance is the shown one
// lowered by value (Ours) or still the shown one (Absent). Without a shown balance, or with a
// balance that is neither, it cannot be told.
documents::Found lookUpSettled(const QString& table, const QString& compID, const Decimal& value,
                               const QString* shown) {
    if (!shown)
        return documents::Found::Unknown;
    return documents::askAfterBreak([&](TQuery& q) {
        q.load(QStringLiteral("SELECT exchMoney FROM %1 WHERE compID=:compID").arg(table));
        q.bind(u"compID", compID);
        q.open();
        if (q.eof())
            return documents::Found::Unknown;
        const Decimal now = centsOf(q.field(u"exchMoney").asText());
        if (now == (centsOf(*shown) - value).cents())
            return documents::Found::Ours;
        if (now == centsOf(*shown))
            return documents::Found::Absent;
        return documents::Found::Unknown;
    });
}

Write settle(const QString& kind, const QString& compID, const QString& amount, QString* shown) {
    const auto value = amountOf(amount, QStringLiteral("结算金额不是有效的数字！"));
    if (!value)
        return Write::Refused;
    bool settled = false;
    QString brokeNotice;
    try {
        settled = transactions::retryingConflicts(
            sysData->myCon, [&] { return settleWithin(tableOf(kind), compID, *value, shown); });
    } catch (const Refusal& refusal) {
        sysData->QueryCommon.close();
        notice(refusal.text());
        return Write::Outdated;
    } catch (const DbError& e) {
        sysData->QueryCommon.close();
        if (!e.connectionLost())
            throw;
        // Settling again blindly could lower the balance twice: the book says which it was.
        const auto told =
            documents::tellAfterBreak(lookUpSettled(tableOf(kind), compID, *value, shown),
                                      {QStringLiteral("与服务器的连接曾中断，结算已完成。"),
                                       QStringLiteral("与服务器的连接已中断，未结算，请重新结款。"),
                                       QStringLiteral("与服务器的连接已中断，无法确认是否已结算。"
                                                      "请核对欠款金额后再决定是否重新结款。")});
        if (!told)
            return Write::Broken;
        settled = true;
        brokeNotice = *told;
    }
    if (!settled)
        return Write::NoRow;
    notice(brokeNotice + QStringLiteral("结算成功！"));
    return Write::Done;
}

} // namespace

Write settleBalance(const QString& kind, const QString& compID, const QString& amount) {
    return settle(kind, compID, amount, nullptr);
}

Write settleShownBalance(const QString& kind, const QString& compID, const QString& amount,
                         QString& shown) {
    return settle(kind, compID, amount, &shown);
}

} // namespace accounts
