#pragma once
// The screen's fonts for the font dialog's lists.
#include "dialogs/font/fontsizes.h"

namespace vellumo {

class TScreenFontList : public IFontList {
public:
    std::vector<TFontFace> Faces() const override;
    std::vector<TFontSizeAnswer> SizeAnswers(const std::string& face) const override;
    int LogPixelsY() const override;
};

} // namespace vellumo
