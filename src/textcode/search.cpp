// Pattern search in Shift-JIS buffers.
//
// The pattern and every text character go through one canonical form
// (upper case without sfMatchCase, full width with sfIgnoreWidth), and a
// candidate matches when the text's characters from it give the pattern's
// canonical characters in order, with line breaks and blanks skipped on
// request. Candidates are found by scanning for the bytes that can begin a
// match (and, where the alignment is fixed, end one); only those are
// checked for a trail byte and compared, which keeps a rare pattern fast.
#include <climits>
#include <cstring>
#include <vector>

#include "base/leadbytes.h"
#include "textcode/bytescan.h"
#include "textcode/charfold.h"
#include "textcode/search.h"
#include "textcode/trailoracle.h"

namespace vellumo {
namespace {

using u8 = unsigned char;

struct TCharRule {
    bool fold;   // without sfMatchCase
    bool width;  // sfIgnoreWidth

    std::uint16_t Single(u8 b) const noexcept
    {
        if (!width) return fold ? UpperCaseByte(b) : b;
        const std::uint16_t c = FullWidthCode(b);
        if (!fold) return c;
        return c > 0xFF ? FoldDoubleByte(c) : UpperCaseByte(static_cast<u8>(c));
    }
    std::uint16_t Pair(std::uint16_t code) const noexcept { return fold ? FoldDoubleByte(code) : code; }

    // Reads the character at i (< n): its length, its canonical code and
    // its own code (for the skip test).
    unsigned Read(const u8* p, std::size_t i, std::size_t n, std::uint16_t& canon, std::uint16_t& raw) const noexcept
    {
        const u8 b = p[i];
        if (i + 1 < n) {
            if (IsLeadByte(b)) {
                raw = static_cast<std::uint16_t>(b << 8 | p[i + 1]);
                canon = Pair(raw);
                return 2;
            }
            if (width && JoinsMark(b, p[i + 1])) {
                raw = static_cast<std::uint16_t>(b << 8 | p[i + 1]);
                canon = JoinedKanaCode(b, p[i + 1]);
                return 2;
            }
        }
        raw = b;
        canon = Single(b);
        return 1;
    }
};

// The pattern's canonical characters; short patterns need no allocation,
// which matters to a caller stepping through many close matches.
class TUnitList {
public:
    void push_back(std::uint16_t u)
    {
        if (n_ < kInline) {
            inline_[n_] = u;
        } else {
            if (more_.empty()) more_.assign(inline_, inline_ + kInline);
            more_.push_back(u);
        }
        ++n_;
    }
    std::size_t size() const noexcept { return n_; }
    bool empty() const noexcept { return n_ == 0; }
    std::uint16_t operator[](std::size_t k) const noexcept { return n_ <= kInline ? inline_[k] : more_[k]; }
    std::uint16_t front() const noexcept { return (*this)[0]; }
    std::uint16_t back() const noexcept { return (*this)[n_ - 1]; }

private:
    static constexpr std::size_t kInline = 32;
    std::uint16_t inline_[kInline];
    std::vector<std::uint16_t> more_;
    std::size_t n_ = 0;
};

class TSearcher {
public:
    TSearcher(const u8* buf, std::size_t len, std::string_view pattern, TSearchFlags flags)
        : p_(buf), len_(len), oracle_(buf, len), rule_{!(flags & sfMatchCase), (flags & sfIgnoreWidth) != 0},
          wholeWord_((flags & sfWholeWord) != 0), skipBreaks_((flags & sfSkipLineBreaks) != 0),
          skipBlanks_((flags & sfSkipBlanks) != 0)
    {
        const auto* q = reinterpret_cast<const u8*>(pattern.data());
        std::uint16_t canon, raw;
        for (std::size_t i = 0; i < pattern.size();) {
            i += rule_.Read(q, i, pattern.size(), canon, raw);
            units_.push_back(canon);
            patternBytes_ += canon > 0xFF ? 2 : 1;
        }
        BuildFilters();
    }

    bool Empty() const noexcept { return units_.empty(); }

    // Fewest text bytes a match can cover: one per character when a
    // half-width byte may stand for a full-width one.
    std::size_t MinLength() const noexcept { return rule_.width ? units_.size() : patternBytes_; }
    std::size_t PatternBytes() const noexcept { return patternBytes_; }
    std::size_t CharCount() const noexcept { return units_.size(); }

