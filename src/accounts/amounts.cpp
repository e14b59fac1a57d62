#include "accounts/amounts.h"

#include "core/messages.h"
#include "core/numbers.h"

namespace accounts {

std::optional<Decimal> amountOf(const QString& text, const QString& refusal) {
    auto value = numbers::toDecimalOrZero(text.trimmed());
    if (value && !numbers::fitsTheBook(*value))
        value.reset();
    if (!value)
        notice(refusal);
    return value;
}

} // namespace accounts
