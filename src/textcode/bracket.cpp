// Matching brackets.
#include "textcode/bracket.h"

#include "textcode/bytescan.h"
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
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    // The walks move one way, so the trail decisions cost linear time in all.
    TTrailOracle oracle(p, text.size());
    // The second byte of a double-byte character is no bracket, whatever its value.
    if (oracle.IsTrail(start)) return 0;

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

    const std::string_view same = opening ? pair->open : pair->close;
    const std::string_view other = opening ? pair->close : pair->open;
    // Only the positions where either bracket may stand are looked at.
    TCandidateShape shape;
    if (same.size() == 1) {
        shape.single.Add(static_cast<unsigned char>(same[0]));
        shape.single.Add(static_cast<unsigned char>(other[0]));
    } else {
        shape.lead.Add(static_cast<unsigned char>(same[0]));
        shape.lead.Add(static_cast<unsigned char>(other[0]));
        shape.trail.Add(static_cast<unsigned char>(same[1]));
        shape.trail.Add(static_cast<unsigned char>(other[1]));
    }
    const TCandidateScan scan(p, text.size(), shape);
    int depth = 1;  // the bracket at pos
    // Counts the bracket at i; true when it closes the one at pos.
    auto step = [&](std::size_t i) {
        if (At(text, i, same)) {
            if (!oracle.IsTrail(i)) ++depth;
        } else if (At(text, i, other) && !oracle.IsTrail(i) && --depth == 0) {
            return true;
        }
        return false;
    };
    if (opening) {
        if (text.size() < other.size()) return 0;
        const std::size_t last = text.size() - other.size();
        for (std::size_t i = start + 1; i <= last;) {
            const std::size_t c = scan.Forward(i, last);
            if (c == kNone) break;
            if (step(c)) return static_cast<int>(c + 1);
            i = c + 1;
        }
    } else {
        for (std::size_t i = start; i > 0;) {
            const std::size_t c = scan.Backward(0, i - 1);
            if (c == kNone) break;
            if (step(c)) return static_cast<int>(c + 1);
            i = c;
        }
    }
    return 0;
}

} // namespace vellumo
