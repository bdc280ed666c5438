// The font dialog on the test machine's own fonts: the IPA faces are
// installed, "ＭＳ ゴシック" (the settings' default face) is not.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/font/fontdialog_win.h"
#include "dialogs/font/fontlist_win.h"
#include "support/modalscript_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

const bool kNoUnscriptedModal = (TForm::SetRefuseUnscriptedModal(true), true);

const std::string kGothic = "IPAゴシック", kPGothic = "IPA Pゴシック", kMissing = "ＭＳ ゴシック";

bool Has(const std::vector<std::string>& items, const std::string& name)
{
    return std::find(items.begin(), items.end(), name) != items.end();
}

// What the dialog shows, read inside its modal loop.
struct TSeen {
    int faceIndex = -2, sizeIndex = -2;
    std::string face, size;
    int drawnCharset = -1;  // of the font the system draws the sample with
    int glyphWidth = 0;     // of a kanji in it
};

void Look(TFonfForm& d, TSeen& seen)
{
    seen = {d.FontNameCB.ItemIndex(), d.FontSizeCB.ItemIndex(), d.FontNameCB.Text(), d.FontSizeCB.Text()};
    HDC dc = GetDC(d.SamplePanel.Handle());
    HGDIOBJ old = SelectObject(dc, d.SamplePanel.ShownFont());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    seen.drawnCharset = tm.tmCharSet;
    SIZE s{};
    GetTextExtentPoint32A(dc, "\x88\x9f", 2, &s);  // 亜
    seen.glyphWidth = s.cx;
    SelectObject(dc, old);
    ReleaseDC(d.SamplePanel.Handle(), dc);
}

bool RunDialog(TFontInfoA& info, bool tenPointFive, const std::function<void(TFonfForm&)>& act, TSeen* seen = nullptr)
{
    bool shown = false;
    TScript script([&](TForm& f) {
        auto& d = dynamic_cast<TFonfForm&>(f);
        shown = true;
        if (seen) Look(d, *seen);
        act(d);
    });
    const bool ok = ExecuteFontDialog(info, 16, 16, nullptr, tenPointFive, !tenPointFive);
    EXPECT_TRUE(shown);
    return ok;
}

void Key(TComboBox& box, UINT key)
{
    PostMessageA(box.EditHandle(), WM_KEYDOWN, key, 0);
    PostMessageA(box.EditHandle(), WM_KEYUP, key, 0xC0000000);
}

} // namespace

TEST(FontDialog, ScreenFacesByPitchAndTheirScalableSizes)
{
    const TScreenFontList fonts;
    std::vector<std::string> fixed, all, sizes;
    FillFontNames(fixed, true, false, fonts);
    FillFontNames(all, true, true, fonts);
    EXPECT_TRUE(Has(fixed, kGothic));
    EXPECT_FALSE(Has(fixed, kPGothic));
    EXPECT_FALSE(Has(fixed, "@" + kGothic));
    EXPECT_TRUE(Has(all, kPGothic));
    EXPECT_TRUE(Has(all, "@" + kGothic));
    EXPECT_FALSE(Has(all, kMissing));
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    FillFontSizes(sizes, kGothic, true, fonts);
    EXPECT_EQ(sizes, TrueTypeSizeList(true));
}

TEST(FontDialog, TheMissingDefaultFaceStaysAsTypedAndIsDrawnByASubstitute)
{
    TFontInfoA info{kMissing, -14};
    TSeen seen;
    // Enter in the face box is OK.
    EXPECT_TRUE(RunDialog(info, true, [](TFonfForm& d) { Key(d.FontNameCB, VK_RETURN); }, &seen));
    EXPECT_EQ(seen.faceIndex, -1);
    EXPECT_EQ(seen.face, kMissing);
    EXPECT_EQ(seen.size, "10.5");
    EXPECT_EQ(seen.sizeIndex, 3);
    EXPECT_EQ(seen.drawnCharset, SHIFTJIS_CHARSET);
    EXPECT_GT(seen.glyphWidth, 0);
    EXPECT_EQ(info.Name, kMissing);
    EXPECT_EQ(info.Size, -14);
}
