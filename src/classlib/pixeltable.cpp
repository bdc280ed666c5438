#include "classlib/pixeltable.h"

namespace vellumo {

std::vector<std::uint32_t> ParsePixelTable(const std::vector<std::string>& rows, int width, int height,
                                           const TPixelPalette& palette)
{
    if (width <= 0 || height <= 0 || rows.size() != static_cast<std::size_t>(height))
        return {};
    std::vector<std::uint32_t> out;
    out.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (const std::string& row : rows) {
        if (row.size() != static_cast<std::size_t>(width))
            return {};
        for (char c : row) {
            if (c == '.' || c == ' ') {
                out.push_back(0);
                continue;
            }
            auto it = palette.find(c);
            if (it == palette.end())
                return {};
            out.push_back(0xFF000000u | (it->second & 0xFFFFFFu));
        }
    }
    return out;
}

} // namespace vellumo
