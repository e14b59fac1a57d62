#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// An exact decimal number: a 128-bit integer mantissa over a power of ten. Money and
// quantities are computed with it so that 0.1 × 3 is 0.3 and a cent is never lost; rounding
// happens only where a caller asks for it, always with ties to even on the exact value.
class Decimal {
public:
    static constexpr int kMaxScale = 30;

    constexpr Decimal() = default;
    static Decimal fromInt(long long value) { return Decimal(value, 0); }
    // The number rule: optional sign, digits, optional point, optional exponent; nothing else.
    // Returns nothing for any other text and for magnitudes beyond about 10^36.
    static std::optional<Decimal> parse(QStringView text);
    // The shortest decimal that reads back as the same double (2.675 stays 2.675).
    static Decimal fromDouble(double value);

    Decimal operator+(const Decimal& other) const;
    Decimal operator-(const Decimal& other) const;
    Decimal operator*(const Decimal& other) const;
    Decimal operator-() const;
    Decimal& operator+=(const Decimal& other) { return *this = *this + other; }
    Decimal& operator-=(const Decimal& other) { return *this = *this - other; }

    // Rounded to the given number of decimals, halves to the even neighbour.
    Decimal rounded(int places) const;
    Decimal cents() const { return rounded(2); }

    int compare(const Decimal& other) const;
    bool operator==(const Decimal& other) const { return compare(other) == 0; }
    bool operator<(const Decimal& other) const { return compare(other) < 0; }
    bool isZero() const { return mantissa_ == 0; }
    bool isNegative() const { return mantissa_ < 0; }

    // Exact text without trailing zeros: 12.5, 3, -0.25.
    QString toString() const;
    // Rounded (ties to even) and written with exactly the given number of decimals.
    QString toFixed(int places) const;
    double toDouble() const;

private:
    constexpr Decimal(__int128 mantissa, int scale) : mantissa_(mantissa), scale_(scale) {}
    Decimal withScale(int scale) const;

    __int128 mantissa_ = 0;
    int scale_ = 0;
};