    std::size_t Forward(std::size_t from, std::size_t last, std::size_t& matchLen) noexcept
    {
        const TCandidateScan scan(p_, len_, shape_);
        for (std::size_t pos = from; pos <= last;) {
            const std::size_t c = scan.Forward(pos, last);
            if (c == kNone || !p_[c]) break;
            if (Try(c, matchLen)) return c;
            pos = c + 1;
        }
        return kNone;
    }

    std::size_t Backward(std::size_t from, std::size_t& matchLen) noexcept
    {
        const TCandidateScan scan(p_, len_, shape_);
        for (std::size_t pos = from + 1; pos > 0;) {
            const std::size_t c = scan.Backward(0, pos - 1);
            if (c == kNone || !p_[c]) break;
            if (Try(c, matchLen)) return c;
            pos = c;
        }
        return kNone;
    }

    bool IsTrail(std::size_t i) noexcept { return oracle_.IsTrail(i); }

    // Start of the character that ends just before i, counting a kana and
    // its mark as one under width folding.
    std::size_t CharBefore(std::size_t i) noexcept
    {
        if (oracle_.IsTrail(i - 1)) return i - 2;
        if (rule_.width && i >= 2 && !oracle_.IsTrail(i - 2) && JoinsMark(p_[i - 2], p_[i - 1])) return i - 2;
        return i - 1;
    }

private:
    void BuildFilters()
    {
        if (units_.empty()) return;
        shape_.stopAtNul = true;
        AddFirst(units_.front());
        // Without width folding or skips every character keeps its byte
        // length, so the pattern's last byte sits at a fixed distance.
        shape_.useLast = !rule_.width && !skipBreaks_ && !skipBlanks_ && patternBytes_ >= 2;
        if (!shape_.useLast) return;
        shape_.offset = patternBytes_ - 1;
        const std::uint16_t u = units_.back();
        if (u <= 0xFF) AddSingle(shape_.last, u);
        else AddPair(shape_.last, u, true);
    }

    // The beginnings of the text characters whose canonical code is u.
    void AddFirst(std::uint16_t u) noexcept
    {
        if (rule_.width) {
            // Half-width bytes and joined kana: few enough to try them all.
            for (unsigned b = 0; b < 256; ++b)
                if (rule_.Single(static_cast<u8>(b)) == u) shape_.single.Add(static_cast<u8>(b));
            for (unsigned k = 0xB3; k <= 0xCE; ++k)
                for (unsigned m = 0xDE; m <= 0xDF; ++m)
                    if (JoinsMark(static_cast<u8>(k), static_cast<u8>(m)) &&
                        JoinedKanaCode(static_cast<u8>(k), static_cast<u8>(m)) == u)
                        shape_.single.Add(static_cast<u8>(k));
        } else if (u <= 0xFF) {
            AddSingle(shape_.single, u);
        }
        if (u <= 0xFF) return;
        AddPair(shape_.lead, u, false);
        AddPair(shape_.trail, u, true);
    }

    void AddSingle(TByteFilter& f, std::uint16_t u) const noexcept
    {
        f.Add(static_cast<u8>(u));
        if (rule_.fold && u >= 'A' && u <= 'Z') f.Add(static_cast<u8>(u + 0x20));
    }

    // The lead (or trail) bytes of the pairs that fold to u.
    void AddPair(TByteFilter& f, std::uint16_t u, bool trail) const noexcept
    {
        f.Add(static_cast<u8>(trail ? u : u >> 8));
        if (const std::uint16_t lower = rule_.fold ? UnfoldDoubleByte(u) : 0)
            f.Add(static_cast<u8>(trail ? lower : lower >> 8));
    }

    bool Try(std::size_t c, std::size_t& matchLen) noexcept
    {
        if (oracle_.IsTrail(c)) return false;
        if (wholeWord_ && !IsWordStart(c)) return false;
        const std::size_t n = Compare(c);
        if (!n) return false;
        if (wholeWord_ && c + n < len_ && IsWordChar(c + n)) return false;
        matchLen = n;
        return true;
    }

