#pragma once
#include <string_view>

namespace vellumo {

// Character code of a buffer or document.
enum TCharCode : int {
    ccNone = 0,       // no decisive byte
    ccBinary = 1,
    ccJis = 2,        // ESC $ B
    ccJisOld = 3,     // ESC $ @
    ccEuc = 4,
    ccSjis = 5,
    ccEucOrSjis = 6,  // undecided
    ccUnicode = 7,    // UTF-16 little-endian with byte-order mark
    ccUtf8 = 8,       // with byte-order mark
    ccUtf8N = 9,      // without
};

// Kind of line break.
enum TLineEndCode : int {
    leNone = 0,
    leCrLf = 1,
    leCr = 2,
    leLf = 3,
};

// Classifies a whole file image. Never fails, never allocates.
TCharCode DetectCharCode(std::string_view buf) noexcept;

// The kind of the first line break of the buffer.
TLineEndCode DetectLineEnd(std::string_view buf) noexcept;

} // namespace vellumo
