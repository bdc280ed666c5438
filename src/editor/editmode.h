#pragma once

namespace vellumo {

// The document's syntax-colouring mode. The values are stored in settings
// and passed between instances, so they never change.
enum TEditMode : int {
    emStandard = 0,
    emHtml = 1,
    emPerl = 2,
    emIni = 3,
    emBat = 4,
    emCpp = 5,
    emJava = 6,
    emVb = 7,
    emHsp = 8,
    emDelphi = 9,
    emRuby = 10,
    emPhp = 11,
    emCss = 12,
    emJavaScript = 13,
};
using TEditEnum = TEditMode;

constexpr int EditModeCount = 14;

constexpr bool IsValidEditMode(int value) noexcept { return value >= emStandard && value <= emJavaScript; }

} // namespace vellumo
