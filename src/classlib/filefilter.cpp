#include "classlib/filefilter.h"

#include "base/leadbytes.h"

namespace vellumo {

std::string FilterToSystemList(const std::string& filter)
{
    std::string out;
    out.reserve(filter.size() + 2);
    for (std::size_t i = 0; i < filter.size(); ++i) {
        const auto b = static_cast<unsigned char>(filter[i]);
        if (IsLeadByte(b) && i + 1 < filter.size()) {
            out += filter[i];
            out += filter[++i];
            continue;
        }
        out += b == '|' ? '\0' : filter[i];
    }
    // An odd number of fields has no pattern for its last description.
    std::size_t fields = 1;
    for (char c : out)
        if (c == '\0')
            ++fields;
    if (filter.empty())
        return std::string(2, '\0');
    if (fields % 2 != 0)
        out += std::string("\0*.*", 4);
    out += '\0';
    out += '\0';
    return out;
}

} // namespace vellumo
