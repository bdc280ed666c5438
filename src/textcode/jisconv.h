#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "textcode/inplace.h"

namespace vellumo {

// Two-byte JIS X 0208 code (high byte row, low byte cell) to its Shift-JIS
// code, and back, by the arithmetic mapping. Bytes outside 21-7E give
// whatever the arithmetic gives; no table is used.
std::uint16_t JisToSjisCode(std::uint16_t jis) noexcept;
std::uint16_t SjisToJisCode(std::uint16_t sjis) noexcept;

// Whole-text converters between Shift-JIS and JIS (ISO-2022-JP with
// half-width kana) or EUC-JP. Line ends pass through unchanged.
//
// Every character comes out as a character of the target code: IBM
// extensions go out as their NEC codes, JIS X 0212 characters come in as
// their code page 932 equivalents. What the target cannot hold (user-defined
// characters, JIS X 0212 characters without an equivalent, bytes that are no
// character) becomes "〓", and replaced counts those, so a caller can warn
// before anything is lost.
std::string ConvertJisToSjis(std::string_view s, std::size_t& replaced);
std::string ConvertEucToSjis(std::string_view s, std::size_t& replaced);
std::string ConvertSjisToJis(std::string_view s, std::size_t& replaced);
std::string ConvertSjisToEuc(std::string_view s, std::size_t& replaced);
std::string ConvertJisToSjis(std::string_view s);
std::string ConvertEucToSjis(std::string_view s);
std::string ConvertSjisToJis(std::string_view s);
std::string ConvertSjisToEuc(std::string_view s);

// The same conversions to Shift-JIS in the text's own memory: the result
// is never longer than the input but for broken bytes, so a big text needs
// no second buffer of its size. Return the characters written as "〓".
std::size_t ConvertJisToSjisInPlace(std::string& text);
std::size_t ConvertEucToSjisInPlace(std::string& text);
// EUC-JP is as long as Shift-JIS but for its two-byte half-width kana: done
// in place too (the kana's extra bytes wait in a side buffer).
std::size_t ConvertSjisToEucInPlace(std::string& text);
// The same over size bytes of any memory (a loader's pages).
std::size_t ConvertJisToSjisInPlace(char* data, std::size_t size, TInPlaceOutput& out);
std::size_t ConvertEucToSjisInPlace(char* data, std::size_t size, TInPlaceOutput& out);

// Output lengths computed by the same rules as the converters.
std::size_t JisToSjisLength(std::string_view s) noexcept;
std::size_t EucToSjisLength(std::string_view s) noexcept;
std::size_t SjisToJisLength(std::string_view s) noexcept;
std::size_t SjisToEucLength(std::string_view s) noexcept;

enum class TJisConversion { jisToSjis, eucToSjis, sjisToJis, sjisToEuc };

// One of the converters above fed in pieces of any size (a loader or a
// writer that streams): a piece may end inside a character or an escape,
// which waits for the next piece. Put, Put, ..., Finish gives the bytes of
// the whole conversion.
class TJisStream {
public:
    explicit TJisStream(TJisConversion conversion) noexcept : conversion_(conversion) {}
    // Appends the conversion of what the piece completes to out.
    void Put(std::string_view piece, std::string& out);
    // Appends the rest, as the end of the text.
    void Finish(std::string& out);
    // Characters written as "〓" so far.
    std::size_t Replaced() const noexcept { return state_.replaced; }

    // Where a conversion stands between pieces.
    struct TState {
        unsigned char mode = 0;      // reading JIS: single-byte, JIS X 0208, JIS X 0212, kana
        bool escapeAllowed = true;   // reading JIS: an escape right after an escape is not one
        bool twoByte = false;        // writing JIS
        bool kana = false;
        std::size_t replaced = 0;
    };

private:
    void Run(std::string_view piece, bool last, std::string& out);

    TJisConversion conversion_;
    TState state_;
    unsigned char held_[8] = {};
    std::size_t heldCount_ = 0;
};

} // namespace vellumo
