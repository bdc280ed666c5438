#include "app/document/stdinput.h"

#include <algorithm>

namespace vellumo {

void TStdInputText::Append(std::string_view chunk)
{
    const std::size_t from = text_.size();
    text_.append(chunk);
    total_ += chunk.size();
    auto nul = std::find(text_.begin() + static_cast<std::ptrdiff_t>(from), text_.end(), '\0');
    if (nul == text_.end()) return;
    hadNul_ = true;
    std::replace(nul, text_.end(), '\0', ' ');
}

std::string GroupDigits(std::uint64_t n)
{
    std::string digits = std::to_string(n);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string StdInputProgressText(std::uint64_t total) { return "サイズ: " + GroupDigits(total) + " バイト"; }

} // namespace vellumo
