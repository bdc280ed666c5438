#pragma once
// Font description shared by the editor's options and the canvas. The
// properties are portable; the system font object is made from them on
// Windows (canvas.h) and kept until a property changes.
#include <cstdint>
#include <functional>
#include <string>

#include "base/color.h"

namespace vellumo {

enum TFontPitch : std::uint8_t { fpDefault = 0, fpFixed = 1, fpVariable = 2 };

using TFontCharset = std::uint8_t;
// With the ANSI character set the bytes would be drawn as code page 1252;
// the default set draws them in the system's code page.
constexpr TFontCharset kAnsiCharset = 0;
constexpr TFontCharset kDefaultCharset = 1;
constexpr TFontCharset kShiftJisCharset = 128;

// Pixels per logical inch used to turn points into pixels (the screen's;
// set by the Windows side at start, 96 until then).
int FontPixelsPerInch();
void SetFontPixelsPerInch(int ppi);

class TFont {
public:
    TFont() = default;
    TFont(const TFont& other);
    TFont& operator=(const TFont& other);
    ~TFont();

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);

    // Height in pixels: negative gives the character height, positive the
    // cell height (character plus internal leading).
    int Height() const { return height_; }
    void SetHeight(int height);

    // Size in points, derived from the height: Height = -Size * ppi / 72
    // (rounded), so a negative size stands for a cell height.
    int Size() const;
    void SetSize(int points);

    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TFontCharset Charset() const { return charset_; }
    void SetCharset(TFontCharset charset);
    TFontPitch Pitch() const { return pitch_; }
    void SetPitch(TFontPitch pitch);

    // Copies every property; reports once and only on a real change.
    void Assign(const TFont& other);
    // Equal in every property that shapes the glyphs (the colour included).
    bool SameAs(const TFont& other) const;

    std::function<void()> OnChange;

    // Reserved for the Windows side: a system font object made from these
    // properties, dropped on every change (see canvas.h).
    void* CachedHandle() const { return handle_; }
    void SetCachedHandle(void* handle, void (*release)(void*)) const;
    void ReleaseHandle() const;

private:
    void Changed(bool shape = true);

    std::string name_ = "MS UI Gothic";
    int height_ = -12;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    TFontCharset charset_ = kDefaultCharset;
    TFontPitch pitch_ = fpDefault;
    mutable void* handle_ = nullptr;
    mutable void (*release_)(void*) = nullptr;
};

} // namespace vellumo
