// The project's code page 932 tables and UTF-8 reading against the
// system's conversion: every byte and pair, every UTF-16 unit, and random
// texts through the escapes, both ways.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "textcode/cp932conv.h"
#include "textcode/wideconv.h"

using namespace vellumo;

namespace {

std::wstring SystemToWide(const std::string& s, UINT cp)
{
    if (s.empty()) return {};
    const DWORD flags = cp == 932 ? MB_PRECOMPOSED : 0;
    const int n = ::MultiByteToWideChar(cp, flags, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(cp, flags, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string SystemFromWide(const std::wstring& w, char defaultChar, BOOL* used)
{
    *used = FALSE;
    if (w.empty()) return {};
    const char def[2] = {defaultChar, 0};
    const int n = ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                        def, used);
    std::string s(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), s.data(), n, def, used);
    return s;
}

// The escaping conversion done through the system, unit by unit after one
// whole conversion: the form the tables have to give.
std::string SystemEscaped(const std::wstring& w)
{
    BOOL used = FALSE;
    const std::string plain = SystemFromWide(w, '\x01', &used);
    if (!used) return plain;
    std::string out;
    for (const wchar_t c : w) {
        BOOL u = FALSE;
        const std::string one = c >= 0xD800 && c <= 0xDFFF ? std::string("\x01") : SystemFromWide(std::wstring(1, c), '\x01', &u);
        if (one == "\x01" || one == "$") {
            char esc[6];
            std::snprintf(esc, sizeof esc, "$%04X", static_cast<unsigned>(c));
            out += esc;
        } else {
            out += one;
        }
    }
    return out;
}

TEST(Cp932Win, EveryByteAndPairReadsAsTheSystemReadsIt)
{
    ASSERT_EQ(::GetACP(), 932u);
    for (unsigned b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        ASSERT_EQ(AnsiToWide(one), SystemToWide(one, 932)) << std::hex << b;
    }
    // A pair, then a letter: shows how many bytes each first byte takes.
    for (unsigned lead = 0x80; lead < 0x100; ++lead)
        for (unsigned trail = 0; trail < 0x100; ++trail) {
            const std::string s{static_cast<char>(lead), static_cast<char>(trail), 'A'};
            ASSERT_EQ(AnsiToWide(s), SystemToWide(s, 932)) << std::hex << lead << ' ' << trail;
        }
}

TEST(Cp932Win, EveryUnitWritesAsTheSystemWritesIt)
{
    for (unsigned u = 0; u < 0x10000; ++u) {
        const std::wstring w(1, static_cast<wchar_t>(u));
        BOOL used = FALSE;
        const std::string sys = SystemFromWide(w, '\x01', &used);
        ASSERT_EQ(HasUnmappableChars(w), used != FALSE) << std::hex << u;
        if (used) {
            char esc[6];
            std::snprintf(esc, sizeof esc, "$%04X", u);
            ASSERT_EQ(WideToAnsiEscaped(w), esc) << std::hex << u;
        } else {
            ASSERT_EQ(WideToAnsiEscaped(w), sys) << std::hex << u;
        }
    }
}

// Texts of characters that matter to the escapes: ASCII with "$", 01 and
// NUL, kana, kanji, second codes, characters without a code, lone and
// paired surrogates.
std::wstring RandomWide(std::mt19937& rng, int length)
{
    static const wchar_t pool[] = {L'a', L'$', 1, 0, L'\r', L'\n', 0x3042, 0x4E9C, 0xFF71, 0x2170, 0x7E8A,
                                   0x2252, 0xD55C, 0x203E, 0xE000, 0x80, 0xF8F0, 0xFFFD, 0xD800, 0xDC00};
    std::wstring w;
    for (int i = 0; i < length; ++i) {
        if (rng() % 30 == 0) {
            w += static_cast<wchar_t>(0xD83D);
            w += static_cast<wchar_t>(0xDE00);
        } else if (rng() % 4 == 0) {
            w += static_cast<wchar_t>(rng() % 0x10000);
        } else {
            w += pool[rng() % std::size(pool)];
        }
    }
    return w;
}

TEST(Cp932Win, EscapesMatchTheSystemConversion)
{
    std::mt19937 rng(3);
    for (int round = 0; round < 3000; ++round) {
        const std::wstring w = RandomWide(rng, static_cast<int>(rng() % 24));
        BOOL used = FALSE;
        SystemFromWide(w, '\x01', &used);
        ASSERT_EQ(HasUnmappableChars(w), used != FALSE);
        ASSERT_EQ(WideToAnsiEscaped(w), SystemEscaped(w)) << round;
        // The same text as UTF-16 file bytes.
        std::string out;
        bool unmappable = false;
        Utf16LeToCp932(std::string(reinterpret_cast<const char*>(w.data()), w.size() * 2), out, unmappable);
        ASSERT_EQ(out, SystemEscaped(w));
        ASSERT_EQ(unmappable, used != FALSE);
    }
}

TEST(Cp932Win, RandomBytesReadAsTheSystemReadsThem)
{
    // Code page 932 bytes (lead bytes before NUL, line ends and the end of
    // the text) and UTF-8 made of the pieces of sequences.
    std::mt19937 rng(5);
    static const unsigned char utf8Bytes[] = {0x41, 0x24, 0x00, 0x0A, 0x80, 0x8F, 0x9F, 0xA0, 0xBF, 0xC0, 0xC2, 0xDF, 0xE0,
                                              0xE3, 0xED, 0xEF, 0xF0, 0xF1, 0xF4, 0xF5, 0xFF};
    for (int round = 0; round < 20000; ++round) {
        std::string s;
        const int n = static_cast<int>(rng() % 12);
        for (int i = 0; i < n; ++i) {
            s += static_cast<char>(round % 2 ? utf8Bytes[rng() % std::size(utf8Bytes)]
                                             : (rng() % 3 ? 0x80 + rng() % 0x80 : rng() % 0x80));
        }
        if (round % 2) {
            ASSERT_EQ(Utf8ToWide(s), SystemToWide(s, CP_UTF8)) << round;
            std::string out;
            bool unmappable = false;
            Utf8ToCp932(s, out, unmappable);
            ASSERT_EQ(out, SystemEscaped(SystemToWide(s, CP_UTF8))) << round;
        } else {
            ASSERT_EQ(AnsiToWide(s), SystemToWide(s, 932)) << round;
        }
    }
}

} // namespace
