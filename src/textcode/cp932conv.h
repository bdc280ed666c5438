#pragma once
// Code page 932 text from UTF-16 and UTF-8 and back, one pass over the text
// with the tables of cp932.h.
//
// Into code page 932, a character it cannot hold becomes "$" and the four
// upper-case hex digits of its UTF-16 unit (one escape per unit, so a
// character outside the basic plane gives two). When that happens anywhere
// in a text, "$" and U+0001 are escaped too, so the escapes stay
// unambiguous; a text without such a character converts plainly.
// Malformed UTF-8 is read as the system reads it: one U+FFFD per bad
// sequence, and a sequence cut off by the end of the text takes the rest.
//
// Everything here may throw std::bad_alloc and nothing else.
#include <cstddef>
#include <string>
#include <string_view>

#include "textcode/inplace.h"

namespace vellumo {

// Whole texts, replacing out. unmappable: a character was escaped for want
// of a code. An odd last byte of UTF-16 is ignored.
void Utf16LeToCp932(std::string_view utf16le, std::string& out, bool& unmappable);
void Utf8ToCp932(std::string_view utf8, std::string& out, bool& unmappable);
void WideToCp932(const wchar_t* units, std::size_t count, std::string& out, bool& unmappable);

// The same for the bytes of text from from on, done in the text's own
// memory (a big text needs no second buffer of its size); text becomes the
// result.
void Utf16LeToCp932InPlace(std::string& text, std::size_t from, bool& unmappable);
void Utf8ToCp932InPlace(std::string& text, std::size_t from, bool& unmappable);
// The same over size bytes of any memory (a loader's pages).
void Utf16LeToCp932InPlace(char* data, std::size_t size, std::size_t from, TInPlaceOutput& out, bool& unmappable);
void Utf8ToCp932InPlace(char* data, std::size_t size, std::size_t from, TInPlaceOutput& out, bool& unmappable);

// Whether the conversion above would escape a character for want of a code.
bool Utf16LeHasUnmappable(std::string_view utf16le) noexcept;
bool Utf8HasUnmappable(std::string_view utf8) noexcept;
bool WideHasUnmappable(const wchar_t* units, std::size_t count) noexcept;

// UTF-16 units (one per wchar_t), replacing out.
void Utf8ToWideUnits(std::string_view utf8, std::wstring& out);
void Cp932ToWideUnits(std::string_view cp932, std::wstring& out);

// Code page 932 appended to out as UTF-16LE bytes or as UTF-8. lossy is set
// when reading the result back would not give the text: a pair or byte
// that is no character (it becomes "・"), or a second code of a character
// (a NEC-selected IBM extension, a NEC row-13 copy) that comes back as the
// first. Pieces cut after a byte below 40 convert as the whole does.
void Cp932ToUtf16Le(std::string_view cp932, std::string& out, bool& lossy);
void Cp932ToUtf8(std::string_view cp932, std::string& out, bool& lossy);

enum class TUnicodeForm { utf8, utf16le };

// The conversion into code page 932 fed in pieces of any size (a loader
// that streams): the end of a piece may cut a character, which waits for
// the next piece. Whether "$" is escaped must be known before the first
// piece: from *HasUnmappable over the whole text, or by converting without
// and converting again when Unmappable() turns out true and the output
// held "$" or 01.
class TToCp932Stream {
public:
    TToCp932Stream(TUnicodeForm form, bool escapeDollars) noexcept : form_(form), escapeDollars_(escapeDollars) {}
    // Appends the conversion of the piece's whole characters to out.
    void Put(std::string_view piece, std::string& out);
    // Appends what the last piece left unfinished, as the end of the text.
    void Finish(std::string& out);
    bool Unmappable() const noexcept { return unmappable_; }

private:
    void Run(std::string_view piece, bool last, std::string& out);

    TUnicodeForm form_;
    bool escapeDollars_;
    bool unmappable_ = false;
    unsigned char held_[4] = {};
    std::size_t heldCount_ = 0;
};

} // namespace vellumo
