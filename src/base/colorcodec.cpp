#include "base/colorcodec.h"

#include <cstdint>
#include <cstdio>

#include "base/numtext.h"

namespace vellumo {

namespace {

struct TColorName {
    TColor color;
    const char* name;
};

// Where two names share a value the first one is written.
constexpr TColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
};

bool SameAsciiText(std::string_view a, const char* b) noexcept
{
    std::size_t i = 0;
    for (; i < a.size(); ++i) {
        const char cb = b[i];
        if (cb == '\0') return false;
        char ca = a[i];
        if (ca >= 'A' && ca <= 'Z') ca = static_cast<char>(ca + 32);
        const char lb = (cb >= 'A' && cb <= 'Z') ? static_cast<char>(cb + 32) : cb;
        if (ca != lb) return false;
    }
    return b[i] == '\0';
}

} // namespace

bool ColorToIdent(TColor color, std::string& name)
{
    for (const auto& entry : kColorNames)
        if (entry.color == color) {
            name = entry.name;
            return true;
        }
    return false;
}

bool IdentToColor(std::string_view name, TColor& color) noexcept
{
    // Names are ASCII, so a byte-wise comparison cannot match half a character.
    for (const auto& entry : kColorNames)
        if (SameAsciiText(name, entry.name)) {
            color = entry.color;
            return true;
        }
    return false;
}

std::string ColorToString(TColor color)
{
    std::string name;
    if (ColorToIdent(color, name)) return name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%08X", static_cast<unsigned>(static_cast<std::uint32_t>(color)));
    return buf;
}

bool TryStringToColor(std::string_view text, TColor& color) noexcept
{
    if (IdentToColor(text, color)) return true;
    int v = 0;
    if (!TryStrToInt(text, v)) return false;
    color = v;
    return true;
}

TColor StringToColor(std::string_view text, TColor fallback) noexcept
{
    TColor c = fallback;
    return TryStringToColor(text, c) ? c : fallback;
}

} // namespace vellumo
