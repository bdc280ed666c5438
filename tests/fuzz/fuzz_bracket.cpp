// Text and position from the input; checks the result's range, the
// partner text found there, that the partner leads back, and that a
// trail byte is never a bracket.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "textcode/bracket.h"

using namespace vellumo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const int pos = static_cast<int>(data[0] | data[1] << 8) - 4;
    const std::vector<char> text(reinterpret_cast<const char*>(data + 2), reinterpret_cast<const char*>(data + size));
    const std::string_view view(text.data(), text.size());

    // Whether pos sits on a trail byte, walking from the start.
    bool trail = false;
    for (int i = 0; i < pos - 1 && static_cast<std::size_t>(i) < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
            if (++i == pos - 1) trail = true;
        }
    }
    std::string partner;
    const int r = MatchBracket(view, pos, partner);
    if (r < 0 || static_cast<std::size_t>(r) > text.size()) __builtin_trap();
    // A trail byte holds no bracket.
    if (trail && (r != 0 || !partner.empty())) __builtin_trap();
    if (r > 0) {
        if (partner.empty() || view.substr(static_cast<std::size_t>(r) - 1, partner.size()) != partner) __builtin_trap();
        // The partner's partner is pos.
        std::string back;
        if (MatchBracket(view, r, back) != pos) __builtin_trap();
    }
    if (pos < 1 || static_cast<std::size_t>(pos) > text.size()) {
        if (r != 0 || !partner.empty()) __builtin_trap();
    }
    return 0;
}