    // Whether the character starting at i belongs to a word. A double-byte
    // character is judged as one character: the full-width space and the
    // punctuation and symbols of lead byte 81 separate words; kana, kanji
    // and full-width letters and digits do not.
    bool IsWordChar(std::size_t i) const noexcept
    {
        const u8 b = p_[i];
        if (IsLeadByte(b) && i + 1 < len_ && p_[i + 1]) return b != 0x81;
        return !IsWordDelimiter(b);
    }

    // c starts a character.
    bool IsWordStart(std::size_t c) noexcept
    {
        if (!IsWordChar(c)) return false;
        if (c == 0) return true;
        if (oracle_.IsTrail(c - 1)) return p_[c - 2] == 0x81;
        return IsWordDelimiter(p_[c - 1]);
    }

    // Bytes covered by a match at c, or 0.
    std::size_t Compare(std::size_t c) const noexcept
    {
        std::size_t i = c;
        std::uint16_t canon, raw;
        for (std::size_t k = 0; k < units_.size();) {
            // A NUL ends the text: it is no character, nor the trail of one.
            if (i >= len_ || !p_[i]) return 0;
            const unsigned n = rule_.Read(p_, i, i + 1 < len_ && !p_[i + 1] ? i + 1 : len_, canon, raw);
            i += n;
            if (canon == units_[k]) ++k;
            else if (k == 0 || !Skippable(raw)) return 0;
        }
        return i - c;
    }

    bool Skippable(std::uint16_t raw) const noexcept
    {
        if (skipBreaks_ && (raw == '\r' || raw == '\n')) return true;
        return skipBlanks_ && (raw == '\t' || raw == ' ' || raw == 0x8140);
    }

    const u8* p_;
    std::size_t len_;
    TTrailOracle oracle_;
    TCharRule rule_;
    bool wholeWord_, skipBreaks_, skipBlanks_;
    TUnitList units_;
    std::size_t patternBytes_ = 0;
    TCandidateShape shape_;
};

// Offsets are ints; a longer buffer is searched in its first 2 GB.
std::size_t ViewLength(std::string_view buf) noexcept
{
    return buf.size() > static_cast<std::size_t>(INT_MAX) ? static_cast<std::size_t>(INT_MAX) : buf.size();
}

} // namespace

// The text ends at the first NUL; the engine looks for it only among the
// bytes it examines, so a call costs time in proportion to the distance
// it covers, not to the size of the buffer.
int SearchBuffer(std::string_view buf, int start, int& length, std::string_view pattern, TSearchFlags flags)
{
    const std::size_t len = ViewLength(buf);
    if (start < 0 || static_cast<std::size_t>(start) > len || length < 0) return -1;
    const auto* p = reinterpret_cast<const u8*>(buf.data());
    TSearcher s(p, len, pattern, flags);
    if (s.Empty()) return -1;

    std::size_t found = kNone, matchLen = 0;
    if (flags & sfDown) {
        std::size_t from = static_cast<std::size_t>(start) + static_cast<std::size_t>(length);
        if (from > len || (length > 0 && std::memchr(p + start, 0, static_cast<std::size_t>(length)))) return -1;
        if (s.IsTrail(from)) ++from;
        if (s.MinLength() > len) return -1;
        const std::size_t last = len - s.MinLength();
        if (last < from) return -1;
        found = s.Forward(from, last, matchLen);
    } else {
        std::size_t from = static_cast<std::size_t>(start);
        if (flags & sfIgnoreWidth) {
            for (std::size_t k = 0; k < s.CharCount(); ++k) {
                if (from == 0) return -1;
                from = s.CharBefore(from);
            }
        } else {
            if (s.PatternBytes() > from) return -1;
            from -= s.PatternBytes();
        }
        if (from < static_cast<std::size_t>(start) && std::memchr(p + from, 0, static_cast<std::size_t>(start) - from))
            return -1;
        if (s.IsTrail(from)) --from;
        found = s.Backward(from, matchLen);
    }
    if (found == kNone) return -1;
    length = static_cast<int>(matchLen);
    return static_cast<int>(found);
}

bool SearchBufferPos(std::string_view buf, int& start, int& length, std::string_view pattern, TSearchFlags flags)
{
    if (pattern.empty() || buf.empty()) return false;
    const int pos = SearchBuffer(buf, start, length, pattern, flags);
    if (pos < 0) return false;
    start = pos;
    return true;
}

} // namespace vellumo
