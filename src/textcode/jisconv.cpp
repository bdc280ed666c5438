#include "textcode/jisconv.h"

#include <cstring>

namespace vellumo {
namespace {

using u8 = unsigned char;

// Each converter is one pass written once and run twice: first with a
// counting sink to size the result, then with a writing sink, so the two
// passes cannot disagree.
struct CountSink {
    std::size_t n = 0;
    void Put(u8) noexcept { ++n; }
    void Put2(u8, u8) noexcept { n += 2; }
    void Put3(u8, u8, u8) noexcept { n += 3; }
    void Copy(const u8*, std::size_t len) noexcept { n += len; }
};

struct WriteSink {
    u8* p;
    void Put(u8 b) noexcept { *p++ = b; }
    void Put2(u8 a, u8 b) noexcept { p[0] = a; p[1] = b; p += 2; }
    void Put3(u8 a, u8 b, u8 c) noexcept { p[0] = a; p[1] = b; p[2] = c; p += 3; }
    void Copy(const u8* src, std::size_t len) noexcept { std::memcpy(p, src, len); p += len; }
};

inline bool IsLineEnd(u8 b) noexcept { return b == '\r' || b == '\n'; }

// For these converters every byte 80 or above outside A1-DF is a lead byte.
inline bool IsKana(u8 b) noexcept { return b >= 0xA1 && b <= 0xDF; }
inline bool IsConvLead(u8 b) noexcept { return b >= 0x80 && !IsKana(b); }

// Length of the run of bytes below 80 starting at p.
inline std::size_t AsciiRun(const u8* p, const u8* end) noexcept
{
    const u8* q = p;
    while (end - q >= 8) {
        std::uint64_t w;
        std::memcpy(&w, q, 8);
        if (w & 0x8080808080808080ULL) break;
        q += 8;
    }
    while (q < end && *q < 0x80) ++q;
    return static_cast<std::size_t>(q - p);
}

template <class Sink>
void JisToSjis(const u8* p, const u8* end, Sink& out) noexcept
{
    enum { single, twoByte, kana } mode = single;
    bool escapeAllowed = true;  // an escape right after an escape is not one
    while (p < end) {
        const u8 b = *p;
        if (b == 0x1B && escapeAllowed) {
            if (end - p >= 3 && (p[1] == '$' || p[1] == '(') && !IsLineEnd(p[2])) {
                if (p[1] == '$') mode = twoByte;
                else mode = p[2] == 'I' ? kana : single;
                p += 3;
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
            mode = kana;
            ++p;
        } else if (b == 0x0F) {
            mode = single;
            ++p;
        } else if (IsLineEnd(b)) {
            out.Put(b);
            ++p;
        } else if (mode == single) {
            // Copy up to the next byte that may change the mode.
            const u8* q = p + 1;
            while (q < end && *q != 0x1B && *q != 0x0E && *q != 0x0F) ++q;
            out.Copy(p, static_cast<std::size_t>(q - p));
            p = q;
        } else if (mode == kana) {
            out.Put(static_cast<u8>(b | 0x80));
            ++p;
        } else if (end - p >= 2 && !IsLineEnd(p[1])) {
            // A pair never takes in a line end, nor reads past the end.
            const std::uint16_t s = JisToSjisCode(static_cast<std::uint16_t>(b << 8 | p[1]));
            out.Put2(static_cast<u8>(s >> 8), static_cast<u8>(s));
            p += 2;
        } else {
            out.Put(b);
            ++p;
        }
    }
}

template <class Sink>
void EucToSjis(const u8* p, const u8* end, Sink& out) noexcept
{
    while (p < end) {
        const std::size_t run = AsciiRun(p, end);
        if (run) {
            out.Copy(p, run);
            p += run;
            continue;
        }
        const u8 b = *p;
        if (b == 0x80 || b == 0xFF || end - p < 2 || IsLineEnd(p[1])) {
            // A lone byte (also at the end or before a line end) is kept.
            out.Put(b);
            ++p;
        } else if (b == 0x8E) {
            out.Put(p[1]);
            p += 2;
        } else {
            const std::uint16_t s = JisToSjisCode(static_cast<std::uint16_t>((b & 0x7F) << 8 | (p[1] & 0x7F)));
            out.Put2(static_cast<u8>(s >> 8), static_cast<u8>(s));
            p += 2;
        }
    }
}

template <class Sink>
void SjisToJis(const u8* p, const u8* end, Sink& out) noexcept
{
    bool twoByte = false, kana = false;
    auto toSingle = [&] {
        if (twoByte || kana) {
            out.Put3(0x1B, '(', 'J');
            twoByte = kana = false;
        }
    };
    while (p < end) {
        const u8 b = *p;
        if (b < 0x80) {
            toSingle();
            const std::size_t run = AsciiRun(p, end);
            out.Copy(p, run);
            p += run;
        } else if (IsKana(b)) {
            if (!kana) {
                out.Put3(0x1B, '(', 'I');
                kana = true;
                twoByte = false;
            }
            out.Put(static_cast<u8>(b & 0x7F));
            ++p;
        } else if (end - p >= 2 && !IsLineEnd(p[1])) {
            if (!twoByte) {
                out.Put3(0x1B, '$', 'B');
                twoByte = true;
                kana = false;
            }
            const std::uint16_t j = SjisToJisCode(static_cast<std::uint16_t>(b << 8 | p[1]));
            out.Put2(static_cast<u8>((j >> 8) & 0x7F), static_cast<u8>(j & 0x7F));
            p += 2;
        } else {
            // A lead byte without its trail stays as it is, in single-byte mode.
            toSingle();
            out.Put(b);
            ++p;
        }
    }
}

template <class Sink>
void SjisToEuc(const u8* p, const u8* end, Sink& out) noexcept
{
    while (p < end) {
        const std::size_t run = AsciiRun(p, end);
        if (run) {
            out.Copy(p, run);
            p += run;
            continue;
        }
        const u8 b = *p;
        if (IsKana(b)) {
            out.Put2(0x8E, b);
            ++p;
        } else if (end - p >= 2 && !IsLineEnd(p[1])) {
            const std::uint16_t j = SjisToJisCode(static_cast<std::uint16_t>(b << 8 | p[1]));
            out.Put2(static_cast<u8>((j >> 8) | 0x80), static_cast<u8>(j | 0x80));
            p += 2;
        } else {
            out.Put(b);
            ++p;
        }
    }
}

template <void (*Pass)(const u8*, const u8*, CountSink&) noexcept>
std::size_t Count(std::string_view s) noexcept
{
    CountSink c;
    const u8* p = reinterpret_cast<const u8*>(s.data());
    Pass(p, p + s.size(), c);
    return c.n;
}

template <void (*CountPass)(const u8*, const u8*, CountSink&) noexcept,
          void (*WritePass)(const u8*, const u8*, WriteSink&) noexcept>
std::string Convert(std::string_view s)
{
    const std::size_t n = Count<CountPass>(s);
    std::string out(n, '\0');
    WriteSink w{reinterpret_cast<u8*>(out.data())};
    const u8* p = reinterpret_cast<const u8*>(s.data());
    WritePass(p, p + s.size(), w);
    return out;
}

} // namespace

std::uint16_t JisToSjisCode(std::uint16_t jis) noexcept
{
    const unsigned j1 = jis >> 8, j2 = jis & 0xFF;
    const unsigned s1 = ((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0);
    unsigned s2;
    if (j1 & 1) s2 = j2 + (j2 >= 0x60 ? 0x20 : 0x1F);
    else s2 = j2 + 0x7E;
    return static_cast<std::uint16_t>((s1 & 0xFF) << 8 | (s2 & 0xFF));
}

std::uint16_t SjisToJisCode(std::uint16_t sjis) noexcept
{
    const unsigned s1 = sjis >> 8, s2 = sjis & 0xFF;
    unsigned j1 = (s1 - (s1 <= 0x9F ? 0x70 : 0xB0)) << 1;
    unsigned j2;
    if (s2 < 0x9F) {
        j1 -= 1;
        j2 = s2 - (s2 >= 0x80 ? 0x20 : 0x1F);
    } else {
        j2 = s2 - 0x7E;
    }
    return static_cast<std::uint16_t>((j1 & 0xFF) << 8 | (j2 & 0xFF));
}

std::size_t JisToSjisLength(std::string_view s) noexcept { return Count<JisToSjis<CountSink>>(s); }
std::size_t EucToSjisLength(std::string_view s) noexcept { return Count<EucToSjis<CountSink>>(s); }
std::size_t SjisToJisLength(std::string_view s) noexcept { return Count<SjisToJis<CountSink>>(s); }
std::size_t SjisToEucLength(std::string_view s) noexcept { return Count<SjisToEuc<CountSink>>(s); }

std::string ConvertJisToSjis(std::string_view s) { return Convert<JisToSjis<CountSink>, JisToSjis<WriteSink>>(s); }
std::string ConvertEucToSjis(std::string_view s) { return Convert<EucToSjis<CountSink>, EucToSjis<WriteSink>>(s); }
std::string ConvertSjisToJis(std::string_view s) { return Convert<SjisToJis<CountSink>, SjisToJis<WriteSink>>(s); }
std::string ConvertSjisToEuc(std::string_view s) { return Convert<SjisToEuc<CountSink>, SjisToEuc<WriteSink>>(s); }

} // namespace vellumo
