#pragma once
// Pattern search in Shift-JIS text, and half-width to full-width conversion.
#include <cstdint>
#include <string>
#include <string_view>

namespace vellumo {

// Options of a search, as the find and replace dialogs store them.
// The engine reads sfDown, sfMatchCase, sfWholeWord, sfIgnoreWidth and
// the two skip bits; the others belong to the callers.
enum TSearchFlags : std::uint16_t {
    sfDown = 0x01,
    sfMatchCase = 0x02,
    sfWholeWord = 0x04,
    sfIgnoreWidth = 0x08,
    sfFindNext = 0x10,
    sfReplaceAll = 0x20,
    sfConfirm = 0x40,
    sfSkipLineBreaks = 0x80,
    sfSkipBlanks = 0x100,
};

constexpr TSearchFlags operator|(TSearchFlags a, TSearchFlags b) noexcept
{
    return static_cast<TSearchFlags>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr TSearchFlags operator&(TSearchFlags a, TSearchFlags b) noexcept
{
    return static_cast<TSearchFlags>(static_cast<unsigned>(a) & static_cast<unsigned>(b));
}
constexpr TSearchFlags operator~(TSearchFlags a) noexcept
{
    return static_cast<TSearchFlags>(~static_cast<unsigned>(a) & 0xFFFFu);
}
constexpr TSearchFlags& operator|=(TSearchFlags& a, TSearchFlags b) noexcept { return a = a | b; }
constexpr TSearchFlags& operator&=(TSearchFlags& a, TSearchFlags b) noexcept { return a = a & b; }

// Finds pattern in buf. The text is the run of buf around start that holds
// no NUL: a NUL ends it, and the engine looks for NULs only among the bytes
// it examines, so a call costs time in proportion to the distance it
// covers, not to the size of the buffer.
// Forward (sfDown) the search starts after the selection (start, length);
// backward it finds the nearest match starting at or before start minus
// the pattern's length (in characters with sfIgnoreWidth). A match never
// starts on a trail byte. Returns the match's offset and sets length to
// the bytes it covers (skipped line breaks and blanks included), or
// returns -1 and leaves both alone. start is never written. An empty
// pattern finds nothing.
int SearchBuffer(std::string_view buf, int start, int& length, std::string_view pattern, TSearchFlags flags);

// As SearchBuffer, for the editor: false when the pattern or the buffer is
// empty or nothing is found; otherwise start and length select the match.
bool SearchBufferPos(std::string_view buf, int& start, int& length, std::string_view pattern, TSearchFlags flags);

// Every single byte replaced by its full-width form; a kana followed by
// its voiced or semi-voiced mark becomes the one voiced full-width kana.
// Double-byte characters are copied.
std::string HanToZen(std::string_view s);

} // namespace vellumo
