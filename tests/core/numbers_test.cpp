#include "core/dates.h"
#include "core/numbers.h"

#include <gtest/gtest.h>

namespace {

TEST(Numbers, FloatToStrIsTheShortestFormWithFifteenDigits) {
    EXPECT_EQ(numbers::floatToStr(3.0), "3");
    EXPECT_EQ(numbers::floatToStr(12.50), "12.5");
    EXPECT_EQ(numbers::floatToStr(-0.250), "-0.25");
    EXPECT_EQ(numbers::floatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(numbers::floatToStr(1234567.89), "1234567.89");
    EXPECT_EQ(numbers::floatToStr(0.0), "0");
    EXPECT_EQ(numbers::floatToStr(-0.0), "0");
}

TEST(Numbers, DisplayFormsHaveTwoDecimals) {
    EXPECT_EQ(numbers::fixed2(0), "0.00");
    EXPECT_EQ(numbers::fixed2(125.5), "125.50");
    EXPECT_EQ(numbers::fixed2(-3), "-3.00");
    EXPECT_EQ(numbers::fixed2(1234567.885), "1234567.88");
    EXPECT_EQ(numbers::money(12.5), "￥12.50");
    EXPECT_EQ(numbers::money(Decimal::fromInt(-7)), "￥-7.00");
}

TEST(Numbers, AMoneyTextShowsTwoDecimalsAndAnyOtherTextStaysAsItIs) {
    EXPECT_EQ(numbers::fixed2(QStringLiteral("37.5")), "37.50");
    EXPECT_EQ(numbers::fixed2(QStringLiteral(" -3 ")), "-3.00");
    EXPECT_EQ(numbers::fixed2(QStringLiteral("0.125")), "0.12");
    EXPECT_EQ(numbers::fixed2(QStringLiteral("1e2")), "100.00");
    EXPECT_EQ(numbers::fixed2(QStringLiteral("")), "");
    EXPECT_EQ(numbers::fixed2(QStringLiteral("12.5元")), "12.5元");
}

TEST(Numbers, APriceShowsItsCentsOrAllItsDecimals) {
    EXPECT_EQ(numbers::priceText(QStringLiteral("12.5")), "12.50");
    EXPECT_EQ(numbers::priceText(QStringLiteral(" 3 ")), "3.00");
    EXPECT_EQ(numbers::priceText(QStringLiteral("0.125")), "0.125");
    EXPECT_EQ(numbers::priceText(QStringLiteral("2.6750")), "2.675");
    EXPECT_EQ(numbers::priceText(QStringLiteral("-0.0001")), "-0.0001");
    EXPECT_EQ(numbers::priceText(QStringLiteral("")), "");
    EXPECT_EQ(numbers::priceText(QStringLiteral("12.5元")), "12.5元");
}

TEST(Numbers, RoundingToCentsUsesTiesToEvenOnTheDecimalValue) {
    EXPECT_EQ(numbers::roundCents(0.125), 0.12);
    EXPECT_EQ(numbers::roundCents(0.375), 0.38);
    EXPECT_EQ(numbers::roundCents(2.675), 2.68);
    EXPECT_EQ(numbers::roundCents(0.135), 0.14);
    EXPECT_EQ(numbers::roundCents(1234567.89), 1234567.89);
}

TEST(Numbers, TheNumberRuleDecidesWhatIsANumber) {
    for (const char* good : {"0", "-1", "+2.5", ".5", "5.", "1e3", "1.5E-2", "007"})
        EXPECT_TRUE(numbers::isNumber(QString::fromLatin1(good))) << good;
    for (const char* bad : {"", "-", ".", "1.2.3", "abc", "1e", " 1", "1,5", "NaN", "inf"})
        EXPECT_FALSE(numbers::isNumber(QString::fromLatin1(bad))) << bad;
    EXPECT_FALSE(numbers::isNumber(QStringLiteral("１２３")));
    EXPECT_FALSE(numbers::isNumber(QString(400, u'9'))); // no finite double
    EXPECT_EQ(numbers::toFloatOrZero(QStringLiteral("  ")), 0.0);
    EXPECT_EQ(numbers::toFloatOrZero(QStringLiteral(" 2.5 ")), 2.5);
    EXPECT_FALSE(numbers::toFloatOrZero(QStringLiteral("x")).has_value());
    EXPECT_TRUE(numbers::toDecimalOrZero(QString())->isZero());
}

TEST(Dates, OneTextFormThatSortsAsTheCalendar) {
    EXPECT_EQ(dates::text(QDate(2026, 3, 5)), "2026-03-05");
    EXPECT_EQ(dates::fromText("2026-12-31"), QDate(2026, 12, 31));
    EXPECT_LT(dates::text(QDate(2026, 9, 30)), dates::text(QDate(2026, 10, 1)));
}

TEST(Dates, OneMonthBackClampsTheDay) {
    EXPECT_EQ(dates::monthBack(QDate(2026, 3, 31)), QDate(2026, 2, 28));
    EXPECT_EQ(dates::monthBack(QDate(2024, 3, 30)), QDate(2024, 2, 29));
    EXPECT_EQ(dates::monthBack(QDate(2026, 1, 15)), QDate(2025, 12, 15));
}

} // namespace
