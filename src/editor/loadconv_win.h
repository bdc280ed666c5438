#pragma once
// A file's bytes and their conversion to the internal text in pieces. The
// bytes are read into pages that are handed back as the conversion passes
// them, and the text grows in pages reserved at once (never moved), which
// the row store then keeps: a load holds the file and its text about once,
// never a wide copy of the whole.
#include <cstddef>
#include <string>
#include <string_view>

#include "editor/rowstore.h"
#include "textcode/charcode.h"
#include "textcode/inplace.h"

namespace vellumo {

// Pages reserved at their largest size and committed as they fill.
class TLoadPages {
public:
    TLoadPages() = default;
    ~TLoadPages();
    TLoadPages(const TLoadPages&) = delete;
    TLoadPages& operator=(const TLoadPages&) = delete;

    bool Reserve(std::size_t max);
    // Commits what size needs; false when memory runs out (or past the reserve).
    bool Resize(std::size_t size);
    bool Append(std::string_view s);
    // Takes the result of a conversion run in these pages' memory; the
    // pages past it are given back.
    bool Settle(TInPlaceOutput& out);
    char* Data() const noexcept { return base_; }
    std::size_t Size() const noexcept { return size_; }
    std::string_view View() const noexcept { return std::string_view(base_, size_); }
    // Gives the whole pages before offset back; they are not read again.
    void Release(std::size_t offset) noexcept;
    // The pages as a block of the row store, which frees them.
    TTextBlock TakeBlock();
    void Free() noexcept;
    // Memory ran out (or a reserve could not be had) since the pages were made.
    bool Exhausted() const noexcept { return exhausted_; }
    void MarkExhausted() noexcept { exhausted_ = true; }

private:
    char* base_ = nullptr;
    std::size_t reserved_ = 0, committed_ = 0, size_ = 0, released_ = 0;
    bool exhausted_ = false;
};

// The whole file into pages, reserved for what a conversion in them may
// grow to; false when it cannot be opened or read.
bool ReadFilePages(const std::string& name, TLoadPages& bytes);

// How ReadFileText read a file.
struct TFileText {
    // The pages hold the file converted into code page 932 from this code
    // (ccUnicode, ccUtf8, ccUtf8N, ccJis or ccJisOld); ccNone: its bytes as
    // they stand.
    TCharCode Converted = ccNone;
    std::size_t Replaced = 0;  // JIS characters written as "〓"
    // Bytes that stand are no UTF-8 with a sequence of more than one byte:
    // DetectLegacyCharCode tells their code.
    bool NotUtf8 = false;
    bool OddByte = false;  // converted UTF-16 whose lone last byte was left out
    // Nothing was read: the file is larger than the memory left could hold.
    bool TooLarge = false;
};

// The whole file into pages, as ReadFilePages, but a file in UTF-16 or
// UTF-8 by the code given (-1: none), by its signature or, detecting, by
// being UTF-8 throughout, or detecting a JIS file, is converted as it is
// read, as the whole text's conversion: the pages grow to the text's size,
// never the file's. One with a character code page 932 lacks, or whose
// code turns out otherwise after a conversion began, is read again as it
// stands. Only with code page 932. Never more than the size the file had
// when it was opened is read: bytes added meanwhile are the caller's to notice.
bool ReadFileText(const std::string& name, int code, bool detect, TLoadPages& pages, TFileText& info);

// UTF-16 little-endian units (an odd last byte left out) or UTF-8 bytes from
// byte skip on, converted as WideToAnsiEscaped converts the whole text
// ("$" escapes throughout when any character lacks a form). noAnsi: such a
// character was met. False (text in any state) when the system refuses a
// conversion or memory runs out.
bool ConvertUtf16Pages(TLoadPages& bytes, std::size_t skip, TLoadPages& text, bool& noAnsi);
bool ConvertUtf8Pages(TLoadPages& bytes, std::size_t skip, TLoadPages& text, bool& noAnsi);

} // namespace vellumo
