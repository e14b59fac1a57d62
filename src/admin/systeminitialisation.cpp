#include "admin/systeminitialisation.h"

#include "admin/othercounters.h"
#include "core/connection.h"
#include "core/dberror.h"
#include "core/messages.h"
#include "core/sysdata.h"
#include "core/transaction.h"
#include "schema/totals.h"

#include <QStringList>
#include <vector>

namespace systeminitialisation {

namespace {

// A table the initialisation empties, or whose kept stock or balances it sets back to 0.
struct Reset {
    const char* table;
    const char* set = nullptr; // every row deleted when there is none
};

const std::vector<Reset>& resets() {
    static const std::vector<Reset> list = {
        {"OrderBsBy"},
        {"OrderBsByD"},
        {"OrderPur"},
        {"OrderPurD"},
        {"OrderPurT"},
        {"OrderPurTD"},
        {"OrderSale"},
        {"OrderSaleD"},
        {"OrderSaleT"},
        {"OrderSaleTD"},
        {"OrderDB"},
        {"OrderDBD"},
        {"FitemBank"},
        {"Fproduct", "sumCount=0"},
        {"Fsupplier", "exchMoney=0"},
        {"Fcustomer", "exchMoney=0"},
        {"OrderPD"},
        {"OrderPDD"},
        // With the balances back at 0, what once lowered them is no longer part of them.
        {"FSettle"},
    };
    return list;
}

QString statement(const Reset& reset) {
    const QString table = QString::fromLatin1(reset.table);
    return reset.set ? QStringLiteral("UPDATE %1 SET %2").arg(table, QString::fromLatin1(reset.set))
                     : QStringLiteral("DELETE FROM ") + table;
}

// On a server, what other counters are writing into these tables is waited for, and they wait
// until this ends: a document committed between two of the statements would outlive the
// initialisation with its stock and balances set to nothing. Reading goes on. The embedded
// book's writing transaction holds the whole book already.
QString holdingEveryTable() {
    QStringList tables;
    for (const Reset& reset : resets())
        tables << QString::fromLatin1(reset.table);
    return QStringLiteral("LOCK TABLE %1 IN EXCLUSIVE MODE").arg(tables.join(u','));
}

bool confirmedCautiously(const QString& text) {
    return messages().cautiousQuestion(text, QStringLiteral("提示")) == Messages::kOk;
}

// Emptied row by row, every line and journal row would be taken back from the kept totals by
// their triggers one at a time: minutes on a book of years, with the window frozen and, on a
// server, every counter waiting. Once everything is gone the totals are known, so the triggers
// are set aside while the tables are emptied and made anew after, in the same transaction. A
// server role that does not own the book may not drop them, and empties it under them.
bool setsTheTotalsAside(TQuery& q) {
    if (!sysData->myCon.isServer())
        return true;
    q.load(QStringLiteral("SELECT CASE WHEN pg_has_role(relowner, 'USAGE') THEN 1 ELSE 0 END AS "
                          "owns FROM pg_class WHERE oid = 'fitembank'::regclass"));
    q.open();
    const bool owns = q.field(u"owns").asText() == QStringLiteral("1");
    q.close();
    return owns;
}

} // namespace

void run() {
    if (!confirmedCautiously(
            QStringLiteral("确定要进行系统初始化吗？初始化后，所有业务数据将被全部删除！") +
            otherCountersWarning(sysData->QueryCommon)))
        return;
    if (!confirmedCautiously(QStringLiteral("再次确认要删除所有业务数据吗？此功能慎用！")))
        return;
    TQuery& q = sysData->QueryCommon;
    Connection& con = sysData->myCon;
    const schema::Engine engine =
        con.isServer() ? schema::Engine::Server : schema::Engine::Embedded;
    transactions::retryingConflicts(con, [&] {
        // All or nothing: a book with half its documents gone would contradict its stock.
        Transaction t(con);
        if (con.isServer())
            con.run(holdingEveryTable().toUtf8().constData());
        const bool aside = setsTheTotalsAside(q);
        if (aside)
            con.run(schema::dropTotalsTriggers(engine).c_str());
        for (const Reset& reset : resets()) {
            q.load(statement(reset));
            q.execute();
        }
        if (aside) {
            con.run(schema::emptiedTotals().c_str());
            con.run(schema::totalsTriggers(engine).c_str());
        }
        t.commit();
    });
    // The emptied pages would stay in the file, and the log beside it holds as many: a book of
    // years kept its size and every backup copied them. Giving them back is no part of the
    // initialisation, which is done: a book that cannot be shrunk now (another copy of the
    // program is writing) stays as large.
    if (!con.isServer()) {
        try {
            con.run("VACUUM");
            con.run("PRAGMA wal_checkpoint(TRUNCATE)");
        } catch (const DbError&) {
        }
    }
    notice(QStringLiteral("初始化完成！"));
    q.close();
}

} // namespace systeminitialisation
