#include "classlib/autocomplete.h"

#include "base/leadbytes.h"

namespace vellumo {

namespace {

unsigned char Fold(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; }

bool BeginsWith(std::string_view item, std::string_view typed)
{
    if (item.size() <= typed.size()) return false;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const auto t = static_cast<unsigned char>(typed[i]);
        const auto c = static_cast<unsigned char>(item[i]);
        if (IsLeadByte(t)) {
            // The trail byte (5C, 41-5A...) is compared as it is.
            if (i + 1 >= typed.size() || c != t || item[i + 1] != typed[i + 1]) return false;
            ++i;
        } else if (Fold(t) != Fold(c)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string CompleteFromItems(std::string_view typed, const std::vector<std::string>& items)
{
    if (typed.empty()) return {};
    for (const std::string& item : items) {
        if (BeginsWith(item, typed)) {
            std::string out(typed);
            out.append(item, typed.size(), std::string::npos);
            return out;
        }
    }
    return {};
}

} // namespace vellumo
