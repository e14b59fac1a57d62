// What the fuzzer of the number rule and the decimal arithmetic found, kept as cases.
#include "core/decimal.h"

#include <gtest/gtest.h>

namespace {

Decimal parsed(const char* text) {
    const auto d = Decimal::parse(QString::fromLatin1(text));
    EXPECT_TRUE(d.has_value()) << text;
    return d.value_or(Decimal());
}

TEST(FuzzFindings, TrailingZerosOfAFractionDoNotCountAgainstTheDigitLimit) {
    const Decimal big = parsed("99999999999999999999999999999999999"); // 35 digits
    EXPECT_EQ(big.toFixed(2), "99999999999999999999999999999999999.00");
    EXPECT_EQ(parsed("99999999999999999999999999999999999.00"), big);
    EXPECT_EQ(parsed("1.5000000000000000000000000000000000000000"), parsed("1.5"));
    EXPECT_EQ(parsed("100.5000").toString(), "100.5");
    // Whole zeros are digits: 37 digits stay beyond range.
    EXPECT_FALSE(Decimal::parse(u"1000000000000000000000000000000000000").has_value());
}

TEST(FuzzFindings, ALargeNumberAndAFineFractionCompareWithoutOverflow) {
    const Decimal large = parsed("12345678901234567890");
    const Decimal fine = parsed("0.0000000000000000001");
    EXPECT_EQ(large.compare(fine), 1);
    EXPECT_EQ(fine.compare(large), -1);
    EXPECT_FALSE(large == fine);
    EXPECT_TRUE(-large < fine);
    EXPECT_TRUE(parsed("-1.5") < parsed("-1.2"));
    EXPECT_EQ(parsed("2.50").compare(parsed("2.5")), 0);
}

TEST(FuzzFindings, AnExponentDecidesHowManyPlacesOfTheDigitsAreKept) {
    EXPECT_EQ(parsed("0.00000000000000000000000000001845674407370955161225E1").toString(),
              "0.000000000000000000000000000185");
    EXPECT_EQ(parsed("1.23456789012345678901234567890123e-5").toString(),
              "0.000012345678901234567890123457");
    EXPECT_EQ(parsed("0.5e-30"), Decimal()); // half of the finest place, even neighbour 0
    EXPECT_EQ(parsed("1.5e-30").toString(), "0.000000000000000000000000000002");
}

} // namespace
