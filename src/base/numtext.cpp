#include "base/numtext.h"

#include <cstdint>

namespace vellumo {

namespace {

int HexDigit(char c) noexcept
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

bool TryStrToInt(std::string_view text, int& value) noexcept
{
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i < text.size() && text[i] == '$') {
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        i += 2;
    } else {
        if (i == text.size()) return false;
        std::int64_t v = 0;
        for (; i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9') return false;
            v = v * 10 + (text[i] - '0');
            if (v > 2147483648LL) return false;
        }
        if (negative) v = -v;
        if (v > 2147483647LL) return false;
        value = static_cast<int>(v);
        return true;
    }
    const std::size_t digits = text.size() - i;
    if (digits == 0 || digits > 8) return false;
    std::uint32_t v = 0;
    for (; i < text.size(); ++i) {
        const int d = HexDigit(text[i]);
        if (d < 0) return false;
        v = v << 4 | static_cast<std::uint32_t>(d);
    }
    if (negative) v = 0u - v;
    value = static_cast<int>(v);
    return true;
}

} // namespace vellumo
