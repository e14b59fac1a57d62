#include "admin/systeminitialisation.h"

#include "core/messages.h"
#include "core/sysdata.h"
#include "core/transaction.h"

#include <QStringList>

namespace systeminitialisation {

namespace {

const QStringList& statements() {
    static const QStringList list = {
        QStringLiteral("DELETE FROM OrderBsBy"),
        QStringLiteral("DELETE FROM OrderBsByD"),
        QStringLiteral("DELETE FROM OrderPur"),
        QStringLiteral("DELETE FROM OrderPurD"),
        QStringLiteral("DELETE FROM OrderPurT"),
        QStringLiteral("DELETE FROM OrderPurTD"),
        QStringLiteral("DELETE FROM OrderSale"),
        QStringLiteral("DELETE FROM OrderSaleD"),
        QStringLiteral("DELETE FROM OrderSaleT"),
        QStringLiteral("DELETE FROM OrderSaleTD"),
        QStringLiteral("DELETE FROM OrderDB"),
        QStringLiteral("DELETE FROM OrderDBD"),
        QStringLiteral("DELETE FROM FitemBank"),
        QStringLiteral("UPDATE Fproduct SET sumCount=0"),
        QStringLiteral("UPDATE Fsupplier SET exchMoney=0"),
        QStringLiteral("UPDATE Fcustomer SET exchMoney=0"),
        QStringLiteral("DELETE FROM OrderPD"),
        QStringLiteral("DELETE FROM OrderPDD"),
        // With the balances back at 0, what once lowered them is no longer part of them.
        QStringLiteral("DELETE FROM FSettle"),
    };
    return list;
}

bool confirmedCautiously(const QString& text) {
    return messages().cautiousQuestion(text, QStringLiteral("提示")) == Messages::kOk;
}

} // namespace

void run() {
    if (!confirmedCautiously(
            QStringLiteral("确定要进行系统初始化吗？初始化后，所有业务数据将被全部删除！")))
        return;
    if (!confirmedCautiously(QStringLiteral("再次确认要删除所有业务数据吗？此功能慎用！")))
        return;
    TQuery& q = sysData->QueryCommon;
    {
        // All or nothing: a book with half its documents gone would contradict its stock.
        Transaction t(sysData->myCon);
        for (const QString& sql : statements()) {
            q.load(sql);
            q.execute();
        }
        t.commit();
    }
    notice(QStringLiteral("初始化完成！"));
    q.close();
}

} // namespace systeminitialisation
