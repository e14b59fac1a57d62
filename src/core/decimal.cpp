#include "core/decimal.h"

#include <charconv>
#include <cstdlib>
#include <stdexcept>

namespace {

using int128 = __int128;
constexpr int kMaxDigits = 36;

int128 pow10(int n) {
    int128 r = 1;
    for (int i = 0; i < n; ++i)
        r *= 10;
    return r;
}

const int128 kLimit = pow10(kMaxDigits + 1);

[[noreturn]] void overflow() {
    throw std::overflow_error("数值超出范围");
}

int128 checkedMul(int128 a, int128 b) {
    int128 r;
    if (__builtin_mul_overflow(a, b, &r) || r >= kLimit * 10 || r <= -kLimit * 10)
        overflow();
    return r;
}

// Divides by 10^n, rounding halves to even.
int128 divRoundEven(int128 value, int n) {
    if (n <= 0)
        return value;
    if (n > 38)
        return 0;
    const int128 divisor = pow10(n);
    int128 q = value / divisor;
    int128 r = value % divisor;
    const bool negative = value < 0;
    if (negative)
        r = -r;
    const int128 twice = r * 2;
    if (twice > divisor || (twice == divisor && (q % 2 != 0))) {
        q += negative ? -1 : 1;
    }
    return q;
}

} // namespace

namespace {

// The exponent part of a number text ("e-3", "E+12"), read first so that the digits before it
// are kept to the right number of places; nothing when it is malformed.
std::optional<long> exponentOf(QStringView text, int from) {
    int i = from;
    const int n = int(text.size());
    if (i >= n)
        return 0;
    ++i; // the e or E
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i >= n)
        return std::nullopt;
    long exponent = 0;
    for (; i < n; ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
        exponent = exponent * 10 + (text[i].unicode() - u'0');
        if (exponent > 1000)
            return std::nullopt;
    }
    return negative ? -exponent : exponent;
}

} // namespace

std::optional<Decimal> Decimal::parse(QStringView text) {
    int i = 0;
    const int n = int(text.size());
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int end = i; // where the digits and the point end
    while (end < n && ((text[end] >= u'0' && text[end] <= u'9') || text[end] == u'.'))
        ++end;
    if (end < n && text[end] != u'e' && text[end] != u'E')
        return std::nullopt;
    const auto exponent = exponentOf(text, end);
    if (!exponent)
        return std::nullopt;
    // Places of the digit text that survive at the finest scale once the exponent applies.
    const long keptPlaces = std::max(0L, kMaxScale + *exponent);

    int128 mantissa = 0;
    int scale = 0;
    int digits = 0; // significant digits kept in the mantissa
    // Zeros after the last non-zero digit wait here, so that trailing zeros of a fraction
    // ("1.50", a toFixed text) never count against the digit limit.
    int pendingZeros = 0;
    int pendingFraction = 0; // how many of them stand after the point
    bool anyDigit = false;
    bool seenPoint = false;
    int128 tail = 0; // the dropped digits, to round them correctly
    int tailDigits = 0;
    for (; i < end; ++i) {
        if (text[i] == u'.') {
            if (seenPoint)
                return std::nullopt;
            seenPoint = true;
            continue;
        }
        anyDigit = true;
        const int d = text[i].unicode() - u'0';
        if (seenPoint && scale >= keptPlaces) {
            if (tailDigits < 30) {
                tail = tail * 10 + d;
                ++tailDigits;
            } else if (d != 0) {
                tail |= 1; // keeps "more than half" distinguishable from "exactly half"
            }
            continue;
        }
        if (seenPoint)
            ++scale;
        if (d == 0) {
            if (mantissa != 0) {
                ++pendingZeros;
                pendingFraction += seenPoint ? 1 : 0;
            }
            continue;
        }
        digits += pendingZeros + 1;
        if (digits > kMaxDigits)
            return std::nullopt;
        mantissa = mantissa * pow10(pendingZeros + 1) + d;
        pendingZeros = pendingFraction = 0;
    }
    if (!anyDigit)
        return std::nullopt;

    if (tailDigits > 0) {
        // The dropped digits round the last kept place: the waiting zeros are real places.
        pendingFraction = 0;
    }
    scale -= pendingFraction;
    digits += pendingZeros - pendingFraction;
    if (digits > kMaxDigits)
        return std::nullopt;
    mantissa *= pow10(pendingZeros - pendingFraction);
    // Digits dropped beyond the finest scale round the kept mantissa.
    if (tailDigits > 0) {
        const int128 half = pow10(tailDigits) / 2;
        if (tail > half || (tail == half && mantissa % 2 != 0))
            mantissa += 1;
    }
    if (mantissa == 0)
        return Decimal();
    long s = long(scale) - *exponent;
    if (s < 0) {
        if (digits - s > kMaxDigits)
            return std::nullopt;
        mantissa *= pow10(int(-s));
        s = 0;
    } else if (s > kMaxScale) {
        mantissa = divRoundEven(mantissa, int(s - kMaxScale));
        s = kMaxScale;
    }
    return Decimal(negative ? -mantissa : mantissa, int(s));
}

