#include "textcode/jisconv.h"

#include <cstring>
#include <type_traits>

#include "base/leadbytes.h"
#include "textcode/jisextra.h"

namespace vellumo {
namespace {

using u8 = unsigned char;

// Each converter is one pass written once and run twice: first with a
// counting sink to size the result, then with a writing sink, so the two
// passes cannot disagree.
struct CountSink {
    std::size_t n = 0;
    std::size_t replaced = 0;
    void Put(u8) noexcept { ++n; }
    void Put2(u8, u8) noexcept { n += 2; }
    void Put3(u8, u8, u8) noexcept { n += 3; }
    void Copy(const u8*, std::size_t len) noexcept { n += len; }
    void Put8(const u8*) noexcept { n += 8; }
};

struct WriteSink {
    u8* p;
    std::size_t replaced = 0;
    void Put(u8 b) noexcept { *p++ = b; }
    void Put2(u8 a, u8 b) noexcept { p[0] = a; p[1] = b; p += 2; }
    void Put3(u8 a, u8 b, u8 c) noexcept { p[0] = a; p[1] = b; p[2] = c; p += 3; }
    void Copy(const u8* src, std::size_t len) noexcept { std::memcpy(p, src, len); p += len; }
    void Put8(const u8* src) noexcept { std::memcpy(p, src, 8); p += 8; }
};

inline bool IsLineEnd(u8 b) noexcept { return b == '\r' || b == '\n'; }

inline bool IsKana(u8 b) noexcept { return b >= 0xA1 && b <= 0xDF; }
inline bool IsTrailByte(u8 b) noexcept { return b >= 0x40 && b <= 0xFC && b != 0x7F; }

// The arithmetic mapping between JIS X 0208 and Shift-JIS, tabulated per
// byte so the converters run without data-dependent branches.
struct CodeTables {
    std::uint8_t sjisLead[256];    // JIS row byte -> Shift-JIS lead byte
    std::uint8_t sjisTrail[2][256];  // [row odd][JIS cell byte] -> trail byte
    std::uint8_t jisRow[256];      // Shift-JIS lead -> JIS row for a trail of 9F and above
    std::uint16_t jisCell[256];    // Shift-JIS trail -> cell byte | 0x100 when the row is one less
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
    }
    return t;
}

constexpr CodeTables kCodes = MakeCodeTables();

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

// True when the eight bytes at p are all below 80.
inline bool AsciiBlock(const u8* p, const u8* end) noexcept
{
    if (end - p < 8) return false;
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return (w & 0x8080808080808080ULL) == 0;
}

// Copies bytes below 80 from p; returns the new position.
template <class Sink>
inline const u8* CopyAscii(const u8* p, const u8* end, Sink& out) noexcept
{
    while (AsciiBlock(p, end)) {
        out.Put8(p);
        p += 8;
    }
    while (p < end && *p < 0x80) out.Put(*p++);
    return p;
}

// A recognised designation at p (an ESC): its length, and the mode it
// selects through mode; 0 when the bytes are no designation we know.
enum class TJisMode { single, jis0208, jis0212, kana };

inline std::size_t Designation(const u8* p, const u8* end, TJisMode& mode) noexcept
{
    if (end - p < 3 || IsLineEnd(p[2])) return 0;
    if (p[1] == '$') {
        // ESC $ ( F and its kin name a set by its fourth byte; of those only
        // JIS X 0212 (F = D) is not read as JIS X 0208.
        const bool fourBytes = (p[2] == '(' || p[2] == ')' || p[2] == '*' || p[2] == '+');
        if (fourBytes && end - p >= 4 && !IsLineEnd(p[3])) {
            mode = p[3] == 'D' ? TJisMode::jis0212 : TJisMode::jis0208;
            return 4;
        }
        mode = TJisMode::jis0208;
        return 3;
    }
    if (p[1] == '(') {
        mode = p[2] == 'I' ? TJisMode::kana : TJisMode::single;
        return 3;
    }
    return 0;
}

template <class Sink>
inline void PutCode(Sink& out, std::uint16_t code) noexcept
{
    out.Put2(static_cast<u8>(code >> 8), static_cast<u8>(code));
}

// A JIS X 0212 character as its code page 932 equivalent, or "〓" counted as replaced.
template <class Sink>
inline void PutJis0212(Sink& out, unsigned j1, unsigned j2) noexcept
{
    std::uint16_t s = Jis0212ToSjis(static_cast<std::uint16_t>((j1 & 0x7F) << 8 | (j2 & 0x7F)));
    if (!s) {
        s = kGetaMark;
        ++out.replaced;
    }
    PutCode(out, s);
}

template <class Sink>
Sink JisToSjis(const u8* p, const u8* end, Sink out) noexcept
{
    TJisMode mode = TJisMode::single;
    bool escapeAllowed = true;  // an escape right after an escape is not one
    while (p < end) {
        const u8 b = *p;
        if (b == 0x1B && escapeAllowed) {
            if (const std::size_t n = Designation(p, end, mode)) {
                p += n;
                continue;
            }
            // Not an escape we know: the ESC is kept.
            out.Put(b);
            ++p;
            escapeAllowed = false;
            continue;
        }
        escapeAllowed = true;
        if (b == 0x0E) {
            mode = TJisMode::kana;
            ++p;
        } else if (b == 0x0F) {
            mode = TJisMode::single;
            ++p;
        } else if (mode == TJisMode::single) {
            // Copy up to the next byte that may change the mode.
            const u8* q = p + 1;
            while (q < end && *q != 0x1B && *q != 0x0E && *q != 0x0F) ++q;
            out.Copy(p, static_cast<std::size_t>(q - p));
            p = q;
        } else if (b < 0x21) {
            // Line ends, blanks and other controls stand for themselves in every mode.
            out.Put(b);
            ++p;
        } else if (mode == TJisMode::kana) {
            out.Put(static_cast<u8>(b | 0x80));
            ++p;
        } else if (end - p >= 2 && p[1] >= 0x21) {
            // A pair never takes in a control, a line end or a mode change, nor reads past the end.
            if (mode == TJisMode::jis0212) PutJis0212(out, b, p[1]);
            else PutCode(out, JisToSjisFast(b, p[1]));
            p += 2;
        } else {
            out.Put(b);
            ++p;
        }
    }
    return out;
}

inline bool IsEucByte(u8 b) noexcept { return b >= 0xA1 && b <= 0xFE; }

template <class Sink>
Sink EucToSjis(const u8* p, const u8* end, Sink out) noexcept
{
    while (p < end) {
        const u8 b = *p;
        if (b < 0x80) {
            p = CopyAscii(p, end, out);
        } else if (b == 0x8F) {
            // JIS X 0212 takes three bytes; a broken sequence loses only its first.
            if (end - p >= 3 && IsEucByte(p[1]) && IsEucByte(p[2])) {
                PutJis0212(out, p[1], p[2]);
                p += 3;
            } else {
                PutCode(out, kGetaMark);
                ++out.replaced;
                ++p;
            }
        } else if (b == 0x80 || b == 0xFF || end - p < 2 || IsLineEnd(p[1])) {
            // A lone byte (also at the end or before a line end) is kept.
            out.Put(b);
            ++p;
        } else if (b == 0x8E) {
            out.Put(p[1]);
            p += 2;
        } else {
            PutCode(out, JisToSjisFast(b & 0x7Fu, p[1] & 0x7Fu));
            p += 2;
        }
    }
    return out;
}

// The JIS X 0208 code a Shift-JIS character at p (a byte 80 or above
// outside the half-width kana) goes out as, with its length in bytes above
// bit 16. IBM extensions go out as their equivalents; what has no JIS X
// 0208 form (user-defined characters, bytes that are no character of code
// page 932, a lead byte without its trail) becomes "〓", one per
// character, without touching the bytes after it; lost counts those.
[[gnu::noinline]] std::uint32_t JisCodeOfRare(const u8* p, const u8* end, std::size_t& lost) noexcept
{
    std::uint16_t code = 0;
    std::uint32_t len = 1;
    if (IsLeadByte(p[0]) && end - p >= 2 && IsTrailByte(p[1])) {
        len = 2;
        code = IbmExtensionEquivalent(static_cast<std::uint16_t>(p[0] << 8 | p[1]));
    }
    if (!code) {
        code = kGetaMark;
        ++lost;
    }
    return len << 16 | SjisToJisFast(code >> 8, code & 0xFF);
}

// The common case: a JIS X 0208 lead byte with a valid trail byte.
inline bool IsJisPair(const u8* p, const u8* end) noexcept
{
    const u8 b = p[0];
    return ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF)) && end - p >= 2 && IsTrailByte(p[1]);
}

