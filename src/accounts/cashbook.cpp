#include "accounts/cashbook.h"

#include "accounts/amounts.h"
#include "core/clock.h"
#include "core/dates.h"
#include "core/dberror.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "documents/afterbreak.h"

namespace accounts {

namespace {

const QString kRefusedAmount = QStringLiteral("金额不是有效的数字！");

int executeCommon(TQuery& q) {
    const int rows = q.execute();
    q.close();
    return rows;
}

// The new row's key, learned in the statement that writes it; nothing when no row was written.
std::optional<long long> insertEntry(TQuery& q, const CashEntry& entry, const Decimal& amount) {
    q.load(QStringLiteral("INSERT INTO FitemBank(optDate,orderType,sumMoney,empName,remark,itmID) "
                          "SELECT :optDate,:orderType,:sumMoney,:empName,:remark,itmID FROM Fitem "
                          "WHERE itmID=:itmID RETURNING bankID"));
    q.bind(u"optDate", dates::text(environment::now().date()));
    q.bind(u"orderType", entry.moneyIn ? QStringLiteral("现金进款") : QStringLiteral("现金出款"));
    q.bind(u"sumMoney", (entry.moneyIn ? amount : -amount).toString());
    q.bind(u"empName", entry.empName.trimmed());
    q.bind(u"remark", entry.remark.trimmed());
    q.bind(u"itmID", entry.itmID);
    q.open();
    std::optional<long long> key;
    if (!q.eof())
        key = q.field(u"bankID").asInteger();
    q.close();
    return key;
}

// Whether the row written under key is in the book after the connection broke.
documents::Found lookUpEntry(const std::optional<long long>& key) {
    if (!key)
        return documents::Found::Absent; // broken before the row was written: no commit sent
    return documents::askAfterBreak([&](TQuery& q) {
        q.load(QStringLiteral("SELECT COUNT(*) AS held FROM FitemBank WHERE bankID=:bankID"));
        q.bind(u"bankID", *key);
        q.open();
        return q.field(u"held").asInteger() > 0 ? documents::Found::Ours : documents::Found::Absent;
    });
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
    std::optional<long long> key;
    QString brokeNotice;
    try {
        key = transactions::retryingConflicts(sysData->myCon, [&] {
            key.reset();
            Transaction transaction(sysData->myCon);
            // Into an account that exists and stays: a row of a deleted one would be money no
            // account shows.
            if (!holdRow(q, masterrows::kAccount.table, masterrows::kAccount.keyColumn, entry.itmID,
                         RowHold::Referenced))
                return key;
            key = insertEntry(q, entry, *amount);
            transaction.commit();
            return key;
        });
    } catch (const DbError& e) {
        q.close();
        if (!e.connectionLost())
            throw;
        // Adding again blindly could enter the money twice: the book says which it was.
        const auto told = documents::tellAfterBreak(
            lookUpEntry(key), {QStringLiteral("与服务器的连接曾中断，已添加。"),
                               QStringLiteral("与服务器的连接已中断，未添加，请重新添加。"),
                               QStringLiteral("与服务器的连接已中断，无法确认是否已添加。"
                                              "请在现金银行明细中核对后再决定是否重新添加。")});
        if (!told)
            return Write::Broken;
        brokeNotice = *told;
    }
    if (!key) {
        notice(QStringLiteral("所选账户已被其他用户删除，请重新选择账户！"));
        return Write::Outdated;
    }
    notice(brokeNotice + QStringLiteral("添加成功！"));
    return Write::Done;
}

QString accountMessage(const QString& itmName, const QString& rest) {
    return QStringLiteral("科目：\"%1\"%2").arg(itmName, rest);
}

Write insertAccount(const QString& itmName, const QString& remark) {
    const std::optional<int> written = masterrows::writeChecked([&] {
        TQuery& q = sysData->QueryCommon;
        q.load(QStringLiteral("INSERT INTO Fitem(itmName,remark) VALUES(:itmName,:remark)"));
        q.bind(u"itmName", itmName.trimmed());
        q.bind(u"remark", remark.trimmed());
        return executeCommon(q);
    });
    if (!written)
        return Write::Outdated;
    if (*written <= 0)
        return Write::NoRow;
    notice(QStringLiteral("添加成功！"));
    return Write::Done;
}

Write updateAccount(const masterrows::ShownRow& account, const QString& itmName,
                    const QString& remark) {
    if (account.key == kCashAccount) {
        notice(
            accountMessage(QStringLiteral("现金"), QStringLiteral("为系统默认科目，请勿修改！")));
        return Write::Refused;
    }
    TQuery& q = sysData->QueryCommon;
    const std::optional<int> written = masterrows::writeChecked([&] {
        masterrows::requireAsShown(q, account);
        q.load(
            QStringLiteral("UPDATE Fitem SET itmName=:itmName,remark=:remark WHERE itmID=:itmID"));
        q.bind(u"itmName", itmName.trimmed());
        q.bind(u"remark", remark.trimmed());
        q.bind(u"itmID", account.key);
        return executeCommon(q);
    });
    if (!written)
        return Write::Outdated;
    if (*written <= 0)
        return Write::NoRow;
    notice(QStringLiteral("添加成功！"));
    return Write::Done;
}

bool deleteAccount(const QString& itmID, const QString& itmName) {
    const std::optional<int> deleted = masterrows::writeChecked([&] {
        return masterrows::deleteHeld(
            sysData->QueryCommon, masterrows::kAccount, itmID, [&](TQuery& q) {
                q.load(QStringLiteral("SELECT je FROM VitemBank WHERE itmID=:itmID"));
                q.bind(u"itmID", itmID);
                q.open();
                // A sum of floating amounts that should be 0 may be off by far less than a
                // cent.
                const bool hasBalance =
                    !q.eof() && !Decimal::fromDouble(q.field(u"je").asFloat()).cents().isZero();
                q.close();
                if (hasBalance)
                    throw Refusal(
                        accountMessage(itmName, QStringLiteral("已经有业务发生,不能删除!")));
                if (itmID == kCashAccount)
                    throw Refusal(accountMessage(QStringLiteral("现金"),
                                                 QStringLiteral("为系统默认科目，请勿删除！")));
            });
    });
    if (!deleted || *deleted <= 0)
        return false;
    notice(QStringLiteral("删除成功！"));
    return true;
}

} // namespace accounts
