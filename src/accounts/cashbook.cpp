#include "accounts/cashbook.h"

#include "accounts/amounts.h"
#include "core/clock.h"
#include "core/dates.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/transaction.h"

namespace accounts {

namespace {

const QString kRefusedAmount = QStringLiteral("金额不是有效的数字！");

int executeCommon(TQuery& q) {
    const int rows = q.execute();
    q.close();
    return rows;
}

} // namespace

Write addCashEntry(const CashEntry& entry) {
    const auto amount = amountOf(entry.amount, kRefusedAmount);
    if (!amount)
        return Write::Refused;
    if (amount->isNegative()) {
        notice(QStringLiteral("金额不能为负数！"));
        return Write::Refused;
    }
    TQuery& q = sysData->QueryCommon;
    // Into an account that exists: a row of a deleted one would be money no account shows.
    q.load(QStringLiteral("INSERT INTO FitemBank(optDate,orderType,sumMoney,empName,remark,itmID) "
                          "SELECT :optDate,:orderType,:sumMoney,:empName,:remark,itmID FROM Fitem "
                          "WHERE itmID=:itmID"));
    q.bind(u"optDate", dates::text(environment::now().date()));
    q.bind(u"orderType", entry.moneyIn ? QStringLiteral("现金进款") : QStringLiteral("现金出款"));
    q.bind(u"sumMoney", (entry.moneyIn ? *amount : -*amount).toString());
    q.bind(u"empName", entry.empName.trimmed());
    q.bind(u"remark", entry.remark.trimmed());
    q.bind(u"itmID", entry.itmID);
    if (executeCommon(q) <= 0)
        return Write::NoRow;
    notice(QStringLiteral("添加成功！"));
    return Write::Done;
}

QString accountMessage(const QString& itmName, const QString& rest) {
    return QStringLiteral("科目：\"%1\"%2").arg(itmName, rest);
}

bool insertAccount(const QString& itmName, const QString& remark) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("INSERT INTO Fitem(itmName,remark) VALUES(:itmName,:remark)"));
    q.bind(u"itmName", itmName.trimmed());
    q.bind(u"remark", remark.trimmed());
    if (executeCommon(q) <= 0)
        return false;
    notice(QStringLiteral("添加成功！"));
    return true;
}

bool updateAccount(const QString& itmID, const QString& itmName, const QString& remark) {
    if (itmID == kCashAccount) {
        notice(
            accountMessage(QStringLiteral("现金"), QStringLiteral("为系统默认科目，请勿修改！")));
        return false;
    }
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("UPDATE Fitem SET itmName=:itmName,remark=:remark WHERE itmID=:itmID"));
    q.bind(u"itmName", itmName.trimmed());
    q.bind(u"remark", remark.trimmed());
    q.bind(u"itmID", itmID);
    if (executeCommon(q) <= 0)
        return false;
    notice(QStringLiteral("添加成功！"));
    return true;
}

bool deleteAccount(const QString& itmID, const QString& itmName) {
    Transaction transaction(sysData->myCon);
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT je FROM VitemBank WHERE itmID=:itmID"));
    q.bind(u"itmID", itmID);
    q.open();
    // A sum of floating amounts that should be 0 may be off by far less than a cent.
    const bool hasBalance =
        !q.eof() && !Decimal::fromDouble(q.field(u"je").asFloat()).cents().isZero();
    q.close();
    if (hasBalance) {
        notice(accountMessage(itmName, QStringLiteral("已经有业务发生,不能删除!")));
        return false;
    }
    if (itmID == kCashAccount) {
        notice(
            accountMessage(QStringLiteral("现金"), QStringLiteral("为系统默认科目，请勿删除！")));
        return false;
    }
    q.load(QStringLiteral("DELETE FROM Fitem WHERE itmID=:itmID"));
    q.bind(u"itmID", itmID);
    if (executeCommon(q) <= 0)
        return false;
    transaction.commit();
    notice(QStringLiteral("删除成功！"));
    return true;
}

} // namespace accounts
