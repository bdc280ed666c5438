#pragma once
// Double-byte-aware access to code-page-932 strings by 1-based index, and
// small helpers the editor and the application share.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// The same question answered by a table made once from the list: the line
// cutter asks it several times for every row it cuts. Sets of the same list
// share one table, so making one for every edit costs a lookup.
class TMBCharSet {
public:
    TMBCharSet() = default;
    explicit TMBCharSet(std::string_view list);
    bool Contains(std::string_view ch) const noexcept
    {
        if (ch.size() == 1) return Has(static_cast<unsigned char>(ch[0]));
        if (ch.size() == 2) return Has(256 + (static_cast<unsigned>(static_cast<unsigned char>(ch[0])) << 8 |
                                              static_cast<unsigned char>(ch[1])));
        return ContainsMBString(ch, list_);
    }

private:
    bool Has(unsigned bit) const noexcept { return bits_ && ((*bits_)[bit >> 6] >> (bit & 63) & 1) != 0; }

    std::string list_;
    std::shared_ptr<const std::vector<std::uint64_t>> bits_;  // 256 single bytes, then every byte pair
};

inline int Max(int a, int b) noexcept { return a > b ? a : b; }
inline int Min(int a, int b) noexcept { return a < b ? a : b; }

// The set of the string's single-byte characters.
TByteSet StrToCharSet(std::string_view s) noexcept;

// Fills list with the lines of text (CR, LF or CR LF breaks; a NUL ends the text).
void TextToStrings(std::string_view text, TStringList& list);

} // namespace vellumo
