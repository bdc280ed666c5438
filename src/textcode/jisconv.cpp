#include "textcode/jisconv.h"

#include <algorithm>
#include <cstring>

#include "base/leadbytes.h"
#include "textcode/cp932.h"
#include "textcode/inplace.h"
#include "textcode/jisextra.h"

namespace vellumo {
namespace {

using u8 = unsigned char;
using TState = TJisStream::TState;

// Output goes straight into the result: it grows a chunk of input at a time,
// so there is no counting pass and only pages that output lands on are
// touched. No fast path writes more bytes than it reads; the paths that do
// (escapes, "〓" for one byte, EUC-JP kana) first check for room and
// otherwise end the step, which the next chunk's room lets go on.
constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kSlack = 32;
constexpr std::ptrdiff_t kRoomNeeded = 8;
// Bytes a character or an escape looks ahead at most: a piece's last bytes
// wait for the next piece.
constexpr std::size_t kLookahead = 3;

enum TJisMode : u8 { jmSingle, jm0208, jm0212, jmKana };

constexpr bool IsLineEnd(u8 b) noexcept { return b == '\r' || b == '\n'; }
constexpr bool IsKana(u8 b) noexcept { return b >= 0xA1 && b <= 0xDF; }
constexpr bool IsTrailByte(u8 b) noexcept { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
constexpr bool IsEucByte(u8 b) noexcept { return b >= 0xA1 && b <= 0xFE; }

// The arithmetic mapping between JIS X 0208 and Shift-JIS, tabulated per
// byte so the converters run without data-dependent branches.
struct CodeTables {
    std::uint8_t sjisLead[256];      // JIS row byte -> Shift-JIS lead byte
    std::uint8_t sjisTrail[2][256];  // [row odd][JIS cell byte] -> trail byte
    std::uint8_t jisRow[256];        // Shift-JIS lead -> JIS row for a trail of 9F and above
    std::uint16_t jisCell[256];      // Shift-JIS trail -> cell byte | 0x100 when the row is one less
    // Shift-JIS byte classes for the writers: 1 a lead of a JIS X 0208 pair
    // (81-9F, E0-EF), 2 a valid trail.
    std::uint8_t sjisClass[256];
};

constexpr CodeTables MakeCodeTables()
{
    CodeTables t{};
    for (unsigned b = 0; b < 256; ++b) {
        t.sjisLead[b] = static_cast<std::uint8_t>(((b + 1) >> 1) + (b <= 0x5E ? 0x70 : 0xB0));
        t.sjisTrail[1][b] = static_cast<std::uint8_t>(b + (b >= 0x60 ? 0x20 : 0x1F));
        t.sjisTrail[0][b] = static_cast<std::uint8_t>(b + 0x7E);
        t.jisRow[b] = static_cast<std::uint8_t>((b - (b <= 0x9F ? 0x70 : 0xB0)) << 1);
        if (b < 0x9F) t.jisCell[b] = static_cast<std::uint16_t>(0x100 | ((b - (b >= 0x80 ? 0x20 : 0x1F)) & 0xFF));
        else t.jisCell[b] = static_cast<std::uint16_t>((b - 0x7E) & 0xFF);
        t.sjisClass[b] = static_cast<std::uint8_t>((((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF)) ? 1 : 0) |
                                                   (IsTrailByte(static_cast<u8>(b)) ? 2 : 0));
    }
    return t;
}

constexpr CodeTables kCodes = MakeCodeTables();

// [JIS row << 7 | cell]: 1 when the JIS X 0208 code's Shift-JIS form is a
// character of code page 932 (rows and cells outside 21-7E: 0).
const std::uint8_t* AssignedJis0208()
{
    static const auto* table = [] {
        static std::uint8_t t[128 * 128] = {};
        const TCp932Tables& cp = Cp932Tables();
        for (unsigned r = 0x21; r <= 0x7E; ++r) {
            for (unsigned c = 0x21; c <= 0x7E; ++c) {
                const unsigned s = static_cast<unsigned>(kCodes.sjisLead[r] << 8 | kCodes.sjisTrail[r & 1][c]);
                const std::uint8_t row = cp.row[s >> 8];
                const bool known = row != kNoRow && (cp.pair[row][s & 0xFF] != kCp932Unknown || s == 0x8145);
                t[r << 7 | c] = known ? 1 : 0;
            }
        }
        return t;
    }();
    return table;
}

inline std::uint16_t JisToSjisFast(unsigned j1, unsigned j2) noexcept
{
    return static_cast<std::uint16_t>(kCodes.sjisLead[j1 & 0xFF] << 8 | kCodes.sjisTrail[j1 & 1][j2 & 0xFF]);
}

inline std::uint16_t SjisToJisFast(unsigned s1, unsigned s2) noexcept
{
    const unsigned cell = kCodes.jisCell[s2 & 0xFF];
    const unsigned row = (kCodes.jisRow[s1 & 0xFF] - (cell >> 8)) & 0xFF;
    return static_cast<std::uint16_t>(row << 8 | (cell & 0xFF));
}

// The common case: a JIS X 0208 lead byte with a valid trail byte.
inline bool IsJisPair(const u8* p, const u8* end) noexcept
{
    return end - p >= 2 && (kCodes.sjisClass[p[0]] & 1) && (kCodes.sjisClass[p[1]] & 2);
}

inline u8* Put2(u8* o, unsigned a, unsigned b) noexcept
{
    o[0] = static_cast<u8>(a);
    o[1] = static_cast<u8>(b);
    return o + 2;
}

inline u8* PutCode(u8* o, std::uint16_t code) noexcept { return Put2(o, code >> 8, code & 0xFF); }

inline bool AsciiBlock(const u8* p, const u8* end) noexcept
{
    if (end - p < 8) return false;
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return (w & 0x8080808080808080ULL) == 0;
}

// Copies the bytes below 80 from p that begin before limit, eight at a
// time while they last (the last eight may reach past limit, not past end).
inline const u8* CopyAscii(const u8* p, const u8* limit, const u8* end, u8*& o) noexcept
{
    while (p < limit && AsciiBlock(p, end)) {
        std::memcpy(o, p, 8);
        o += 8;
        p += 8;
    }
    while (p < limit && *p < 0x80) *o++ = *p++;
    return p;
}

// Whether fewer than kRoomNeeded bytes are left beyond what the fast paths
// may still write for the chunk.
inline bool Short(const u8* o, const u8* oend, const u8* p, const u8* limit) noexcept
{
    return (oend - o) - (limit - p) < kRoomNeeded;
}

// A recognised designation at p (an ESC): its length, and the mode it
// selects through mode; 0 when the bytes are no designation we know.
inline std::size_t Designation(const u8* p, const u8* end, u8& mode) noexcept
{
    if (end - p < 3 || IsLineEnd(p[2])) return 0;
    if (p[1] == '$') {
        // ESC $ ( F and its kin name a set by its fourth byte; of those only
        // JIS X 0212 (F = D) is not read as JIS X 0208.
        const bool fourBytes = (p[2] == '(' || p[2] == ')' || p[2] == '*' || p[2] == '+');
        if (fourBytes && end - p >= 4 && !IsLineEnd(p[3])) {
            mode = p[3] == 'D' ? jm0212 : jm0208;
            return 4;
        }
        mode = jm0208;
        return 3;
    }
    if (p[1] == '(') {
        mode = p[2] == 'I' ? jmKana : jmSingle;
        return 3;
    }
    return 0;
}

// A JIS X 0212 character (in EUC-JP, any three-byte one) as its code page
// 932 equivalent, or "〓" counted as replaced.
inline u8* PutJis0212(u8* o, unsigned j1, unsigned j2, TState& st, bool euc) noexcept
{
    const auto code = static_cast<std::uint16_t>((j1 & 0x7F) << 8 | (j2 & 0x7F));
    std::uint16_t s = euc ? EucThreeByteToSjis(code) : Jis0212ToSjis(code);
    if (!s) {
        s = kGetaMark;
        ++st.replaced;
    }
    return PutCode(o, s);
}

// A two-byte JIS X 0208 code (bytes as read, bit 7 cleared) whose Shift-JIS
// form is no character; in EUC-JP, rows 75-7E are the user-defined area.
[[gnu::noinline]] u8* PutRarePair(u8* o, unsigned j1, unsigned j2, bool euc, TState& st) noexcept
{
    std::uint16_t s = euc ? EucUserDefinedToSjis(false, j1, j2) : 0;
    if (!s) {
        s = kGetaMark;
        ++st.replaced;
    }
    return PutCode(o, s);
}

// Each step converts the characters that begin before limit, looking ahead
// no further than end, and returns where it stopped.

const u8* JisToSjisStep(const u8* p, const u8* limit, const u8* end, u8*& o, u8* oend, TState& st) noexcept
{
    (void)oend;  // never more out than in
    while (p < limit) {
        const u8 b = *p;
        if (b == 0x1B && st.escapeAllowed) {
            if (const std::size_t n = Designation(p, end, st.mode)) {
                p += n;
                continue;
            }
            // Not an escape we know: the ESC is kept.
            *o++ = b;
            ++p;
            st.escapeAllowed = false;
            continue;
        }
        st.escapeAllowed = true;
        if (b == 0x0E) {
            st.mode = jmKana;
            ++p;
        } else if (b == 0x0F) {
            st.mode = jmSingle;
            ++p;
        } else if (st.mode == jmSingle) {
            // Copy up to the next byte that may change the mode.
            const u8* q = p + 1;
            while (q < limit && *q != 0x1B && *q != 0x0E && *q != 0x0F) ++q;
            std::memcpy(o, p, static_cast<std::size_t>(q - p));
            o += q - p;
            p = q;
        } else if (b < 0x21) {
            // Line ends, blanks and other controls stand for themselves in every mode.
            *o++ = b;
            ++p;
        } else if (st.mode == jmKana) {
            *o++ = static_cast<u8>(b | 0x80);
            ++p;
        } else if (end - p >= 2 && p[1] >= 0x21) {
            // A pair never takes in a control, a line end or a mode change, nor reads past the end.
            if (st.mode == jm0212) {
                o = PutJis0212(o, b, p[1], st, false);
                p += 2;
            } else {
                const std::uint8_t* assigned = AssignedJis0208();
                do {
                    if ((p[0] | p[1]) < 0x80 && assigned[p[0] << 7 | p[1]]) [[likely]]
                        o = PutCode(o, JisToSjisFast(p[0], p[1]));
                    else
                        o = PutRarePair(o, p[0], p[1], false, st);
                    p += 2;
                } while (p < limit && end - p >= 2 && p[0] >= 0x21 && p[1] >= 0x21);
            }
        } else {
            *o++ = b;
            ++p;
        }
    }
    return p;
}

const u8* EucToSjisStep(const u8* p, const u8* limit, const u8* end, u8*& o, u8* oend, TState& st) noexcept
{
    while (p < limit) {
        const u8 b = *p;
        if (b < 0x80) {
            p = CopyAscii(p, limit, end, o);
        } else if (b >= 0xA1 && b != 0xFF && end - p >= 2 && !IsLineEnd(p[1])) {
            // Runs of kanji and kana pairs.
            const std::uint8_t* assigned = AssignedJis0208();
            do {
                const unsigned j1 = p[0] & 0x7Fu, j2 = p[1] & 0x7Fu;
                if (p[0] < 0xF5 && p[1] >= 0xA1 && assigned[j1 << 7 | j2]) [[likely]]
                    o = PutCode(o, JisToSjisFast(j1, j2));
                else
                    o = PutRarePair(o, j1, p[1] >= 0xA1 ? j2 : 0, true, st);
                p += 2;
            } while (p < limit && end - p >= 2 && p[0] >= 0xA1 && p[0] != 0xFF && !IsLineEnd(p[1]));
        } else if (b == 0x8F) {
            // JIS X 0212 takes three bytes; a broken sequence loses only its first.
            if (end - p >= 3 && IsEucByte(p[1]) && IsEucByte(p[2])) {
                o = PutJis0212(o, p[1], p[2], st, true);
                p += 3;
            } else {
                if (Short(o, oend, p, limit)) return p;
                o = PutCode(o, kGetaMark);
                ++st.replaced;
                ++p;
            }
        } else if (b == 0x80 || b == 0xFF || end - p < 2 || IsLineEnd(p[1])) {
            // A lone byte (also at the end or before a line end) is kept.
            *o++ = b;
            ++p;
        } else if (b == 0x8E) {
            *o++ = p[1];
            p += 2;
        } else {
            // A lead byte 81-A0 is no EUC-JP character.
            o = PutRarePair(o, 0, 0, false, st);
            p += 2;
        }
    }
    return p;
}

// The JIS X 0208 code a Shift-JIS character at p (a byte 80 or above
// outside the half-width kana) goes out as, with its length in bytes above
// bit 16. IBM extensions go out as their equivalents; what has no JIS X
// 0208 form (user-defined characters, bytes that are no character of code
// page 932, a lead byte without its trail) becomes "〓", one per
// character, without touching the bytes after it; replaced counts those.
[[gnu::noinline]] std::uint32_t JisCodeOfRare(const u8* p, const u8* end, TState& st) noexcept
{
    std::uint16_t code = 0;
    std::uint32_t len = 1;
    if (IsLeadByte(p[0]) && end - p >= 2 && IsTrailByte(p[1])) {
        len = 2;
        code = IbmExtensionEquivalent(static_cast<std::uint16_t>(p[0] << 8 | p[1]));
        if (!code && (kCodes.sjisClass[p[0]] & 1)) {
            // A JIS X 0208 position: kept when code page 932 has a character there.
            const std::uint16_t j = SjisToJisFast(p[0], p[1]);
            if (AssignedJis0208()[j >> 8 << 7 | (j & 0xFF)]) return len << 16 | j;
        }
    }
    if (!code) {
        code = kGetaMark;
        ++st.replaced;
    }
    return len << 16 | SjisToJisFast(code >> 8, code & 0xFF);
}

// A character of code page 932 at a JIS X 0208 position.
inline bool IsAssignedPair(const u8* p, const u8* end, const std::uint8_t* assigned) noexcept
{
    if (!IsJisPair(p, end)) return false;
    const std::uint16_t j = SjisToJisFast(p[0], p[1]);
    return assigned[j >> 8 << 7 | (j & 0xFF)] != 0;
}

// One that EUC-JP writes by the arithmetic: the NEC-selected codes (ED, EE)
// go out in the extensions' own forms.
inline bool IsEucPair(const u8* p, const u8* end, const std::uint8_t* assigned) noexcept
{
    return p[0] != 0xED && p[0] != 0xEE && IsAssignedPair(p, end, assigned);
}

// SjisToEucExtra for the pair at p, 0 when there is none.
inline std::uint32_t EucExtraAt(const u8* p, const u8* end) noexcept
{
    if (end - p < 2 || !IsTrailByte(p[1])) return 0;
    return SjisToEucExtra(static_cast<std::uint16_t>(p[0] << 8 | p[1]));
}

const u8* SjisToEucStep(const u8* p, const u8* limit, const u8* end, u8*& o, u8* oend, TState& st) noexcept
{
    const std::uint8_t* assigned = AssignedJis0208();
    while (p < limit) {
        const u8 b = *p;
        if (b < 0x80) {
            p = CopyAscii(p, limit, end, o);
        } else if (IsEucPair(p, end, assigned)) {
            do {
                const std::uint16_t j = SjisToJisFast(p[0], p[1]);
                o = Put2(o, (j >> 8) | 0x80, (j & 0xFF) | 0x80);
                p += 2;
            } while (p < limit && IsEucPair(p, end, assigned));
        } else {
            if (Short(o, oend, p, limit)) return p;
            if (IsKana(b)) {
                o = Put2(o, 0x8E, b);
                ++p;
            } else if (const std::uint32_t x = EucExtraAt(p, end); x >= 0x8F0000) {
                *o++ = 0x8F;
                o = Put2(o, (x >> 8) & 0xFF, x & 0xFF);
                p += 2;
            } else if (x != 0 && x < 0x10000) {
                o = Put2(o, x >> 8, x & 0xFF);
                p += 2;
            } else {
                // x: a JIS X 0208 code that stands for the character.
                const std::uint32_t j = x ? (2u << 16 | SjisToJisFast((x >> 8) & 0xFF, x & 0xFF)) : JisCodeOfRare(p, end, st);
                o = Put2(o, ((j >> 8) & 0xFF) | 0x80, (j & 0xFF) | 0x80);
                p += j >> 16;
            }
        }
    }
    return p;
}

inline u8* PutEscape(u8* o, u8 a, u8 b) noexcept
{
    o[0] = 0x1B;
    o[1] = a;
    o[2] = b;
    return o + 3;
}

const u8* SjisToJisStep(const u8* p, const u8* limit, const u8* end, u8*& o, u8* oend, TState& st) noexcept
{
    const std::uint8_t* assigned = AssignedJis0208();
    while (p < limit) {
        const u8 b = *p;
        if (b < 0x80) {
            if (st.twoByte || st.kana) {
                if (Short(o, oend, p, limit)) return p;
                o = PutEscape(o, '(', 'J');
                st.twoByte = st.kana = false;
            }
            p = CopyAscii(p, limit, end, o);
        } else if (IsKana(b)) {
            if (!st.kana) {
                if (Short(o, oend, p, limit)) return p;
                o = PutEscape(o, '(', 'I');
                st.kana = true;
                st.twoByte = false;
            }
            do *o++ = static_cast<u8>(*p++ & 0x7F);
            while (p < limit && IsKana(*p));
        } else {
            if (!st.twoByte) {
                if (Short(o, oend, p, limit)) return p;
                o = PutEscape(o, '$', 'B');
                st.twoByte = true;
                st.kana = false;
            }
            if (IsAssignedPair(p, end, assigned)) [[likely]] {
                do {
                    o = PutCode(o, SjisToJisFast(p[0], p[1]));
                    p += 2;
                } while (p < limit && IsAssignedPair(p, end, assigned));
            } else {
                if (Short(o, oend, p, limit)) return p;
                const std::uint32_t j = JisCodeOfRare(p, end, st);
                o = Put2(o, (j >> 8) & 0xFF, j & 0xFF);
                p += j >> 16;
            }
        }
    }
    return p;
}

using TStep = const u8* (*)(const u8*, const u8*, const u8*, u8*&, u8*, TState&) noexcept;

TStep StepOf(TJisConversion c) noexcept
{
    switch (c) {
    case TJisConversion::jisToSjis: return JisToSjisStep;
    case TJisConversion::eucToSjis: return EucToSjisStep;
    case TJisConversion::sjisToJis: return SjisToJisStep;
    default: return SjisToEucStep;
    }
}

// Converts the characters of [p, end) that begin before stopAt, appending
// to out; returns where it stopped (at or past stopAt).
const u8* Append(TJisConversion c, const u8* p, const u8* stopAt, const u8* end, TState& st, std::string& out)
{
    const TStep step = StepOf(c);
    std::size_t size = out.size();
    while (p < stopAt) {
        const u8* limit = static_cast<std::size_t>(stopAt - p) > kChunk ? p + kChunk : stopAt;
        out.resize(size + static_cast<std::size_t>(limit - p) + kSlack);
        u8* const base = reinterpret_cast<u8*>(out.data());
        u8* o = base + size;
        p = step(p, limit, end, o, base + out.size(), st);
        size = static_cast<std::size_t>(o - base);
    }
    out.resize(size);
    return p;
}

std::string ConvertWhole(TJisConversion c, std::string_view s, std::size_t& replaced)
{
    std::string out;
    // Escapes and two-byte kana make JIS and EUC-JP a little longer than
    // Shift-JIS; the way back is never longer but for broken bytes. A
    // reservation touches no memory until output lands on it.
    const std::size_t n = s.size();
    out.reserve(c == TJisConversion::sjisToJis ? n + n / 2 : c == TJisConversion::sjisToEuc ? n + n / 4 : n + kSlack);
    TState st;
    const u8* p = reinterpret_cast<const u8*>(s.data());
    Append(c, p, p + n, p + n, st, out);
    replaced = st.replaced;
    return out;
}

std::size_t InPlace(TJisConversion c, char* data, std::size_t size, TInPlaceOutput& out)
{
    TState st;
    inplace::TProgress r =
        inplace::Run(data, size, 0, [&](const u8* p, const u8* stopAt, const u8* end, std::string& chunk, bool&) {
            return Append(c, p, stopAt, end, st, chunk);
        });
    inplace::Finish(out, r);
    return st.replaced;
}

std::size_t InPlace(TJisConversion c, std::string& text)
{
    TInPlaceOutput out;
    const std::size_t replaced = InPlace(c, text.data(), text.size(), out);
    inplace::Finish(text, out);
    return replaced;
}

// The length of a conversion, run through a small buffer.
std::size_t CountOutput(TJisConversion c, std::string_view s) noexcept
{
    TJisStream stream(c);
    std::string buf;
    std::size_t n = 0;
    try {
        for (std::size_t at = 0; at < s.size(); at += kChunk) {
            buf.clear();
            stream.Put(s.substr(at, kChunk), buf);
            n += buf.size();
        }
        buf.clear();
        stream.Finish(buf);
    } catch (...) {
        return 0;  // no memory for a 64 KB buffer
    }
    return n + buf.size();
}

} // namespace

std::uint16_t JisToSjisCode(std::uint16_t jis) noexcept { return JisToSjisFast(jis >> 8, jis & 0xFF); }

std::uint16_t SjisToJisCode(std::uint16_t sjis) noexcept { return SjisToJisFast(sjis >> 8, sjis & 0xFF); }

void TJisStream::Run(std::string_view piece, bool last, std::string& out)
{
    const u8* p = reinterpret_cast<const u8*>(piece.data());
    const u8* end = p + piece.size();
    const u8* stopAt = last || piece.size() < kLookahead ? (last ? end : p) : end - kLookahead;
    const u8* stop = Append(conversion_, p, stopAt, end, state_, out);
    heldCount_ = static_cast<std::size_t>(end - stop);
    std::memcpy(held_, stop, heldCount_);
}

void TJisStream::Put(std::string_view piece, std::string& out)
{
    if (heldCount_) {
        // The held bytes and the start of the piece, which gives them their lookahead.
        u8 joined[sizeof held_];
        const std::size_t held = heldCount_;
        const std::size_t take = std::min(piece.size(), sizeof joined - held);
        std::memcpy(joined, held_, held);
        std::memcpy(joined + held, piece.data(), take);
        Run(std::string_view(reinterpret_cast<const char*>(joined), held + take), false, out);
        const std::size_t used = held + take - heldCount_;
        if (used < held) return;  // the piece was too short (all of it is held now)
        heldCount_ = 0;
        piece.remove_prefix(used - held);
    }
    Run(piece, false, out);
}

void TJisStream::Finish(std::string& out)
{
    const std::size_t n = heldCount_;
    u8 rest[sizeof held_];
    std::memcpy(rest, held_, n);
    Run(std::string_view(reinterpret_cast<const char*>(rest), n), true, out);
}

std::size_t JisToSjisLength(std::string_view s) noexcept { return CountOutput(TJisConversion::jisToSjis, s); }
std::size_t EucToSjisLength(std::string_view s) noexcept { return CountOutput(TJisConversion::eucToSjis, s); }
std::size_t SjisToJisLength(std::string_view s) noexcept { return CountOutput(TJisConversion::sjisToJis, s); }
std::size_t SjisToEucLength(std::string_view s) noexcept { return CountOutput(TJisConversion::sjisToEuc, s); }

std::string ConvertJisToSjis(std::string_view s, std::size_t& replaced)
{
    return ConvertWhole(TJisConversion::jisToSjis, s, replaced);
}
std::string ConvertEucToSjis(std::string_view s, std::size_t& replaced)
{
    return ConvertWhole(TJisConversion::eucToSjis, s, replaced);
}
std::string ConvertSjisToJis(std::string_view s, std::size_t& replaced)
{
    return ConvertWhole(TJisConversion::sjisToJis, s, replaced);
}
std::string ConvertSjisToEuc(std::string_view s, std::size_t& replaced)
{
    return ConvertWhole(TJisConversion::sjisToEuc, s, replaced);
}

std::size_t ConvertJisToSjisInPlace(std::string& text) { return InPlace(TJisConversion::jisToSjis, text); }
std::size_t ConvertEucToSjisInPlace(std::string& text) { return InPlace(TJisConversion::eucToSjis, text); }
std::size_t ConvertSjisToEucInPlace(std::string& text) { return InPlace(TJisConversion::sjisToEuc, text); }
std::size_t ConvertJisToSjisInPlace(char* data, std::size_t size, TInPlaceOutput& out)
{
    return InPlace(TJisConversion::jisToSjis, data, size, out);
}
std::size_t ConvertEucToSjisInPlace(char* data, std::size_t size, TInPlaceOutput& out)
{
    return InPlace(TJisConversion::eucToSjis, data, size, out);
}

std::string ConvertJisToSjis(std::string_view s)
{
    std::size_t replaced;
    return ConvertJisToSjis(s, replaced);
}
std::string ConvertEucToSjis(std::string_view s)
{
    std::size_t replaced;
    return ConvertEucToSjis(s, replaced);
}
std::string ConvertSjisToJis(std::string_view s)
{
    std::size_t replaced;
    return ConvertSjisToJis(s, replaced);
}
std::string ConvertSjisToEuc(std::string_view s)
{
    std::size_t replaced;
    return ConvertSjisToEuc(s, replaced);
}

} // namespace vellumo
