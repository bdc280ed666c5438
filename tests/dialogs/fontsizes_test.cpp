// The font dialog's size rules and lists on a made-up font list.
#include <gtest/gtest.h>

#include <map>

#include "dialogs/font/fontsizes.h"

using namespace vellumo;

namespace {

constexpr unsigned char kFixed = 0x30, kVariable = 0x31;  // tmPitchAndFamily: bit 0 marks variable pitch

class TFakeFonts : public IFontList {
public:
    std::vector<TFontFace> List;
    std::map<std::string, std::vector<TFontSizeAnswer>> Answers;
    int Ppi = 96;
    std::vector<TFontFace> Faces() const override { return List; }
    std::vector<TFontSizeAnswer> SizeAnswers(const std::string& face) const override
    {
        const auto it = Answers.find(face);
        return it == Answers.end() ? std::vector<TFontSizeAnswer>{} : it->second;
    }
    int LogPixelsY() const override { return Ppi; }
};

struct TPpi {
    explicit TPpi(int ppi) { SetFontPixelsPerInch(ppi); }
    ~TPpi() { SetFontPixelsPerInch(96); }
};

const std::vector<std::string> kTenFive = TrueTypeSizeList(true), kNormal = TrueTypeSizeList(false);

} // namespace

TEST(FontSizes, StoredSizesShowAndReturnByTheTenPointFiveRule)
{
    const struct { int ppi; bool tenFive; int stored; const char* shown; int returned; int height; } cases[] = {
        {96, true, -14, "10.5", -14, -14},
        {96, false, -14, "11", -14, -14},   // no 10.5 outside the mode; the stored value survives unchanged
        {96, true, 12, "12", 12, -16},
        {96, true, 11, "11", 11, -15},
        {120, true, -14, "10.5", -14, -18},  // the height follows the screen: 10.5 * 120 / 72
        {120, true, 11, "10.5", -14, -18},   // the same height: 11 points are 10.5 here
        {96, true, 0, "1", 1, -1},           // out of range: kept in 1..200
        {96, true, -5, "1", 1, -1},
        {96, true, 99999, "200", 200, -267},
    };
    for (const auto& c : cases) {
        TPpi ppi(c.ppi);
        TFont f;
        SetFontSizeValue(c.stored, f);
        EXPECT_EQ(f.Height(), c.height) << c.ppi << " ppi, stored " << c.stored;
        EXPECT_EQ(FontSizeText(f, c.tenFive), c.shown) << c.ppi << " ppi, stored " << c.stored;
        EXPECT_EQ(FontSizeValue(f), c.returned) << c.ppi << " ppi, stored " << c.stored;
    }
}

TEST(FontSizes, TypedSizesAreWholePointsIn1To200Or12)
{
    const struct { bool tenFive; const char* typed; int value; } cases[] = {
        {true, "10.5", -14}, {false, "10.5", 12},  // outside the mode "10.5" is no number
        {true, "10.50", 12}, {true, "16", 16},     {false, " 16 ", 16}, {true, "+8", 8},
        {true, "0", 1},      {true, "-5", 1},      {true, "200", 200},  {true, "201", 200},
        {true, "99999", 200}, {true, "9999999999", 12}, {true, "", 12}, {true, "abc", 12},
        {true, "1 2", 12},   {true, "\x82\x50\x82\x51", 12},  // full-width digits
    };
    for (const auto& c : cases) {
        TFont f;
        f.SetSize(30);
        SetFontSizeText(c.typed, f, c.tenFive);
        EXPECT_EQ(FontSizeValue(f), c.value) << '"' << c.typed << "\" " << c.tenFive;
    }
}

TEST(FontSizes, ScalableFacesListTheModesSizesAndFixedFacesTheirHeights)
{
    EXPECT_TRUE(kTenFive.size() == 17u && kTenFive[3] == "10.5" && kTenFive.back() == "72");
    EXPECT_TRUE(kNormal.size() == 12u && kNormal[3] == "9" && kNormal.back() == "22");  // no 10.5

    TFakeFonts fonts;
    fonts.Answers["Scalable"] = {{true, 16, 2}};
    // Heights in any order, some giving the same points; a scalable answer ends the list.
    fonts.Answers["Fixed"] = {{false, 24, 0}, {false, 13, 1}, {false, 16, 0}, {false, 12, 0}, {false, 19, 3},
                              {true, 40, 0}, {false, 40, 0}};
    const struct { const char* face; bool tenFive; int ppi; std::vector<std::string> sizes; } cases[] = {
        {"Scalable", true, 96, kTenFive},
        {"Scalable", false, 96, kNormal},
        {"Fixed", true, 96, {"9", "12", "18"}},
        {"Fixed", true, 120, {"7", "10", "14"}},  // MulDiv rounds 9.6 up, 7.2 down
        {"Missing", true, 96, kTenFive},          // the system draws a scalable face in its place
        {"", false, 96, kNormal},
    };
    for (const auto& c : cases) {
        fonts.Ppi = c.ppi;
        std::vector<std::string> items{"stale"};
        FillFontSizes(items, c.face, c.tenFive, fonts);
        EXPECT_EQ(items, c.sizes) << c.face << " " << c.ppi;
    }
}

