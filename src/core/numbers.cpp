#include "core/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace numbers {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Reads an optional sign and digits with at most one point; returns where they end and tells
// whether a digit was among them.
qsizetype mantissaEnd(QStringView t, bool& digit) {
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    bool point = false;
    digit = false;
    for (; i < n; ++i) {
        if (isDigit(t[i]))
            digit = true;
        else if (t[i] == u'.' && !point)
            point = true;
        else
            break;
    }
    return i;
}

// Optional sign, digits with at most one point (at least one digit), optional exponent.
bool matchesRule(QStringView t) {
    const qsizetype n = t.size();
    bool digit = false;
    qsizetype i = mantissaEnd(t, digit);
    if (!digit)
        return false;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-'))
            ++i;
        if (i == n)
            return false;
        for (; i < n; ++i)
            if (!isDigit(t[i]))
                return false;
    }
    return i == n;
}

// For a text that follows the rule but lies beyond a double: whether it is too small (so reads
// as 0) rather than too large. Out of range means at least 300 decimal places either way, so
// the sign of the decimal exponent of the first significant digit decides.
bool belowDoubleRange(QByteArrayView t) {
    const qsizetype e = std::max(t.indexOf('e'), t.indexOf('E'));
    const QByteArrayView mantissa = e < 0 ? t : t.first(e);
    long long exponent = 0;
    if (e >= 0) {
        const QByteArrayView digits = t.sliced(e + 1);
        const bool negative = digits.startsWith('-');
        for (char c : digits)
            if (c >= '0' && c <= '9')
                exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
        if (negative)
            exponent = -exponent;
    }
    // The decimal place of the first significant digit: digits before the point count up
    // from 0, zeros after it down from -1.
    const qsizetype point = mantissa.indexOf('.');
    const QByteArrayView whole = point < 0 ? mantissa : mantissa.first(point);
    qsizetype leading = 0;
    while (leading < whole.size() &&
           (whole[leading] == '0' || whole[leading] == '-' || whole[leading] == '+'))
        ++leading;
    long long magnitude = whole.size() - leading - 1;
    if (leading == whole.size() && point >= 0) {
        magnitude = -1;
        for (qsizetype i = point + 1; i < mantissa.size() && mantissa[i] == '0'; ++i)
            --magnitude;
    }
    return magnitude + exponent < 0;
}

} // namespace

std::optional<double> toFloat(QStringView text) {
    if (!matchesRule(text))
        return std::nullopt;
    // from_chars reads the point whatever the user's locale; a leading '+' it does not take.
    QByteArray latin = text.toLatin1();
    if (latin.startsWith('+'))
        latin.remove(0, 1);
    double v = 0;
    const char* const last = latin.constData() + latin.size();
    const auto [end, error] = std::from_chars(latin.constData(), last, v);
    if (error == std::errc::result_out_of_range && belowDoubleRange(latin))
        return latin.startsWith('-') ? -0.0 : 0.0; // as strtod: too small a value reads as 0
    if (error != std::errc() || end != last || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool isOnTheWayToNumber(QStringView t) {
    const qsizetype n = t.size();
    bool digit = false;
    qsizetype i = mantissaEnd(t, digit);
    if (i < n && digit && (t[i] == u'e' || t[i] == u'E')) {
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-'))
            ++i;
        while (i < n && isDigit(t[i]))
            ++i;
    }
    return i == n;
}

QString narrowed(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E) // the wide forms of ASCII's printable characters
            c = QChar(char16_t(u - 0xFEE0));
        else if (u == 0x3000) // the wide blank
            c = u' ';
        else if (u == 0x3002) // 。 typed for the point with Chinese punctuation on
            c = u'.';
    }
    return result;
}

bool isNumber(QStringView text) {
    return toFloat(text).has_value();
}

std::optional<double> toFloatOrZero(QStringView text) {
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return 0.0;
    return toFloat(t);
}

std::optional<Decimal> toDecimalOrZero(QStringView text) {
    const QStringView t = text.trimmed();
    if (t.isEmpty())
        return Decimal();
    return Decimal::parse(t);
}

bool fitsTheBook(const Decimal& value) {
    static const Decimal limit = Decimal::fromInt(1'000'000'000'000);
    return -limit < value && value < limit;
}

bool isZeroToTheCent(double value) {
    // A cent or more never shows as 0.00; testing that first keeps huge values from the decimal.
    return std::abs(value) < 0.01 && Decimal::fromDouble(value).cents().isZero();
}

QString floatToStr(double value) {
    if (value == 0 || !std::isfinite(value))
        return value == 0 ? QStringLiteral("0") : QString::number(value);
    // Like %.15g: at most 15 significant digits, no trailing zeros, and a point in any locale.
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buffer, int(written.ptr - buffer));
    if (text.contains(u'e')) {
        // 1e+20 → 1E20, 1.5e-07 → 1.5E-7, as the program writes exponents.
        const qsizetype e = text.indexOf(u'e');
        QString mantissa = text.left(e);
        int exponent = text.mid(e + 1).toInt();
        text = mantissa + u'E' + QString::number(exponent);
    }
    return text;
}

QString fixed2(double value) {
    return Decimal::fromDouble(value).toFixed(2);
}

QString fixed2(const Decimal& value) {
    return value.toFixed(2);
}

QString fixed2(const QString& text) {
    const auto value = Decimal::parse(text.trimmed());
    return value ? fixed2(*value) : text;
}

QString priceText(const QString& text) {
    const auto value = Decimal::parse(text.trimmed());
    if (!value)
        return text;
    return value->cents() == *value ? fixed2(*value) : value->toString();
}

QString money(double value) {
    return u'￥' + fixed2(value);
}

QString money(const Decimal& value) {
    return u'￥' + fixed2(value);
}

double roundCents(double value) {
    return Decimal::fromDouble(value).cents().toDouble();
}

} // namespace numbers
