#include "dialogs/folder/browsefolder.h"

#include <algorithm>

namespace vellumo {

std::string BrowseFolderPrompt(const std::string& line1, const std::string& line2)
{
    return line2.empty() ? line1 : line1 + "\n" + line2;
}

TPlacePoint BrowseFolderPlace(TPlacePoint at, int width, int height, const TPlaceRect& primaryWork,
                              const TPlaceRect& monitorWork) noexcept
{
    TPlacePoint p = at;
    if (primaryWork.Right < p.X + width) p.X = primaryWork.Right - width;
    if (primaryWork.Bottom < p.Y + height) p.Y = primaryWork.Bottom - height;
    p.X = std::max(p.X, monitorWork.Left);
    p.Y = std::max(p.Y, monitorWork.Top);
    p.X = std::min(p.X, monitorWork.Right - width);
    p.Y = std::min(p.Y, monitorWork.Bottom - height);
    return p;
}

} // namespace vellumo
