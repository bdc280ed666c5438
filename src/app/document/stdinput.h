#pragma once
// Standard input as the untitled document: the bytes as they arrive, NULs
// kept as spaces, and the progress text. Portable; the reading itself is in
// stdinput_win.cpp.
#include <cstdint>
#include <string>
#include <string_view>

namespace vellumo {

class TStdInputText {
public:
    // Appends a chunk; each NUL becomes a space and is remembered.
    void Append(std::string_view chunk);
    const std::string& Text() const noexcept { return text_; }
    std::string TakeText() noexcept { return std::move(text_); }
    bool HadNul() const noexcept { return hadNul_; }
    std::uint64_t Total() const noexcept { return total_; }

private:
    std::string text_;
    bool hadNul_ = false;
    std::uint64_t total_ = 0;
};

// "1,234,567": the digits in groups of three.
std::string GroupDigits(std::uint64_t n);
// "サイズ: 1,234 バイト".
std::string StdInputProgressText(std::uint64_t total);

} // namespace vellumo