Decimal Decimal::fromDouble(double value) {
    if (value != value || value == __builtin_inf() || value == -__builtin_inf())
        overflow();
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    const auto parsed = parse(QString::fromLatin1(buffer, int(result.ptr - buffer)));
    if (!parsed)
        overflow();
    return *parsed;
}

Decimal Decimal::withScale(int scale) const {
    if (scale >= scale_)
        return Decimal(checkedMul(mantissa_, pow10(scale - scale_)), scale);
    return Decimal(divRoundEven(mantissa_, scale_ - scale), scale);
}

Decimal Decimal::operator+(const Decimal& other) const {
    const int scale = std::max(scale_, other.scale_);
    const int128 a = withScale(scale).mantissa_;
    const int128 b = other.withScale(scale).mantissa_;
    int128 r;
    if (__builtin_add_overflow(a, b, &r))
        overflow();
    return Decimal(r, scale);
}

Decimal Decimal::operator-() const {
    return Decimal(-mantissa_, scale_);
}

Decimal Decimal::operator-(const Decimal& other) const {
    return *this + (-other);
}

Decimal Decimal::operator*(const Decimal& other) const {
    int128 a = mantissa_, b = other.mantissa_;
    int scale = scale_ + other.scale_;
    int128 r;
    if (__builtin_mul_overflow(a, b, &r))
        overflow();
    if (scale > kMaxScale) {
        r = divRoundEven(r, scale - kMaxScale);
        scale = kMaxScale;
    }
    return Decimal(r, scale);
}

Decimal Decimal::rounded(int places) const {
    if (places >= scale_)
        return *this;
    return Decimal(divRoundEven(mantissa_, scale_ - places), places);
}

int Decimal::compare(const Decimal& other) const {
    // Without subtracting: a large number and a fine fraction have no common scale that fits,
    // yet they still compare. Signs first, then whole parts, then the fractions at the finest
    // scale (below 10^30, so they fit).
    const auto sign = [](int128 m) { return m < 0 ? -1 : (m > 0 ? 1 : 0); };
    if (sign(mantissa_) != sign(other.mantissa_))
        return sign(mantissa_) < sign(other.mantissa_) ? -1 : 1;
    const int128 unitA = pow10(scale_), unitB = pow10(other.scale_);
    const int128 wholeA = mantissa_ / unitA, wholeB = other.mantissa_ / unitB;
    if (wholeA != wholeB)
        return wholeA < wholeB ? -1 : 1;
    const int128 partA = (mantissa_ % unitA) * pow10(kMaxScale - scale_);
    const int128 partB = (other.mantissa_ % unitB) * pow10(kMaxScale - other.scale_);
    return partA < partB ? -1 : (partA > partB ? 1 : 0);
}

namespace {

QString digitsOf(int128 value) {
    if (value == 0)
        return QStringLiteral("0");
    char buf[48];
    int p = sizeof buf;
    while (value > 0) {
        buf[--p] = char('0' + int(value % 10));
        value /= 10;
    }
    return QString::fromLatin1(buf + p, int(sizeof buf) - p);
}

QString render(int128 mantissa, int scale) {
    const bool negative = mantissa < 0;
    QString digits = digitsOf(negative ? -mantissa : mantissa);
    if (scale > 0) {
        if (digits.size() <= scale)
            digits = QString(scale - digits.size() + 1, u'0') + digits;
        digits.insert(digits.size() - scale, u'.');
    }
    return negative ? u'-' + digits : digits;
}

} // namespace

QString Decimal::toString() const {
    int128 m = mantissa_;
    int s = scale_;
    while (s > 0 && m % 10 == 0) {
        m /= 10;
        --s;
    }
    return render(m, s);
}

QString Decimal::toFixed(int places) const {
    const Decimal r = withScale(places);
    return render(r.mantissa_, places);
}

double Decimal::toDouble() const {
    const QByteArray text = toString().toLatin1();
    double value = 0;
    std::from_chars(text.constData(), text.constData() + text.size(), value);
    return value;
}
