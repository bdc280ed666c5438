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
// Its parts, for a reader that checks UTF-8 as the bytes arrive: whether
// the bytes are UTF-8 throughout (multiByte: a sequence of more than one
// byte was met), and the code of a buffer that has no signature and is
// not UTF-8 with such a sequence.
bool IsUtf8Text(std::string_view buf, bool& multiByte) noexcept;
TCharCode DetectLegacyCharCode(std::string_view buf) noexcept;

// The kind of the first line break of the buffer.
TLineEndCode DetectLineEnd(std::string_view buf) noexcept;

} // namespace vellumo