TEST(FontSizes, OnlyShiftJisFacesAndWithoutAllFontsOnlyFixedUprightOnes)
{
    // Of the defined character sets only Shift-JIS passes.
    for (int set : {0, 1, 2, 77, 128, 129, 130, 134, 136, 161, 162, 163, 177, 178, 186, 204, 222, 238, 255})
        EXPECT_EQ(FaceListed({"F", static_cast<unsigned char>(set), kFixed}, true), set == 128) << set;
    const struct { const char* name; unsigned char pitch; bool fixedOnly, all; } cases[] = {
        {"IPAGothic", kFixed, true, true},
        {"IPAPGothic", kVariable, false, true},
        {"@IPAGothic", kFixed, false, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FaceListed({c.name, 128, c.pitch}, false), c.fixedOnly) << c.name;
        EXPECT_EQ(FaceListed({c.name, 128, c.pitch}, true), c.all) << c.name;
    }

    TFakeFonts fonts;
    fonts.List = {{"Mincho", 128, kFixed},   {"@Gothic", 128, kFixed}, {"gothic", 128, kFixed}, {"Latin", 0, kFixed},
                  {"PGothic", 128, kVariable}, {"Gothic", 128, kFixed}, {"Mincho", 128, kFixed}};
    std::vector<std::string> items;
    FillFontNames(items, true, false, fonts);
    EXPECT_EQ(items, (std::vector<std::string>{"gothic", "Mincho"}));  // sorted, one of each name whatever its case
    FillFontNames(items, true, true, fonts);
    EXPECT_EQ(items, (std::vector<std::string>{"@Gothic", "gothic", "Mincho", "PGothic"}));
}

TEST(FontChooser, AMissingFaceIsKeptAsTypedAndItsSizesAreTheScalableOnes)
{
    TFakeFonts fonts;
    fonts.List = {{"IPAGothic", 128, kFixed}, {"Fixed", 128, kFixed}};
    fonts.Answers["IPAGothic"] = {{true, 16, 2}};
    fonts.Answers["Fixed"] = {{false, 16, 0}, {false, 24, 0}};

    // The settings' default face is not installed: nothing is selected, the name stays.
    TFontChooser c(fonts, true, false);
    c.Start({"ＭＳ ゴシック", -14});
    EXPECT_EQ(c.FaceIndex(), -1);
    EXPECT_EQ(c.FaceText(), "ＭＳ ゴシック");
    EXPECT_EQ(c.Sizes(), kTenFive);
    EXPECT_EQ(c.SizeIndex(), 3);
    EXPECT_EQ(c.Result().Name, "ＭＳ ゴシック");
    EXPECT_EQ(c.Result().Size, -14);

    // A listed face in other letter case is the listed one; an emptied box keeps the face.
    c.ChooseFace("ipagothic");
    c.ChooseFace("");
    EXPECT_EQ(c.FaceIndex(), 1);
    EXPECT_EQ(c.Sample().Name(), "IPAGothic");

    // A face of fixed heights lacks 10.5: the size is shown as typed and kept.
    c.ChooseFace("Fixed");
    EXPECT_EQ(c.Sizes(), (std::vector<std::string>{"12", "18"}));
    EXPECT_EQ(c.SizeIndex(), -1);
    EXPECT_EQ(c.SizeText(), "10.5");
    c.TypeSize("18");
    EXPECT_EQ(c.SizeIndex(), 1);
    c.TypeSize("999");
    EXPECT_EQ(c.Result().Size, 200);

    // The print dialog's mode has no 10.5: a stored -14 opens as 11 and is then 11.
    TFontChooser print(fonts, false, true);
    print.Start({"IPAGothic", -14});
    EXPECT_EQ(print.SizeText(), "11");
    EXPECT_EQ(print.Result().Size, 11);
}
