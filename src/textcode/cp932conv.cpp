#include "textcode/cp932conv.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "textcode/cp932.h"
#include "textcode/inplace.h"

namespace vellumo {
namespace {

using u8 = unsigned char;

// Output goes straight into the result string: it grows a chunk of input at
// a time by that chunk's worst case, so no counting pass is needed and only
// pages that output lands on are touched.
constexpr std::size_t kChunk = 1 << 16;
// Room beyond the chunk's bound, for the character that crosses its end and
// for escapes (a step stops before one that would not fit).
constexpr std::size_t kSlack = 64;

inline std::uint64_t Load8(const u8* p) noexcept
{
    std::uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

// True when one of the eight bytes is "$" or 01 (the bytes escaped once
// something is unmappable).
inline bool HasDollarOr01(std::uint64_t w) noexcept
{
    constexpr std::uint64_t ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
    const std::uint64_t a = w ^ (ones * '$'), b = w ^ ones;
    return (((a - ones) & ~a) | ((b - ones) & ~b)) & highs;
}

inline bool IsSurrogate(unsigned u) noexcept { return u - 0xD800u < 0x800u; }

inline u8* PutEscape(u8* o, unsigned unit) noexcept
{
    static constexpr char hex[] = "0123456789ABCDEF";
    o[0] = '$';
    o[1] = static_cast<u8>(hex[(unit >> 12) & 15]);
    o[2] = static_cast<u8>(hex[(unit >> 8) & 15]);
    o[3] = static_cast<u8>(hex[(unit >> 4) & 15]);
    o[4] = static_cast<u8>(hex[unit & 15]);
    return o + 5;
}

// Where a conversion into code page 932 stands.
struct TEscapes {
    bool escapeDollars = false;
    // Stop at the first unmappable character instead of escaping it, so
    // the caller can first escape the "$" already written.
    bool stopAtUnmappable = false;
    bool unmappable = false;
    bool stopped = false;
};

// Writes one UTF-16 unit; false when the step has to stop before it (for
// room, or at the first unmappable character).
struct TUnitWriter {
    const TCp932Tables& t;
    TEscapes& esc;

    // room: bytes that may still be written past o for this unit.
    inline bool Put(u8*& o, unsigned unit, std::ptrdiff_t room) noexcept
    {
        const unsigned c = IsSurrogate(unit) ? kNoCp932 : t.code[unit];
        if (c >= 0x100 && c != kNoCp932) {
            o[0] = static_cast<u8>(c >> 8);
            o[1] = static_cast<u8>(c);
            o += 2;
            return true;
        }
        if (c < 0x100 && !(esc.escapeDollars && (c == '$' || c == 0x01))) {
            *o++ = static_cast<u8>(c);
            return true;
        }
        if (c == kNoCp932) {
            if (esc.stopAtUnmappable) {
                esc.unmappable = esc.stopped = true;
                return false;
            }
            esc.unmappable = true;
        }
        if (room < 5) return false;
        o = PutEscape(o, unit);
        return true;
    }
};

// One character of UTF-8 from p (its first byte 80 or above), decoded the
// way the system's conversion decodes: units[0..return) and p past it.
// A sequence that the end cuts short takes the rest of the text as one
// U+FFFD; last false instead returns 0 and leaves p (more may follow).
inline int DecodeUtf8(const u8*& p, const u8* end, bool last, unsigned units[2]) noexcept
{
    // Bytes that follow a first byte 80-FF: none for a byte that begins
    // nothing (80-C1, F5-FF).
    static constexpr u8 follow[128] = {
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
        2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    };
    static constexpr unsigned mask[4] = {0x7F, 0x1F, 0x0F, 0x07};
    const u8 b = *p;
    const unsigned len = follow[b - 0x80];
    const u8* q = p + 1;
    if (static_cast<std::size_t>(end - q) < len) {
        if (!last) return 0;
        p = end;
        units[0] = 0xFFFD;
        return 1;
    }
    const u8* e = q + len;
    unsigned res = b & mask[len], c;
    // Each test below stops at the first byte that does not fit; the bytes
    // taken so far make one U+FFFD.
    switch (len) {
    case 3:
        if ((c = e[-3] ^ 0x80u) >= 0x40) break;
        res = res << 6 | c;
        ++q;
        if (res < 0x10) break;  // overlong
        [[fallthrough]];
    case 2:
        if ((c = e[-2] ^ 0x80u) >= 0x40) break;
        res = res << 6 | c;
        if (res >= (0x110000 >> 6)) break;  // beyond the last code point; the byte is not taken
        ++q;
        if (res < 0x20) break;                                    // overlong
        if (res >= (0xD800 >> 6) && res <= (0xDFFF >> 6)) break;  // a surrogate
        [[fallthrough]];
    case 1:
        if ((c = e[-1] ^ 0x80u) >= 0x40) break;
        res = res << 6 | c;
        ++q;
        if (res < 0x80) break;
        p = q;
        if (res > 0xFFFF) {
            units[0] = 0xD800 | ((res - 0x10000) >> 10);
            units[1] = 0xDC00 | (res & 0x3FF);
            return 2;
        }
        units[0] = res;
        return 1;
    default: break;
    }
    p = q;
    units[0] = 0xFFFD;
    return 1;
}

// UTF-8 into code page 932: the characters that begin before limit, or up
// to a stop. Returns where it stopped.
const u8* Utf8Step(const u8* p, const u8* limit, const u8* end, bool last, u8*& o, u8* oend,
                   const TCp932Tables& t, TEscapes& esc) noexcept
{
    TUnitWriter w{t, esc};
    while (p < limit) {
        const u8 b = *p;
        if (b < 0x80) {
            // Runs of ASCII eight bytes at a time.
            while (end - p >= 8 && p < limit) {
                const std::uint64_t v = Load8(p);
                if ((v & 0x8080808080808080ULL) || (esc.escapeDollars && HasDollarOr01(v))) break;
                std::memcpy(o, p, 8);
                o += 8;
                p += 8;
            }
            if (p >= limit || *p >= 0x80) continue;
            const u8 a = *p;
            if (esc.escapeDollars && (a == '$' || a == 0x01)) {
                if (!w.Put(o, a, (oend - o) - (limit - p) - 16)) return p;
            } else {
                *o++ = a;
            }
            ++p;
            continue;
        }
        // Three bytes, the form of nearly every Japanese character.
        if ((b & 0xF0) == 0xE0 && end - p >= 3 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80) {
            const unsigned u = (b & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
            const unsigned c = t.code[u];
            if (u >= 0x800 && !IsSurrogate(u) && c >= 0x100 && c != kNoCp932) {
                o[0] = static_cast<u8>(c >> 8);
                o[1] = static_cast<u8>(c);
                o += 2;
                p += 3;
                continue;
            }
        }
        const u8* q = p;
        unsigned units[2] = {0, 0};
        const int n = DecodeUtf8(q, end, last, units);
        if (n == 0) return p;  // cut by the end of the piece
        if (!w.Put(o, units[0], (oend - o) - (limit - p) - 16)) return p;
        if (n == 2) {
            u8* const before = o;
            if (!w.Put(o, units[1], (oend - o) - (limit - p) - 16)) {
                // Not half a character: the first escape is taken back.
                o = before - 5;
                return p;
            }
        }
        p = q;
    }
    return p;
}

inline unsigned Unit16(const u8* p) noexcept { return p[0] | static_cast<unsigned>(p[1]) << 8; }

// UTF-16LE into code page 932; the end falls on a unit boundary.
const u8* Utf16Step(const u8* p, const u8* limit, const u8* end, bool /*last*/, u8*& o, u8* oend,
                    const TCp932Tables& t, TEscapes& esc) noexcept
{
    TUnitWriter w{t, esc};
    while (p < limit) {
        // Four ASCII units at a time.
        if (end - p >= 8) {
            const std::uint64_t v = Load8(p);
            if (!(v & 0xFF80FF80FF80FF80ULL) && !(esc.escapeDollars && HasDollarOr01(v))) {
                o[0] = static_cast<u8>(v);
                o[1] = static_cast<u8>(v >> 16);
                o[2] = static_cast<u8>(v >> 32);
                o[3] = static_cast<u8>(v >> 48);
                o += 4;
                p += 8;
                continue;
            }
        }
        const unsigned u = Unit16(p);
        if (!w.Put(o, u, (oend - o) - (limit - p) - 16)) return p;
        p += 2;
    }
    return p;
}

// wchar_t units (two or four bytes each) into code page 932.
const wchar_t* WideStep(const wchar_t* p, const wchar_t* limit, u8*& o, u8* oend, const TCp932Tables& t,
                        TEscapes& esc) noexcept
{
    TUnitWriter w{t, esc};
    while (p < limit) {
        const unsigned u = static_cast<unsigned>(*p) & 0xFFFF;
        if (u < 0x80 && !(esc.escapeDollars && (u == '$' || u == 0x01))) {
            *o++ = static_cast<u8>(u);
        } else if (!w.Put(o, u, (oend - o) - 2 * (limit - p) - 16)) {
            return p;
        }
        ++p;
    }
    return p;
}

// "$" and 01 in text converted before the first unmappable character,
// escaped now that one was found. Neither is ever a trail byte.
void EscapeDollarsAfterwards(std::string& out)
{
    std::size_t n = 0;
    for (const char c : out) n += (c == '$' || c == '\x01');
    if (n == 0) return;
    std::string fixed;
    fixed.reserve(out.capacity() + n * 4);
    for (const char c : out) {
        if (c == '$' || c == '\x01') {
            u8 esc[5];
            PutEscape(esc, static_cast<u8>(c));
            fixed.append(reinterpret_cast<const char*>(esc), 5);
        } else {
            fixed += c;
        }
    }
    out.swap(fixed);
}

// Runs step over [p, end) in chunks, the output growing by inputBytes *
// room per chunk (the most a chunk's fast paths write per input unit).
// With stop set, the first unmappable character stops the step, the "$"
// written so far are escaped, and the rest goes on escaping.
// With fixup false, a stop at the first unmappable character ends the run
// instead (esc.stopped stays set).
template <class Unit, class Step>
const Unit* RunChunks(const Unit* p, const Unit* end, std::size_t room, std::string& out, TEscapes& esc, Step step,
                      bool fixup = true)
{
    std::size_t size = out.size();
    while (p < end) {
        const Unit* limit = static_cast<std::size_t>(end - p) > kChunk ? p + kChunk : end;
        out.resize(size + static_cast<std::size_t>(limit - p) * room + kSlack);
        u8* const base = reinterpret_cast<u8*>(out.data());
        u8* o = base + size;
        const Unit* q = step(p, limit, o, base + out.size());
        size = static_cast<std::size_t>(o - base);
        if (esc.stopped && !fixup) {
            p = q;
            break;
        }
        if (esc.stopped) {
            out.resize(size);
            EscapeDollarsAfterwards(out);
            size = out.size();
            esc.stopped = esc.stopAtUnmappable = false;
            esc.escapeDollars = true;
        } else if (q == p) {
            break;  // an unfinished character at the end of a piece
        }
        p = q;
    }
    out.resize(size);
    return p;
}

void ToCp932(TUnicodeForm form, std::string_view in, std::string& out, bool& unmappable)
{
    out.clear();
    // Both forms take at least one byte per byte written, but for escapes.
    out.reserve(in.size() + in.size() / 16 + kSlack);
    const TCp932Tables& t = Cp932Tables();
    TEscapes esc;
    esc.stopAtUnmappable = true;
    const u8* p = reinterpret_cast<const u8*>(in.data());
    const u8* end = p + (form == TUnicodeForm::utf16le ? in.size() & ~std::size_t{1} : in.size());
    RunChunks(p, end, 1, out, esc, [&](const u8* a, const u8* limit, u8*& o, u8* oend) {
        return form == TUnicodeForm::utf8 ? Utf8Step(a, limit, end, true, o, oend, t, esc)
                                          : Utf16Step(a, limit, end, true, o, oend, t, esc);
    });
    unmappable = esc.unmappable;
}

void ToCp932InPlace(TUnicodeForm form, char* data, std::size_t size, std::size_t from, TInPlaceOutput& out,
                    bool& unmappable)
{
    from = std::min(from, size);
    if (form == TUnicodeForm::utf16le && (size - from) % 2) --size;  // an odd last byte
    const TCp932Tables& t = Cp932Tables();
    TEscapes esc;
    esc.stopAtUnmappable = true;
    auto step = [&](const u8* end) {
        return [&t, &esc, form, end](const u8* a, const u8* limit, u8*& o, u8* oend) {
            return form == TUnicodeForm::utf8 ? Utf8Step(a, limit, end, true, o, oend, t, esc)
                                              : Utf16Step(a, limit, end, true, o, oend, t, esc);
        };
    };
    inplace::TProgress r =
        inplace::Run(data, size, from, [&](const u8* p, const u8* stopAt, const u8* end, std::string& chunk, bool& stop) {
            p = RunChunks(p, stopAt, 1, chunk, esc, step(end), false);
            stop = esc.stopped;
            return p;
        });
    if (r.stopped) {
        // A loss after "$" or 01 were written: those are escaped in a copy
        // of the output, and the rest goes on into it with escapes.
        std::string done(data, r.written);
        done += r.pending;
        EscapeDollarsAfterwards(done);
        esc.stopped = esc.stopAtUnmappable = false;
        esc.escapeDollars = true;
        const u8* end = reinterpret_cast<const u8*>(data) + size;
        RunChunks(reinterpret_cast<const u8*>(data) + r.read, end, 1, done, esc, step(end));
        out.Written = 0;
        out.Rest.swap(done);
    } else {
        inplace::Finish(out, r);
    }
    unmappable = esc.unmappable;
}

void ToCp932InPlace(TUnicodeForm form, std::string& text, std::size_t from, bool& unmappable)
{
    TInPlaceOutput out;
    ToCp932InPlace(form, text.data(), text.size(), from, out, unmappable);
    inplace::Finish(text, out);
}

// One code page 932 character from p: its UTF-16 unit, p past it; lossy
// when it would not come back as the same bytes.
inline unsigned DecodeCp932(const u8*& p, const u8* end, const TCp932Tables& t, bool& lossy) noexcept
{
    const u8 b = *p;
    const unsigned row = t.row[b];
    if (row == kNoRow || end - p < 2 || p[1] == 0) {
        const unsigned u = t.single[b];
        lossy |= t.code[u] != b;
        ++p;
        return u;
    }
    const unsigned u = t.pair[row][p[1]];
    lossy |= t.code[u] != (static_cast<unsigned>(b) << 8 | p[1]);
    p += 2;
    return u;
}

template <class Put>
const u8* FromCp932(const u8* p, const u8* limit, const u8* end, const TCp932Tables& t, bool& lossy, Put put) noexcept
{
    while (p < limit) {
        if (end - p >= 8) {
            const std::uint64_t v = Load8(p);
            if (!(v & 0x8080808080808080ULL)) {
                put.Ascii8(v);
                p += 8;
                continue;
            }
        }
        put.Unit(DecodeCp932(p, end, t, lossy));
    }
    return p;
}

struct TUtf16LeOut {
    u8*& o;
    void Ascii8(std::uint64_t v) noexcept
    {
        for (int i = 0; i < 8; ++i) {
            o[2 * i] = static_cast<u8>(v >> (8 * i));
            o[2 * i + 1] = 0;
        }
        o += 16;
    }
    void Unit(unsigned u) noexcept
    {
        o[0] = static_cast<u8>(u);
        o[1] = static_cast<u8>(u >> 8);
        o += 2;
    }
};

struct TUtf8Out {
    u8*& o;
    void Ascii8(std::uint64_t v) noexcept
    {
        std::memcpy(o, &v, 8);
        o += 8;
    }
    void Unit(unsigned u) noexcept
    {
        if (u < 0x80) {
            *o++ = static_cast<u8>(u);
        } else if (u < 0x800) {
            o[0] = static_cast<u8>(0xC0 | u >> 6);
            o[1] = static_cast<u8>(0x80 | (u & 0x3F));
            o += 2;
        } else {
            o[0] = static_cast<u8>(0xE0 | u >> 12);
            o[1] = static_cast<u8>(0x80 | ((u >> 6) & 0x3F));
            o[2] = static_cast<u8>(0x80 | (u & 0x3F));
            o += 3;
        }
    }
};

template <class Out>
void AppendFromCp932(std::string_view in, std::string& out, bool& lossy, std::size_t room, std::size_t reserve)
{
    const TCp932Tables& t = Cp932Tables();
    const u8* p = reinterpret_cast<const u8*>(in.data());
    const u8* end = p + in.size();
    out.reserve(out.size() + reserve);
    TEscapes none;
    RunChunks(p, end, room, out, none, [&](const u8* a, const u8* limit, u8*& o, u8*) {
        return FromCp932(a, limit, end, t, lossy, Out{o});
    });
}

// Wide strings grow by the same chunks, one unit per input byte at most.
template <class Unit, class Step>
void WideChunks(const Unit* p, const Unit* end, std::wstring& out, Step step)
{
    out.clear();
    out.reserve(static_cast<std::size_t>(end - p));
    std::size_t size = 0;
    while (p < end) {
        const Unit* limit = static_cast<std::size_t>(end - p) > kChunk ? p + kChunk : end;
        out.resize(size + static_cast<std::size_t>(limit - p) + 8);
        wchar_t* o = out.data() + size;
        p = step(p, limit, o);
        size = static_cast<std::size_t>(o - out.data());
    }
    out.resize(size);
}

} // namespace

void Utf16LeToCp932(std::string_view utf16le, std::string& out, bool& unmappable)
{
    ToCp932(TUnicodeForm::utf16le, utf16le, out, unmappable);
}

void Utf8ToCp932(std::string_view utf8, std::string& out, bool& unmappable)
{
    ToCp932(TUnicodeForm::utf8, utf8, out, unmappable);
}

void Utf16LeToCp932InPlace(std::string& text, std::size_t from, bool& unmappable)
{
    ToCp932InPlace(TUnicodeForm::utf16le, text, from, unmappable);
}

void Utf8ToCp932InPlace(std::string& text, std::size_t from, bool& unmappable)
{
    ToCp932InPlace(TUnicodeForm::utf8, text, from, unmappable);
}

void Utf16LeToCp932InPlace(char* data, std::size_t size, std::size_t from, TInPlaceOutput& out, bool& unmappable)
{
    ToCp932InPlace(TUnicodeForm::utf16le, data, size, from, out, unmappable);
}

void Utf8ToCp932InPlace(char* data, std::size_t size, std::size_t from, TInPlaceOutput& out, bool& unmappable)
{
    ToCp932InPlace(TUnicodeForm::utf8, data, size, from, out, unmappable);
}

void WideToCp932(const wchar_t* units, std::size_t count, std::string& out, bool& unmappable)
{
    out.clear();
    out.reserve(count + count / 8 + kSlack);
    const TCp932Tables& t = Cp932Tables();
    TEscapes esc;
    esc.stopAtUnmappable = true;
    RunChunks(units, units + count, 2, out, esc, [&](const wchar_t* a, const wchar_t* limit, u8*& o, u8* oend) {
        return WideStep(a, limit, o, oend, t, esc);
    });
    unmappable = esc.unmappable;
}

bool Utf16LeHasUnmappable(std::string_view utf16le) noexcept
{
    const TCp932Tables& t = Cp932Tables();
    const u8* p = reinterpret_cast<const u8*>(utf16le.data());
    const u8* end = p + (utf16le.size() & ~std::size_t{1});
    for (; p < end; p += 2) {
        if (end - p >= 8 && !(Load8(p) & 0xFF80FF80FF80FF80ULL)) {
            p += 6;
            continue;
        }
        const unsigned u = Unit16(p);
        if (IsSurrogate(u) || t.code[u] == kNoCp932) return true;
    }
    return false;
}

bool Utf8HasUnmappable(std::string_view utf8) noexcept
{
    const TCp932Tables& t = Cp932Tables();
    const u8* p = reinterpret_cast<const u8*>(utf8.data());
    const u8* end = p + utf8.size();
    while (p < end) {
        if (*p < 0x80) {
            while (end - p >= 8 && !(Load8(p) & 0x8080808080808080ULL)) p += 8;
            while (p < end && *p < 0x80) ++p;
            continue;
        }
        unsigned units[2] = {0, 0};
        const int n = DecodeUtf8(p, end, true, units);
        for (int i = 0; i < n; ++i)
            if (IsSurrogate(units[i]) || t.code[units[i]] == kNoCp932) return true;
    }
    return false;
}

bool WideHasUnmappable(const wchar_t* units, std::size_t count) noexcept
{
    const TCp932Tables& t = Cp932Tables();
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned u = static_cast<unsigned>(units[i]) & 0xFFFF;
        if (IsSurrogate(u) || t.code[u] == kNoCp932) return true;
    }
    return false;
}

void Utf8ToWideUnits(std::string_view utf8, std::wstring& out)
{
    const u8* begin = reinterpret_cast<const u8*>(utf8.data());
    const u8* end = begin + utf8.size();
    WideChunks(begin, end, out, [end](const u8* p, const u8* limit, wchar_t*& o) {
        while (p < limit) {
            if (*p < 0x80) {
                *o++ = static_cast<wchar_t>(*p++);
                continue;
            }
            unsigned units[2] = {0, 0};
            const int n = DecodeUtf8(p, end, true, units);
            for (int i = 0; i < n; ++i) *o++ = static_cast<wchar_t>(units[i]);
        }
        return p;
    });
}

void Cp932ToWideUnits(std::string_view cp932, std::wstring& out)
{
    const TCp932Tables& t = Cp932Tables();
    const u8* begin = reinterpret_cast<const u8*>(cp932.data());
    const u8* end = begin + cp932.size();
    bool lossy = false;
    WideChunks(begin, end, out, [&](const u8* p, const u8* limit, wchar_t*& o) {
        while (p < limit) *o++ = static_cast<wchar_t>(DecodeCp932(p, end, t, lossy));
        return p;
    });
}

void Cp932ToUtf16Le(std::string_view cp932, std::string& out, bool& lossy)
{
    AppendFromCp932<TUtf16LeOut>(cp932, out, lossy, 2, cp932.size() * 2);
}

void Cp932ToUtf8(std::string_view cp932, std::string& out, bool& lossy)
{
    AppendFromCp932<TUtf8Out>(cp932, out, lossy, 3, cp932.size() + cp932.size() / 2);
}

void TToCp932Stream::Run(std::string_view piece, bool last, std::string& out)
{
    const TCp932Tables& t = Cp932Tables();
    TEscapes esc;
    esc.escapeDollars = escapeDollars_;
    const u8* p = reinterpret_cast<const u8*>(piece.data());
    const u8* end = p + piece.size();
    const u8* stop = RunChunks(p, end, 1, out, esc, [&](const u8* a, const u8* limit, u8*& o, u8* oend) {
        return form_ == TUnicodeForm::utf8 ? Utf8Step(a, limit, end, last, o, oend, t, esc)
                                           : Utf16Step(a, limit, end, last, o, oend, t, esc);
    });
    unmappable_ |= esc.unmappable;
    heldCount_ = static_cast<std::size_t>(end - stop);
    std::memcpy(held_, stop, heldCount_);
}

void TToCp932Stream::Put(std::string_view piece, std::string& out)
{
    if (piece.empty()) return;  // nothing can end a held character
    if (heldCount_) {
        // The held bytes and the start of the piece, which ends their character.
        u8 joined[8];
        const std::size_t held = heldCount_;
        std::size_t take = std::min(piece.size(), sizeof joined - held);
        if (form_ == TUnicodeForm::utf16le && (held + take) % 2) --take;
        if (take == 0) {
            if (!piece.empty()) held_[heldCount_++] = static_cast<u8>(piece[0]);
            return;
        }
        std::memcpy(joined, held_, held);
        std::memcpy(joined + held, piece.data(), take);
        Run(std::string_view(reinterpret_cast<const char*>(joined), held + take), false, out);
        const std::size_t used = held + take - heldCount_;
        if (used < held) return;  // the piece was too short to end it (all of it is held now)
        heldCount_ = 0;
        piece.remove_prefix(used - held);
    }
    if (form_ == TUnicodeForm::utf16le && piece.size() % 2) {
        Run(piece.substr(0, piece.size() - 1), false, out);
        held_[heldCount_++] = static_cast<u8>(piece.back());
        return;
    }
    Run(piece, false, out);
}

void TToCp932Stream::Finish(std::string& out)
{
    if (form_ == TUnicodeForm::utf16le) {
        heldCount_ = 0;  // an odd last byte is ignored
        return;
    }
    if (heldCount_) Run(std::string_view(reinterpret_cast<const char*>(held_), heldCount_), true, out);
    heldCount_ = 0;
}

} // namespace vellumo
