#include "classlib/linkcolors.h"

namespace vellumo {

bool TLinkColors::Show(TColor c) noexcept
{
    if (c == color_) return false;
    color_ = c;
    return true;
}

void TLinkColors::SetNormal(TColor normal) noexcept
{
    normal_ = normal;
    if (!inside_) color_ = normal;
}

bool TLinkColors::Enter() noexcept
{
    if (!HotTrack) return false;
    // Only a colour of its own is remembered: coming back while pressed
    // must not make the pressed colour the normal one.
    if (!inside_ && color_ != PushedColor && color_ != HotColor) normal_ = color_;
    inside_ = true;
    return Show(HotColor);
}

bool TLinkColors::Leave() noexcept
{
    if (!HotTrack) return false;
    inside_ = false;
    return Show(normal_);
}

bool TLinkColors::Down() noexcept { return HotTrack && Show(PushedColor); }

bool TLinkColors::Up(bool inside) noexcept
{
    if (!HotTrack) return false;
    inside_ = inside;
    return Show(inside ? HotColor : normal_);
}

} // namespace vellumo
