#include "classlib/font.h"

#include <cmath>

namespace vellumo {

namespace {
int g_pixelsPerInch = 96;

// Rounded a * b / c, halves away from zero.
int MulDivRound(int a, int b, int c)
{
    if (c == 0)
        return 0;
    long long p = static_cast<long long>(a) * b;
    long long q = (std::llabs(p) * 2 + std::llabs(static_cast<long long>(c))) / (2 * std::llabs(static_cast<long long>(c)));
    return static_cast<int>(((p < 0) != (c < 0)) ? -q : q);
}
} // namespace

int FontPixelsPerInch() { return g_pixelsPerInch; }
void SetFontPixelsPerInch(int ppi)
{
    if (ppi > 0)
        g_pixelsPerInch = ppi;
}

TFont::TFont(const TFont& other)
    : name_(other.name_), height_(other.height_), style_(other.style_), color_(other.color_),
      charset_(other.charset_), pitch_(other.pitch_)
{
}

TFont& TFont::operator=(const TFont& other)
{
    Assign(other);
    return *this;
}

TFont::~TFont() { ReleaseHandle(); }

void TFont::SetName(const std::string& name)
{
    if (name != name_) {
        name_ = name;
        Changed();
    }
}

void TFont::SetHeight(int height)
{
    if (height != height_) {
        height_ = height;
        Changed();
    }
}

int TFont::Size() const { return -MulDivRound(height_, 72, g_pixelsPerInch); }
void TFont::SetSize(int points) { SetHeight(-MulDivRound(points, g_pixelsPerInch, 72)); }

void TFont::SetStyle(TFontStyles style)
{
    style &= fsBold | fsItalic | fsUnderline | fsStrikeOut;
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TFont::SetColor(TColor color)
{
    if (color != color_) {
        color_ = color;
        Changed(false);
    }
}

void TFont::SetCharset(TFontCharset charset)
{
    if (charset != charset_) {
        charset_ = charset;
        Changed();
    }
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (pitch != pitch_) {
        pitch_ = pitch;
        Changed();
    }
}

bool TFont::SameAs(const TFont& o) const
{
    return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && color_ == o.color_ &&
           charset_ == o.charset_ && pitch_ == o.pitch_;
}

void TFont::Assign(const TFont& other)
{
    if (this == &other || SameAs(other))
        return;
    bool shape = name_ != other.name_ || height_ != other.height_ || style_ != other.style_ ||
                 charset_ != other.charset_ || pitch_ != other.pitch_;
    name_ = other.name_;
    height_ = other.height_;
    style_ = other.style_;
    color_ = other.color_;
    charset_ = other.charset_;
    pitch_ = other.pitch_;
    Changed(shape);
}

void TFont::SetCachedHandle(void* handle, void (*release)(void*)) const
{
    ReleaseHandle();
    handle_ = handle;
    release_ = release;
}

void TFont::ReleaseHandle() const
{
    if (handle_ && release_)
        release_(handle_);
    handle_ = nullptr;
    release_ = nullptr;
}

void TFont::Changed(bool shape)
{
    // Listeners (a canvas) deselect the old object before it is released.
    if (OnChange)
        OnChange();
    if (shape)
        ReleaseHandle();
}

} // namespace vellumo
