#include "app/startup/arrange.h"

#include <algorithm>

#include "app/startup/instances.h"
#include "app/window/menus.h"

namespace vellumo {

TTileGrid TileGrid(int count) noexcept
{
    if (count <= 0) return {};
    int columns = 1;
    while (columns * columns < count) ++columns;
    return {columns, (count + columns - 1) / columns};
}

std::optional<std::vector<TWindowBox>> TiledBoxes(int count, const TArea& area)
{
    if (count <= 0) return std::vector<TWindowBox>{};
    const TTileGrid g = TileGrid(count);
    const int width = area.Width() / g.Columns, restWidth = area.Width() % g.Columns;
    const int height = area.Height() / g.Rows, restHeight = area.Height() % g.Rows;
    if (width < kMinCellWidth || height < kMinCellHeight) return std::nullopt;
    std::vector<TWindowBox> boxes;
    int x = area.Left, y = area.Top;
    for (int k = 1; k <= count; ++k) {
        TWindowBox b{x, y, width, height};
        if (k > 1) {
            if (k > g.Columns * (g.Rows - 1)) b.Height += restHeight;
            if (k % g.Columns == 0) b.Width += restWidth;
        }
        boxes.push_back(b);
        if (k % g.Columns == 0) {
            x = area.Left;
            y += height;
        } else {
            x += width;
        }
    }
    return boxes;
}

namespace {

// One row or one column of windows across the area; the last takes the rest.
std::optional<std::vector<TWindowBox>> Lined(int count, const TArea& area, bool downwards)
{
    if (count <= 0) return std::vector<TWindowBox>{};
    const int length = downwards ? area.Height() : area.Width();
    const int each = length / count, rest = length % count;
    const int width = downwards ? area.Width() : each, height = downwards ? each : area.Height();
    if (width < kMinCellWidth || height < kMinCellHeight) return std::nullopt;
    std::vector<TWindowBox> boxes;
    for (int k = 0; k < count; ++k) {
        TWindowBox b{area.Left, area.Top, width, height};
        const int extra = k == count - 1 ? rest : 0;
        if (downwards) {
            b.Top += k * each;
            b.Height += extra;
        } else {
            b.Left += k * each;
            b.Width += extra;
        }
        boxes.push_back(b);
    }
    return boxes;
}

} // namespace

std::optional<std::vector<TWindowBox>> StackedBoxes(int count, const TArea& area)
{
    return Lined(count, area, true);
}

std::optional<std::vector<TWindowBox>> SideBySideBoxes(int count, const TArea& area)
{
    return Lined(count, area, false);
}

std::vector<TWindowBox> CascadedBoxes(int count, const TArea& area, int step)
{
    const int width = area.Width() / 4 * 3, height = area.Height() / 25 * 18;
    std::vector<TWindowBox> boxes;
    int x = area.Left, y = area.Top;
    for (int k = 0; k < count; ++k) {
        if (area.Right - 10 < x + width || area.Bottom - 10 < y + height) {
            x = area.Left;
            y = area.Top;
        }
        boxes.push_back({x, y, width, height});
        x += step;
        y += step;
    }
    return boxes;
}

std::vector<void*> SelectWindows(const std::vector<TListedWindow>& zOrder, TWindowList list)
{
    std::vector<void*> out;
    for (const TListedWindow& w : zOrder) {
        if (w.ClassName != kMainFormClass) continue;
        bool take = false;
        switch (list) {
        case TWindowList::Shown: take = w.Visible || w.OwnerVisible; break;
        case TWindowList::Active:
        case TWindowList::ActiveReversed: take = !w.OwnerIconic; break;
        case TWindowList::Minimized: take = w.OwnerIconic; break;
        }
        if (take) out.push_back(w.Handle);
    }
    if (list == TWindowList::ActiveReversed) std::reverse(out.begin(), out.end());
    return out;
}

std::string ListedTitle(std::string_view ownerTitle)
{
    constexpr std::string_view kSuffix = " - Vellumo";
    const std::size_t at = ownerTitle.find(kSuffix);
    return std::string(at == std::string_view::npos ? ownerTitle : ownerTitle.substr(0, at));
}

std::string WindowListCaption(int index, std::string_view title)
{
    const std::string number = index < 10 ? std::string("&") + "1234567890"[index] : std::to_string(index + 1);
    return number + ": " + MenuCaptionText(title);
}

} // namespace vellumo
