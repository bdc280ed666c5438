// Buffer, pattern, selection and flags from the input; checks that every
// reported match lies inside the buffer, starts on a character and agrees
// between the two entry points.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

#include "base/leadbytes.h"
#include "textcode/search.h"

using namespace vellumo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 6) return 0;
    const auto flags = static_cast<TSearchFlags>(data[0] | data[1] << 8);
    const std::size_t patLen = data[2] % 16;
    const int start = static_cast<int>(data[3]) - 8;
    const int length = static_cast<int>(data[4] % 8) - 1;
    const bool exactBuffer = data[5] & 1;  // a view that ends without a NUL
    data += 6;
    size -= 6;
    if (patLen > size) return 0;
    const std::string pattern(reinterpret_cast<const char*>(data), patLen);
    // The buffer gets its own allocation so that any read past it is seen.
    std::vector<char> buf(reinterpret_cast<const char*>(data + patLen), reinterpret_cast<const char*>(data + size));
    if (!exactBuffer) buf.push_back('\0');
    const std::string_view view(buf.data(), buf.size());

    // The text is the run between the NULs around the start.
    const std::size_t from = start < 0 ? 0 : std::min(static_cast<std::size_t>(start), buf.size());
    std::size_t textLen = from, textStart = from;
    while (textLen < buf.size() && buf[textLen] != '\0') ++textLen;
    while (textStart > 0 && buf[textStart - 1] != '\0') --textStart;

    int len = length;
    const int pos = SearchBuffer(view, start, len, pattern, flags);
    if (pos >= 0) {
        if (pattern.empty() || len < 1 || static_cast<std::size_t>(pos) < textStart ||
            static_cast<std::size_t>(pos) + static_cast<std::size_t>(len) > textLen)
            __builtin_trap();
        // A match starts on a character: walk from the start.
        std::size_t i = 0;
        while (i < static_cast<std::size_t>(pos))
            i += IsLeadByte(static_cast<unsigned char>(buf[i])) && i + 1 < buf.size() && buf[i + 1] != '\0' ? 2 : 1;
        if (i != static_cast<std::size_t>(pos)) __builtin_trap();
        if ((flags & sfDown) && pos < start + length) __builtin_trap();
        if (!(flags & sfDown) && pos > start) __builtin_trap();
        if ((flags & sfMatchCase) && !(flags & (sfIgnoreWidth | sfSkipBlanks | sfSkipLineBreaks)) &&
            (static_cast<std::size_t>(len) != pattern.size() || std::memcmp(buf.data() + pos, pattern.data(), pattern.size()) != 0))
            __builtin_trap();
    } else if (len != length) {
        __builtin_trap();
    }

    int s = start, l = length;
    const bool ok = SearchBufferPos(view, s, l, pattern, flags);
    if (ok != (pos >= 0) || (ok && (s != pos || l != len)) || (!ok && s != start)) __builtin_trap();
    return 0;
}
