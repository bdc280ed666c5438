#include "editor/sjisutil.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>

namespace vellumo {
namespace {

// Walks from byte 1 and returns the 1-based start of the character that
// holds index (index itself when it starts a character).
int CharStart(std::string_view s, int index) noexcept
{
    int i = 1;
    while (i < index) {
        const int step = IsLeadByte(static_cast<unsigned char>(s[i - 1])) ? 2 : 1;
        if (i + step > index) return i;
        i += step;
    }
    return i;
}

} // namespace

bool IsLeadByteAt(std::string_view s, int index) noexcept
{
    if (index < 1 || static_cast<std::size_t>(index) > s.size()) return false;
    return CharStart(s, index) == index && IsLeadByte(static_cast<unsigned char>(s[index - 1]));
}

bool IsTrailByteAt(std::string_view s, int index) noexcept
{
    if (index < 2 || static_cast<std::size_t>(index) > s.size() + 1) return false;
    return IsLeadByteAt(s, index - 1);
}

int CountChar(std::string_view s, char ch, int n) noexcept
{
    if (n <= 0) return 0;
    const std::size_t len = std::min(s.size(), static_cast<std::size_t>(n));
    return static_cast<int>(std::count(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(len), ch));
}

bool ContainsMBString(std::string_view ch, std::string_view list) noexcept
{
    if (ch.empty() || list.size() < ch.size()) return false;
    // The line cutter asks of one character at a time, many times a row:
    // the byte tests stay inline instead of a compare call per place.
    const std::size_t n = ch.size(), end = list.size() - n;
    const char c0 = ch[0];
    for (std::size_t i = 0; i <= end; i += IsLeadByte(static_cast<unsigned char>(list[i])) ? 2 : 1) {
        if (list[i] != c0) continue;
        if (n == 1 || (n == 2 && list[i + 1] == ch[1]) || list.compare(i, n, ch) == 0) return true;
    }
    return false;
}

TMBCharSet::TMBCharSet(std::string_view list) : list_(list)
{
    // The last few lists asked for: a row store asks for the same three on
    // every edit.
    struct TKept {
        std::string List;
        std::shared_ptr<const std::vector<std::uint64_t>> Bits;
    };
    static std::mutex mutex;
    static std::array<TKept, 4> kept;
    static std::size_t next = 0;
    const std::lock_guard<std::mutex> lock(mutex);
    for (const TKept& k : kept)
        if (k.Bits && k.List == list) {
            bits_ = k.Bits;
            return;
        }
    auto bits = std::make_shared<std::vector<std::uint64_t>>((256 + 65536) / 64);
    auto set = [&](unsigned bit) { (*bits)[bit >> 6] |= std::uint64_t{1} << (bit & 63); };
    // What ContainsMBString finds at each character boundary: a one-byte
    // character matches its first byte, a two-byte one the pair there.
    for (std::size_t i = 0; i < list.size(); i += IsLeadByte(static_cast<unsigned char>(list[i])) ? 2 : 1) {
        const unsigned char b = static_cast<unsigned char>(list[i]);
        set(b);
        if (i + 1 < list.size()) set(256 + (unsigned{b} << 8 | static_cast<unsigned char>(list[i + 1])));
    }
    bits_ = bits;
    kept[next] = {list_, std::move(bits)};
    next = (next + 1) % kept.size();
}

TByteSet StrToCharSet(std::string_view s) noexcept
{
    TByteSet set;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        if (IsLeadByte(b)) {
            ++i;
            continue;
        }
        set.Include(b);
    }
    return set;
}

void TextToStrings(std::string_view text, TStringList& list)
{
    TStringsUpdate update(list);
    list.Clear();
    if (const void* nul = std::memchr(text.data(), '\0', text.size()))
        text = text.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - text.data()));
    // The next CR and the next LF are each found by one memchr and kept
    // until passed: a long line is scanned once, not once per byte.
    const char* const base = text.data();
    auto next = [&](char c, std::size_t from) {
        const void* p = from < text.size() ? std::memchr(base + from, c, text.size() - from) : nullptr;
        return p ? static_cast<std::size_t>(static_cast<const char*>(p) - base) : std::string_view::npos;
    };
    std::size_t nextCr = next('\r', 0), nextLf = next('\n', 0);
    std::size_t start = 0;
    while (start < text.size()) {
        if (nextCr < start) nextCr = next('\r', start);
        if (nextLf < start) nextLf = next('\n', start);
        const std::size_t brk = std::min(nextCr, nextLf);
        if (brk == std::string_view::npos) {
            list.Add(std::string(text.substr(start)));
            break;
        }
        list.Add(std::string(text.substr(start, brk - start)));
        start = brk + ((text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n') ? 2 : 1);
    }
}

} // namespace vellumo
