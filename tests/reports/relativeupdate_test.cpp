// Taking back what a relative update did, for several rows at once: each row ends as its own
// undoing one at a time would leave it, exact to the decimals the totals were posted in.
#include "core/decimal.h"
#include "core/sysdata.h"
#include "documents/keptmove.h"
#include "reports/relativeupdate.h"
#include "support/booktest.h"

#include <gtest/gtest.h>

namespace {

class UndoEach : public OnEngines<BookTest> {
protected:
    void SetUp() override {
        OnEngines<BookTest>::SetUp();
        for (const char* name : {"钢笔", "墨水", "纸"})
            products.push_back(QString::number(addProduct(QString::fromUtf8(name))));
        // Totals whose binary fractions drifted: 0.1 + 0.3 is not 0.4 in a double.
        exec(QStringLiteral("UPDATE Fproduct SET sumCount=0.1+0.3 WHERE prodID=%1")
                 .arg(products[0]));
        exec(QStringLiteral("UPDATE Fproduct SET sumCount=12.5 WHERE prodID=%1").arg(products[1]));
        exec(QStringLiteral("UPDATE Fproduct SET sumCount=7 WHERE prodID=%1").arg(products[2]));
    }
    QString stock(const QString& prodID) {
        return scalar(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(prodID));
    }
    static Decimal d(const char* text) { return *Decimal::parse(QString::fromUtf8(text)); }

    std::vector<QString> products;
    const RelativeUpdate purchased =
        RelativeUpdate::parse(QStringLiteral("UPDATE Fproduct SET sumCount=sumCount+:sumCount "
                                             "WHERE prodID=:prodID"));
};

TEST(RelativeUpdateForm, KeptMovesAreReadWithTheirTableColumnKeyAndSign) {
    const RelativeUpdate up =
        RelativeUpdate::parse(keptMove("Fproduct", "sumCount", u'+', "prodID"));
    EXPECT_EQ(QStringList({up.table, up.column, up.key}),
              QStringList({"Fproduct", "sumCount", "prodID"}));
    EXPECT_EQ(up.sign, 1);
    EXPECT_EQ(RelativeUpdate::parse(keptMove("Fcustomer", "exchMoney", u'-', "compID")).sign, -1);
    EXPECT_THROW(RelativeUpdate::parse("UPDATE Fproduct SET sumCount=inprice+:x WHERE prodID=:k"),
                 std::logic_error);
}

TEST_P(UndoEach, EachRowLosesItsOwnAmountAndAMissingRowIsLeftAlone) {
    purchased.undoEach(
        sysData->QueryCommon,
        {{products[1], d("2.25")}, {QStringLiteral("999999"), d("1")}, {products[0], d("0.1")}});
    EXPECT_EQ(stock(products[0]), "0.3");
    EXPECT_EQ(stock(products[1]), "10.25");
    EXPECT_EQ(stock(products[2]), "7");
}

TEST_P(UndoEach, NoLinesChangeNothing) {
    purchased.undoEach(sysData->QueryCommon, {});
    EXPECT_EQ(stock(products[1]), "12.5");
}

TEST_P(UndoEach, AProductOnTwoLinesLosesBoth) {
    purchased.undoEach(sysData->QueryCommon,
                       {{products[2], d("2")}, {products[1], d("0.5")}, {products[2], d("1.5")}});
    EXPECT_EQ(stock(products[2]), "3.5");
    EXPECT_EQ(stock(products[1]), "12");
}

INSTANTIATE_ON_BOTH_ENGINES(UndoEach);

} // namespace
