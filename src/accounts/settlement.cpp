#include "accounts/settlement.h"

#include "core/messages.h"
#include "core/sysdata.h"

namespace accounts {

Write settleBalance(const QString& kind, const QString& compID, const QString& amount) {
    const auto value = amountOf(amount, QStringLiteral("结算金额不是有效的数字！"));
    if (!value)
        return Write::Refused;
    TQuery& q = sysData->QueryCommon;
    q.load(kind == u"1" ? QStringLiteral("UPDATE Fsupplier SET exchMoney=exchMoney+:exchMoney "
                                         "WHERE compID=:compID")
                        : QStringLiteral("UPDATE Fcustomer SET exchMoney=exchMoney+:exchMoney "
                                         "WHERE compID=:compID"));
    q.bind(u"compID", compID);
    // The exact negation, not "-" glued to the text: "--100" would read as 0.
    q.bind(u"exchMoney", (-*value).toString());
    const bool settled = q.execute() > 0;
    q.close();
    if (!settled)
        return Write::NoRow;
    notice(QStringLiteral("结算成功！"));
    return Write::Done;
}

} // namespace accounts
