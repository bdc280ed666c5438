#pragma once
// The font colour of a link label as the mouse moves over it and presses it.
#include "base/color.h"

namespace vellumo {

class TLinkColors {
public:
    explicit TLinkColors(TColor normal = clBlue) : color_(normal), normal_(normal) {}

    bool HotTrack = true;
    TColor HotColor = 0xFFFF00;
    TColor PushedColor = clRed;

    // The colour the label shows now.
    TColor Color() const noexcept { return color_; }
    // The colour it shows with the mouse away (it shows it now unless the mouse is over it).
    void SetNormal(TColor normal) noexcept;

    // Each returns whether the colour changed. With HotTrack off nothing changes.
    bool Enter() noexcept;
    bool Leave() noexcept;
    bool Down() noexcept;
    // inside: the mouse is still over the label.
    bool Up(bool inside) noexcept;

private:
    bool Show(TColor c) noexcept;

    TColor color_;
    TColor normal_;   // remembered when the mouse came in from outside
    bool inside_ = false;
};

} // namespace vellumo