// The counting pass needs no codes, only their lengths.
template <class Sink>
constexpr bool kWrites = std::is_same_v<Sink, WriteSink>;

template <class Sink>
Sink SjisToJis(const u8* p, const u8* end, Sink out) noexcept
{
    bool twoByte = false, kana = false;
    std::size_t lost = 0;  // apart from the sink, which must stay in registers
    while (p < end) {
        const u8 b = *p;
        if (b < 0x80) {
            if (twoByte || kana) {
                out.Put3(0x1B, '(', 'J');
                twoByte = kana = false;
            }
            p = CopyAscii(p, end, out);
        } else if (IsKana(b)) {
            if (!kana) {
                out.Put3(0x1B, '(', 'I');
                kana = true;
                twoByte = false;
            }
            out.Put(static_cast<u8>(b & 0x7F));
            ++p;
        } else {
            if (!twoByte) {
                out.Put3(0x1B, '$', 'B');
                twoByte = true;
                kana = false;
            }
            if (IsJisPair(p, end)) [[likely]] {
                std::uint16_t j = 0;
                if constexpr (kWrites<Sink>) j = SjisToJisFast(p[0], p[1]);
                out.Put2(static_cast<u8>(j >> 8), static_cast<u8>(j));
                p += 2;
            } else {
                const std::uint32_t j = JisCodeOfRare(p, end, lost);
                out.Put2(static_cast<u8>(j >> 8), static_cast<u8>(j));
                p += j >> 16;
            }
        }
    }
    out.replaced += lost;
    return out;
}

