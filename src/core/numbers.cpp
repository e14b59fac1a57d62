#include "core/numbers.h"

#include <cmath>
#include <cstdlib>

namespace numbers {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Optional sign, digits with at most one point (at least one digit), optional exponent.
bool matchesRule(QStringView t) {
    qsizetype i = 0;
    const qsizetype n = t.size();
    if (i < n && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    bool digit = false, point = false;
    for (; i < n; ++i) {
        if (isDigit(t[i]))
            digit = true;
        else if (t[i] == u'.' && !point)
            point = true;
        else
            break;
    }
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

} // namespace

std::optional<double> toFloat(QStringView text) {
    if (!matchesRule(text))
        return std::nullopt;
    const QByteArray latin = text.toLatin1();
    const double v = std::strtod(latin.constData(), nullptr);
    if (!std::isfinite(v))
        return std::nullopt;
    return v;
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
    // %.15g keeps at most 15 significant digits and drops trailing zeros.
    QString text = QString::asprintf("%.15g", value);
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

QString money(double value) {
    return u'￥' + fixed2(value);
}

QString money(const Decimal& value) {
    return u'￥' + value.toFixed(2);
}

double roundCents(double value) {
    return Decimal::fromDouble(value).cents().toDouble();
}

} // namespace numbers
