#include "accounts/settlement.h"

#include "core/messages.h"
#include "core/sysdata.h"
#include "core/transaction.h"

namespace accounts {

Write settleBalance(const QString& kind, const QString& compID, const QString& amount) {
    const auto value = amountOf(amount, QStringLiteral("结算金额不是有效的数字！"));
    if (!value)
        return Write::Refused;
    const QString table = kind == u"1" ? QStringLiteral("Fsupplier") : QStringLiteral("Fcustomer");
    TQuery& q = sysData->QueryCommon;
    {
        // The balance and the record of what lowered it, together or not at all.
        Transaction t(sysData->myCon);
        q.load(QStringLiteral("UPDATE %1 SET exchMoney=exchMoney+:exchMoney WHERE compID=:compID")
                   .arg(table));
        q.bind(u"compID", compID);
        // The exact negation, not "-" glued to the text: "--100" would read as 0.
        q.bind(u"exchMoney", (-*value).toString());
        const bool settled = q.execute() > 0;
        q.close();
        if (!settled)
            return Write::NoRow;
        q.load(QStringLiteral("INSERT INTO FSettle(compTable,compID,sumMoney) "
                              "VALUES(:compTable,:compID,:sumMoney)"));
        q.bind(u"compTable", table);
        q.bind(u"compID", compID);
        q.bind(u"sumMoney", value->toString());
        q.execute();
        q.close();
        t.commit();
    }
    notice(QStringLiteral("结算成功！"));
    return Write::Done;
}

} // namespace accounts
