// The money operations of the model-based test: settling a counterpart's balance as the
// settlement dialog does, and money in or out of an account as the entry dialog does.
#include "accounts/cashbook.h"
#include "accounts/settlement.h"
#include "core/sysdata.h"
#include "reliability/modelrun.h"

namespace model {

namespace {

QString writeResult(accounts::Write w) {
    return QString::number(int(w));
}

// What the model expects of a write and the message that goes with it.
struct Expected {
    accounts::Write write;
    QString message; // empty: none
};

} // namespace

bool ModelRun::settle() {
    const bool suppliers = chance(50);
    const QString table = suppliers ? QStringLiteral("Fsupplier") : QStringLiteral("Fcustomer");
    const long long comp = pick(counterparts[table]);
    QString compID = QString::number(comp);
    const bool known = !chance(6);
    if (!known)
        compID = pick(QStringList{"99999", "0", "-1", "abc", ""});

    TQuery q(sysData->myCon, "balance");
    q.load(QStringLiteral("SELECT exchMoney FROM %1 WHERE compID=:compID").arg(table));
    q.bind(u"compID", comp);
    q.open();
    const QString balance = q.field(u"exchMoney").asText(); // what the dialog prefills
    q.close();
    QString amount;
    bool faulty = false;
    switch (below(14)) {
    case 0:
    case 1:
    case 2:
        amount = balance;
        break;
    case 3:
        amount = "0";
        break;
    case 4:
        amount = u'-' + price().trimmed().remove(u'+');
        break;
    case 5:
        amount = chance(50) ? QString() : QStringLiteral("  "); // reads as nothing settled
        break;
    case 6:
        amount = notANumber(false);
        faulty = true;
        break;
    case 7:
        amount = tooManyDigits();
        faulty = true;
        break;
    case 8:
        amount = QString::number(100000000 + below(900000000)) + ".07";
        break;
    default:
        amount = price();
        break;
    }
    const Expected expected =
        faulty ? Expected{accounts::Write::Refused, QStringLiteral("结算金额不是有效的数字！")}
        : !known ? Expected{accounts::Write::NoRow, QString()}
                 : Expected{accounts::Write::Done, QStringLiteral("结算成功！")};
    tally("settlement", expected.write != accounts::Write::Done);
    description = QStringLiteral("settle '%1' of %2 %3 (balance %4)")
                      .arg(amount.left(30), table, compID, balance);
    const long long before = changes();
    const accounts::Write got = accounts::settleBalance(suppliers ? "1" : "2", compID, amount);
    if (got != expected.write)
        return fail(QStringLiteral("result %1, expected %2")
                        .arg(writeResult(got), writeResult(expected.write)));
    if (!(expected.message.isEmpty() ? expectNoMessage() : expectMessage(expected.message)))
        return false;
    if (got != accounts::Write::Done)
        return expectUnchanged(before);
    // The balance drops by the amount; no journal row, no account moves (the model's
    // journal and accounts stay as they were).
    // A prefilled balance may be a residue far below a cent ("1.81898940354586e-12"); to
    // millionths, the model's sums keep their range and still hold every cent.
    const Decimal settled = dec(amount).rounded(6);
    book.balances[table][comp] -= settled;
    return true;
}

bool ModelRun::cashEntry() {
    accounts::CashEntry entry;
    entry.moneyIn = chance(50);
    const long long account = pick(accountIDs);
    entry.itmID = QString::number(account);
    const bool known = !chance(6);
    if (!known)
        entry.itmID = pick(QStringList{"99999", "0", "abc", ""});
    entry.empName = text();
    entry.remark = chance(30) ? text() : QString();
    bool faulty = false;
    QString refusal = QStringLiteral("金额不是有效的数字！");
    switch (below(16)) {
    case 0:
        entry.amount = notANumber(false);
        faulty = true;
        break;
    case 1:
        entry.amount = tooManyDigits();
        faulty = true;
        break;
    case 2:
        entry.amount = u'-' + QString::number(1 + below(500));
        faulty = true;
        refusal = QStringLiteral("金额不能为负数！");
        break;
    case 3:
        entry.amount = "0";
        break;
    case 4:
        entry.amount = QString(); // reads as 0
        break;
    case 5:
        entry.amount = QString::number(100000000 + below(900000000)) + ".5";
        break;
    default:
        entry.amount = price();
        break;
    }
    const Expected expected =
        faulty   ? Expected{accounts::Write::Refused, refusal}
        : !known ? Expected{accounts::Write::Outdated,
                            QStringLiteral("所选账户已被其他用户删除，请重新选择账户！")}
                 : Expected{accounts::Write::Done, QStringLiteral("添加成功！")};
    tally("cash entry", expected.write != accounts::Write::Done);
    description =
        QStringLiteral("%1 '%2' account '%3'")
            .arg(entry.moneyIn ? "money in" : "money out", entry.amount.left(30), entry.itmID);
    const long long before = changes();
    const accounts::Write got = accounts::addCashEntry(entry);
    if (got != expected.write)
        return fail(QStringLiteral("result %1, expected %2")
                        .arg(writeResult(got), writeResult(expected.write)));
    if (!(expected.message.isEmpty() ? expectNoMessage() : expectMessage(expected.message)))
        return false;
    if (got != accounts::Write::Done)
        return expectUnchanged(before);

    const Decimal signedAmount = entry.moneyIn ? dec(entry.amount) : -dec(entry.amount);
    book.accounts[account] += signedAmount;
    ++book.journalRows;
    TQuery q(sysData->myCon, "entry");
    q.load("SELECT optDate, orderCode, orderType, sumMoney, empName, compName, itmID, remark "
           "FROM FitemBank ORDER BY bankID DESC LIMIT 1");
    q.open();
    const bool asEntered =
        q.field(u"optDate").asText() == "2026-03-15" && q.field(u"orderCode").isNull() &&
        q.field(u"compName").isNull() &&
        q.field(u"orderType").asText() == (entry.moneyIn ? "现金进款" : "现金出款") &&
        (Decimal::fromDouble(q.field(u"sumMoney").asFloat()) - signedAmount).cents().isZero() &&
        q.field(u"itmID").asInteger() == account &&
        q.field(u"empName").asText() == entry.empName.trimmed() &&
        q.field(u"remark").asText() == entry.remark.trimmed();
    if (!asEntered)
        return fail(QStringLiteral("the journal row reads %1 %2 %3 in %4")
                        .arg(q.field(u"optDate").asText(), q.field(u"orderType").asText(),
                             q.field(u"sumMoney").asText(), q.field(u"itmID").asText()));
    return true;
}

} // namespace model
