#include "ddxparse.h"

namespace {
constexpr long long kSaturated = 1LL << 62;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

std::optional<long long> AfxParseDialogInteger(std::string_view text, bool allowMinus)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && IsBlank(text[i])) ++i;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        if (negative && !allowMinus) return std::nullopt;
        ++i;
    }

    const std::size_t firstDigit = i;
    long long value = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
        value = value < kSaturated / 10 ? value * 10 + (text[i] - '0') : kSaturated;
        ++i;
    }
    if (i == firstDigit) return std::nullopt;

    while (i < n && IsBlank(text[i])) ++i;
    if (i != n) return std::nullopt;
    return negative ? -value : value;
}
