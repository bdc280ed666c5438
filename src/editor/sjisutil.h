#pragma once
// Double-byte-aware access to code-page-932 strings by 1-based index, and
// small helpers the editor and the application share.
#include <string>
#include <string_view>

#include "base/byteset.h"
#include "base/leadbytes.h"
#include "base/stringlist.h"

namespace vellumo {

// Lead and trail are decided by walking the string from its first byte.
bool IsLeadByteAt(std::string_view s, int index) noexcept;
bool IsTrailByteAt(std::string_view s, int index) noexcept;

// The byte at index, or 0 outside 1..length.
inline unsigned char CharAt(std::string_view s, int index) noexcept
{
    return index >= 1 && static_cast<std::size_t>(index) <= s.size() ? static_cast<unsigned char>(s[index - 1]) : 0;
}

// How many of the first min(n, length) bytes equal ch.
int CountChar(std::string_view s, char ch, int n) noexcept;

// True when the one- or two-byte character occurs in list at a character boundary.
bool ContainsMBString(std::string_view ch, std::string_view list) noexcept;

inline int Max(int a, int b) noexcept { return a > b ? a : b; }
inline int Min(int a, int b) noexcept { return a < b ? a : b; }

// The set of the string's single-byte characters.
TByteSet StrToCharSet(std::string_view s) noexcept;

// Fills list with the lines of text (CR, LF or CR LF breaks; a NUL ends the text).
void TextToStrings(std::string_view text, TStringList& list);

} // namespace vellumo
