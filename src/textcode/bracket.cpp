// Matching brackets.
#include "textcode/bracket.h"

#include "textcode/trailoracle.h"

namespace vellumo {
namespace {

struct TBracketPair {
    std::string_view open, close;
};

// Looked up in this order, the first hit deciding; the second corner
// bracket pair repeats the first and is never reached.
constexpr TBracketPair kBrackets[19] = {
    {"(", ")"},
    {"<", ">"},
    {"{", "}"},
    {"[", "]"},
    {"\x81\x77", "\x81\x78"},  // double corner brackets
    {"\x81\x6B", "\x81\x6C"},  // tortoise shell
    {"\x81\x73", "\x81\x74"},  // double angle
    {"\x81\x75", "\x81\x76"},  // corner
    {"\x81\x69", "\x81\x6A"},  // full-width parentheses
    {"\x81\x6D", "\x81\x6E"},  // full-width square
    {"\x81\x6F", "\x81\x70"},  // full-width curly
    {"\x81\x71", "\x81\x72"},  // angle
    {"\x81\x75", "\x81\x76"},  // corner again
    {"\x81\x79", "\x81\x7A"},  // black lenticular
    {"\x81\x83", "\x81\x84"},  // full-width less and greater
    {"\x81\xE1", "\x81\xE2"},  // much less and much greater
    {"\x81\x67", "\x81\x68"},  // double quotation marks
    {"\x81\x65", "\x81\x66"},  // single quotation marks
    {"\x87\x80", "\x87\x81"},  // double prime quotation marks
};

// True when the bracket string s stands at offset i (never past the end).
bool At(std::string_view text, std::size_t i, std::string_view s) noexcept
{
    return i < text.size() && text.size() - i >= s.size() && text.compare(i, s.size(), s) == 0;
}

} // namespace

int MatchBracket(std::string_view text, int pos, std::string& partner)
{
    partner.clear();
    if (pos < 1 || static_cast<std::size_t>(pos) > text.size()) return 0;
    const std::size_t start = static_cast<std::size_t>(pos) - 1;

    const TBracketPair* pair = nullptr;
    bool opening = false;
    for (const TBracketPair& b : kBrackets) {
        if (At(text, start, b.open)) {
            pair = &b;
            opening = true;
            break;
        }
        if (At(text, start, b.close)) {
            pair = &b;
            break;
        }
    }
    if (!pair) return 0;
    partner = opening ? pair->close : pair->open;

    // The walks move one way, so the trail decisions cost linear time in all.
    TTrailOracle oracle(reinterpret_cast<const unsigned char*>(text.data()), text.size());
    const std::string_view same = opening ? pair->open : pair->close;
    const std::string_view other = opening ? pair->close : pair->open;
    int depth = 1;  // the bracket at pos
    if (opening) {
        if (text.size() < other.size()) return 0;
        const std::size_t last = text.size() - other.size();
        for (std::size_t i = start + 1; i <= last; ++i) {
            if (At(text, i, same)) {
                if (!oracle.IsTrail(i)) ++depth;
            } else if (At(text, i, other) && !oracle.IsTrail(i) && --depth == 0) {
                return static_cast<int>(i + 1);
            }
        }
    } else {
        for (std::size_t i = start; i-- > 0;) {
            if (At(text, i, same)) {
                if (!oracle.IsTrail(i)) ++depth;
            } else if (At(text, i, other) && !oracle.IsTrail(i) && --depth == 0) {
                return static_cast<int>(i + 1);
            }
        }
    }
    return 0;
}

} // namespace vellumo
