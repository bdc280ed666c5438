#pragma once
// Per-character folding rules shared by the search engine and HanToZen.
// A character is one byte, a double-byte pair, or (width folding only) a
// half-width kana joined with its voiced mark. Codes are the character's
// bytes as one number: a single byte stays below 0x100, a pair is lead << 8 | trail.
#include <cstdint>

namespace vellumo {

// Upper case of a single byte. Only a-z change; double-byte letters are
// folded as whole characters by FoldDoubleByte.
constexpr unsigned char UpperCaseByte(unsigned char b) noexcept
{
    return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - 0x20) : b;
}

// Lower- to upper-case for the full-width Latin, Greek and Cyrillic
// letters, and the small Roman numerals to the capital ones; any other
// pair is returned unchanged. Pattern and text go through the same rule,
// so whatever was copied from the text is found in it again.
constexpr std::uint16_t FoldDoubleByte(std::uint16_t code) noexcept
{
    const unsigned lead = code >> 8, trail = code & 0xFF;
    if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A) return static_cast<std::uint16_t>(code - 0x21);
    if (lead == 0x83 && trail >= 0xBF && trail <= 0xD6) return static_cast<std::uint16_t>(code - 0x20);
    if (lead == 0x84 && trail >= 0x70 && trail <= 0x7E) return static_cast<std::uint16_t>(code - 0x30);
    if (lead == 0x84 && trail >= 0x80 && trail <= 0x91) return static_cast<std::uint16_t>(code - 0x31);
    if (lead == 0xEE && trail >= 0xEF && trail <= 0xF8) return static_cast<std::uint16_t>(0x8754 + (trail - 0xEF));
    return code;
}

// The one other code that FoldDoubleByte maps to code (its lower-case or
// small form), or 0.
constexpr std::uint16_t UnfoldDoubleByte(std::uint16_t code) noexcept
{
    const unsigned lead = code >> 8, trail = code & 0xFF;
    if (lead == 0x82 && trail >= 0x60 && trail <= 0x79) return static_cast<std::uint16_t>(code + 0x21);
    if (lead == 0x83 && trail >= 0x9F && trail <= 0xB6) return static_cast<std::uint16_t>(code + 0x20);
    if (lead == 0x84 && trail >= 0x40 && trail <= 0x4E) return static_cast<std::uint16_t>(code + 0x30);
    if (lead == 0x84 && trail >= 0x4F && trail <= 0x60) return static_cast<std::uint16_t>(code + 0x31);
    if (lead == 0x87 && trail >= 0x54 && trail <= 0x5D) return static_cast<std::uint16_t>(0xEEEF + (trail - 0x54));
    return 0;
}

// Bytes that end a word for whole-word matching. Letters, digits, "_",
// lead bytes and most half-width kana are word characters; a trail byte
// belongs to its character and is never looked up here.
constexpr bool IsWordDelimiter(unsigned char b) noexcept
{
    return b <= 0x2F || (b >= 0x3A && b <= 0x40) || (b >= 0x5B && b <= 0x5E) || b == 0x60 ||
           (b >= 0x7B && b <= 0x80) || (b >= 0xA0 && b <= 0xA5) || b >= 0xFD;
}

// Kana that take the voiced mark DE ("ｳ" and ｶ..ﾄ, ﾊ..ﾎ) and the
// semi-voiced mark DF (ﾊ..ﾎ only).
constexpr bool TakesVoicedMark(unsigned char b) noexcept
{
    return b == 0xB3 || (b >= 0xB6 && b <= 0xC4) || (b >= 0xCA && b <= 0xCE);
}
constexpr bool TakesSemiVoicedMark(unsigned char b) noexcept
{
    return b >= 0xCA && b <= 0xCE;
}
constexpr bool JoinsMark(unsigned char kana, unsigned char mark) noexcept
{
    return (mark == 0xDE && TakesVoicedMark(kana)) || (mark == 0xDF && TakesSemiVoicedMark(kana));
}

// The full-width Shift-JIS code of a single byte, or the byte itself when
// it has none (controls, 7F, 80, A0, E0-FF).
std::uint16_t FullWidthCode(unsigned char b) noexcept;

// The full-width code of a kana joined with its mark; JoinsMark must hold.
std::uint16_t JoinedKanaCode(unsigned char kana, unsigned char mark) noexcept;

} // namespace vellumo
