#include "dialogs/font/fontsizes.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vellumo {

namespace {

constexpr int kDefaultTypedSize = 12;
const char kTenPointFiveText[] = "10.5";

// A whole number with optional blanks around it and a sign; else fallback.
int IntOrDefault(const std::string& text, int fallback)
{
    std::size_t i = 0, n = text.size();
    while (i < n && text[i] == ' ') ++i;
    while (n > i && text[n - 1] == ' ') --n;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i == n) return fallback;
    long long v = 0;
    for (; i < n; ++i) {
        if (text[i] < '0' || text[i] > '9') return fallback;
        v = v * 10 + (text[i] - '0');
        if (v > INT_MAX) return fallback;
    }
    return static_cast<int>(negative ? -v : v);
}

// Rounded a * b / c, halves away from zero, as the system's MulDiv.
int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long q = (std::llabs(p) * 2 + std::llabs(static_cast<long long>(c))) / (2 * std::llabs(static_cast<long long>(c)));
    return static_cast<int>((p < 0) != (c < 0) ? -q : q);
}

bool SameLetters(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool LessLetters(const std::string& a, const std::string& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

} // namespace

int PointsToFontHeight(const TFont&, double points)
{
    return -static_cast<int>(std::lround(points * FontPixelsPerInch() / 72.0));
}

std::string FontSizeText(const TFont& font, bool tenPointFive)
{
    if (tenPointFive && (font.Size() == kTenPointFiveSize || font.Height() == PointsToFontHeight(font, 10.5)))
        return kTenPointFiveText;
    return std::to_string(font.Size());
}

int FontSizeValue(const TFont& font)
{
    return font.Height() == PointsToFontHeight(font, 10.5) ? kTenPointFiveSize : font.Size();
}

void SetFontSizeText(const std::string& text, TFont& font, bool tenPointFive)
{
    if (tenPointFive && text == kTenPointFiveText) {
        font.SetHeight(PointsToFontHeight(font, 10.5));
        return;
    }
    font.SetSize(std::clamp(IntOrDefault(text, kDefaultTypedSize), kMinDialogFontSize, kMaxDialogFontSize));
}

void SetFontSizeValue(int size, TFont& font)
{
    if (size == kTenPointFiveSize)
        font.SetHeight(PointsToFontHeight(font, 10.5));
    else
        font.SetSize(std::clamp(size, kMinDialogFontSize, kMaxDialogFontSize));
}

bool FaceListed(const TFontFace& face, bool allFonts)
{
    // Of the defined character sets only Shift-JIS (128) passes this mask.
    if ((face.Charset & 0x80) == 0 || (face.Charset & 0x4F) != 0) return false;
    if (allFonts) return true;
    return (face.Name.empty() || face.Name[0] != '@') && (face.PitchAndFamily & 0x01) == 0;
}

void FillFontNames(std::vector<std::string>& items, bool sorted, bool allFonts, const IFontList& fonts)
{
    std::vector<std::string> names;
    for (const TFontFace& f : fonts.Faces()) {
        if (!FaceListed(f, allFonts)) continue;
        if (sorted && FindFaceItem(names, f.Name) >= 0) continue;
        names.push_back(f.Name);
    }
    if (sorted) std::stable_sort(names.begin(), names.end(), LessLetters);
    items = std::move(names);
}

std::vector<std::string> TrueTypeSizeList(bool tenPointFive)
{
    if (tenPointFive)
        return {"8", "9", "10", kTenPointFiveText, "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"};
    return {"6", "7", "8", "9", "10", "11", "12", "14", "16", "18", "20", "22"};
}

void FillFontSizes(std::vector<std::string>& items, const std::string& face, bool tenPointFive, const IFontList& fonts)
{
    const std::vector<TFontSizeAnswer> answers = face.empty() ? std::vector<TFontSizeAnswer>{} : fonts.SizeAnswers(face);
    if (answers.empty() || answers.front().TrueType) {
        items = TrueTypeSizeList(tenPointFive);
        return;
    }
    std::vector<int> sizes;
    const int ppi = fonts.LogPixelsY();
    for (const TFontSizeAnswer& a : answers) {
        if (a.TrueType) break;
        const int size = MulDiv(a.Height - a.InternalLeading, 72, ppi);
        const auto at = std::lower_bound(sizes.begin(), sizes.end(), size);
        if (at == sizes.end() || *at != size) sizes.insert(at, size);
    }
    items.clear();
    for (int s : sizes) items.push_back(std::to_string(s));
}

int FindFaceItem(const std::vector<std::string>& items, const std::string& face)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (SameLetters(items[i], face)) return static_cast<int>(i);
    return -1;
}

TFontChooser::TFontChooser(const IFontList& fonts, bool tenPointFive, bool allFonts)
    : fonts_(fonts), tenPointFive_(tenPointFive), allFonts_(allFonts)
{
    sample_.SetCharset(kShiftJisCharset);
}

void TFontChooser::Start(const TFontInfoA& info)
{
    sample_.SetName(info.Name);
    SetFontSizeValue(info.Size, sample_);
    FillFontNames(faces_, true, allFonts_, fonts_);
    ChooseFace(info.Name);
    TypeSize(SizeText());
}

void TFontChooser::ChooseFace(const std::string& text)
{
    const int i = FindFaceItem(faces_, text);
    const std::string face = i >= 0 ? faces_[static_cast<std::size_t>(i)] : text;
    FillFontSizes(sizes_, face.empty() ? sample_.Name() : face, tenPointFive_, fonts_);
    if (!face.empty()) sample_.SetName(face);
}

void TFontChooser::TypeSize(const std::string& text) { SetFontSizeText(text, sample_, tenPointFive_); }

int TFontChooser::SizeIndex() const
{
    const std::string text = SizeText();
    const auto it = std::find(sizes_.begin(), sizes_.end(), text);
    return it == sizes_.end() ? -1 : static_cast<int>(it - sizes_.begin());
}

} // namespace vellumo
