#include "classlib/hinttext.h"

#include "base/leadbytes.h"

namespace vellumo {

namespace {

// Where the separator is, or npos; a "|" that trails a lead byte is a
// character of its own.
std::size_t SeparatorAt(std::string_view hint)
{
    for (std::size_t i = 0; i < hint.size(); ++i) {
        const auto b = static_cast<unsigned char>(hint[i]);
        if (IsLeadByte(b)) {
            ++i;
            continue;
        }
        if (b == '|')
            return i;
    }
    return std::string_view::npos;
}

} // namespace

std::string GetShortHint(std::string_view hint)
{
    return std::string(hint.substr(0, SeparatorAt(hint)));
}

std::string GetLongHint(std::string_view hint)
{
    std::size_t at = SeparatorAt(hint);
    return std::string(at == std::string_view::npos ? hint : hint.substr(at + 1));
}

} // namespace vellumo
