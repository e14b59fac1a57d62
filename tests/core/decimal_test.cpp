#include "core/decimal.h"

#include <gtest/gtest.h>

namespace {

Decimal d(const char* text) {
    const auto v = Decimal::parse(QString::fromLatin1(text));
    EXPECT_TRUE(v.has_value()) << text;
    return v.value_or(Decimal());
}

std::string cents(const char* price, const char* quantity) {
    return (d(price) * d(quantity)).cents().toFixed(2).toStdString();
}

TEST(Decimal, LineAmountsAreExactToTheCent) {
    EXPECT_EQ(cents("0.1", "3"), "0.30");
    EXPECT_EQ(cents("19.99", "7"), "139.93");
    EXPECT_EQ(cents("12345.67", "3"), "37037.01");
    EXPECT_EQ(cents("1234567.89", "1"), "1234567.89");
    EXPECT_EQ(cents("99999999.99", "1000"), "99999999990.00");
}

TEST(Decimal, HalfCentsRoundToTheEvenCentOnTheExactValue) {
    EXPECT_EQ(cents("2.675", "1"), "2.68");
    EXPECT_EQ(cents("0.135", "1"), "0.14");
    EXPECT_EQ(cents("0.125", "1"), "0.12");
    EXPECT_EQ(cents("0.375", "1"), "0.38");
    EXPECT_EQ(cents("-0.125", "1"), "-0.12");
    EXPECT_EQ(cents("-2.675", "1"), "-2.68");
    EXPECT_EQ(cents("0.1251", "1"), "0.13");
    EXPECT_EQ(cents("0.33", "0.5"), "0.16"); // 0.165 exactly: to the even 0.16
}

TEST(Decimal, DoublesEnterAsTheirShortestDecimal) {
    EXPECT_EQ(Decimal::fromDouble(2.675).cents().toFixed(2), "2.68");
    EXPECT_EQ(Decimal::fromDouble(0.1 + 0.2).toString(), "0.30000000000000004");
    EXPECT_EQ(Decimal::fromDouble(1234567.89).toString(), "1234567.89");
    EXPECT_EQ(Decimal::fromDouble(-0.0).toString(), "0");
}

TEST(Decimal, SumsAndDifferencesAreExact) {
    Decimal total;
    for (int i = 0; i < 10; ++i)
        total += d("0.1");
    EXPECT_EQ(total.toString(), "1");
    EXPECT_EQ((d("100") - d("30.01")).toString(), "69.99");
    EXPECT_EQ((d("5") + d("-5")).isZero(), true);
    EXPECT_TRUE(d("1.10") == d("1.1"));
    EXPECT_TRUE(d("-0.01") < d("0"));
}

TEST(Decimal, TextFormsDropTrailingZeros) {
    EXPECT_EQ(d("12.50").toString(), "12.5");
    EXPECT_EQ(d("3.0").toString(), "3");
    EXPECT_EQ(d("-0.250").toString(), "-0.25");
    EXPECT_EQ(d("0.05").toFixed(2), "0.05");
    EXPECT_EQ(d("-0.5").toFixed(0), "0");
    EXPECT_EQ(d("1.5e3").toString(), "1500");
    EXPECT_EQ(d("25E-3").toString(), "0.025");
    EXPECT_EQ(d(".5").toString(), "0.5");
    EXPECT_EQ(d("5.").toString(), "5");
    EXPECT_EQ(d("+7").toString(), "7");
}

TEST(Decimal, ParseFollowsTheNumberRuleOnly) {
    for (const char* bad : {"", " ", "-", "+", ".", "1.2.3", "1e", "1e+", "abc", "1,000", " 1",
                            "1 ", "0x10", "1e5.5", "--1", "1-", "e5", "١٢"})
        EXPECT_FALSE(Decimal::parse(QString::fromUtf8(bad)).has_value()) << bad;
    EXPECT_FALSE(Decimal::parse(QStringLiteral("１２３")).has_value()); // full-width digits
    EXPECT_FALSE(Decimal::parse(QString(400, u'9')).has_value());       // beyond the range
    EXPECT_FALSE(Decimal::parse(QStringLiteral("1e400")).has_value());
}

TEST(Decimal, OverflowThrowsInsteadOfWrapping) {
    const Decimal big = d("999999999999999999");
    EXPECT_THROW(big * big * big, std::overflow_error);
}

} // namespace