template <class Sink>
Sink SjisToEuc(const u8* p, const u8* end, Sink out) noexcept
{
    std::size_t lost = 0;  // apart from the sink, which must stay in registers
    while (p < end) {
        const u8 b = *p;
        if (b < 0x80) {
            p = CopyAscii(p, end, out);
        } else if (IsKana(b)) {
            out.Put2(0x8E, b);
            ++p;
        } else if (IsJisPair(p, end)) [[likely]] {
            std::uint16_t j = 0;
            if constexpr (kWrites<Sink>) j = SjisToJisFast(p[0], p[1]);
            out.Put2(static_cast<u8>((j >> 8) | 0x80), static_cast<u8>(j | 0x80));
            p += 2;
        } else {
            const std::uint32_t j = JisCodeOfRare(p, end, lost);
            out.Put2(static_cast<u8>((j >> 8) | 0x80), static_cast<u8>(j | 0x80));
            p += j >> 16;
        }
    }
    out.replaced += lost;
    return out;
}

// The sinks go by value so the write position stays in a register: a
// byte store through an unsigned char pointer could otherwise alias it.
template <CountSink (*Pass)(const u8*, const u8*, CountSink) noexcept>
std::size_t Count(std::string_view s) noexcept
{
    const u8* p = reinterpret_cast<const u8*>(s.data());
    return Pass(p, p + s.size(), CountSink{}).n;
}

template <CountSink (*CountPass)(const u8*, const u8*, CountSink) noexcept,
          WriteSink (*WritePass)(const u8*, const u8*, WriteSink) noexcept>
std::string Convert(std::string_view s, std::size_t& replaced)
{
    const std::size_t n = Count<CountPass>(s);
    std::string out(n, '\0');
    const u8* p = reinterpret_cast<const u8*>(s.data());
    replaced = WritePass(p, p + s.size(), WriteSink{reinterpret_cast<u8*>(out.data())}).replaced;
    return out;
}

} // namespace

std::uint16_t JisToSjisCode(std::uint16_t jis) noexcept { return JisToSjisFast(jis >> 8, jis & 0xFF); }

std::uint16_t SjisToJisCode(std::uint16_t sjis) noexcept { return SjisToJisFast(sjis >> 8, sjis & 0xFF); }

std::size_t JisToSjisLength(std::string_view s) noexcept { return Count<JisToSjis<CountSink>>(s); }
std::size_t EucToSjisLength(std::string_view s) noexcept { return Count<EucToSjis<CountSink>>(s); }
std::size_t SjisToJisLength(std::string_view s) noexcept { return Count<SjisToJis<CountSink>>(s); }
std::size_t SjisToEucLength(std::string_view s) noexcept { return Count<SjisToEuc<CountSink>>(s); }

std::string ConvertJisToSjis(std::string_view s, std::size_t& replaced)
{
    return Convert<JisToSjis<CountSink>, JisToSjis<WriteSink>>(s, replaced);
}
std::string ConvertEucToSjis(std::string_view s, std::size_t& replaced)
{
    return Convert<EucToSjis<CountSink>, EucToSjis<WriteSink>>(s, replaced);
}
std::string ConvertSjisToJis(std::string_view s, std::size_t& replaced)
{
    return Convert<SjisToJis<CountSink>, SjisToJis<WriteSink>>(s, replaced);
}
std::string ConvertSjisToEuc(std::string_view s, std::size_t& replaced)
{
    return Convert<SjisToEuc<CountSink>, SjisToEuc<WriteSink>>(s, replaced);
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
