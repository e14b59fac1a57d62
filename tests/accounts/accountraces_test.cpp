#include "accounts/assetregister.h"
#include "accounts/cashbook.h"
#include "accounts/settlement.h"
#include "core/sysdata.h"
#include "support/booktest.h"
#include "support/othercounter.h"

// Money accounts and asset categories while another counter writes what refers to them: the
// deletion waits for the other counter's transaction and then refuses on what it wrote.
namespace {

class AccountRaces : public OnEngines<BookTest> {
protected:
    long long keyOf(const QString& table, const QString& key, const QString& condition) {
        return scalar(QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(key, table, condition))
            .toLongLong();
    }
    long long addAccount(const QString& name) {
        exec(QStringLiteral("INSERT INTO Fitem(itmName,remark) VALUES('%1','')").arg(name));
        return keyOf("Fitem", "itmID", QStringLiteral("itmName='%1'").arg(name));
    }
    long long addAssetCategory(const QString& name) {
        exec(QStringLiteral("INSERT INTO FassCate(cateName) VALUES('%1')").arg(name));
        return keyOf("FassCate", "cateID", QStringLiteral("cateName='%1'").arg(name));
    }
};

TEST_P(AccountRaces, AnAccountGivenAnEntryMeanwhileIsNotDeleted) {
    const long long bank = addAccount("工商银行");
    OtherCounter other(anotherCounter(), anotherCounter());
    other.hold("Fitem", "itmID", bank, RowHold::Referenced);
    other.exec(QStringLiteral("INSERT INTO FitemBank(optDate,orderType,sumMoney,empName,remark,"
                              "itmID) VALUES('2026-03-15','现金进款',10,'','',%1)")
                   .arg(bank));
    const bool deleted = whileHeldBy(
        other, [&] { return accounts::deleteAccount(QString::number(bank), "工商银行"); });
    EXPECT_FALSE(deleted);
    EXPECT_EQ(messages_.last(), "科目：\"工商银行\"已经有业务发生,不能删除!");
    EXPECT_EQ(count("Fitem"), 2);
}

TEST_P(AccountRaces, AnEntryIntoAnAccountDeletedMeanwhileWritesNothing) {
    const long long bank = addAccount("工商银行");
    OtherCounter other(anotherCounter(), anotherCounter());
    other.hold("Fitem", "itmID", bank, RowHold::Removed);
    other.exec(QStringLiteral("DELETE FROM Fitem WHERE itmID=%1").arg(bank));
    const accounts::Write written = whileHeldBy(other, [&] {
        return accounts::addCashEntry({true, QString::number(bank), "12.5", "张三", ""});
    });
    EXPECT_EQ(written, accounts::Write::Outdated);
    EXPECT_EQ(messages_.last(), "所选账户已被其他用户删除，请重新选择账户！");
    EXPECT_EQ(count("FitemBank"), 0);
}

TEST_P(AccountRaces, AnAssetCategoryGivenAnAssetMeanwhileIsNotDeleted) {
    const long long office = addAssetCategory("办公设备");
    OtherCounter other(anotherCounter(), anotherCounter());
    other.hold("FassCate", "cateID", office, RowHold::Referenced);
    other.exec(QStringLiteral("INSERT INTO Fasset(assName,cateID,purPrice,purDate,remark) "
                              "VALUES('复印机',%1,3000,'2026-03-15','')")
                   .arg(office));
    const bool deleted =
        whileHeldBy(other, [&] { return assets::deleteCategory(QString::number(office)); });
    EXPECT_FALSE(deleted);
    EXPECT_EQ(messages_.last(), "此分类下存在资产信息，不能删除！");
    EXPECT_EQ(count("FassCate"), 1);
}

TEST_P(AccountRaces, AnAssetWrittenIntoACategoryDeletedMeanwhileIsRefused) {
    const long long office = addAssetCategory("办公设备");
    OtherCounter other(anotherCounter(), anotherCounter());
    other.hold("FassCate", "cateID", office, RowHold::Removed);
    other.exec(QStringLiteral("DELETE FROM FassCate WHERE cateID=%1").arg(office));
    const assets::Asset copier{"", QString::number(office), "复印机", "3000", kNow.date(), ""};
    const accounts::Write written = whileHeldBy(
        other, [&] { return assets::writeAsset(assets::kInsertAsset, copier, "添加成功！", {}); });
    EXPECT_EQ(written, accounts::Write::Outdated);
    EXPECT_EQ(messages_.last(), assets::kCategoryGone);
    EXPECT_EQ(count("Fasset"), 0);
}

TEST_P(AccountRaces, ASettlementWaitsForAPostingAndComparesTheBalanceItLeft) {
    const long long supplier = addSupplier("华强电子");
    exec(QStringLiteral("UPDATE Fsupplier SET exchMoney=100 WHERE compID=%1").arg(supplier));
    OtherCounter other(anotherCounter(), anotherCounter());
    other.exec(QStringLiteral("UPDATE Fsupplier SET exchMoney=exchMoney+50.5 WHERE compID=%1")
                   .arg(supplier));
    QString shown = "100";
    const accounts::Write written = whileHeldBy(other, [&] {
        return accounts::settleShownBalance("1", QString::number(supplier), "100", shown);
    });
    EXPECT_EQ(written, accounts::Write::Outdated);
    EXPECT_EQ(shown, "150.5");
    EXPECT_EQ(messages_.last(), "欠款金额已被其他用户改为 150.5，请核对后重新结款！");
    EXPECT_EQ(count("FSettle"), 0);
    EXPECT_EQ(
        number(QStringLiteral("SELECT exchMoney FROM Fsupplier WHERE compID=%1").arg(supplier)),
        150.5);
}

INSTANTIATE_ON_BOTH_ENGINES(AccountRaces);

} // namespace
