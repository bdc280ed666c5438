#pragma once
// The font dialog's rules apart from its window: which faces it lists, which
// sizes it offers for a face, and how a size is shown, typed and returned.
// The system's fonts come through IFontList, so the rules run natively on a
// made-up font list.
#include <string>
#include <vector>

#include "classlib/font.h"
#include "dialogs/font/fontinfo.h"

namespace vellumo {

constexpr int kMinDialogFontSize = 1;
constexpr int kMaxDialogFontSize = 200;
constexpr int kTenPointFiveSize = -14;  // the stored value of 10.5 points

// One face as the screen's font enumeration reports it.
struct TFontFace {
    std::string Name;
    unsigned char Charset = 0;         // tmCharSet
    unsigned char PitchAndFamily = 0;  // tmPitchAndFamily: bit 0 set means variable pitch
};

// One answer of the size enumeration of a face: a scalable face answers
// once with TrueType set; a face of fixed heights once per height.
struct TFontSizeAnswer {
    bool TrueType = false;
    int Height = 0;           // tmHeight
    int InternalLeading = 0;  // tmInternalLeading
};

class IFontList {
public:
    virtual ~IFontList() = default;
    virtual std::vector<TFontFace> Faces() const = 0;
    // The answers for a face in Shift-JIS (none for a face that is not installed).
    virtual std::vector<TFontSizeAnswer> SizeAnswers(const std::string& face) const = 0;
    virtual int LogPixelsY() const = 0;
};

// -round(points * pixels per inch / 72): 10.5 points at 96 are -14.
int PointsToFontHeight(const TFont& font, double points);
// "10.5" in the 10.5-point mode for a font of that height (or of size -14);
// else its size in points.
std::string FontSizeText(const TFont& font, bool tenPointFive);
// -14 for a font of 10.5 points, else its size in points.
int FontSizeValue(const TFont& font);
// "10.5" in the 10.5-point mode gives 10.5 points; any other text its whole
// number of points kept in 1..200, or 12 when it is no number (so is
// "10.5" outside that mode).
void SetFontSizeText(const std::string& text, TFont& font, bool tenPointFive);
// The font takes a stored size: -14 as 10.5 points, others kept in 1..200.
void SetFontSizeValue(int size, TFont& font);

// Shift-JIS faces; without allFonts only fixed-pitch ones and no "@" faces.
bool FaceListed(const TFontFace& face, bool allFonts);
// The listed faces in enumeration order, or sorted without duplicates.
void FillFontNames(std::vector<std::string>& items, bool sorted, bool allFonts, const IFontList& fonts);
// A scalable face's list of the mode; a face of fixed heights its heights
// in points, ascending without duplicates. A face the list does not know
// (empty, or not installed: the system then draws a scalable face in its
// place) gets the scalable list.
void FillFontSizes(std::vector<std::string>& items, const std::string& face, bool tenPointFive, const IFontList& fonts);
std::vector<std::string> TrueTypeSizeList(bool tenPointFive);
// The item that names the face (letter case aside), or -1.
int FindFaceItem(const std::vector<std::string>& items, const std::string& face);

// The dialog's state: the sample font and what the two boxes list. The
// window shows it and hands the user's edits back.
class TFontChooser {
public:
    TFontChooser(const IFontList& fonts, bool tenPointFive, bool allFonts);

    // The sample takes the face and size; both lists are filled.
    void Start(const TFontInfoA& info);
    // The face box shows this text (an item chosen or a name typed): a
    // listed face or any typed name becomes the sample's face, so a face
    // the system lacks is kept as typed and substituted when drawn; an
    // empty box keeps the face. The sizes follow the face.
    void ChooseFace(const std::string& text);
    void TypeSize(const std::string& text);

    const std::vector<std::string>& Faces() const noexcept { return faces_; }
    const std::vector<std::string>& Sizes() const noexcept { return sizes_; }
    // The items to select (-1: show FaceText / SizeText as typed).
    int FaceIndex() const { return FindFaceItem(faces_, sample_.Name()); }
    int SizeIndex() const;
    const std::string& FaceText() const noexcept { return sample_.Name(); }
    std::string SizeText() const { return FontSizeText(sample_, tenPointFive_); }
    const TFont& Sample() const noexcept { return sample_; }
    TFontInfoA Result() const { return {sample_.Name(), FontSizeValue(sample_)}; }

private:
    const IFontList& fonts_;
    bool tenPointFive_;
    bool allFonts_;
    TFont sample_;
    std::vector<std::string> faces_, sizes_;
};

} // namespace vellumo
