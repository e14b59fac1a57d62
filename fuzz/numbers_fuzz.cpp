// libFuzzer target for the text-to-number rule and the decimal arithmetic (built and run by
// scripts/fuzz.sh, not by the normal build). The input is two texts separated by a newline;
// the first byte chooses how the bytes become characters, so that both UTF-8 and arbitrary
// 16-bit characters reach the parser.
#include "core/decimal.h"
#include "core/numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace {

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

QString textOf(const std::uint8_t* data, std::size_t size, bool wide) {
    if (!wide)
        return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QString t;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        t += QChar(char16_t(data[i] | (data[i + 1] << 8)));
    return t;
}

void checkOne(const QString& text) {
    const auto value = Decimal::parse(text);
    const bool rule = numbers::isNumber(text);
    (void)numbers::toFloatOrZero(text);
    (void)numbers::toDecimalOrZero(text);
    if (!value)
        return;
    if (!rule)
        broken("the decimal reads a text that the number rule refuses");
    const Decimal d = *value;
    const auto again = Decimal::parse(d.toString());
    if (!again || !(*again == d))
        broken("toString does not read back");
    const Decimal c = d.cents();
    if (!(c.cents() == c))
        broken("cents is not idempotent");
    const auto fixed = Decimal::parse(d.toFixed(2));
    if (!fixed || !(*fixed == c))
        broken("toFixed(2) differs from cents");
    const double x = d.toDouble();
    const double y = std::strtod(text.toLatin1().constData(), nullptr);
    // Thirty decimals are kept: below that the decimal is exact only to 1e-30.
    if (std::fabs(x - y) > 1e-14 * std::fabs(y) + 1e-30)
        broken("toDouble is far from the text's value");
    try {
        (void)Decimal::fromDouble(x);
    } catch (const std::overflow_error&) {
    }
}

void checkTwo(const Decimal& a, const Decimal& b) {
    const int ab = a.compare(b);
    if (ab != -b.compare(a))
        broken("compare is not antisymmetric");
    if ((ab == 0) != (a == b) || (ab < 0) != (a < b))
        broken("compare disagrees with == or <");
    try {
        const Decimal s = a + b;
        if (!(s == b + a))
            broken("+ is not commutative");
        if (!(s - b == a))
            broken("a + b - b is not a");
        if ((a - b).isZero() != (ab == 0) || (a - b).isNegative() != (ab < 0))
            broken("compare disagrees with the difference");
    } catch (const std::overflow_error&) {
    }
    try {
        if (!(a * b == b * a))
            broken("* is not commutative");
    } catch (const std::overflow_error&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const bool wide = data[0] & 1;
    ++data;
    --size;
    std::size_t split = 0;
    while (split < size && data[split] != '\n')
        ++split;
    const QString first = textOf(data, split, wide);
    const QString second =
        split < size ? textOf(data + split + 1, size - split - 1, wide) : QString();
    checkOne(first);
    checkOne(second);
    const auto a = Decimal::parse(first);
    const auto b = Decimal::parse(second);
    if (a && b)
        checkTwo(*a, *b);
    return 0;
}
