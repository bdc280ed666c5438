#include "dialogs/font/fontlist_win.h"

#include <windows.h>

#include <cstring>

namespace vellumo {

namespace {

class TScreenDC {
public:
    TScreenDC() : dc_(GetDC(nullptr)) {}
    ~TScreenDC()
    {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    HDC Get() const noexcept { return dc_; }

private:
    HDC dc_;
};

int CALLBACK AddFace(const LOGFONTA* lf, const TEXTMETRICA* tm, DWORD, LPARAM data)
{
    auto& faces = *reinterpret_cast<std::vector<TFontFace>*>(data);
    faces.push_back({std::string(lf->lfFaceName, strnlen(lf->lfFaceName, LF_FACESIZE)), tm->tmCharSet,
                     tm->tmPitchAndFamily});
    return 1;
}

int CALLBACK AddSize(const LOGFONTA*, const TEXTMETRICA* tm, DWORD type, LPARAM data)
{
    auto& answers = *reinterpret_cast<std::vector<TFontSizeAnswer>*>(data);
    const bool trueType = (type & TRUETYPE_FONTTYPE) != 0;
    answers.push_back({trueType, tm->tmHeight, tm->tmInternalLeading});
    return trueType ? 0 : 1;  // a scalable face needs no more answers
}

} // namespace

std::vector<TFontFace> TScreenFontList::Faces() const
{
    std::vector<TFontFace> faces;
    TScreenDC dc;
    if (dc.Get()) EnumFontsA(dc.Get(), nullptr, AddFace, reinterpret_cast<LPARAM>(&faces));
    return faces;
}

std::vector<TFontSizeAnswer> TScreenFontList::SizeAnswers(const std::string& face) const
{
    std::vector<TFontSizeAnswer> answers;
    TScreenDC dc;
    if (!dc.Get() || face.size() >= LF_FACESIZE) return answers;
    LOGFONTA lf{};
    std::memcpy(lf.lfFaceName, face.data(), face.size());
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfPitchAndFamily = 1;
    EnumFontFamiliesExA(dc.Get(), &lf, AddSize, reinterpret_cast<LPARAM>(&answers), 0);
    return answers;
}

int TScreenFontList::LogPixelsY() const
{
    TScreenDC dc;
    const int ppi = dc.Get() ? GetDeviceCaps(dc.Get(), LOGPIXELSY) : 0;
    return ppi > 0 ? ppi : 96;
}

} // namespace vellumo
